#pragma once

#include "core/input_error.h"

#include <optional>

namespace veldronix {

// The three commands of the dialog.
enum class Command { Calculate, Recalculate, ComputeDecelPoint };

// Why a command showed "設定値を求めることができません。": one message stands
// for all of these, so the reason is kept beside it for whoever explains it.
enum class NoSettingReason {
    NothingCalculated,    // Recalculate or 算出 before a Calculate succeeded (or after one failed)
    NoMultiplierFits,     // the drive speed is above 4,000,000 PPS (or not a number)
    SmallerMultiplier,    // Recalculate with a multiplier below the automatic one
    NoMultiplierSelected, // Recalculate with no multiplier selected (or an index past the table)
    NotAsymmetricSCurve,  // 算出 after a calculation of another drive type
    PulseCountZero,       // 算出 with 0 (or a text that is no number) in 出力パルス数
    PulseCountTooSmall,   // 算出 whose point is not above 0 or not a number
};

// The failure of the last command, as a value: the message it showed follows
// from error alone (messageFor), the reason says which of NoSetting's causes it was.
struct CommandFailure {
    Command command = Command::Calculate;
    InputError error = InputError::NoSetting;
    std::optional<NoSettingReason> reason; // NoSetting only
    // For SmallerMultiplier: the selector index Recalculate was given and the
    // one the last Calculate chose; -1 otherwise.
    int selectedMultiplierIndex = -1;
    int autoMultiplierIndex = -1;

    friend bool operator==(const CommandFailure&, const CommandFailure&) = default;
};

// Which results on show no longer belong to the calculation the controller holds.
// The fields keep their texts; a window only marks them.
struct ResultFreshness {
    // The summary and value fields show values of an earlier calculation
    // (after a failed 決定, until the next success).
    bool valuesStale = false;
    // マニュアル減速点 shows a point that 算出 computed for other values than
    // those shown (after a later 決定 or 再計算, or a failed 決定); the 0 the
    // field opens with is no point and never stale.
    bool decelPointStale = false;

    friend bool operator==(const ResultFreshness&, const ResultFreshness&) = default;
};

} // namespace veldronix
