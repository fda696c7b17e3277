#pragma once

#include <cstdio>
#include <span>
#include <string_view>

namespace veldronix::cli {

// pulsecalc --design on its arguments: exit 0 when the design is met, 1 when
// not (the reason on err), 2 for a usage error or output that cannot be written.
int runDesign(std::span<const std::string_view> arguments, std::FILE* out, std::FILE* err);

} // namespace veldronix::cli
