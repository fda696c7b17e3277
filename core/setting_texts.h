#pragma once

#include "core/setting_register.h"
#include "core/setting_values.h"

#include <string>

namespace veldronix {

// The texts of the output fields: the summary and one per register; a value
// that is absent gives "".
struct SettingTexts {
    std::string summary;
    ByRegister<std::string> registers;
};

SettingTexts formatSettingTexts(const SettingValues& values);

// The decimals of the manual deceleration point's field, which has no margin.
inline constexpr int decelPointDecimals = 3;

// The text of a manual deceleration point.
std::string formatDecelPoint(double decelPoint);

} // namespace veldronix
