#include "report/move_design_form.h"

#include "core/number_format.h"
#include "core/texts_ja.h"
#include "report/design_reading.h"
#include "report/design_texts.h"
#include "report/move_design_table.h"

#include <cmath>

namespace veldronix::report {
namespace {

namespace t = designTexts;
using enum DesignField;

constexpr std::string_view questionKey = "question";
constexpr std::string_view driveTypeKey = "driveType";

// One row per field: its key, label and unit, in DesignField order.
struct DesignFieldRow {
    DesignField field;
    std::string_view key;
    std::string_view label;
    std::string_view unit;
};

constexpr std::array<DesignFieldRow, designFieldCount> designFields{{
    {InitialSpeed, "initialSpeed", t::labelInitialSpeed, t::unitSpeed},
    {Pulses, "pulses", t::labelPulses, t::unitPulses},
    {MaxSpeed, "maxSpeed", t::labelMaxSpeed, t::unitSpeed},
    {MaxAccel, "maxAccel", t::labelMaxAccel, t::unitRate},
    {MaxDecel, "maxDecel", t::labelMaxDecel, t::unitRate},
    {MaxJerk, "maxJerk", t::labelMaxJerk, t::unitJerk},
    {MaxDecelJerk, "maxDecelJerk", t::labelMaxDecelJerk, t::unitJerk},
    {AccelTime, "accelTime", t::labelAccelTime, t::unitTime},
    {DecelTime, "decelTime", t::labelDecelTime, t::unitTime},
    {TargetTime, "targetTime", t::labelTargetTime, t::unitTime},
}};

// A figure of the dialog's drive as a short text: a limit made from it to the
// thousandth, so that "49500", not "49499.99999999999", stands in the field.
std::string derivedText(double value)
{
    return formatShortest(std::round(value * 1000.0) / 1000.0);
}

bool usableDerived(double value)
{
    return std::isfinite(value) && value > 0.0;
}

// The example the form starts from where nothing is calculated: 10,000 pulses
// from 100 PPS, at most 20,000 PPS and 100,000 PPS/s, or on time in 1 s with
// ramps of 0.2 s.
DesignEntries exampleEntries()
{
    DesignEntries e;
    e[InitialSpeed] = "100";
    e[Pulses] = "10000";
    e[MaxSpeed] = "20000";
    e[MaxAccel] = "100000";
    e[MaxDecel] = "100000";
    e[MaxJerk] = "1000000";
    e[MaxDecelJerk] = "1000000";
    e[AccelTime] = "0.2";
    e[DecelTime] = "0.2";
    e[TargetTime] = "1";
    return e;
}

DialogRequest writeField(ControlId field, const std::string& text)
{
    return DialogRequest::write(field, text);
}

} // namespace

DesignEntries entriesFrom(const Details& details)
{
    DesignEntries e = exampleEntries();
    if (details.pulseCount && *details.pulseCount > 0.0) {
        e[Pulses] = formatShortest(*details.pulseCount);
    }
    if (!details.input || !isKnownDriveType(details.input->driveType)) {
        return e;
    }
    const DriveInput& in = *details.input;
    e.type = in.driveType;
    e[InitialSpeed] = formatShortest(in.initialSpeed);
    e[MaxSpeed] = formatShortest(in.driveSpeed);
    e[AccelTime] = formatShortest(in.accelTime);
    e[DecelTime] = formatShortest(isAsymmetric(in.driveType) ? in.decelTime : in.accelTime);
    // The limits the dialog's drive keeps to: its rates, or its jerks
    // (an S-curve climbs the change in 2 sqrt(change / jerk)).
    const double change = in.driveSpeed - in.initialSpeed;
    const auto limitOf = [&](DesignField field, double value) {
        if (usableDerived(value)) {
            e[field] = derivedText(value);
        }
    };
    const double decelTime = isAsymmetric(in.driveType) ? in.decelTime : in.accelTime;
    if (isSCurve(in.driveType)) {
        e[MaxAccel].clear(); // the S-curves' highest acceleration is the user's to add
        limitOf(MaxJerk, 4.0 * change / (in.accelTime * in.accelTime));
        limitOf(MaxDecelJerk, 4.0 * change / (decelTime * decelTime));
    } else {
        limitOf(MaxAccel, change / in.accelTime);
        limitOf(MaxDecel, change / decelTime);
    }
    return e;
}

std::optional<DetailsSection> MoveDesignForm::section(const Details& details) const
{
    // As the details' own sections: nothing but the line that nothing is calculated.
    if (!details.calculated) {
        return std::nullopt;
    }
    const DesignEntries entries = entriesFor(details);
    const DesignReading reading = readDesign(entries);

    DetailsSection section;
    section.heading = std::string(t::heading);
    DetailsForm form;
    form.name = std::string(formName);
    form.choices.push_back({std::string(questionKey),
                            std::string(t::questionLabel),
                            {std::string(t::questionFastest), std::string(t::questionOnTime)},
                            static_cast<int>(reading.question)});
    form.choices.push_back({std::string(driveTypeKey),
                            std::string(t::driveTypeLabel),
                            {veldronix::texts::ja::driveTypeItems.begin(), veldronix::texts::ja::driveTypeItems.end()},
                            static_cast<int>(reading.type)});
    for (const DesignFieldRow& row : designFields) {
        const DesignFieldReading& read = reading[row.field];
        FormField field;
        field.key = std::string(row.key);
        field.label = std::string(row.label);
        field.unit = std::string(row.unit);
        field.text = entries[row.field];
        field.used = isUsed(row.field, reading.question, reading.type);
        field.finding = read.finding;
        field.findingWarning = read.findingWarning;
        form.fields.push_back(std::move(field));
    }
    section.form = std::move(form);

    DesignResult result = designResult(reading);
    section.kind = result.table.rows.empty() ? SectionKind::Lines : SectionKind::Table;
    section.table = std::move(result.table);
    section.lines = std::move(result.lines);

    SectionButton apply = sectionButton(SectionAction::Command, t::applyButton);
    apply.command = std::string(applyCommand);
    apply.enabled = reading.design && reading.design->settings;
    section.buttons.push_back(std::move(apply));
    return section;
}

void MoveDesignForm::onEdit(FormView& view)
{
    DesignEntries e;
    e.question = view.selectedIndex(questionKey) == 1 ? DesignQuestion::OnTime : DesignQuestion::Fastest;
    const auto type = static_cast<DriveType>(view.selectedIndex(driveTypeKey));
    e.type = isKnownDriveType(type) ? type : DriveType::SymmetricTrapezoid;
    for (const DesignFieldRow& row : designFields) {
        e[row.field] = view.fieldText(row.key);
    }
    entries_ = std::move(e);
}

std::vector<DialogRequest> MoveDesignForm::onCommand(std::string_view command, FormView& view)
{
    if (command != applyCommand) {
        return {};
    }
    onEdit(view);
    const DesignReading reading = readDesign(*entries_);
    if (!reading.design || !reading.design->settings) {
        return {};
    }
    // As a user would: the drive type, the fields, 決定; the multiplier and 再計算
    // where 決定 chooses a smaller one; 算出 for the deceleration point of type 3.
    const design::DesignFields& f = reading.design->settings->fields;
    std::vector<DialogRequest> requests{
        DialogRequest::select(ControlId::IDC_DRIVE_TYPE, static_cast<int>(reading.type)),
        writeField(ControlId::IDC_INITIAL_SPEED, f.initialSpeed),
        writeField(ControlId::IDC_DRIVE_SPEED, f.driveSpeed),
        writeField(ControlId::IDC_ACCEL_TIME, f.accelTime),
    };
    if (isAsymmetric(reading.type)) {
        requests.push_back(writeField(ControlId::IDC_DECEL_TIME, f.decelTime));
    }
    requests.push_back(writeField(ControlId::IDC_PULSE_COUNT, f.pulseCount));
    requests.push_back(DialogRequest::press(ControlId::IDC_CALCULATE));
    if (f.needsRecalculate) {
        requests.push_back(DialogRequest::select(ControlId::IDC_MULTIPLIER, f.multiplierIndex));
        requests.push_back(DialogRequest::press(ControlId::IDC_RECALCULATE));
    }
    if (reading.type == DriveType::AsymmetricSCurve) {
        requests.push_back(DialogRequest::press(ControlId::IDC_COMPUTE_DECEL_POINT));
    }
    return requests;
}

} // namespace veldronix::report
