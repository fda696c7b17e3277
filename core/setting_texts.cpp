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

// The member of a set of field texts (const or not) that holds a register's text.
template <typename Texts>
auto& fieldOf(Texts& texts, SettingRegister setting)
{
    switch (setting) {
    case SettingRegister::R:
        return texts.r;
    case SettingRegister::A:
        return texts.a;
    case SettingRegister::SV:
        return texts.sv;
    case SettingRegister::V:
        return texts.v;
    case SettingRegister::K:
        return texts.k;
    case SettingRegister::AO:
        return texts.ao;
    case SettingRegister::D:
        return texts.d;
    case SettingRegister::L:
        break;
    }
    return texts.l;
}

} // namespace

SettingTexts formatSettingTexts(const SettingValues& values)
{
    // Which fields a type uses is already decided by computeSettingValues: an
    // unused value is absent and its field is cleared.
    SettingTexts fields;
    fields.summary = values.summary;
    for (const RegisterDescription& entry : settingRegisters) {
        if (const auto value = registerValue(values, entry.id)) {
            fields.text(entry.id) = fieldText(entry, *value);
        }
    }
    return fields;
}

const std::string& SettingTexts::text(SettingRegister setting) const
{
    return fieldOf(*this, setting);
}

std::string& SettingTexts::text(SettingRegister setting)
{
    return fieldOf(*this, setting);
}

std::string formatDecelPoint(double decelPoint)
{
    return formatFixed(decelPoint, decelPointDecimals);
}

} // namespace veldronix
