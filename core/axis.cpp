#include "core/axis.h"

#include "core/field_text.h"
#include "core/utf8.h"

#include <cmath>
#include <utility>

namespace veldronix {
namespace {

// Speeds, accelerations and jerks keep six decimals: far below what a
// multiplier's speed step can show.
constexpr int rateDecimals = 6;

std::string_view withoutBlanks(std::string_view text)
{
    constexpr std::string_view blanks = " \t";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) + 1 - first);
}

std::optional<DecimalNumber> readDecimal(std::string_view text)
{
    return DecimalNumber::parse(withoutBlanks(text));
}

// One figure of the mechanics, or why it is none; empty gives the default.
std::variant<DecimalNumber, AxisMechanicsProblem> readFigure(std::string_view text, std::uint32_t whenEmpty)
{
    if (text.size() > fieldTextLimit) {
        return AxisMechanicsProblem::TooLong;
    }
    if (whenEmpty != 0 && withoutBlanks(text).empty()) {
        return DecimalNumber::integer(whenEmpty);
    }
    const auto number = readDecimal(text);
    if (!number) {
        return AxisMechanicsProblem::NotANumber;
    }
    if (number->isZero() || number->isNegative()) {
        return AxisMechanicsProblem::NotPositive;
    }
    if (const double value = number->toDouble(); value < smallestMechanicsFigure || value > largestMechanicsFigure) {
        return AxisMechanicsProblem::OutOfRange;
    }
    return *number;
}

// x × factor / divisor, the product rounded once and the quotient once; where
// the product alone leaves the doubles, by the quotient of the two first.
double scaled(double x, double factor, double divisor)
{
    const double product = x * factor;
    return std::isfinite(product) ? product / divisor : x * (factor / divisor);
}

} // namespace

std::string_view axisUnitName(AxisUnit unit)
{
    return unit == AxisUnit::Millimetre ? "mm" : "deg";
}

std::optional<AxisUnit> parseAxisUnit(std::string_view text)
{
    if (text == "mm") {
        return AxisUnit::Millimetre;
    }
    if (text == "deg") {
        return AxisUnit::Degree;
    }
    return std::nullopt;
}

const std::string* mechanicsFigure(const AxisMechanicsTexts& texts, InputField row)
{
    switch (row) {
    case InputField::PulsesPerRev:
        return &texts.pulsesPerRev;
    case InputField::Gear:
        return &texts.gear;
    case InputField::TravelPerRev:
        return &texts.travelPerRev;
    default:
        return nullptr;
    }
}

std::string* mechanicsFigure(AxisMechanicsTexts& texts, InputField row)
{
    return const_cast<std::string*>(mechanicsFigure(std::as_const(texts), row));
}

bool setMechanicsValue(AxisMechanicsTexts& texts, InputField row, std::string_view text)
{
    if (std::string* figure = mechanicsFigure(texts, row)) {
        figure->assign(text);
    } else if (row == InputField::Unit) {
        const auto unit = parseAxisUnit(text);
        if (!unit) {
            return false;
        }
        texts.unit = *unit;
    }
    return true;
}

double AxisMechanics::figure(InputField row) const
{
    switch (row) {
    case InputField::PulsesPerRev:
        return pulsesPerRev();
    case InputField::Gear:
        return gear();
    case InputField::TravelPerRev:
        return travelPerRev();
    default:
        return 0.0;
    }
}

std::variant<AxisMechanics, AxisMechanicsError> AxisMechanics::make(AxisMechanicsTexts texts)
{
    const bool rotary = texts.unit == AxisUnit::Degree;
    const auto pulsesPerRev = readFigure(texts.pulsesPerRev, 0);
    if (const auto* problem = std::get_if<AxisMechanicsProblem>(&pulsesPerRev)) {
        return AxisMechanicsError{AxisMechanicsMember::PulsesPerRev, *problem};
    }
    const auto gear = readFigure(texts.gear, 1);
    if (const auto* problem = std::get_if<AxisMechanicsProblem>(&gear)) {
        return AxisMechanicsError{AxisMechanicsMember::Gear, *problem};
    }
    const auto travel = readFigure(texts.travelPerRev, rotary ? 360 : 0);
    if (const auto* problem = std::get_if<AxisMechanicsProblem>(&travel)) {
        return AxisMechanicsError{AxisMechanicsMember::TravelPerRev, *problem};
    }
    // A rotary axis's travel is no choice: a different figure would be a
    // gear typed in the wrong field, and every speed in °/s would be wrong.
    if (rotary && !(std::get<DecimalNumber>(travel) == DecimalNumber::integer(360))) {
        return AxisMechanicsError{AxisMechanicsMember::TravelPerRev, AxisMechanicsProblem::RotaryNot360};
    }
    return AxisMechanics(std::move(texts), std::get<DecimalNumber>(pulsesPerRev), std::get<DecimalNumber>(gear),
                         std::get<DecimalNumber>(travel));
}

AxisMechanics::AxisMechanics(AxisMechanicsTexts texts, DecimalNumber pulsesPerRev, DecimalNumber gear,
                             DecimalNumber travel)
    : texts_(std::move(texts)),
      pulsesPerRev_(std::move(pulsesPerRev)),
      gear_(std::move(gear)),
      travel_(std::move(travel)),
      pulsesPerLoadRev_(pulsesPerRev_ * gear_)
{
}

double AxisMechanics::pulsesPerUnit() const
{
    return pulsesPerLoadRev_.toDouble() / travel_.toDouble();
}

std::string AxisMechanics::pulsesPerUnitText() const
{
    return quotientText(pulsesPerLoadRev_, travel_, rateDecimals);
}

double AxisMechanics::toUnits(double pulses) const
{
    // Multiplied by the travel before the division, not by a rounded pulses
    // per unit: 2400 PPS on 9600 pulses per 360° is 90°/s, not 90.00000000000001.
    return scaled(pulses, travel_.toDouble(), pulsesPerLoadRev_.toDouble());
}

double AxisMechanics::motorRpm(double pulsesPerSecond) const
{
    return scaled(pulsesPerSecond, 60.0, pulsesPerRev_.toDouble());
}

std::optional<std::string> AxisMechanics::pulseRateText(std::string_view unitsText) const
{
    const auto units = readDecimal(unitsText);
    if (!units) {
        return std::nullopt;
    }
    return quotientText(*units * pulsesPerLoadRev_, travel_, rateDecimals);
}

std::optional<std::string> AxisMechanics::pulseRateTextFromRpm(std::string_view rpmText) const
{
    const auto rpm = readDecimal(rpmText);
    if (!rpm) {
        return std::nullopt;
    }
    return quotientText(*rpm * pulsesPerRev_, DecimalNumber::integer(60), rateDecimals);
}

std::optional<std::string> AxisMechanics::pulseCountText(std::string_view distanceText) const
{
    const auto distance = readDecimal(distanceText);
    if (!distance) {
        return std::nullopt;
    }
    return quotientText(*distance * pulsesPerLoadRev_, travel_, 0);
}

std::optional<AxisNameProblem> checkAxisName(std::string_view name)
{
    if (name.empty()) {
        return AxisNameProblem::Empty;
    }
    if (name.size() > fieldTextLimit) {
        return AxisNameProblem::TooLong;
    }
    for (std::string_view rest = name; !rest.empty();) {
        const Utf8Char c = decodeUtf8(rest);
        if (!c.valid) {
            return AxisNameProblem::NotUtf8;
        }
        if (c.code < 0x20 || (c.code >= 0x7F && c.code < 0xA0)) {
            return AxisNameProblem::ControlCharacter;
        }
        rest.remove_prefix(c.length);
    }
    return std::nullopt;
}

std::string axisMacroPrefix(std::string_view name)
{
    std::string prefix;
    if (!name.empty() && name.front() >= '0' && name.front() <= '9') {
        prefix += '_';
    }
    for (std::string_view rest = name; !rest.empty();) {
        const Utf8Char c = decodeUtf8(rest);
        const bool identifier = (c.code >= 'a' && c.code <= 'z') || (c.code >= 'A' && c.code <= 'Z') ||
                                (c.code >= '0' && c.code <= '9') || c.code == '_';
        prefix += identifier ? static_cast<char>(c.code) : '_';
        rest.remove_prefix(c.length);
    }
    return prefix;
}

} // namespace veldronix
