#include "core/setting_texts.h"

#include "core/number_format.h"
#include "core/texts.h"

#include <utility>

namespace veldronix {
namespace {

std::string formatted(std::string_view format, const std::optional<double>& value)
{
    return value ? formatNumbers(format, {*value}) : std::string{};
}

} // namespace

SettingTexts formatSettingTexts(const SettingValues& values, DriveType driveType)
{
    SettingValues copy = values;
    return formatSettingTexts(std::move(copy), driveType);
}

SettingTexts formatSettingTexts(SettingValues&& values, DriveType /*driveType*/)
{
    // Which fields a type uses is already decided by computeSettingValues: an
    // unused value is absent and its field is cleared.
    // Each text is made in its member: a field's text lives in the string's own
    // buffer, where a move is a copy, and this runs for every drive of a batch.
    return SettingTexts{
        .summary = std::move(values.summary),
        .r = formatNumbers(texts::formatR, {values.valueR}),
        .a = formatted(texts::formatWithMargin, values.valueA),
        .sv = formatNumbers(texts::formatWithMargin, {values.valueSV}),
        .v = formatNumbers(texts::formatWithMargin, {values.valueV}),
        .k = formatted(texts::formatWithMargin, values.valueK),
        .ao = formatted(texts::formatPlain, values.valueAO),
        .d = formatted(texts::formatPlain, values.valueD),
        .l = formatted(texts::formatPlain, values.valueL),
    };
}

std::string formatDecelPoint(double decelPoint)
{
    return formatNumbers(texts::formatPlain, {decelPoint});
}

} // namespace veldronix
