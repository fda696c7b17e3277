#pragma once

#include "core/control_id.h"

#include <array>
#include <optional>

namespace veldronix::report {

// Enter in a field or selector of the dialog presses the button that uses what
// it holds: 決定 for the drive and its type, 再計算 for 倍率 (pressing 決定 there
// would throw the choice away), 算出 for 出力パルス数. It never ends the program:
// a keystroke meant to confirm a number must not discard the inputs. Every
// front end binds Enter from this table alone; on a focused button Enter is
// that button's own click, as each toolkit has it.
struct EnterKey {
    ControlId field;
    ControlId button;
};

inline constexpr std::array<EnterKey, 7> dialogEnterKeys{{
    {ControlId::IDC_DRIVE_TYPE, ControlId::IDC_CALCULATE},
    {ControlId::IDC_INITIAL_SPEED, ControlId::IDC_CALCULATE},
    {ControlId::IDC_DRIVE_SPEED, ControlId::IDC_CALCULATE},
    {ControlId::IDC_ACCEL_TIME, ControlId::IDC_CALCULATE},
    {ControlId::IDC_DECEL_TIME, ControlId::IDC_CALCULATE},
    {ControlId::IDC_MULTIPLIER, ControlId::IDC_RECALCULATE},
    {ControlId::IDC_PULSE_COUNT, ControlId::IDC_COMPUTE_DECEL_POINT},
}};

// The button Enter presses in field; none for a control that takes no Enter of its own.
constexpr std::optional<ControlId> enterButton(ControlId field)
{
    for (const EnterKey& key : dialogEnterKeys) {
        if (key.field == field) {
            return key.button;
        }
    }
    return std::nullopt;
}

} // namespace veldronix::report
