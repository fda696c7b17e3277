#pragma once

#include "core/design/move_design.h"

#include <array>
#include <string_view>

// The texts of the details' move design, in Japanese as the details write them
// (speeds in PPS, times in 秒). The texts with "{}" are {fmt} format strings,
// filled in order.
namespace veldronix::report::designTexts {

inline constexpr std::string_view sectionTitle = "移動の設計";
// The two questions.
inline constexpr std::string_view questionLabel = "設計";
inline constexpr std::string_view questionFastest = "最短時間";
inline constexpr std::string_view questionOnTime = "時間指定";

// The form's fields: the limits of the fastest move, the wishes of the timed one.
inline constexpr std::string_view fieldInitialSpeed = "初速度の上限";
inline constexpr std::string_view fieldPulses = "パルス数";
inline constexpr std::string_view fieldMaxSpeed = "ドライブ速度の上限";
inline constexpr std::string_view fieldMaxAccel = "加速度の上限";
inline constexpr std::string_view fieldMaxDecel = "減速度の上限";
inline constexpr std::string_view fieldMaxJerk = "加加速度の上限";
inline constexpr std::string_view fieldMaxDecelJerk = "減速の加加速度の上限";
inline constexpr std::string_view fieldPeakAccel = "S字の最大加速度の上限(任意)";
inline constexpr std::string_view fieldAccelTime = "加速時間";
inline constexpr std::string_view fieldDecelTime = "減速時間";
inline constexpr std::string_view fieldTargetTime = "目標時間";
inline constexpr std::string_view unitSpeed = "PPS";
inline constexpr std::string_view unitRate = "PPS/秒";
inline constexpr std::string_view unitJerk = "PPS/秒²";
inline constexpr std::string_view unitSeconds = "秒";
inline constexpr std::string_view unitPulses = "パルス";

// The result's table: a quantity, its real value, its limit or wish.
inline constexpr std::string_view columnQuantity = "項目";
inline constexpr std::string_view columnReal = "実際";
inline constexpr std::string_view columnLimit = "上限・希望";
inline constexpr std::string_view rowInitialSpeed = "初速度";
inline constexpr std::string_view rowDriveSpeed = "ドライブ速度";
inline constexpr std::string_view rowAccelRate = "加速度";
inline constexpr std::string_view rowDecelRate = "減速度";
inline constexpr std::string_view rowAccelJerk = "加速の加加速度";
inline constexpr std::string_view rowDecelJerk = "減速の加加速度";
inline constexpr std::string_view rowPeakAccel = "最大加速度";
inline constexpr std::string_view rowPeakDecel = "最大減速度";
inline constexpr std::string_view rowAccelTime = "加速時間";
inline constexpr std::string_view rowDecelTime = "減速時間";
inline constexpr std::string_view rowConstant = "定速時間";
inline constexpr std::string_view rowMoveTime = "移動時間";
inline constexpr std::string_view rowDecelPoint = "マニュアル減速点";
// {} the seconds to spare or by which the target is missed.
inline constexpr std::string_view targetMet = "目標時間より{}秒早く終わります";
inline constexpr std::string_view targetMissed = "目標時間に{}秒間に合いません";
inline constexpr std::string_view applyButton = "この設定をダイアログに書く";

// What decides the design: "決め手:" and the limit; or why it is not met: "設計できません:" and the reason.
inline constexpr std::string_view decidedBy = "決め手:{}";
inline constexpr std::string_view notMet = "設計できません:{}";
inline constexpr std::string_view earliestLead = "最も早く終わる設定:";

// By DesignOutcome; the invalid input's text takes the input's name (by DesignInput).
inline constexpr std::array<std::string_view, 13> outcomeTexts = {
    "ドライブ速度の上限",
    "この倍率でのレジスタVの上限8000",
    "移動が短く、ドライブ速度の上限まで加速できません",
    "目標時間までに終わります",
    "{}が使える数値ではありません",
    "初速度の上限が1PPS未満です(どの倍率でも最低の速度)",
    "ドライブ速度の上限内に初速度より高い速度がありません",
    "加速度の上限がレジスタA・Dの1段分(125PPS/秒)未満です",
    "加加速度の上限に必要なレジスタK・Lが大きすぎます",
    "加速と減速だけで移動のパルス数を超えます",
    "希望の時間から1%以内の時間になるレジスタ値がありません",
    "目標時間が加減速に必要な時間より短いです",
    "必要な速度が4,000,000PPSを超えます",
};
inline constexpr std::array<std::string_view, 12> inputNames = {
    "初速度", "ドライブ速度の上限", "加速度の上限", "減速度の上限", "加加速度の上限", "減速の加加速度の上限",
    "最大加速度の上限", "加速時間", "減速時間", "パルス数(1から2^50までの整数)", "目標時間", "ドライブ種類",
};

static_assert(outcomeTexts.size() == static_cast<std::size_t>(design::DesignOutcome::SpeedAboveRange) + 1);
static_assert(inputNames.size() == static_cast<std::size_t>(design::DesignInput::DriveType) + 1);

} // namespace veldronix::report::designTexts
