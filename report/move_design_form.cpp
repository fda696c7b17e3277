#include "report/move_design_form.h"

#include "core/number_format.h"
#include "core/texts_ja.h"
#include "report/design_reading.h"
#include "report/design_texts.h"
#include "report/details_units.h"
#include "report/move_design_table.h"
#include "report/texts_ja.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

namespace veldronix::report {
namespace {

namespace t = designTexts;
using enum DesignField;

constexpr std::string_view questionKey = "question";
constexpr std::string_view driveTypeKey = "driveType";
constexpr std::string_view unitKey = "unit";

// The choices' values as the machine file keeps them, in the order of their items.
constexpr std::array<std::string_view, 2> questionValues = {"fastest", "time"};
constexpr std::array<std::string_view, 4> driveTypeValues = {"0", "1", "2", "3"};
constexpr std::array<std::string_view, 3> unitValues = {"pps", "units", "rpm"};

template <std::size_t N>
std::optional<std::size_t> indexOf(const std::array<std::string_view, N>& values, std::string_view value)
{
    const auto found = std::find(values.begin(), values.end(), value);
    return found == values.end() ? std::nullopt : std::optional<std::size_t>(found - values.begin());
}

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

std::string withoutBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// The field's unit: the pulses' for the unit Pulses and for the times, else the axis's.
std::string unitOf(const DesignFieldRow& row, DesignUnit unit, const AxisMechanics* mechanics)
{
    const std::optional<AxisQuantity> quantity = designFieldQuantity(row.field);
    if (mechanics == nullptr || unit == DesignUnit::Pulses || !quantity) {
        return std::string(row.unit);
    }
    if (*quantity == AxisQuantity::Speed && unit == DesignUnit::Rpm) {
        return std::string(texts::ja::unitRpm);
    }
    return axisQuantityUnit(*quantity, mechanics->unit());
}

// A figure in pulses as a text in the unit: six decimals at most, the shortest
// that reads back as the rounded figure ("31.25", not "31.250000").
std::string unitsText(double pulses, DesignField field, DesignUnit unit, const AxisMechanics& mechanics)
{
    const bool rpm = unit == DesignUnit::Rpm && designFieldQuantity(field) == AxisQuantity::Speed;
    const double value = rpm ? mechanics.motorRpm(pulses) : mechanics.toUnits(pulses);
    const double rounded = std::round(value * 1e6) / 1e6;
    return formatShortest(std::isfinite(rounded) ? rounded : value);
}

} // namespace

DesignValues designValues(const DesignEntries& entries)
{
    DesignValues values;
    values.emplace_back(questionKey, questionValues[static_cast<std::size_t>(entries.question)]);
    const auto type = static_cast<std::size_t>(entries.type);
    values.emplace_back(driveTypeKey, type < driveTypeValues.size() ? driveTypeValues[type] : driveTypeValues[0]);
    values.emplace_back(unitKey, unitValues[static_cast<std::size_t>(entries.unit)]);
    for (const DesignFieldRow& row : designFields) {
        values.emplace_back(row.key, entries[row.field]);
    }
    return values;
}

DesignEntries entriesFromValues(const DesignValues& values, DesignEntries fallback)
{
    DesignEntries e = std::move(fallback);
    for (const auto& entry : values) {
        const std::string& key = entry.first;
        const std::string& value = entry.second;
        if (key == questionKey) {
            if (const auto index = indexOf(questionValues, value)) {
                e.question = static_cast<DesignQuestion>(*index);
            }
        } else if (key == driveTypeKey) {
            if (const auto index = indexOf(driveTypeValues, value)) {
                e.type = static_cast<DriveType>(*index);
            }
        } else if (key == unitKey) {
            if (const auto index = indexOf(unitValues, value)) {
                e.unit = static_cast<DesignUnit>(*index);
            }
        } else {
            const auto row = std::find_if(designFields.begin(), designFields.end(),
                                          [&key](const DesignFieldRow& r) { return r.key == key; });
            if (row != designFields.end()) {
                e[row->field] = value;
            }
        }
    }
    return e;
}

DesignEntries convertEntries(DesignEntries entries, DesignUnit unit, const AxisMechanics& mechanics)
{
    if (entries.unit == unit) {
        return entries;
    }
    for (const DesignFieldRow& row : designFields) {
        std::string& text = entries[row.field];
        if (!designFieldQuantity(row.field) || text.find_first_not_of(" \t") == std::string::npos) {
            continue;
        }
        const std::optional<std::string> pulses = designPulsesText(text, row.field, entries.unit, mechanics);
        const auto number = pulses ? DecimalNumber::parse(withoutBlanks(*pulses)) : std::nullopt;
        if (!number) {
            continue; // no number: the user's text, whatever the unit
        }
        text = unit == DesignUnit::Pulses ? *pulses : unitsText(number->toDouble(), row.field, unit, mechanics);
    }
    entries.unit = unit;
    return entries;
}

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

std::optional<DesignEntries> MoveDesignForm::held() const
{
    if (session_ == nullptr) {
        return entries_;
    }
    const DesignValues& values = session_->current().design;
    if (values.empty()) {
        return std::nullopt;
    }
    return entriesFromValues(values, exampleEntries());
}

DesignEntries MoveDesignForm::entriesFor(const Details& details) const
{
    if (session_ != nullptr) {
        const DesignValues& values = session_->current().design;
        // What a file holds of the form wins; what it leaves out follows the details.
        return values.empty() ? entriesFrom(details) : entriesFromValues(values, entriesFrom(details));
    }
    return entries_ ? *entries_ : entriesFrom(details);
}

const AxisMechanics* MoveDesignForm::mechanics() const
{
    return session_ != nullptr ? session_->mechanics() : nullptr;
}

std::optional<DetailsSection> MoveDesignForm::section(const Details& details) const
{
    // As the details' own sections: nothing but the line that nothing is calculated.
    if (!details.calculated) {
        return std::nullopt;
    }
    const DesignEntries entries = entriesFor(details);
    const AxisMechanics* axis = mechanics();
    const DesignReading reading = readDesign(entries, axis);

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
    // Without the axis's mechanics there is nothing but pulses to type in.
    if (axis != nullptr) {
        const std::string_view unit = axisUnitSymbol(axis->unit());
        form.choices.push_back({std::string(unitKey),
                                std::string(t::unitLabel),
                                {std::string(t::unitItemPulses), std::string(unit), fmt::format(t::unitItemAxisRpm, unit)},
                                static_cast<int>(entries.unit)});
    }
    for (const DesignFieldRow& row : designFields) {
        const DesignFieldReading& read = reading[row.field];
        FormField field;
        field.key = std::string(row.key);
        field.label = std::string(row.label);
        field.unit = unitOf(row, entries.unit, axis);
        field.text = entries[row.field];
        field.used = isUsed(row.field, reading.question, reading.type);
        field.finding = read.finding;
        field.findingWarning = read.findingWarning;
        form.fields.push_back(std::move(field));
    }
    section.form = std::move(form);

    DesignResult result = designResult(reading, axis);
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
    // The unit the texts were shown in: what the form holds, or pulses while it follows the details.
    const std::optional<DesignEntries> before = held();
    DesignEntries e;
    e.unit = before ? before->unit : DesignUnit::Pulses;
    e.question = view.selectedIndex(questionKey) == 1 ? DesignQuestion::OnTime : DesignQuestion::Fastest;
    const auto type = static_cast<DriveType>(view.selectedIndex(driveTypeKey));
    e.type = isKnownDriveType(type) ? type : DriveType::SymmetricTrapezoid;
    for (const DesignFieldRow& row : designFields) {
        e[row.field] = view.fieldText(row.key);
    }
    // Another unit chosen: the figures typed stay the same quantities, now written in it.
    const int unit = view.selectedIndex(unitKey);
    const AxisMechanics* axis = mechanics();
    if (axis != nullptr && unit >= 0 && unit < static_cast<int>(unitValues.size())) {
        e = convertEntries(std::move(e), static_cast<DesignUnit>(unit), *axis);
    }
    if (session_ == nullptr) {
        entries_ = std::move(e);
        return;
    }
    // The form's values first, in its order; any other value the axis holds stays after them.
    DesignValues values = designValues(e);
    for (const auto& kept : session_->current().design) {
        const bool ours = std::any_of(values.begin(), values.end(),
                                      [&kept](const auto& value) { return value.first == kept.first; });
        if (!ours) {
            values.push_back(kept);
        }
    }
    session_->setDesign(std::move(values));
}

std::vector<DialogRequest> MoveDesignForm::onCommand(std::string_view command, FormView& view)
{
    if (command != applyCommand) {
        return {};
    }
    onEdit(view);
    const std::optional<DesignEntries> entries = held();
    if (!entries) {
        return {};
    }
    const DesignReading reading = readDesign(*entries, mechanics());
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
