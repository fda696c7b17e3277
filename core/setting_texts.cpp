#include "core/setting_texts.h"

#include "core/number_format.h"
#include "core/texts.h"

#include <utility>

namespace veldronix {
namespace {

// The value fields' formats, taken apart once for every drive of a batch.
constexpr NumberFormat formatR(texts::formatR);
constexpr NumberFormat formatWithMargin(texts::formatWithMargin);
constexpr NumberFormat formatPlain(texts::formatPlain);

std::string formatted(const NumberFormat& format, const std::optional<double>& value)
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
        .r = formatNumbers(formatR, {values.valueR}),
        .a = formatted(formatWithMargin, values.valueA),
        .sv = formatNumbers(formatWithMargin, {values.valueSV}),
        .v = formatNumbers(formatWithMargin, {values.valueV}),
        .k = formatted(formatWithMargin, values.valueK),
        .ao = formatted(formatPlain, values.valueAO),
        .d = formatted(formatPlain, values.valueD),
        .l = formatted(formatPlain, values.valueL),
    };
}

std::string formatDecelPoint(double decelPoint)
{
    return formatNumbers(formatPlain, {decelPoint});
}

} // namespace veldronix
