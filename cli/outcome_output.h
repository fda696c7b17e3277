#pragma once

#include "cli/drive_request.h"

#include "core/axis.h"
#include "io/json_writer.h"
#include "report/register_code.h"

#include <functional>
#include <optional>
#include <string>

namespace veldronix::cli {

// The fields for a terminal: the summary, then one labelled line per field.
std::string plainOutput(const DriveOutcome& outcome);

// One JSON object with the exact field texts, trailing blanks kept; with
// withRounded also the member "rounded" (see report::writeRoundedJson), with
// withComparison the member "comparison" (see report::writeComparisonJson).
// extraMembers writes members of the run's own after all others (the axis's).
// comparisonMechanics puts the comparison's figures also in the axis's units.
std::string jsonOutput(const DriveOutcome& outcome, bool withRounded = false, bool withComparison = false,
                       const std::function<void(io::JsonWriter&)>& extraMembers = {},
                       const AxisMechanics* comparisonMechanics = nullptr);

// The registers of the values shown in a copy format, exactly as the details
// window copies them; none without calculated settings.
std::optional<std::string> registersCode(const DriveOutcome& outcome, report::CopyFormatKind kind);

} // namespace veldronix::cli
