#include "core/axis.h"

#include <gtest/gtest.h>

#include <string>

namespace veldronix {
namespace {

AxisMechanics mechanics(AxisMechanicsTexts texts)
{
    auto made = AxisMechanics::make(std::move(texts));
    EXPECT_TRUE(std::holds_alternative<AxisMechanics>(made));
    return std::get<AxisMechanics>(std::move(made));
}

// 200 steps × 16 microsteps on a 5 mm lead screw, no gear: 3200 / 5 = 640 pulses/mm.
const AxisMechanicsTexts leadScrew{"3200", "", "5", AxisUnit::Millimetre};
// The same motor through a 3:1 gear onto a rotary table: 3200 × 3 / 360° = 26.666… pulses/°.
const AxisMechanicsTexts rotaryTable{"3200", "3", "", AxisUnit::Degree};

TEST(Axis, leadScrewConvertsExactlyBothWays)
{
    const AxisMechanics axis = mechanics(leadScrew);
    EXPECT_EQ(axis.pulsesPerUnitText(), "640");
    EXPECT_EQ(axis.pulseRateText("1"), "640");
    EXPECT_EQ(axis.pulseRateText("50"), "32000"); // not 31999.999999
    EXPECT_EQ(axis.pulseRateText(" 0.1 "), "64");
    EXPECT_EQ(axis.pulseRateTextFromRpm("600"), "32000"); // 10 rev/s × 3200
    EXPECT_EQ(axis.pulseCountText("12.5"), "8000");
    // The real drive shown in units: 1.000 and 50.000 mm/s, 12 and 600 rpm.
    EXPECT_EQ(axis.toUnits(640.0), 1.0);
    EXPECT_EQ(axis.toUnits(32000.0), 50.0);
    EXPECT_EQ(axis.motorRpm(640.0), 12.0);
    EXPECT_EQ(axis.motorRpm(32000.0), 600.0);
}

TEST(Axis, rotaryTableTurns360DegreesPerLoadRevolutionThroughItsGear)
{
    const AxisMechanics axis = mechanics(rotaryTable);
    EXPECT_EQ(axis.travelPerRev(), 360.0);
    EXPECT_EQ(axis.pulsesPerUnitText(), "26.666667");
    EXPECT_EQ(axis.pulseRateText("90"), "2400");      // 90 × 9600 / 360
    EXPECT_EQ(axis.pulseRateText("1"), "26.666667");  // rounded at six decimals
    EXPECT_EQ(axis.pulseRateText("-1"), "-26.666667"); // a sign is kept for the dialog to report
    EXPECT_EQ(axis.pulseCountText("10"), "267");      // 266.67 pulses: whole ones only
    EXPECT_EQ(axis.toUnits(2400.0), 90.0);
    EXPECT_EQ(axis.motorRpm(2400.0), 45.0); // the motor turns three times the table's 15 rpm
    EXPECT_TRUE(std::holds_alternative<AxisMechanics>(
        AxisMechanics::make({"3200", "3", "360.0", AxisUnit::Degree})));
    EXPECT_TRUE(std::holds_alternative<AxisMechanics>(
        AxisMechanics::make({"1000000000", "0.000001", "1e-6", AxisUnit::Millimetre}))); // both ends are figures
}

// Where pulses × travel leaves the doubles, the figure in units is still the quotient's.
TEST(Axis, figuresBeyondTheProductStayFinite)
{
    const AxisMechanics screw = mechanics(leadScrew); // 640 pulses/mm
    EXPECT_DOUBLE_EQ(screw.toUnits(1.6e308), 2.5e305);
    EXPECT_DOUBLE_EQ(screw.toUnits(-1.6e308), -2.5e305);
    EXPECT_DOUBLE_EQ(screw.motorRpm(1e308), 1.875e306);
}

TEST(Axis, mechanicsNameTheFirstBadFigure)
{
    using M = AxisMechanicsMember;
    using P = AxisMechanicsProblem;
    const struct {
        AxisMechanicsTexts texts;
        AxisMechanicsError error;
    } cases[] = {
        {{"", "", "5", AxisUnit::Millimetre}, {M::PulsesPerRev, P::NotANumber}},
        {{"3200 pulses", "", "5", AxisUnit::Millimetre}, {M::PulsesPerRev, P::NotANumber}},
        {{"0", "", "5", AxisUnit::Millimetre}, {M::PulsesPerRev, P::NotPositive}},
        {{"-3200", "x", "5", AxisUnit::Millimetre}, {M::PulsesPerRev, P::NotPositive}},
        {{std::string(79, '1'), "", "5", AxisUnit::Millimetre}, {M::PulsesPerRev, P::TooLong}},
        {{"3200", "0.0", "5", AxisUnit::Millimetre}, {M::Gear, P::NotPositive}},
        {{"3200", "1e999", "5", AxisUnit::Millimetre}, {M::Gear, P::NotANumber}},
        {{"3200", "", "", AxisUnit::Millimetre}, {M::TravelPerRev, P::NotANumber}},
        {{"3200", "", "inf", AxisUnit::Millimetre}, {M::TravelPerRev, P::NotANumber}},
        {{"3200", "", "180", AxisUnit::Degree}, {M::TravelPerRev, P::RotaryNot360}},
        // Beyond any machine: a travel whose double is 0 would show every figure as 0 mm.
        {{"3200", "", "1e-400", AxisUnit::Millimetre}, {M::TravelPerRev, P::OutOfRange}},
        {{"3200", "", "1000000000.5", AxisUnit::Millimetre}, {M::TravelPerRev, P::OutOfRange}},
        {{"3200", "0.00000099", "5", AxisUnit::Millimetre}, {M::Gear, P::OutOfRange}},
        {{"1e10", "", "5", AxisUnit::Millimetre}, {M::PulsesPerRev, P::OutOfRange}},
    };
    for (const auto& c : cases) {
        const auto made = AxisMechanics::make(c.texts);
        ASSERT_TRUE(std::holds_alternative<AxisMechanicsError>(made)) << c.texts.pulsesPerRev << c.texts.gear;
        EXPECT_EQ(std::get<AxisMechanicsError>(made), c.error) << c.texts.pulsesPerRev << c.texts.gear;
    }
}

TEST(DecimalNumber, readsWholeDecimalTextsOnly)
{
    for (const char* text : {"", "-", ".", "e5", "1e", "1e+", "0x10", "inf", "nan", "5 mm", "1..2", " 5", "1e401",
                             "1e-402", "1e99999999999999999999"}) {
        EXPECT_FALSE(DecimalNumber::parse(text)) << text;
    }
    EXPECT_EQ(*DecimalNumber::parse("5.0"), *DecimalNumber::parse("0.5e1"));
    EXPECT_EQ(*DecimalNumber::parse("-0"), *DecimalNumber::parse("0"));
    EXPECT_FALSE(*DecimalNumber::parse("5") == *DecimalNumber::parse("-5"));
    EXPECT_EQ(DecimalNumber::parse("1e308")->toDouble(), 1e308);
    EXPECT_EQ(DecimalNumber::parse("-.5")->toDouble(), -0.5);
}

TEST(DecimalNumber, quotientRoundsOnlyBeyondItsDecimals)
{
    const struct {
        const char* dividend;
        const char* divisor;
        int decimals;
        std::string text;
    } cases[] = {
        {"50", "0.015625", 6, "3200"},
        {"1", "3", 6, "0.333333"},
        {"2", "3", 6, "0.666667"},
        {"0.0000005", "1", 6, "0.000001"}, // a half rounds away from zero
        {"-0.0000005", "1", 6, "-0.000001"},
        {"0.0000004", "1", 6, "0"},
        {"-0.0000004", "1", 6, "0"}, // never "-0"
        {"999.9999996", "1", 6, "1000"},
        {"25", "10", 0, "3"},
        {"1e300", "1e-100", 0, "1" + std::string(400, '0')},
        {"123456789123456789123456789", "1e-9", 2, "123456789123456789123456789000000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(quotientText(*DecimalNumber::parse(c.dividend), *DecimalNumber::parse(c.divisor), c.decimals), c.text)
            << c.dividend << " / " << c.divisor;
    }
}

TEST(Axis, namesAreOneShortLineOfUtf8AndPrefixMacros)
{
    EXPECT_EQ(checkAxisName("X"), std::nullopt);
    EXPECT_EQ(checkAxisName("X軸"), std::nullopt);
    EXPECT_EQ(checkAxisName(""), AxisNameProblem::Empty);
    EXPECT_EQ(checkAxisName(std::string(79, 'a')), AxisNameProblem::TooLong);
    EXPECT_EQ(checkAxisName("X\xff"), AxisNameProblem::NotUtf8);
    EXPECT_EQ(checkAxisName("X\n"), AxisNameProblem::ControlCharacter);
    EXPECT_EQ(checkAxisName("X\xc2\x85"), AxisNameProblem::ControlCharacter);
    EXPECT_EQ(axisMacroPrefix("X"), "X");
    EXPECT_EQ(axisMacroPrefix("axis 2-b"), "axis_2_b");
    EXPECT_EQ(axisMacroPrefix("2"), "_2");
    EXPECT_EQ(axisMacroPrefix("X軸"), "X_");
}

} // namespace
} // namespace veldronix
