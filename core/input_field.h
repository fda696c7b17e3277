#pragma once

#include "core/by_row.h"
#include "core/control_id.h"
#include "core/drive_input.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace veldronix {

// The dialog's input fields and selectors, in the order a drive gives them
// (pulsecalc's batch columns).
enum class InputField { DriveType, InitialSpeed, DriveSpeed, AccelTime, DecelTime, Multiplier, PulseCount };

// A number typed into a field, or an item chosen from a selector's list.
enum class FieldKind { Number, Selector };

// The command that reads the field: Calculate reads every field of its own step,
// whether given or not; the later steps run only when their field is given.
enum class FieldStep {
    Calculate,   // typed before 決定
    Recalculate, // selected, then 再計算
    DecelPoint,  // typed, then 算出
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

// The one list of the input fields; every other list of them is taken from it.
inline constexpr std::array<InputFieldDescription, 7> inputFields = {{
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
}};

// Row i describes field i, so that the enum indexes the table and every array below.
static_assert([] {
    for (std::size_t i = 0; i < inputFields.size(); ++i) {
        if (inputFields[i].id != static_cast<InputField>(i)) {
            return false;
        }
    }
    return true;
}());

constexpr const InputFieldDescription& describe(InputField field)
{
    return inputFields[static_cast<std::size_t>(field)];
}

// One item per input field, indexed by InputField.
template <typename Item>
using ByField = ByRow<InputField, Item, inputFields.size()>;

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
