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
    SettingTexts texts;
    texts.summary = std::move(values.summary);
    texts.r = formatNumbers(texts::formatR, {values.valueR});
    texts.a = formatted(texts::formatWithMargin, values.valueA);
    texts.sv = formatNumbers(texts::formatWithMargin, {values.valueSV});
    texts.v = formatNumbers(texts::formatWithMargin, {values.valueV});
    texts.k = formatted(texts::formatWithMargin, values.valueK);
    texts.ao = formatted(texts::formatPlain, values.valueAO);
    texts.d = formatted(texts::formatPlain, values.valueD);
    texts.l = formatted(texts::formatPlain, values.valueL);
    return texts;
}

std::string formatDecelPoint(double decelPoint)
{
    return formatNumbers(texts::formatPlain, {decelPoint});
}

} // namespace veldronix
