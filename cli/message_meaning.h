#pragma once

#include "cli/drive_request.h"

#include <optional>
#include <string>
#include <string_view>

namespace veldronix::cli {

// What the controller knew when a step showed its message.
struct StepState {
    int autoMultiplierIndex = -1;   // the item Calculate chose, -1 when it failed
    int chosenMultiplierIndex = -1; // the item Recalculate was given
    bool decelJerkStored = false;   // an asymmetric S-curve was calculated
    double pulseCount = 0.0;        // the pulse count as the deceleration point read it
};

// What a message shown by a step means, in English, with the reason where the
// message alone does not tell it ("設定値を求めることができません。" has several).
std::string messageMeaning(CommandStep step, std::string_view message, const StepState& state);

// The step as a message on standard error names it: "Calculate", "Recalculate
// with multiplier x50 (item 5)", "deceleration point".
std::string stepLabel(CommandStep step, std::optional<int> multiplierIndex);

// The step as JSON's errorSteps names it: "calculate", "recalculate", "decelPoint".
std::string_view jsonStepName(CommandStep step);

// A multiplier item as written on the command line: "x50" for item 5.
std::string multiplierName(int index);

} // namespace veldronix::cli
