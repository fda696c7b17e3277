#pragma once

#include "cli/design_options.h"
#include "core/design/move_design.h"

#include <string>

namespace veldronix::cli {

// Why a design is decided or not met, in English.
std::string designReason(const design::MoveDesign& design);

// A design as pulsecalc prints it: plain English, or one JSON object with the member "design".
std::string designPlain(const DesignOptions& options, const design::MoveDesign& design);
std::string designJson(const DesignOptions& options, const design::MoveDesign& design);

} // namespace veldronix::cli
