#pragma once

#include "cli/drive_request.h"
#include "cli/json_writer.h"

#include <string>
#include <string_view>

namespace veldronix::cli {

// The --rounded section of the plain output: the rounded registers of the
// values the fields show, the drive they really give and the findings.
std::string roundedPlainSection(const DriveOutcome& outcome);

// The same as the value of the JSON member "rounded" (null when no values are shown).
void writeRoundedJson(JsonWriter& json, const DriveOutcome& outcome);

} // namespace veldronix::cli
