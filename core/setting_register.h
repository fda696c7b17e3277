#pragma once

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
    {SettingRegister::R, "R", 0, true, std::nullopt, true, true, true, true, true},
    {SettingRegister::A, "A", 3, true, 8000.0, true, true, true, true, true},
    {SettingRegister::SV, "SV", 3, true, 8000.0, true, true, true, true, true},
    {SettingRegister::V, "V", 3, true, 8000.0, true, true, true, true, true},
    {SettingRegister::K, "K", 3, true, std::nullopt, false, true, false, true, true},
    {SettingRegister::AO, "AO", 3, false, std::nullopt, false, true, false, true, false},
    {SettingRegister::D, "D", 3, false, 8000.0, false, false, true, true, true},
    {SettingRegister::L, "L", 3, false, std::nullopt, false, false, false, true, true},
}};

constexpr const RegisterDescription& describe(SettingRegister setting)
{
    return settingRegisters[static_cast<std::size_t>(setting)];
}

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

// The register's value in a set of settings with the members valueR ... valueL
// (the setting values, or the rounded ones); none where the drive type has none.
template <typename Settings>
std::optional<double> registerValue(const Settings& settings, SettingRegister setting)
{
    switch (setting) {
    case SettingRegister::R:
        return settings.valueR;
    case SettingRegister::A:
        return settings.valueA;
    case SettingRegister::SV:
        return settings.valueSV;
    case SettingRegister::V:
        return settings.valueV;
    case SettingRegister::K:
        return settings.valueK;
    case SettingRegister::AO:
        return settings.valueAO;
    case SettingRegister::D:
        return settings.valueD;
    case SettingRegister::L:
        return settings.valueL;
    }
    return std::nullopt;
}

} // namespace veldronix
