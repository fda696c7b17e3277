#pragma once

#include "report/design_reading.h"
#include "report/details_layout.h"

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

DesignResult designResult(const DesignReading& reading);

} // namespace veldronix::report
