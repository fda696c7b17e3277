#pragma once

#include "cli/drive_request.h"

#include <string>
#include <string_view>

namespace veldronix::cli {

// The --rounded section of the plain output: the rounded registers of the
// values the fields show, the drive they really give and the findings.
std::string roundedPlainSection(const DriveOutcome& outcome);

// The same as the JSON member "rounded" (null when no values are shown), without a separator.
std::string roundedJsonMember(const DriveOutcome& outcome);

// A JSON object text, as jsonOutput writes it, with one more member before its closing brace.
std::string withJsonMember(std::string object, std::string_view member);

} // namespace veldronix::cli
