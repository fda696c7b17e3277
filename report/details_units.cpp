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

std::string withAxisUnits(std::string ppsText, double value, AxisQuantity kind, const AxisMechanics& mechanics)
{
    const std::string_view unit = axisUnitSymbol(mechanics.unit());
    if (kind == AxisQuantity::Jerk) {
        return fmt::format(t::jerkInUnits, ppsText, figure(mechanics.toUnits(value)), unit);
    }
    return fmt::format(t::speedInUnits, ppsText, figure(mechanics.toUnits(value)), unit,
                       figure(mechanics.motorRpm(value)));
}

std::string pulseDistanceLine(double pulseCount, const AxisMechanics& mechanics)
{
    return fmt::format(t::pulseDistance, formatFixedUnsignedZero(pulseCount, 0), figure(mechanics.toUnits(pulseCount)),
                       axisUnitSymbol(mechanics.unit()));
}

} // namespace veldronix::report
