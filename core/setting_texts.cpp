#include "core/setting_texts.h"

#include "core/number_format.h"
#include "core/texts.h"

#include <fmt/format.h>

namespace veldronix {
namespace {

// The formats are constants, so {fmt} checks them against a double when this compiles.
std::string formatted(fmt::format_string<double> format, double value)
{
    return fmt::format(format, printable(value));
}

std::string formatted(fmt::format_string<double> format, const std::optional<double>& value)
{
    return value ? formatted(format, *value) : std::string{};
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

std::string formatted(SettingRegister setting, const std::optional<double>& value)
{
    switch (describe(setting).format) {
    case FieldFormat::WholeWithMargin:
        return formatted(texts::formatR, value);
    case FieldFormat::DecimalsWithMargin:
        return formatted(texts::formatWithMargin, value);
    case FieldFormat::Decimals:
        break;
    }
    return formatted(texts::formatPlain, value);
}

} // namespace

SettingTexts formatSettingTexts(const SettingValues& values)
{
    // Which fields a type uses is already decided by computeSettingValues: an
    // unused value is absent and its field is cleared.
    SettingTexts fields;
    fields.summary = values.summary;
    for (const RegisterDescription& entry : settingRegisters) {
        fields.text(entry.id) = formatted(entry.id, registerValue(values, entry.id));
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
    return formatted(texts::formatPlain, decelPoint);
}

} // namespace veldronix
