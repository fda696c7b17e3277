#pragma once

#include <cstdio>
#include <span>
#include <string_view>

namespace veldronix::cli {

// Whether a --design command line names a machine file (--machine): each of its
// axes is then designed by runMachineDesign.
bool isMachineDesign(std::span<const std::string_view> arguments);

// pulsecalc --machine FILE --design ...: every axis of the file (or the one
// --axis names) designed from its own drive type, initial speed, ramp times
// and pulse count, each option of the command line in place of the file's
// value; then the latest end of the moves and the spread of their ends. Exit 0
// when every axis's design is met, 1 when one is not (the reasons on err, by
// axis), 2 for a usage error or a file that cannot be read, with nothing on out.
int runMachineDesign(std::span<const std::string_view> arguments, std::FILE* out, std::FILE* err);

} // namespace veldronix::cli
