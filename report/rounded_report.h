#pragma once

#include "controller/calculation.h"
#include "io/json_writer.h"

#include <optional>
#include <string>
#include <string_view>

namespace veldronix::report {

// The --rounded section of the plain output: the rounded registers of the
// values the fields show, the drive they really give and the findings.
std::string roundedPlainSection(const std::optional<Calculation>& calculation, std::optional<double> pulseCount);

// The same as the value of the JSON member "rounded" (null when no values are shown).
void writeRoundedJson(io::JsonWriter& json, const std::optional<Calculation>& calculation, std::optional<double> pulseCount);

} // namespace veldronix::report
