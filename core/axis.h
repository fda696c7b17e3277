#pragma once

#include "core/decimal_number.h"
#include "core/input_field.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace veldronix {

// What one load revolution moves: millimetres on a linear axis, degrees on a
// rotary one.
enum class AxisUnit { Millimetre, Degree };

// The mechanics of an axis exactly as typed.
struct AxisMechanicsTexts {
    std::string pulsesPerRev; // pulses per motor revolution, after microstepping (200 × 16: "3200")
    std::string gear;         // motor revolutions per load revolution; empty for 1
    std::string travelPerRev; // mm (or °) per load revolution; empty on a rotary axis for 360
    AxisUnit unit = AxisUnit::Millimetre;

    friend bool operator==(const AxisMechanicsTexts&, const AxisMechanicsTexts&) = default;
};

// The unit as pulsecalc, JSON and the machine file write it: "mm" or "deg";
// none for any other text.
std::string_view axisUnitName(AxisUnit unit);
std::optional<AxisUnit> parseAxisUnit(std::string_view text);

// The text of a figure of the mechanics by its row of inputRows (PulsesPerRev,
// Gear, TravelPerRev); null for any other row.
const std::string* mechanicsFigure(const AxisMechanicsTexts& texts, InputField row);
std::string* mechanicsFigure(AxisMechanicsTexts& texts, InputField row);

// Sets the value of a row of axisRows from its text: a figure as typed, the
// unit from "mm" or "deg". False, changing nothing, for a unit that names
// none; the name's row is no part of the mechanics and changes nothing.
bool setMechanicsValue(AxisMechanicsTexts& texts, InputField row, std::string_view text);

// Which of the mechanics a problem is in.
enum class AxisMechanicsMember { PulsesPerRev, Gear, TravelPerRev };

// The member's row of inputRows, whose option, column and JSON member name it.
constexpr InputField fieldOf(AxisMechanicsMember member)
{
    switch (member) {
    case AxisMechanicsMember::PulsesPerRev:
        return InputField::PulsesPerRev;
    case AxisMechanicsMember::Gear:
        return InputField::Gear;
    case AxisMechanicsMember::TravelPerRev:
        break;
    }
    return InputField::TravelPerRev;
}

enum class AxisMechanicsProblem {
    NotANumber,       // the text is no decimal number (blanks around it are allowed), or one beyond any double
    NotPositive,      // the number is 0 or below
    OutOfRange,       // beyond any machine's: below smallestMechanicsFigure or above largestMechanicsFigure
    TooLong,          // longer than a field takes (fieldTextLimit bytes)
    RotaryNot360,     // a rotary axis's load revolution is 360°, whatever else its text says
};

struct AxisMechanicsError {
    AxisMechanicsMember member;
    AxisMechanicsProblem problem;

    friend bool operator==(const AxisMechanicsError&, const AxisMechanicsError&) = default;
};

// What a figure of the mechanics may be. No motor, gear or load is anywhere
// near either end; beyond them the conversions would show a travel of 0 or
// speeds of hundreds of digits, and none of a double's.
inline constexpr double smallestMechanicsFigure = 1e-6;
inline constexpr double largestMechanicsFigure = 1e9;

// The mechanics of an axis, checked: every figure a positive number. Speeds
// and counts convert between pulses and the axis's unit through
//     pulses per unit = pulses per motor rev × gear / travel per load rev.
class AxisMechanics {
public:
    static std::variant<AxisMechanics, AxisMechanicsError> make(AxisMechanicsTexts texts);

    const AxisMechanicsTexts& texts() const { return texts_; }
    AxisUnit unit() const { return texts_.unit; }
    // The figures as numbers: the gear 1 and a rotary travel 360 where their texts are empty.
    double pulsesPerRev() const { return pulsesPerRev_.toDouble(); }
    double gear() const { return gear_.toDouble(); }
    double travelPerRev() const { return travel_.toDouble(); }
    // The figure of a row of inputRows (PulsesPerRev, Gear, TravelPerRev); 0 for any other.
    double figure(InputField row) const;

    // Pulses per mm (per °), nearest double; its text as quotientText writes it
    // with six decimals: 640, 26.666667.
    double pulsesPerUnit() const;
    std::string pulsesPerUnitText() const;

    // A figure in pulses in the axis's unit: PPS as mm/s (°/s), PPS/s as mm/s²,
    // PPS/s² as mm/s³, a pulse count as mm (°). One multiplication and one
    // division of doubles, each rounded once: 32000 PPS at 640 pulses/mm is 50 exactly.
    double toUnits(double pulses) const;
    // A speed in PPS as the motor's revolutions per minute.
    double motorRpm(double pulsesPerSecond) const;

    // The PPS field text of a speed typed in mm/s (°/s), an acceleration in
    // mm/s² or a jerk in mm/s³: the exact product, rounded only where it has
    // more than six decimals (halves away from zero). None when the text is
    // no number DecimalNumber reads (blanks around it allowed).
    std::optional<std::string> pulseRateText(std::string_view unitsText) const;
    // The same for a speed typed in motor rpm: × pulses per rev / 60.
    std::optional<std::string> pulseRateTextFromRpm(std::string_view rpmText) const;
    // The pulse-count text of a distance in mm (°): whole pulses, since the
    // controller puts out no part of one (halves away from zero).
    std::optional<std::string> pulseCountText(std::string_view distanceText) const;

private:
    AxisMechanics(AxisMechanicsTexts texts, DecimalNumber pulsesPerRev, DecimalNumber gear, DecimalNumber travel);

    AxisMechanicsTexts texts_;
    DecimalNumber pulsesPerRev_;
    DecimalNumber gear_;
    DecimalNumber travel_;
    DecimalNumber pulsesPerLoadRev_; // pulses per rev × gear, exact
};

// An axis of a machine: its name, and its mechanics where they are known
// (without them every figure stays in pulses, as the dialog has it).
struct Axis {
    std::string name;
    std::optional<AxisMechanics> mechanics;
};

// What is wrong with an axis name: names are printed, saved and prefix the
// registers' macros, so they are short, one line, and valid UTF-8.
enum class AxisNameProblem { Empty, TooLong, NotUtf8, ControlCharacter };
std::optional<AxisNameProblem> checkAxisName(std::string_view name);

// The name as a prefix of C identifiers: each character that cannot be in
// one becomes '_', and a leading digit gets a '_' before it ("X" → "X",
// "axis 2" → "axis_2", "2" → "_2").
std::string axisMacroPrefix(std::string_view name);

} // namespace veldronix
