#pragma once

#include "report/text_sets.h"

#include <string_view>

// The shapes of the texts of the comparison of the multipliers and of the
// registers as code, filled in Japanese for the details windows
// (report/texts_ja.h) and in English for pulsecalc (report/texts_en.h); and
// the C snippet's and JSON object's own texts, which have no language. Texts
// with "{}" are {fmt} format strings, filled in order.
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
    Format1 speedStep; // the multiplier: V and SV count in steps of it
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
    // Where the axis has mechanics, each speed and jerk also in its units, a
    // column each after the one in pulses: {0} the quantity's name, {1} the unit
    // ("mm/s", "rpm", "mm/s³").
    Format2 columnInUnits;
    std::string_view nameInitialSpeed;
    std::string_view nameDriveSpeed;
    std::string_view nameJerk;
    std::string_view nameAccelJerk;
    std::string_view nameDecelJerk;
    // A real value and its deviation in percent (with its sign).
    Format2 realWithDeviation;
    // A real value without a finite deviation.
    Format1 realNoDeviation;
    std::string_view columnLargestDeviation;
    Format1 largestDeviation; // the largest absolute deviation in percent
    // A register, a real value or a largest deviation that does not exist.
    std::string_view none;
    std::string_view columnFindings;
    std::string_view findingsNone;
    // A register's finding: its letter, and for AboveMaximum the maximum.
    Format1 findingZero;
    Format1 findingNegative;
    Format2 findingAboveMaximum;
    Format1 findingNotFinite;
    std::string_view findingSeparator;
    // Under the table: the rule, then which row it recommends (the selector's item).
    std::string_view rule;
    Format1 recommendation;
    std::string_view noRecommendation;
    // No row recommended while an input finding makes the deviations
    // meaningless: {} the finding's sentence in inputFindings' words.
    Format1 recommendationWithheld;
    InputFindingTexts inputFindings;
    // How a row is chosen; empty where rows cannot be chosen.
    std::string_view chooseHint;
    std::string_view chooseButton;
};

// The registers as code: the labels of the copy formats, and the C snippet's
// and JSON object's own texts (ASCII, so that any source file takes them).
struct RegisterCodeTexts {
    std::string_view labelLines;
    std::string_view labelC;
    std::string_view labelJson;
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
