#pragma once

#include "report/details.h"

#include <string>

namespace veldronix::web {

// The details as the page shows them: one JSON object with the texts of each
// part, the column and button texts, and the plot as a standalone SVG (null
// where there is none).
std::string detailsJson(const report::Details& details);

} // namespace veldronix::web
