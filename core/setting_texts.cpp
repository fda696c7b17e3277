#include "core/setting_texts.h"

#include "core/number_format.h"


namespace veldronix {
namespace {

// A value as a register's field shows it.
std::string fieldText(const RegisterDescription& entry, double value)
{
    std::string text = formatFixed(value, entry.decimals);
    if (entry.margin) {
        text += ' ';
    }
    return text;
}

} // namespace

SettingTexts formatSettingTexts(const SettingValues& values)
{
    // Which fields a type uses is already decided by computeSettingValues: an
    // unused value is absent and its field is cleared.
    SettingTexts fields;
    fields.summary = values.summary;
    for (const RegisterDescription& entry : settingRegisters) {
        if (const auto& value = values.registers[entry.id]) {
            fields.registers[entry.id] = fieldText(entry, *value);
        }
    }
    return fields;
}

std::string formatDecelPoint(double decelPoint)
{
    return formatFixed(decelPoint, decelPointDecimals);
}

} // namespace veldronix
