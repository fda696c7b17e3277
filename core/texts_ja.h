#pragma once

#include <array>
#include <string_view>

// Every text of the calculation that a user sees, in UTF-8. The front ends take
// the selector items from here, so there is one source for all of them.
namespace veldronix::texts::ja {

// Items of the drive-type selector, in selector order (index = DriveType).
extern const std::array<std::string_view, 4> driveTypeItems;

// Items of the multiplier selector, in selector order (index = multiplier index).
extern const std::array<std::string_view, 9> multiplierItems;

// Summary formats ({fmt} syntax), one per known drive type: the two speeds
// are filled in truncated toward zero as whole numbers (printableTruncated,
// "{:.0f}"), the times with three decimals.
inline constexpr std::array<std::string_view, 4> summaryFormats = {
    "初速度:{:.0f}で、ドライブ速度:{:.0f}までを{:.3f}秒で直線加速/減速する場合の設定値は\n以下のようになります。",
    "初速度:{:.0f}で、ドライブ速度:{:.0f}までを{:.3f}秒でS字加速する場合の設定値は\n以下のようになります。",
    "初速度:{:.0f}で、ドライブ速度:{:.0f}までを{:.3f}秒で直線加速し、\n初速度まで{:.3f}秒で直線減速する場合の設定値は以下のようになります。",
    "初速度:{:.0f}で、ドライブ速度:{:.0f}までを{:.3f}秒でS字加速し、\n初速度まで{:.3f}秒でS字減速する場合の設定値は以下のようになります。",
};

extern const std::string_view messageDriveSpeedZero;
extern const std::string_view messageAccelTimeZero;
extern const std::string_view messageInitialAboveDrive;
extern const std::string_view messageDecelTimeZero;
extern const std::string_view messageNoSetting;

} // namespace veldronix::texts::ja
