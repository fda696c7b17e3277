#pragma once

#include "cli/options.h"

#include <cstdio>
#include <span>
#include <string_view>

namespace veldronix::cli {

// What pulsecalc does with a parsed command line, writing to the given streams;
// returns the exit status.
int runOptions(const Options& options, std::FILE* out, std::FILE* err);

// pulsecalc on its arguments (without the program name): a usage error is exit 2.
int runCommandLine(std::span<const std::string_view> arguments, std::FILE* out, std::FILE* err);

} // namespace veldronix::cli
