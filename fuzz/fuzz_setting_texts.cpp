// Arbitrary doubles through the setting values, their texts and the manual
// deceleration point: no crash, no undefined behaviour, every text well formed.
#include "core/decel_point.h"
#include "core/drive_input.h"
#include "core/setting_texts.h"
#include "core/setting_values.h"
#include "core/speed_multiplier.h"
#include "fuzz/byte_reader.h"
#include "fuzz/text_shape.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using veldronix::fuzz::ByteReader;

void require(bool condition, const char* what, std::string_view text)
{
    if (!condition) {
        std::fprintf(stderr, "malformed %s: \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
        std::abort();
    }
}

// Either empty (the value is absent) or a number text of the given shape.
void requireOptional(std::string_view text, bool withMargin, const char* what)
{
    require(text.empty() || veldronix::fuzz::isNumberText(text, 3, withMargin), what, text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace veldronix;
    ByteReader reader(data, size);
    DriveInput input;
    input.initialSpeed = reader.take<double>();
    input.driveSpeed = reader.take<double>();
    input.accelTime = reader.take<double>();
    input.decelTime = reader.take<double>();
    const auto selector = reader.take<std::uint8_t>();
    input.driveType = static_cast<DriveType>(reader.take<std::int32_t>());
    const double extra = reader.take<double>();
    const double pulses = reader.take<double>();
    // Mostly one of the nine multipliers, otherwise any double at all.
    const auto fromTable = multiplierAt(selector % 16);
    const double multiplier = fromTable ? *fromTable : extra;

    const SettingValues values = computeSettingValues(input, multiplier);
    const SettingTexts texts = formatSettingTexts(values);

    for (const RegisterDescription& entry : settingRegisters) {
        const std::string& text = texts.registers[entry.id];
        if (entry.id == SettingRegister::R || entry.id == SettingRegister::SV || entry.id == SettingRegister::V) {
            require(fuzz::isNumberText(text, entry.decimals, entry.margin), entry.name.data(), text); // always present
        } else {
            requireOptional(text, entry.margin, entry.name.data());
        }
    }
    constexpr std::string_view summaryStart = "初速度:";
    require(isKnownDriveType(input.driveType) ? texts.summary.starts_with(summaryStart) : texts.summary.empty(),
            "summary", texts.summary);

    const double jerk = values.decelJerkRate ? *values.decelJerkRate : extra;
    const double point = computeManualDecelPoint(pulses, input.initialSpeed, input.driveSpeed, jerk);
    const std::string pointText = formatDecelPoint(point);
    require(fuzz::isNumberText(pointText, 3, false), "deceleration point", pointText);
    return 0;
}
