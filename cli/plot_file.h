#pragma once

#include "cli/drive_request.h"

#include <optional>
#include <string>
#include <string_view>

namespace veldronix::cli {

// Writes the plot of the outcome's velocity profile to the file at path, as a
// whole or not at all. On failure, what went wrong in words (the old file, if
// any, untouched): no profile, a move that cannot happen, or the file.
std::optional<std::string> writeProfilePlot(std::string_view path, const DriveOutcome& outcome);

} // namespace veldronix::cli
