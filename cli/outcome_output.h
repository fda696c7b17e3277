#pragma once

#include "cli/drive_request.h"

#include <string>

namespace veldronix::cli {

// The fields for a terminal: the summary, then one labelled line per field.
std::string plainOutput(const DriveOutcome& outcome);

// One JSON object with the exact field texts, trailing blanks kept; with
// withRounded also the member "rounded" (see report::writeRoundedJson), with
// withComparison the member "comparison" (see report::writeComparisonJson).
std::string jsonOutput(const DriveOutcome& outcome, bool withRounded = false, bool withComparison = false);

} // namespace veldronix::cli
