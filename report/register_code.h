#pragma once

#include "controller/calculation.h"
#include "core/rounded_drive.h"

#include <string>

namespace veldronix::report {

// The rounded registers of a calculation as code to paste into a program: a C
// snippet and a JSON object, ASCII only. The plain lines "R=4000000" are the
// details' clipboardText.
enum class CopyFormatKind { Lines, C, Json };

// A comment naming the version, the drive and the multiplier, then one
// "#define DRIVE_R 4000000" per register of the drive type; a register with a
// finding says why in a comment on its line, one whose value is not a number
// gets only a comment. Every line ends with a line feed.
std::string registersAsC(const Calculation& calculation, const RoundedDrive& drive);

// {"version":..,"driveType":..,"multiplier":..,"registers":{"R":..,..},"findings":[{"register":..,"problem":..}]}
// and a line feed; a value that is not a number is null.
std::string registersAsJson(const Calculation& calculation, const RoundedDrive& drive);

} // namespace veldronix::report
