#pragma once

#include "cli/drive_request.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace veldronix::cli {

// What keeps a plot from being written, in words naming where it was to go.
struct PlotProblem {
    std::string message;
};

// The SVG text of the plot of the outcome's velocity profile, or why there is
// none (no profile, a move too short for one); target names where it was to
// go: "'plot.svg'", "standard output".
std::variant<std::string, PlotProblem> profilePlot(std::string_view target, const DriveOutcome& outcome);

// Writes the plot of the outcome's velocity profile to the file at path, as a
// whole or not at all. On failure, what went wrong in words (the old file, if
// any, untouched): no profile, a move that cannot happen, or the file.
std::optional<std::string> writeProfilePlot(std::string_view path, const DriveOutcome& outcome);

} // namespace veldronix::cli
