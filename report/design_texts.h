#pragma once

#include <string_view>

// The texts of the details' section 移動の設計, in Japanese as the rest of the
// details (speeds in PPS, times in 秒). The texts with "{}" are {fmt} format
// strings, filled in order.
namespace veldronix::report::designTexts {

inline constexpr std::string_view heading = "移動の設計";

// The form: the question, the drive type, then the fields.
inline constexpr std::string_view questionLabel = "問い";
inline constexpr std::string_view questionFastest = "最短時間";
inline constexpr std::string_view questionOnTime = "時間指定";
inline constexpr std::string_view driveTypeLabel = "ドライブ種類";
inline constexpr std::string_view labelInitialSpeed = "初速度(上限)";
inline constexpr std::string_view labelPulses = "出力パルス数";
inline constexpr std::string_view labelMaxSpeed = "最高速度";
inline constexpr std::string_view labelMaxAccel = "最高加速度";
inline constexpr std::string_view labelMaxDecel = "最高減速度";
inline constexpr std::string_view labelMaxJerk = "最高加加速度";
inline constexpr std::string_view labelMaxDecelJerk = "減速の最高加加速度";
inline constexpr std::string_view labelAccelTime = "加速時間";
inline constexpr std::string_view labelDecelTime = "減速時間";
inline constexpr std::string_view labelTargetTime = "目標時間";
inline constexpr std::string_view unitSpeed = "PPS";
inline constexpr std::string_view unitRate = "PPS/秒";
inline constexpr std::string_view unitJerk = "PPS/秒²";
inline constexpr std::string_view unitTime = "秒";
inline constexpr std::string_view unitPulses = "パルス";

// What a field's text was read as, where it cannot be used (after the finding mark).
inline constexpr std::string_view findingEmpty = "数値を入力してください。";
inline constexpr std::string_view findingNotANumber = "数値として読めません。";
inline constexpr std::string_view findingNotPositive = "0より大きい数値を入力してください。";
inline constexpr std::string_view findingNotFinite = "大きすぎて扱えません。";
inline constexpr std::string_view findingNotWhole = "整数を入力してください。";
inline constexpr std::string_view findingTooManyPulses = "{}以下の整数を入力してください。";
// A limit or the pulse count typed in the axis's units: {0} what it is in
// pulses, {1} their unit.
inline constexpr std::string_view convertedTo = "→ {0} {1}";
// The unit choice, offered where the axis has mechanics: {0} the axis's unit.
inline constexpr std::string_view unitLabel = "単位";
inline constexpr std::string_view unitItemPulses = "PPS";
inline constexpr std::string_view unitItemAxisRpm = "{0}・rpm";
// The S-curves' highest acceleration may be left empty.
inline constexpr std::string_view findingOptional = "空欄なら加速度の上限なし(加加速度だけで決めます)。";

// The button.
inline constexpr std::string_view applyButton = "設定に反映(&A)";

// The result table.
inline constexpr std::string_view columnItem = "項目";
inline constexpr std::string_view columnDesign = "設計";
inline constexpr std::string_view columnLimit = "上限・指定";
inline constexpr std::string_view columnComparison = "比較";
// With the axis's mechanics: {} its unit, "mm" or "°".
inline constexpr std::string_view columnDesignInUnits = "設計({})";
inline constexpr std::string_view columnLimitInUnits = "上限({})";
inline constexpr std::string_view rowPulses = "出力パルス数";
inline constexpr std::string_view pulses = "{}パルス";
inline constexpr std::string_view rowMultiplier = "倍率";
inline constexpr std::string_view rowDecelPoint = "マニュアル減速点";
inline constexpr std::string_view decelPoint = "{}(正確には{})";
inline constexpr std::string_view rowInitialSpeed = "初速度";
inline constexpr std::string_view rowDriveSpeed = "ドライブ速度";
// The symmetric types decelerate as they accelerate.
inline constexpr std::string_view rowRampTime = "加減速時間";
inline constexpr std::string_view rowAccelTime = "加速時間";
inline constexpr std::string_view rowDecelTime = "減速時間";
inline constexpr std::string_view rowRampRate = "加減速度";
inline constexpr std::string_view rowAccelRate = "加速度";
inline constexpr std::string_view rowDecelRate = "減速度";
inline constexpr std::string_view rowJerk = "加加速度";
inline constexpr std::string_view rowAccelJerk = "加速の加加速度";
inline constexpr std::string_view rowDecelJerk = "減速の加加速度";
// An S-curve's acceleration at the middle of its ramp, the highest it reaches.
inline constexpr std::string_view rowPeakRamp = "最大加減速度";
inline constexpr std::string_view rowPeakAccel = "最大加速度";
inline constexpr std::string_view rowPeakDecel = "最大減速度";
inline constexpr std::string_view rowAccelPhase = "加速区間";
inline constexpr std::string_view rowConstantPhase = "定速区間";
inline constexpr std::string_view rowDecelPhase = "減速区間";
inline constexpr std::string_view rowMoveTime = "移動時間";
inline constexpr std::string_view speed = "{} PPS";
inline constexpr std::string_view rate = "{} PPS/秒";
inline constexpr std::string_view jerk = "{} PPS/秒²";
inline constexpr std::string_view time = "{}秒";
inline constexpr std::string_view phase = "{}秒({}パルス)";
inline constexpr std::string_view limit = "上限 {}";
inline constexpr std::string_view wish = "指定 {}";
inline constexpr std::string_view target = "目標 {}";
inline constexpr std::string_view shareOfLimit = "上限の{} %";
inline constexpr std::string_view deviation = "{} %";
inline constexpr std::string_view endsEarly = "{}秒 早く終わる";
inline constexpr std::string_view endsLate = "{}秒 遅れる";
inline constexpr std::string_view endsOnTarget = "目標どおりに終わる";

// What decides a design (met), after the question's own words.
inline constexpr std::string_view fastestMet = "最短時間の設定です。決め手:{}";
inline constexpr std::string_view onTimeMet = "目標時間までに終わる中で最も遅く終わる設定です(目標まで{}秒)。";
inline constexpr std::string_view outcomeDriveSpeedLimit = "最高速度(この倍率で上限以下の最も速いドライブ速度)";
inline constexpr std::string_view outcomeDriveRegisterLimit = "この倍率のレジスタVの上限8000";
inline constexpr std::string_view outcomeMoveTooShort = "移動が短く、これより速いドライブ速度では時間が縮まない";
// Why there is none that meets the question.
inline constexpr std::string_view fastestNotMet = "設計できません:{}";
inline constexpr std::string_view onTimeNotMet = "目標時間に間に合いません:{}最も早く終わる設定を示します({}秒 遅れる)。";
inline constexpr std::string_view onTimeNone = "目標時間に間に合いません:{}";
inline constexpr std::string_view reasonFixFields = "入力欄の確認事項を直してください。";
inline constexpr std::string_view reasonInvalidInput = "{}の値では設計できません。";
inline constexpr std::string_view reasonInitialSpeedTooLow = "初速度の上限が1 PPS未満です(どの倍率でも初速度は1 PPS以上です)。";
inline constexpr std::string_view reasonDriveSpeedTooLow = "最高速度の上限内に、初速度より速いドライブ速度がありません。";
inline constexpr std::string_view reasonAccelTooLow = "加速度の上限が、レジスタA・Dの1単位(125 PPS/秒)より小さいです。";
inline constexpr std::string_view reasonJerkTooLow = "加加速度の上限が小さすぎ、K・Lが設定できる範囲を超えます。";
inline constexpr std::string_view reasonPulsesTooFew = "加速と減速だけで出力パルス数を超えます。";
inline constexpr std::string_view reasonNoRampWithinTolerance = "指定の加減速時間の1 %以内になる設定値がありません。";
inline constexpr std::string_view reasonTargetTooShort = "目標時間が、加減速に必要な時間より短いです。";
inline constexpr std::string_view reasonSpeedAboveRange = "必要な速度が4,000,000 PPSを超えます。";

// How apply reaches the dialog.
inline constexpr std::string_view applyNote = "「設定に反映」で入力欄に書き込み、決定を押します。";
inline constexpr std::string_view applyNoteRecalculate =
    "「設定に反映」で入力欄に書き込み、決定を押してから倍率{}を選んで再計算します。";

} // namespace veldronix::report::designTexts
