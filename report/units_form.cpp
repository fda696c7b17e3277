#include "report/units_form.h"

#include "report/texts_ja.h"
#include "report/details_units.h"

#include <fmt/format.h>

namespace veldronix::report {
namespace {

namespace t = texts::ja;

bool blank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

} // namespace

UnitsForm::Conversion UnitsForm::convert(const AxisMechanics& mechanics) const
{
    Conversion result;
    const auto rate = [&](const std::string& text, std::optional<std::string>& into) {
        if (blank(text)) {
            return;
        }
        into = speedUnit_ == 1 ? mechanics.pulseRateTextFromRpm(text) : mechanics.pulseRateText(text);
        result.complete = result.complete && into.has_value();
    };
    rate(initialSpeed_, result.initialSpeed);
    rate(driveSpeed_, result.driveSpeed);
    if (!blank(distance_)) {
        result.pulseCount = mechanics.pulseCountText(distance_);
        result.complete = result.complete && result.pulseCount.has_value();
    }
    return result;
}

std::optional<DetailsSection> UnitsForm::section(const Details&) const
{
    DetailsSection section;
    section.heading = std::string(t::unitsHeading);
    const AxisMechanics* mechanics = session_.mechanics();
    if (mechanics == nullptr) {
        section.lines.push_back({std::string(t::unitsNeedMechanics), false});
        return section;
    }
    const std::string unit(axisUnitSymbol(mechanics->unit()));
    const std::string speedUnit = speedUnit_ == 1 ? std::string(t::unitsRpm) : unit + "/s";
    const Conversion conversion = convert(*mechanics);
    DetailsForm form;
    form.name = std::string(formName);
    form.choices.push_back({"speedUnit", std::string(t::unitsSpeedChoice), {unit + "/s", std::string(t::unitsRpm)},
                            speedUnit_});
    const auto add = [&](std::string_view key, std::string_view label, std::string_view fieldUnit,
                         const std::string& text, const std::optional<std::string>& converted,
                         std::string_view ppsUnit) {
        FormField f;
        f.key = std::string(key);
        f.label = std::string(label);
        f.unit = std::string(fieldUnit);
        f.text = text;
        f.enterCommand = "apply";
        if (!blank(text) && !converted) {
            f.finding = fmt::format(t::unitsNotANumber, text);
            f.findingWarning = true;
        }
        form.fields.push_back(std::move(f));
        if (converted) {
            section.lines.push_back({fmt::format(t::unitsBecomes, label, fmt::format("{} {}", *converted, ppsUnit)), false});
        }
    };
    add("initialSpeed", t::unitsInitialSpeed, speedUnit, initialSpeed_, conversion.initialSpeed, "PPS");
    add("driveSpeed", t::unitsDriveSpeed, speedUnit, driveSpeed_, conversion.driveSpeed, "PPS");
    add("distance", t::unitsDistance, unit, distance_, conversion.pulseCount, t::unitsPulses);
    section.form = std::move(form);
    SectionButton apply = sectionButton(SectionAction::Command, t::unitsApplyButton);
    apply.command = "apply";
    apply.enabled = conversion.complete &&
                    (conversion.initialSpeed || conversion.driveSpeed || conversion.pulseCount);
    section.buttons.push_back(std::move(apply));
    return section;
}

void UnitsForm::onEdit(FormView& view)
{
    speedUnit_ = view.selectedIndex("speedUnit") == 1 ? 1 : 0;
    initialSpeed_ = view.fieldText("initialSpeed");
    driveSpeed_ = view.fieldText("driveSpeed");
    distance_ = view.fieldText("distance");
}

std::vector<DialogRequest> UnitsForm::onCommand(std::string_view command, FormView& view)
{
    onEdit(view);
    const AxisMechanics* mechanics = session_.mechanics();
    if (command != "apply" || mechanics == nullptr) {
        return {};
    }
    const Conversion conversion = convert(*mechanics);
    // A text that is no number writes nothing: the finding at its field says why.
    if (!conversion.complete) {
        return {};
    }
    std::vector<DialogRequest> requests;
    if (conversion.initialSpeed) {
        requests.push_back(DialogRequest::write(ControlId::IDC_INITIAL_SPEED, *conversion.initialSpeed));
    }
    if (conversion.driveSpeed) {
        requests.push_back(DialogRequest::write(ControlId::IDC_DRIVE_SPEED, *conversion.driveSpeed));
    }
    if (conversion.pulseCount) {
        requests.push_back(DialogRequest::write(ControlId::IDC_PULSE_COUNT, *conversion.pulseCount));
    }
    if (!requests.empty()) {
        requests.push_back(DialogRequest::press(ControlId::IDC_CALCULATE));
    }
    return requests;
}

} // namespace veldronix::report
