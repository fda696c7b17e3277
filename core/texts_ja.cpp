#include "core/texts_ja.h"

namespace veldronix::texts::ja {

const std::array<std::string_view, 4> driveTypeItems = {
    "対称台形加減速",
    "対称S字加減速",
    "非対称台形加減速",
    "非対称S字加減速",
};

const std::array<std::string_view, 9> multiplierItems = {
    "1(8,000,000)", "2(4,000,000)", "5(1,600,000)", "10(800,000)", "20(400,000)",
    "50(160,000)",  "100(80,000)",  "200(40,000)",  "500(16,000)",
};

const std::string_view messageDriveSpeedZero = "パラメーターエラー。ドライブ速度が0です。";
const std::string_view messageAccelTimeZero = "パラメーターエラー。ドライブ速度に達する時間が0です。";
const std::string_view messageInitialAboveDrive = "パラメーターエラー。初速度がドライブ速度より大きいです。";
const std::string_view messageDecelTimeZero = "パラメーターエラー。初速度に達する時間が0です。";
const std::string_view messageNoSetting = "パラメーターエラー。設定値を求めることができません。";

} // namespace veldronix::texts::ja
