#pragma once

#include "report/comparison_texts.h"
#include "report/details.h"
#include "report/details_layout.h"
#include "report/multiplier_comparison.h"

#include <optional>
#include <vector>

namespace veldronix::report {

// The comparison of the multipliers as texts in a table: what every details
// window draws with its own toolkit's table, and what pulsecalc prints.
struct ComparisonTable {
    // Columns: the mark, the multiplier's item, the speed step, the drive
    // type's integer registers (AO, always 0, left out), each real quantity
    // with its deviation, the largest deviation, the findings. A row in use or
    // recommended has that background (the recommendation wins when it is both)
    // and says so in its mark; a register with a finding, a real value without
    // a finite deviation and a row's findings are warnings.
    DetailsTable table;
    std::vector<int> rowIndices;    // each row's selector index, in row order
    std::vector<DetailsLine> notes; // under the table: the rule, the recommendation, how to choose a row
};

// With the axis's mechanics each speed also in units per second and in motor
// rpm, each jerk in units per second cubed, a column each after the one in PPS.
ComparisonTable comparisonTable(const MultiplierComparison& comparison, const ComparisonTexts& texts,
                                const AxisMechanics* mechanics = nullptr);

// The details' comparison as a section of the window: heading, table, notes
// and the action that chooses a row; none when nothing is calculated.
std::optional<DetailsSection> comparisonSection(const Details& details);

} // namespace veldronix::report
