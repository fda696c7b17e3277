#include "report/details_units.h"

#include "core/number_format.h"
#include "report/texts_ja.h"

#include <fmt/format.h>

namespace veldronix::report {
namespace {

namespace t = texts::ja;

// Three decimals: a micrometre, a thousandth of a degree or of a revolution.
constexpr int unitDecimals = 3;

std::string figure(double value)
{
    return formatFixedUnsignedZero(value, unitDecimals);
}

} // namespace

std::string_view axisUnitSymbol(AxisUnit unit)
{
    return unit == AxisUnit::Millimetre ? t::unitMillimetre : t::unitDegree;
}

std::string axisUnitsFigure(double value, const AxisMechanics& mechanics)
{
    return figure(mechanics.toUnits(value));
}

std::string motorRpmFigure(double pulsesPerSecond, const AxisMechanics& mechanics)
{
    return figure(mechanics.motorRpm(pulsesPerSecond));
}

std::string axisQuantityUnit(AxisQuantity kind, AxisUnit unit)
{
    const std::string_view symbol = axisUnitSymbol(unit);
    switch (kind) {
    case AxisQuantity::Speed: return fmt::format(t::unitPerSecond, symbol);
    case AxisQuantity::Rate: return fmt::format(t::unitPerSecondSquared, symbol);
    case AxisQuantity::Jerk: return fmt::format(t::unitPerSecondCubed, symbol);
    case AxisQuantity::Distance: break;
    }
    return std::string(symbol);
}

std::string inAxisUnits(double value, AxisQuantity kind, const AxisMechanics& mechanics)
{
    const std::string units =
        fmt::format(t::figureWithUnit, axisUnitsFigure(value, mechanics), axisQuantityUnit(kind, mechanics.unit()));
    if (kind != AxisQuantity::Speed) {
        return units;
    }
    return fmt::format(t::speedAndRpm, units, motorRpmFigure(value, mechanics));
}

std::string withAxisUnits(std::string ppsText, double value, AxisQuantity kind, const AxisMechanics& mechanics)
{
    return fmt::format(t::inUnitsAfterPulses, ppsText, inAxisUnits(value, kind, mechanics));
}

std::string pulseDistanceLine(double pulseCount, const AxisMechanics& mechanics)
{
    return fmt::format(t::pulseDistance, formatFixedUnsignedZero(pulseCount, 0), axisUnitsFigure(pulseCount, mechanics),
                       axisUnitSymbol(mechanics.unit()));
}

} // namespace veldronix::report
