#pragma once

#include "cli/options.h"

#include <cstdio>
#include <span>
#include <string_view>

namespace veldronix::cli {

// What pulsecalc does with a parsed command line, writing to the given streams;
// returns the exit status.
int runOptions(const Options& options, std::FILE* out, std::FILE* err);

// pulsecalc on its arguments (without the program name): a usage error, and no
// arguments at all, are exit 2 with the reason on err.
int runCommandLine(std::span<const std::string_view> arguments, std::FILE* out, std::FILE* err);

// Says on err that standard output failed, with the system's reason for error
// (an errno value); returns the exit status 2.
int outputFailure(std::FILE* err, int error);

} // namespace veldronix::cli
