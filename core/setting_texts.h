#pragma once

#include "core/setting_register.h"
#include "core/setting_values.h"

#include <string>

namespace veldronix {

// The texts of the nine output fields; a value that is absent gives "".
struct SettingTexts {
    std::string summary;
    std::string r;
    std::string a;
    std::string sv;
    std::string v;
    std::string k;
    std::string ao;
    std::string d;
    std::string l;

    // The text of one register's field.
    const std::string& text(SettingRegister setting) const;
    std::string& text(SettingRegister setting);
};

SettingTexts formatSettingTexts(const SettingValues& values);

// The decimals of the manual deceleration point's field, which has no margin.
inline constexpr int decelPointDecimals = 3;

// The text of a manual deceleration point.
std::string formatDecelPoint(double decelPoint);

} // namespace veldronix
