#pragma once

#include "controller/calculation.h"
#include "core/axis.h"
#include "io/json_writer.h"
#include "report/input_findings.h"
#include "report/details_layout.h"

#include <optional>
#include <string>
#include <string_view>

namespace veldronix::report {

// The --compare section of the plain output: the comparison of the multipliers
// as an aligned table (figures to the right), its rule and its recommendation;
// a line saying that there is none without a calculation. inputFindings as
// compareMultipliers takes them. With the axis's mechanics each speed also in
// units per second and in motor rpm, each jerk in units per second cubed, a
// column each after the one in PPS (see comparisonTable).
std::string comparisonPlainSection(const std::optional<Calculation>& calculation,
                                   const std::vector<InputFinding>& inputFindings = {},
                                   const AxisMechanics* mechanics = nullptr);

// The same as the value of the JSON member "comparison": {"recommended": the
// selector index or null, "rows": [{"index", "multiplier", "item", "speedStep",
// "inUse", "largestDeviation", "settings", "real", "findings"}, ...]}, the
// settings, real drive and findings as "rounded" has them; null without a
// calculation. With the axis's mechanics each row also has "inUnits", its
// speeds and jerks in the axis's units (see writeRoundedDriveInUnitsJson).
void writeComparisonJson(io::JsonWriter& json, const std::optional<Calculation>& calculation,
                         const std::vector<InputFinding>& inputFindings = {},
                         const AxisMechanics* mechanics = nullptr);

// How many columns a UTF-8 text takes in a terminal, each character one
// (the comparison's English texts have no wide ones).
std::size_t displayWidth(std::string_view text);

// A table's lines: the headings, then each row, columns two blanks apart and
// each as wide as its widest text, aligned as the column says; no trailing blanks.
std::string alignedTable(const DetailsTable& table);

} // namespace veldronix::report
