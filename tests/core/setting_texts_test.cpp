// The nine result texts of every drive type, worked out by hand from the formulas.
#include "core/decel_point.h"
#include "core/setting_texts.h"
#include "core/setting_values.h"
#include "core/texts_ja.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

namespace veldronix {
namespace {

// The summary, then the registers in the table's order: R, A, SV, V, K, AO, D, L.
struct Texts {
    std::string summary;
    std::array<std::string, settingRegisters.size()> registers;
};

struct TextsCase {
    const char* name;
    DriveInput input;
    double multiplier;
    Texts expected;
};

void expectTexts(const SettingTexts& actual, const Texts& expected, const char* name)
{
    EXPECT_EQ(actual.summary, expected.summary) << name;
    for (const RegisterDescription& entry : settingRegisters) {
        EXPECT_EQ(actual.registers[entry.id], expected.registers[static_cast<std::size_t>(entry.id)])
            << name << " " << entry.name;
    }
}

constexpr auto type0 = DriveType::SymmetricTrapezoid;
constexpr auto type1 = DriveType::SymmetricSCurve;
constexpr auto type2 = DriveType::AsymmetricTrapezoid;
constexpr auto type3 = DriveType::AsymmetricSCurve;

TEST(SettingTexts, EveryDriveType)
{
    const TextsCase cases[] = {
        {"trapezoid", {100, 10000, 0.2, 0, type0}, 2,
         {"初速度:100で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\n以下のようになります。",
          "4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "", ""}},
        {"s-curve", {100, 10000, 0.2, 0.3, type1}, 2,
         {"初速度:100で、ドライブ速度:10000までを0.200秒でS字加速する場合の設定値は\n以下のようになります。",
          "4000000 ", "8000.000 ", "50.000 ", "5000.000 ", "126.263 ", "0.000", "", ""}},
        {"asymmetric trapezoid", {100, 10000, 0.2, 0.3, type2}, 2,
         {"初速度:100で、ドライブ速度:10000までを0.200秒で直線加速し、\n初速度まで0.300秒で直線減速する場合の設定値は以下のようになります。",
          "4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "132.000", ""}},
        {"asymmetric s-curve", {100, 10000, 0.2, 0.3, type3}, 2,
         {"初速度:100で、ドライブ速度:10000までを0.200秒でS字加速し、\n初速度まで0.300秒でS字減速する場合の設定値は以下のようになります。",
          "4000000 ", "8000.000 ", "50.000 ", "5000.000 ", "126.263 ", "0.000", "8000.000", "284.091"}},
        {"speeds truncated in the summary only", {100.9, 10000.7, 0.2, 0, type0}, 2,
         {"初速度:100で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\n以下のようになります。",
          "4000000 ", "197.996 ", "50.450 ", "5000.350 ", "", "", "", ""}},
        {"equal speeds, trapezoid", {500, 500, 1, 2, type2}, 1,
         {"初速度:500で、ドライブ速度:500までを1.000秒で直線加速し、\n初速度まで2.000秒で直線減速する場合の設定値は以下のようになります。",
          "8000000 ", "0.000 ", "500.000 ", "500.000 ", "", "", "0.000", ""}},
        {"equal speeds, s-curve", {500, 500, 1, 2, type3}, 1,
         {"初速度:500で、ドライブ速度:500までを1.000秒でS字加速し、\n初速度まで2.000秒でS字減速する場合の設定値は以下のようになります。",
          "8000000 ", "8000.000 ", "500.000 ", "500.000 ", "inf ", "0.000", "8000.000", "inf"}},
        {"largest multiplier, negative and huge speeds", {-5.7, 1e20, 0.0005, 0, type0}, 500,
         {"初速度:-5で、ドライブ速度:100000000000000000000までを0.001秒で直線加速/減速する場合の設定値は\n以下のようになります。",
          "16000 ", "3200000000000000000.000 ", "-0.011 ", "200000000000000000.000 ", "", "", "", ""}},
        {"no drive type", {100, 10000, 0.2, 0.3, DriveType::None}, 10,
         {"", "800000 ", "", "10.000 ", "1000.000 ", "", "", "", ""}},
        {"unknown drive type", {100, 10000, 0.2, 0.3, static_cast<DriveType>(7)}, 10,
         {"", "800000 ", "", "10.000 ", "1000.000 ", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        const SettingValues values = computeSettingValues(c.input, c.multiplier);
        expectTexts(formatSettingTexts(values), c.expected, c.name);
        EXPECT_EQ(values.decelJerkRate.has_value(), c.input.driveType == type3) << c.name;
    }
}

// The summary's speeds are cut toward zero at any size, never to -0, and the
// non-finite values print without the sign a not-a-number may carry.
TEST(SettingTexts, SummaryNumbersAtTheirLimits)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double x86Nan = std::copysign(nan, -1.0); // as 0/0 gives it on x86: the sign bit set
    struct Case {
        DriveInput input;
        const char* expected;
    };
    const Case cases[] = {
        {{-0.5, 0.9, 0.0004, 0, type0},
         "初速度:0で、ドライブ速度:0までを0.000秒で直線加速/減速する場合の設定値は\n以下のようになります。"},
        {{-0.0, 2147483648.9, -0.0004, 0, type1},
         "初速度:0で、ドライブ速度:2147483648までを-0.000秒でS字加速する場合の設定値は\n以下のようになります。"},
        {{-2147483649.5, 9223372036854775808.0, 0.0005, 2.0625, type2},
         "初速度:-2147483649で、ドライブ速度:9223372036854775808までを0.001秒で直線加速し、\n初速度まで2.062秒で"
         "直線減速する場合の設定値は以下のようになります。"},
        {{-inf, inf, nan, x86Nan, type3},
         "初速度:-infで、ドライブ速度:infまでをnan秒でS字加速し、\n初速度までnan秒でS字減速する場合の設定値は以下のようになります。"},
        {{x86Nan, -1e20, inf, -inf, type2},
         "初速度:nanで、ドライブ速度:-100000000000000000000までをinf秒で直線加速し、\n初速度まで-inf秒で直線減速する"
         "場合の設定値は以下のようになります。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(computeSettingValues(c.input, 1).summary, c.expected) << c.expected;
    }

    // 1e300 is an exact whole number of 301 digits: all of them are printed.
    const std::string huge = computeSettingValues({0, 1e300, 1, 0, type0}, 1).summary;
    const std::string drivePart = "ドライブ速度:"
        "1000000000000000052504760255204420248704468581108159154915854115511802457988908195786371375080447864"
        "0437044438328838781769425232353604305756447921847867069828483872009265758037378302337947880900593689"
        "53234970799945081119038967640880074652742780142494579258788820056842838115669472196386865459400540160";
    EXPECT_NE(huge.find(drivePart + "までを1.000秒で"), std::string::npos) << huge;

    // A value field shows a not-a-number without a sign as well.
    SettingValues values;
    values.registers[SettingRegister::R] = x86Nan;
    values.registers[SettingRegister::SV] = -inf;
    values.registers[SettingRegister::V] = -0.0;
    values.registers[SettingRegister::L] = x86Nan;
    const SettingTexts texts = formatSettingTexts(values);
    EXPECT_EQ(texts.registers[SettingRegister::R], "nan ");
    EXPECT_EQ(texts.registers[SettingRegister::SV], "-inf ");
    EXPECT_EQ(texts.registers[SettingRegister::V], "-0.000 ");
    EXPECT_EQ(texts.registers[SettingRegister::L], "nan");
    EXPECT_EQ(formatDecelPoint(x86Nan), "nan");
}

TEST(SettingValues, ExactValuesAndJerk)
{
    const SettingValues values = computeSettingValues({100.9, 10000.7, 0.2, 0.3, type3}, 2);
    EXPECT_EQ(values.registers[SettingRegister::SV], 50.45);   // 100.9 / 2, halved exactly
    EXPECT_EQ(values.registers[SettingRegister::V], 5000.35);  // 10000.7 / 2
    EXPECT_EQ(values.registers[SettingRegister::AO], 0.0);
    const SettingValues reference = computeSettingValues({100, 10000, 0.2, 0.3, type3}, 2);
    ASSERT_TRUE(reference.decelJerkRate);
    EXPECT_EQ(*reference.decelJerkRate, 440000.0); // (10000 - 100) x 4 / 0.3^2, exact in doubles
}

TEST(DecelPoint, FormulaAndText)
{
    EXPECT_EQ(formatDecelPoint(computeManualDecelPoint(10000, 100, 10000, 440000)), "8485.000");
    EXPECT_EQ(computeManualDecelPoint(1000, 100, 10000, 440000), -515.0);
    EXPECT_TRUE(std::isnan(computeManualDecelPoint(10000, 10000, 100, 440000)));
}

TEST(Texts, SelectorItems)
{
    const char* types[] = {"対称台形加減速", "対称S字加減速", "非対称台形加減速", "非対称S字加減速"};
    const char* multipliers[] = {"1(8,000,000)", "2(4,000,000)", "5(1,600,000)", "10(800,000)", "20(400,000)",
                                 "50(160,000)",  "100(80,000)",  "200(40,000)",  "500(16,000)"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(texts::ja::driveTypeItems[i], types[i]);
    }
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(texts::ja::multiplierItems[i], multipliers[i]);
    }
}

} // namespace
} // namespace veldronix
