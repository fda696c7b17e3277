#pragma once

#include "report/details_texts.h"
#include "report/report_texts.h"
#include "report/text_sets.h"

#include <string_view>

// The texts of the comparison of the multipliers and of the registers as code:
// in Japanese for the details windows, in English for pulsecalc. Texts with
// "{}" are {fmt} format strings, filled in order.
namespace veldronix::report {

struct ComparisonTexts {
    std::string_view heading;
    // After the heading when nothing is calculated.
    std::string_view notCalculated;
    // The first column: how the row is marked.
    std::string_view columnMark;
    std::string_view markInUse;
    std::string_view markRecommended;
    std::string_view markInUseRecommended;
    std::string_view columnMultiplier; // the selector's item
    std::string_view columnSpeedStep;
    std::string_view speedStep; // the multiplier: V and SV count in steps of it
    // The real drive's columns, with their units; the symmetric types ramp
    // down in the acceleration's time with its jerk.
    std::string_view columnInitialSpeed;
    std::string_view columnDriveSpeed;
    std::string_view columnRampTime;
    std::string_view columnAccelTime;
    std::string_view columnDecelTime;
    std::string_view columnJerk;
    std::string_view columnAccelJerk;
    std::string_view columnDecelJerk;
    // A real value and its deviation in percent (with its sign).
    std::string_view realWithDeviation;
    // A real value without a finite deviation.
    std::string_view realNoDeviation;
    std::string_view columnLargestDeviation;
    std::string_view largestDeviation; // the largest absolute deviation in percent
    // A register, a real value or a largest deviation that does not exist.
    std::string_view none;
    std::string_view columnFindings;
    std::string_view findingsNone;
    // A register's finding: its letter, and for AboveMaximum the maximum.
    std::string_view findingZero;
    std::string_view findingNegative;
    std::string_view findingAboveMaximum;
    std::string_view findingNotFinite;
    std::string_view findingSeparator;
    // Under the table: the rule, then which row it recommends (the selector's item).
    std::string_view rule;
    std::string_view recommendation;
    std::string_view noRecommendation;
    // No row recommended while an input finding makes the deviations
    // meaningless: {} the finding's sentence in inputFindings' words.
    std::string_view recommendationWithheld;
    InputFindingTexts inputFindings;
    // How a row is chosen; empty where rows cannot be chosen.
    std::string_view chooseHint;
    std::string_view chooseButton;
};

inline constexpr ComparisonTexts japaneseComparisonTexts{
    .heading = "倍率の比較",
    .notCalculated = ":設定値が計算されていません。",
    .columnMark = "",
    .markInUse = "使用中",
    .markRecommended = "推奨",
    .markInUseRecommended = "使用中・推奨",
    .columnMultiplier = "倍率",
    .columnSpeedStep = "速度の刻み",
    .speedStep = "{} PPS",
    .columnInitialSpeed = "初速度(PPS)",
    .columnDriveSpeed = "ドライブ速度(PPS)",
    .columnRampTime = "加減速時間(秒)",
    .columnAccelTime = "加速時間(秒)",
    .columnDecelTime = "減速時間(秒)",
    .columnJerk = "加加速度(PPS/秒²)",
    .columnAccelJerk = "加速の加加速度(PPS/秒²)",
    .columnDecelJerk = "減速の加加速度(PPS/秒²)",
    .realWithDeviation = "{} ({} %)",
    .realNoDeviation = "{} (偏差なし)",
    .columnLargestDeviation = "最大偏差",
    .largestDeviation = "{} %",
    .none = "なし",
    .columnFindings = "確認事項",
    .findingsNone = "なし",
    .findingZero = "{}が0",
    .findingNegative = "{}が負",
    .findingAboveMaximum = "{}が最大値{}を超える",
    .findingNotFinite = "{}が無限大または数値でない",
    .findingSeparator = "、",
    .rule = "推奨する倍率:確認事項がなく、偏差がすべて求められる倍率のうち、最大偏差(偏差の絶対値の最大、表示の桁で比較)"
            "が最も小さいもの。等しいときは小さい倍率。該当する倍率がなければ推奨しません。",
    .recommendation = "推奨:倍率 {}",
    .noRecommendation = "推奨する倍率はありません。どの倍率にも確認事項があるか、求められない偏差があります。",
    .recommendationWithheld = "推奨する倍率はありません。{}この入力では、どの倍率の偏差も比べる意味がありません。",
    .inputFindings = detailsTexts::inputFindings,
    .chooseHint = "行を選んで「この倍率で再計算」を押す(ダブルクリック、Enterでも同じ)と、倍率にその倍率を選んで再計算します。",
    .chooseButton = "この倍率で再計算(&R)",
};

inline constexpr ComparisonTexts englishComparisonTexts{
    .heading = "Comparison of the multipliers",
    .notCalculated = ": none, no setting values were calculated",
    .columnMark = "",
    .markInUse = "in use",
    .markRecommended = "recommended",
    .markInUseRecommended = "in use, recommended",
    .columnMultiplier = "multiplier",
    .columnSpeedStep = "speed step",
    .speedStep = "{} PPS",
    .columnInitialSpeed = "initial speed (PPS)",
    .columnDriveSpeed = "drive speed (PPS)",
    .columnRampTime = "ramp time (s)",
    .columnAccelTime = "acceleration time (s)",
    .columnDecelTime = "deceleration time (s)",
    .columnJerk = "jerk (PPS/s²)",
    .columnAccelJerk = "acceleration jerk (PPS/s²)",
    .columnDecelJerk = "deceleration jerk (PPS/s²)",
    .realWithDeviation = "{} ({} %)",
    .realNoDeviation = "{} (no deviation)",
    .columnLargestDeviation = "largest deviation",
    .largestDeviation = "{} %",
    .none = "none",
    .columnFindings = "findings",
    .findingsNone = "none",
    .findingZero = "{} is 0",
    .findingNegative = "{} is negative",
    .findingAboveMaximum = "{} is above {}",
    .findingNotFinite = "{} is not finite",
    .findingSeparator = ", ",
    .rule = "The recommended multiplier: of those without findings whose deviations are all known, the one with the "
            "smallest largest deviation (the largest absolute deviation, compared as printed); the smaller multiplier "
            "when equal; none when no multiplier qualifies.",
    .recommendation = "Recommended: multiplier {}",
    .noRecommendation = "Recommended: none; every multiplier has a finding or a deviation that cannot be worked out.",
    .recommendationWithheld = "Recommended: none; {}, so no multiplier's deviations mean anything.",
    .inputFindings = texts::inputFindings,
    .chooseHint = "",
    .chooseButton = "",
};

// The registers as code: the labels of the copy formats, and the C snippet's
// and JSON object's own texts (ASCII, so that any source file takes them).
struct RegisterCodeTexts {
    std::string_view labelLines;
    std::string_view labelC;
    std::string_view labelJson;
};

inline constexpr RegisterCodeTexts japaneseRegisterCodeTexts{
    .labelLines = "整数の設定値(1行に1つ)",
    .labelC = "C言語の#define",
    .labelJson = "JSON",
};

namespace registerCode {

// The drive types as pulsecalc's --type names them; a selector naming no type.
inline constexpr std::string_view driveTypeNames[] = {"symmetric-trapezoid", "symmetric-s-curve",
                                                      "asymmetric-trapezoid", "asymmetric-s-curve"};
inline constexpr std::string_view driveTypeNone = "none";
// The C snippet's comment: the version, the drive type, the initial and the
// drive speed, the acceleration time, then ", deceleration {} s" for the
// asymmetric types, then the multiplier.
inline constexpr std::string_view cHeading = "/* Veldronix {}: {} drive, {} PPS to {} PPS, acceleration {} s{}, multiplier {} */\n";
inline constexpr std::string_view cDecel = ", deceleration {} s";
// A register's #define: its letter and its integer, then a finding's comment or nothing.
inline constexpr std::string_view cDefine = "#define DRIVE_{} {}{}\n";
// A negative integer in parentheses, so that the macro expands safely anywhere.
inline constexpr std::string_view cNegative = "({})";
// A register whose rounded value is not a number: no #define, only why.
inline constexpr std::string_view cNotFinite = "/* DRIVE_{}: not a finite number, so no value can be set */\n";
inline constexpr std::string_view cZero = " /* check: rounds to 0, which gives no drive */";
inline constexpr std::string_view cNegativeNote = " /* check: the register holds no negative value */";
inline constexpr std::string_view cAboveMaximum = " /* check: above the register's maximum of {} */";
// The JSON object's finding names.
inline constexpr std::string_view problemZero = "zero";
inline constexpr std::string_view problemNegative = "negative";
inline constexpr std::string_view problemAboveMaximum = "above-maximum";
inline constexpr std::string_view problemNotFinite = "not-finite";

} // namespace registerCode

} // namespace veldronix::report
