#pragma once

#include "core/axis.h"

#include <string>

namespace veldronix::report {

// What a figure in pulses measures, for its text in the axis's units.
enum class AxisQuantity {
    Speed,    // PPS: mm/s (°/s) and motor rpm
    Rate,     // PPS/s: mm/s² (°/s²)
    Jerk,     // PPS/s²: mm/s³ (°/s³)
    Distance, // pulses: mm (°)
};

// The figure's text in pulses (ppsText, as the details write it) followed by
// value in the axis's units: "32000.000 PPS(50.000 mm/s、600.000 rpm)".
std::string withAxisUnits(std::string ppsText, double value, AxisQuantity kind, const AxisMechanics& mechanics);

// Only the part in the axis's units, for a cell of its own: "50.000 mm/s、600.000 rpm",
// "78.125 mm/s²", "1.563 mm".
std::string inAxisUnits(double value, AxisQuantity kind, const AxisMechanics& mechanics);

// The figures alone, as the details write them (three decimals): the value in
// the axis's units, and a speed as motor rpm.
std::string axisUnitsFigure(double value, const AxisMechanics& mechanics);
std::string motorRpmFigure(double pulsesPerSecond, const AxisMechanics& mechanics);

// The unit of a quantity in the axis's units: "mm/s", "°/s²", "mm/s³", "mm".
std::string axisQuantityUnit(AxisQuantity kind, AxisUnit unit);

// The pulse count as the axis's distance, a line under the plot.
std::string pulseDistanceLine(double pulseCount, const AxisMechanics& mechanics);

// The unit's symbol in the details' texts: "mm" or "°".
std::string_view axisUnitSymbol(AxisUnit unit);

} // namespace veldronix::report
