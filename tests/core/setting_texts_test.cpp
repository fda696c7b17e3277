// The nine result texts of every drive type, worked out by hand from the formulas.
#include "core/decel_point.h"
#include "core/setting_texts.h"
#include "core/setting_values.h"
#include "core/texts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veldronix {
namespace {

struct TextsCase {
    const char* name;
    DriveInput input;
    double multiplier;
    SettingTexts expected; // summary, R, A, SV, V, K, AO, D, L
};

void expectTexts(const SettingTexts& actual, const SettingTexts& expected, const char* name)
{
    EXPECT_EQ(actual.summary, expected.summary) << name;
    EXPECT_EQ(actual.r, expected.r) << name;
    EXPECT_EQ(actual.a, expected.a) << name;
    EXPECT_EQ(actual.sv, expected.sv) << name;
    EXPECT_EQ(actual.v, expected.v) << name;
    EXPECT_EQ(actual.k, expected.k) << name;
    EXPECT_EQ(actual.ao, expected.ao) << name;
    EXPECT_EQ(actual.d, expected.d) << name;
    EXPECT_EQ(actual.l, expected.l) << name;
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
        expectTexts(formatSettingTexts(values, c.input.driveType), c.expected, c.name);
        EXPECT_EQ(values.decelJerkRate.has_value(), c.input.driveType == type3) << c.name;
    }
}

TEST(SettingValues, ExactValuesAndJerk)
{
    const SettingValues values = computeSettingValues({100.9, 10000.7, 0.2, 0.3, type3}, 2);
    EXPECT_EQ(values.valueSV, 100.9 / 2);
    EXPECT_EQ(values.valueV, 10000.7 / 2);
    EXPECT_EQ(values.valueAO, 0.0);
    const SettingValues reference = computeSettingValues({100, 10000, 0.2, 0.3, type3}, 2);
    ASSERT_TRUE(reference.decelJerkRate);
    EXPECT_EQ(*reference.decelJerkRate, (9900.0 * 4) / (0.3 * 0.3));
    EXPECT_NEAR(*reference.decelJerkRate, 440000.0, 1e-6);
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
        EXPECT_EQ(texts::driveTypeItems[i], types[i]);
    }
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(texts::multiplierItems[i], multipliers[i]);
    }
}

} // namespace
} // namespace veldronix
