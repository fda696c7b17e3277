#pragma once

#include "core/by_row.h"
#include "core/control_id.h"
#include "core/drive_input.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace veldronix {

// The dialog's input fields and selectors, in the order a drive gives them
// (pulsecalc's batch columns), then the axis's values: its name, its
// mechanics' figures and its unit, which no control of the dialog holds.
enum class InputField {
    DriveType,
    InitialSpeed,
    DriveSpeed,
    AccelTime,
    DecelTime,
    Multiplier,
    PulseCount,
    AxisName,
    PulsesPerRev,
    Gear,
    TravelPerRev,
    Unit,
};

// A number typed into a field, an item chosen from a selector's list (the
// axis's unit: mm or deg), or a text kept as it is (the axis's name).
enum class FieldKind { Number, Selector, Text };

// The command that reads the field: Calculate reads every field of its own step,
// whether given or not; the later steps run only when their field is given.
enum class FieldStep {
    Calculate,   // typed before 決定
    Recalculate, // selected, then 再計算
    DecelPoint,  // typed, then 算出
    Axis,        // the axis's, not the dialog's: no command reads it
};

// Everything the front ends and reports need to know of one input field. Its
// names for people are in the text catalogues, one per language, by InputField.
struct InputFieldDescription {
    InputField id;
    ControlId control;
    std::string_view option; // pulsecalc's option
    std::string_view column; // pulsecalc's batch column
    std::string_view member; // the JSON name, as the input findings name it
    std::string_view unit;   // of its number, "" for none
    FieldKind kind;
    FieldStep step;
    bool symmetricTrapezoid; // which drive types use it
    bool symmetricSCurve;
    bool asymmetricTrapezoid;
    bool asymmetricSCurve;
};

// The one list of the inputs; every other list of them is taken from it. The
// dialog's fields come first, the axis's values after them.
inline constexpr std::array<InputFieldDescription, 12> inputRows = {{
    {InputField::DriveType, ControlId::IDC_DRIVE_TYPE, "--type", "type", "driveType", "", FieldKind::Selector,
     FieldStep::Calculate, true, true, true, true},
    {InputField::InitialSpeed, ControlId::IDC_INITIAL_SPEED, "--initial", "initial", "initialSpeed", "PPS",
     FieldKind::Number, FieldStep::Calculate, true, true, true, true},
    {InputField::DriveSpeed, ControlId::IDC_DRIVE_SPEED, "--drive", "drive", "driveSpeed", "PPS", FieldKind::Number,
     FieldStep::Calculate, true, true, true, true},
    {InputField::AccelTime, ControlId::IDC_ACCEL_TIME, "--accel", "accel", "accelTime", "s", FieldKind::Number,
     FieldStep::Calculate, true, true, true, true},
    {InputField::DecelTime, ControlId::IDC_DECEL_TIME, "--decel", "decel", "decelTime", "s", FieldKind::Number,
     FieldStep::Calculate, false, false, true, true},
    {InputField::Multiplier, ControlId::IDC_MULTIPLIER, "--multiplier", "multiplier", "multiplier", "",
     FieldKind::Selector, FieldStep::Recalculate, true, true, true, true},
    {InputField::PulseCount, ControlId::IDC_PULSE_COUNT, "--pulses", "pulses", "pulseCount", "", FieldKind::Number,
     FieldStep::DecelPoint, true, true, true, true},
    {InputField::AxisName, ControlId::IDC_STATIC, "--axis", "axis", "name", "", FieldKind::Text, FieldStep::Axis,
     false, false, false, false},
    {InputField::PulsesPerRev, ControlId::IDC_STATIC, "--pulses-per-rev", "pulsesPerRev", "pulsesPerRev", "pulses/rev",
     FieldKind::Number, FieldStep::Axis, false, false, false, false},
    {InputField::Gear, ControlId::IDC_STATIC, "--gear", "gear", "gear", "rev/rev", FieldKind::Number, FieldStep::Axis,
     false, false, false, false},
    {InputField::TravelPerRev, ControlId::IDC_STATIC, "--travel-per-rev", "travelPerRev", "travelPerRev", "mm|deg",
     FieldKind::Number, FieldStep::Axis, false, false, false, false},
    {InputField::Unit, ControlId::IDC_STATIC, "--unit", "unit", "unit", "", FieldKind::Selector, FieldStep::Axis, false,
     false, false, false},
}};

// The dialog's own fields: the rows before the axis's. Everything that reads,
// shows or checks the dialog iterates these.
inline constexpr std::size_t dialogFieldCount = 7;
inline constexpr std::span<const InputFieldDescription, dialogFieldCount> inputFields =
    std::span(inputRows).first<dialogFieldCount>();
// The axis's values, in the order pulsecalc's usage, JSON and the machine file give them.
inline constexpr std::span<const InputFieldDescription, inputRows.size() - dialogFieldCount> axisRows =
    std::span(inputRows).subspan<dialogFieldCount>();

// Row i describes field i, so that the enum indexes the table and every array
// below; the dialog's rows are exactly those of no axis.
static_assert([] {
    for (std::size_t i = 0; i < inputRows.size(); ++i) {
        if (inputRows[i].id != static_cast<InputField>(i) ||
            (inputRows[i].step == FieldStep::Axis) != (i >= dialogFieldCount) ||
            (inputRows[i].step == FieldStep::Axis) != (inputRows[i].control == ControlId::IDC_STATIC)) {
            return false;
        }
    }
    return true;
}());

constexpr const InputFieldDescription& describe(InputField field)
{
    return inputRows[static_cast<std::size_t>(field)];
}

constexpr bool isAxisValue(InputField field)
{
    return describe(field).step == FieldStep::Axis;
}

// One item per field of the dialog, indexed by InputField (no axis value).
template <typename Item>
using ByField = ByRow<InputField, Item, inputFields.size()>;
// One item per row of inputRows: the dialog's fields and the axis's values.
template <typename Item>
using ByInputRow = ByRow<InputField, Item, inputRows.size()>;

// Whether a drive type uses the field. A selector that names no type uses the
// fields that every type uses.
constexpr bool usesField(DriveType type, InputField field)
{
    const InputFieldDescription& d = describe(field);
    switch (type) {
    case DriveType::SymmetricTrapezoid:
        return d.symmetricTrapezoid;
    case DriveType::SymmetricSCurve:
        return d.symmetricSCurve;
    case DriveType::AsymmetricTrapezoid:
        return d.asymmetricTrapezoid;
    case DriveType::AsymmetricSCurve:
        return d.asymmetricSCurve;
    default:
        return d.symmetricTrapezoid && d.symmetricSCurve && d.asymmetricTrapezoid && d.asymmetricSCurve;
    }
}

} // namespace veldronix
