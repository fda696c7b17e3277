#pragma once

#include "report/design_reading.h"
#include "report/details_layout.h"
#include "report/text_sets.h"

#include <string>

#include <vector>

namespace veldronix::report {

// What the section 移動の設計 shows under its form.
struct DesignResult {
    // The settings (multiplier, registers, type 3's deceleration point), then the
    // real move: each quantity beside its limit or wish, the phases and the
    // move's time beside the target. No columns and no rows where there is no design.
    DetailsTable table;
    // What decides the design, or why none meets the question (a warning, so
    // that a design that is not met never reads as one), and what apply does.
    std::vector<DetailsLine> lines;
};

// With the axis's mechanics, two more columns give the speeds, rates and jerks
// of the design and of their limits in its units (rpm for speeds), the phases'
// pulses and the move's pulse count as distances.
DesignResult designResult(const DesignReading& reading, const AxisMechanics* mechanics = nullptr);

// The sentence of a design whose search stopped at its bound of candidates
// (MoveDesign::searchCut); empty for a design searched in full.
std::string searchCutNote(const design::MoveDesign& design, const DesignSearchTexts& texts);

} // namespace veldronix::report
