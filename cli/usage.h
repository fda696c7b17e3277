#pragma once

#include <string>

namespace veldronix::cli {

// pulsecalc's usage: the head, one paragraph per input field in the table's
// order, then the options that are no field.
std::string usage();

} // namespace veldronix::cli
