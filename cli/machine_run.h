#pragma once

#include "cli/options.h"

#include <cstdio>

namespace veldronix::cli {

// Runs the drives of an axis or of a machine file's axes (options.axis.any()):
// each figure also in the axis's units, --save-machine's file written before
// any output. A machine file that cannot be read or written, or an axis option
// that is wrong, writes nothing on out and returns 2.
int runAxes(const Options& options, std::FILE* out, std::FILE* err);

// Why the axis's mechanics were refused, as the messages of the axis options say it.
std::string_view mechanicsFault(AxisMechanicsProblem problem);

} // namespace veldronix::cli
