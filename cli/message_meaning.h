#pragma once

#include "cli/drive_request.h"
#include "controller/command_failure.h"

#include <optional>
#include <string>

namespace veldronix::cli {

// What a command's failure means, in English, with the reason where the message
// alone does not tell it ("設定値を求めることができません。" has several).
std::string messageMeaning(const CommandFailure& failure);

// The step as a message on standard error names it: "Calculate", "Recalculate
// with multiplier x50 (item 5)", "deceleration point".
std::string stepLabel(CommandStep step, std::optional<int> multiplierIndex);

// The step as JSON's errorSteps names it: "calculate", "recalculate", "decelPoint".
std::string_view jsonStepName(CommandStep step);

// A multiplier item as written on the command line: "x50" for item 5.
std::string multiplierName(int index);

} // namespace veldronix::cli
