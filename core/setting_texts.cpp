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

} // namespace

SettingTexts formatSettingTexts(const SettingValues& values)
{
    // Which fields a type uses is already decided by computeSettingValues: an
    // unused value is absent and its field is cleared.
    return SettingTexts{
        .summary = values.summary,
        .r = formatted(texts::formatR, values.valueR),
        .a = formatted(texts::formatWithMargin, values.valueA),
        .sv = formatted(texts::formatWithMargin, values.valueSV),
        .v = formatted(texts::formatWithMargin, values.valueV),
        .k = formatted(texts::formatWithMargin, values.valueK),
        .ao = formatted(texts::formatPlain, values.valueAO),
        .d = formatted(texts::formatPlain, values.valueD),
        .l = formatted(texts::formatPlain, values.valueL),
    };
}

std::string formatDecelPoint(double decelPoint)
{
    return formatted(texts::formatPlain, decelPoint);
}

} // namespace veldronix
