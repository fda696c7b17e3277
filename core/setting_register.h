#pragma once

#include "core/by_row.h"
#include "core/control_id.h"
#include "core/drive_input.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace veldronix {

// The controller's setting registers, in the order the dialog writes its fields.
enum class SettingRegister { R, A, SV, V, K, AO, D, L };

// Everything the front ends and reports need to know of one register.
struct RegisterDescription {
    SettingRegister id;
    std::string_view name; // the controller's letter, as the dialog labels the field
    ControlId field;       // the dialog's value field that shows it
    int decimals;          // as its value field shows it: "%.0f" for R, "%.3f" for the others
    bool margin;           // a trailing blank, the right-aligned field's margin (R, A, SV, V, K)
    // The largest value the register holds, where the controller states one: 8000
    // for A and D (their fixed S-curve value), and for SV and V, which no
    // multiplier's speed range takes above 8000. None for R, K and L.
    std::optional<double> maximum;
    bool symmetricTrapezoid; // which drive types use it
    bool symmetricSCurve;
    bool asymmetricTrapezoid;
    bool asymmetricSCurve;
    bool rounded; // false for AO, which is always 0 and never rounded
};

// The one list of the registers; every other list is taken from it.
inline constexpr std::array<RegisterDescription, 8> settingRegisters = {{
    {SettingRegister::R, "R", ControlId::IDC_OUT_R, 0, true, std::nullopt, true, true, true, true, true},
    {SettingRegister::A, "A", ControlId::IDC_OUT_A, 3, true, 8000.0, true, true, true, true, true},
    {SettingRegister::SV, "SV", ControlId::IDC_OUT_SV, 3, true, 8000.0, true, true, true, true, true},
    {SettingRegister::V, "V", ControlId::IDC_OUT_V, 3, true, 8000.0, true, true, true, true, true},
    {SettingRegister::K, "K", ControlId::IDC_OUT_K, 3, true, std::nullopt, false, true, false, true, true},
    {SettingRegister::AO, "AO", ControlId::IDC_OUT_AO, 3, false, std::nullopt, false, true, false, true, false},
    {SettingRegister::D, "D", ControlId::IDC_OUT_D, 3, false, 8000.0, false, false, true, true, true},
    {SettingRegister::L, "L", ControlId::IDC_OUT_L, 3, false, std::nullopt, false, false, false, true, true},
}};

// Row i describes register i, so that the enum indexes the table and every array below.
static_assert([] {
    for (std::size_t i = 0; i < settingRegisters.size(); ++i) {
        if (settingRegisters[i].id != static_cast<SettingRegister>(i)) {
            return false;
        }
    }
    return true;
}());

constexpr const RegisterDescription& describe(SettingRegister setting)
{
    return settingRegisters[static_cast<std::size_t>(setting)];
}

// The value field that shows a register.
constexpr ControlId valueField(SettingRegister setting)
{
    return describe(setting).field;
}

// One item per register, indexed by SettingRegister: a new register is a new
// row of settingRegisters, never a new member of the sets that hold its value.
template <typename Item>
using ByRegister = ByRow<SettingRegister, Item, settingRegisters.size()>;

// A value per register; absent where the drive type has none.
using RegisterValues = ByRegister<std::optional<double>>;

// Whether a drive type has a value for the register. A selector that names no
// type still gives R, SV and V.
constexpr bool usesRegister(DriveType type, SettingRegister setting)
{
    const RegisterDescription& d = describe(setting);
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
        return setting == SettingRegister::R || setting == SettingRegister::SV || setting == SettingRegister::V;
    }
}

} // namespace veldronix
