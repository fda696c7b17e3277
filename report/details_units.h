#pragma once

#include "core/axis.h"

#include <string>

namespace veldronix::report {

// What a figure in pulses measures, for its text in the axis's units.
enum class AxisQuantity {
    Speed, // PPS: mm/s (°/s) and motor rpm
    Jerk,  // PPS/s²: mm/s³ (°/s³)
};

// The figure's text in pulses (ppsText, as the details write it) followed by
// value in the axis's units: "32000.000 PPS(50.000 mm/s、600.000 rpm)".
std::string withAxisUnits(std::string ppsText, double value, AxisQuantity kind, const AxisMechanics& mechanics);

// The pulse count as the axis's distance, a line under the plot.
std::string pulseDistanceLine(double pulseCount, const AxisMechanics& mechanics);

// The unit's symbol in the details' texts: "mm" or "°".
std::string_view axisUnitSymbol(AxisUnit unit);

} // namespace veldronix::report
