// The drive that the rounded registers really give, worked out by hand (the
// figures beside each case) and checked against the forward formulas.
#include "core/rounded_drive.h"
#include "core/rounded_profile.h"
#include "core/speed_multiplier.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>

namespace veldronix {
namespace {

using std::nullopt;

constexpr auto type0 = DriveType::SymmetricTrapezoid;
constexpr auto type1 = DriveType::SymmetricSCurve;
constexpr auto type2 = DriveType::AsymmetricTrapezoid;
constexpr auto type3 = DriveType::AsymmetricSCurve;

// A real value and its deviation in percent; none where the tool must give none.
struct Real {
    std::optional<double> value;
    std::optional<double> deviation;
};

struct RoundTripCase {
    const char* name;
    DriveInput input;
    double multiplier;
    // Rounded R, A, SV, V, K, D, L.
    std::optional<double> r, a, sv, v, k, d, l;
    Real initial, drive, accelTime, decelTime, accelJerk, decelJerk;
};

void expectNear(const std::optional<double>& actual, const std::optional<double>& expected, const char* name,
                const char* what)
{
    ASSERT_EQ(actual.has_value(), expected.has_value()) << name << ": " << what;
    if (expected) {
        EXPECT_NEAR(*actual, *expected, std::abs(*expected) * 1e-9 + 1e-12) << name << ": " << what;
    }
}

void expectReal(const std::optional<RealQuantity>& actual, const Real& expected, const char* name, const char* what)
{
    const bool wanted = expected.value || expected.deviation;
    if (!wanted) {
        // Either no such quantity for the type, or one without a real value.
        EXPECT_TRUE(!actual || !actual->real) << name << ": " << what;
        return;
    }
    ASSERT_TRUE(actual.has_value()) << name << ": " << what;
    expectNear(actual->real, expected.value, name, what);
    expectNear(actual->deviationPercent, expected.deviation, name, what);
}

TEST(RoundedDrive, RoundTripOfEveryDriveType)
{
    const RoundTripCase cases[] = {
        // 100 -> 10000 PPS in 0.2 s, M = 2: A = 9900 / 0.2 x 0.008 / 2 = 198, SV 50, V 5000 are
        // whole already, so the real drive is the requested one.
        {"exact multiples", {100, 10000, 0.2, 0, type0}, 2, 4000000, 198, 50, 5000, nullopt, nullopt, nullopt,
         {100, 0}, {10000, 0}, {0.2, 0}, {}, {}, {}},
        // 333 -> 12345 PPS in 0.37 s, M = 2: SV 166.5 and V 6172.5 are ties and go up to 167 and
        // 6173 (334 and 12346 PPS: +1/333 and +1/12345); A = 12012 / 0.37 x 0.008 / 2 = 129.859 -> 130,
        // a rate of 130 x 125 x 2 = 32500 PPS/s, so 12012 / 32500 = 0.3696 s (-0.0004 / 0.37).
        // Deviations: 1 / 333 = 0.3003003 %, 1 / 12345 = 0.0081004455 %, -0.0004 / 0.37 = -0.1081081 %.
        {"trapezoid with ties", {333, 12345, 0.37, 0, type0}, 2, 4000000, 130, 167, 6173, nullopt, nullopt, nullopt,
         {334, 0.300300300300300}, {12346, 0.00810044552450385}, {0.3696, -0.108108108108108}, {}, {}, {}},
        // 100 -> 10000 in 0.2 s, M = 2: J = 4 x 9900 / 0.04 = 990000, K = 62.5e6 / J x 2 = 126.263 -> 126;
        // real J = 125e6 / 126 = 992063.492063, 992063.492063 / 990000 - 1 = +0.2084335 %;
        // T = 2 sqrt(9900 x 126 / 125e6) = 2 sqrt(0.0099792) = 0.1997918917, 0.1997918917 / 0.2 - 1 = -0.1040541 %.
        {"s-curve", {100, 10000, 0.2, 0.3, type1}, 2, 4000000, 8000, 50, 5000, 126, nullopt, nullopt, {100, 0},
         {10000, 0}, {0.199791891727367, -0.104054136316423}, {}, {992063.492063492, 0.208433541766875}, {}},
        // 50 -> 7000 in 0.3 s and 0.7 s, M = 1: A = 6950 / 0.3 x 0.008 = 185.333 -> 185,
        // D = 6950 / 0.7 x 0.008 = 79.429 -> 79; Ta = 6950 / (185 x 125) = 0.3005405405, 1 / 555 = +0.1801802 %;
        // Td = 6950 / (79 x 125) = 0.7037974684, 6950 / 6912.5 - 1 = +0.5424955 %.
        {"asymmetric trapezoid", {50, 7000, 0.3, 0.7, type2}, 1, 8000000, 185, 50, 7000, nullopt, 79, nullopt,
         {50, 0}, {7000, 0}, {0.300540540540541, 0.180180180180180}, {0.703797468354430, 0.542495479204340}, {},
         {}},
        // As the s-curve, and L = 62.5e6 / (39600 / 0.09) x 2 = 284.091 -> 284: J2 = 125e6 / 284 = 440140.845070,
        // 440140.845070 / 440000 - 1 = +0.0320102 %; Td = 2 sqrt(9900 x 284 / 125e6) = 2 sqrt(0.0224928)
        // = 0.2999519962, 0.2999519962 / 0.3 - 1 = -0.0160013 %.
        {"asymmetric s-curve", {100, 10000, 0.2, 0.3, type3}, 2, 4000000, 8000, 50, 5000, 126, 8000, 284, {100, 0},
         {10000, 0}, {0.199791891727367, -0.104054136316423}, {0.299951996159385, -0.0160012802048410},
         {992063.492063492, 0.208433541766875}, {440140.845070423, 0.0320102432778489}},
        // The larger multiplier 10 of the trapezoid: A = 39.6 -> 40, 40 x 125 x 10 = 50000 PPS/s, 9900 / 50000 = 0.198 s.
        {"larger multiplier", {100, 10000, 0.2, 0, type0}, 10, 800000, 40, 10, 1000, nullopt, nullopt, nullopt,
         {100, 0}, {10000, 0}, {0.198, -1}, {}, {}, {}},
        // No drive type: only R, SV and V, and the speeds; SV 50.2 -> 50 is 100 PPS, -0.4 / 100.4 = -0.3984064 %.
        {"no drive type", {100.4, 10000, 0.2, 0.3, DriveType::None}, 2, 4000000, nullopt, 50, 5000, nullopt, nullopt,
         nullopt, {100, -0.398406374501992}, {10000, 0}, {}, {}, {}, {}},
    };
    for (const auto& c : cases) {
        const RoundedDrive drive = computeRoundedDrive(c.input, c.multiplier);
        EXPECT_TRUE(drive.findings.empty()) << c.name;
        EXPECT_EQ(drive.multiplier, c.multiplier) << c.name;
        expectNear(drive.rounded[SettingRegister::R], c.r, c.name, "R");
        expectNear(drive.rounded[SettingRegister::A], c.a, c.name, "A");
        expectNear(drive.rounded[SettingRegister::SV], c.sv, c.name, "SV");
        expectNear(drive.rounded[SettingRegister::V], c.v, c.name, "V");
        expectNear(drive.rounded[SettingRegister::K], c.k, c.name, "K");
        expectNear(drive.rounded[SettingRegister::D], c.d, c.name, "D");
        expectNear(drive.rounded[SettingRegister::L], c.l, c.name, "L");
        EXPECT_EQ(drive.rounded[SettingRegister::AO].has_value(), isSCurve(c.input.driveType)) << c.name;
        expectReal(drive.initialSpeed, c.initial, c.name, "initial speed");
        expectReal(drive.driveSpeed, c.drive, c.name, "drive speed");
        expectReal(drive.accelTime, c.accelTime, c.name, "acceleration time");
        expectReal(drive.decelTime, c.decelTime, c.name, "deceleration time");
        expectReal(drive.accelJerk, c.accelJerk, c.name, "acceleration jerk");
        expectReal(drive.decelJerk, c.decelJerk, c.name, "deceleration jerk");
    }
}

// The exact integers go through the arithmetic unchanged: a drive of whole
// registers has no deviation at all, not a tiny one.
TEST(RoundedDrive, ExactMultiplesDeviateByExactlyZero)
{
    const RoundedDrive drive = computeRoundedDrive({100, 10000, 0.2, 0.3, type2}, 2);
    ASSERT_TRUE(drive.accelTime && drive.decelTime);
    EXPECT_EQ(drive.initialSpeed.deviationPercent, 0.0);
    EXPECT_EQ(drive.driveSpeed.deviationPercent, 0.0);
    EXPECT_EQ(drive.accelTime->real, 0.2); // 9900 / (198 x 125 x 2)
    EXPECT_EQ(drive.decelTime->real, 0.3); // 9900 / (132 x 125 x 2)
    EXPECT_EQ(drive.accelTime->deviationPercent, 0.0);
    EXPECT_EQ(drive.decelTime->deviationPercent, 0.0);
}

// Seeded sweep: the real drive put through the forward formulas with the same
// multiplier gives back the rounded registers, for every type and every
// multiplier the automatic choice makes.
TEST(RoundedDrive, RealDriveGivesBackTheRoundedRegisters)
{
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> logSpeed(0.0, std::log10(4000000.0));
    std::uniform_real_distribution<double> logTime(-2.0, 1.0);
    std::uniform_real_distribution<double> fraction(0.0, 0.9);
    int checked = 0;
    for (int i = 0; i < 4000; ++i) {
        DriveInput input;
        input.driveSpeed = std::pow(10.0, logSpeed(random));
        input.initialSpeed = input.driveSpeed * fraction(random);
        input.accelTime = std::pow(10.0, logTime(random));
        input.decelTime = std::pow(10.0, logTime(random));
        input.driveType = static_cast<DriveType>(i % 4);
        const double multiplier = *selectMultiplier(input.driveSpeed);
        const RoundedDrive drive = computeRoundedDrive(input, multiplier);
        if (!drive.findings.empty()) {
            continue;
        }
        DriveInput real = input;
        real.initialSpeed = *drive.initialSpeed.real;
        real.driveSpeed = *drive.driveSpeed.real;
        real.accelTime = *drive.accelTime->real;
        real.decelTime = drive.decelTime ? *drive.decelTime->real : real.accelTime;
        if (real.driveSpeed == real.initialSpeed) {
            continue; // no ramp left: the rate registers cannot be recovered
        }
        const SettingValues again = computeSettingValues(real, multiplier);
        EXPECT_NEAR(*again.registers[SettingRegister::SV], *drive.rounded[SettingRegister::SV], 1e-9) << i;
        EXPECT_NEAR(*again.registers[SettingRegister::V], *drive.rounded[SettingRegister::V], 1e-9) << i;
        const auto near = [&](const std::optional<double>& value, const std::optional<double>& rounded) {
            ASSERT_EQ(value.has_value(), rounded.has_value()) << i;
            if (value) {
                EXPECT_NEAR(*value, *rounded, *rounded * 1e-9) << i;
            }
        };
        near(again.registers[SettingRegister::A], drive.rounded[SettingRegister::A]);
        near(again.registers[SettingRegister::K], drive.rounded[SettingRegister::K]);
        near(again.registers[SettingRegister::D], drive.rounded[SettingRegister::D]);
        near(again.registers[SettingRegister::L], drive.rounded[SettingRegister::L]);
        ++checked;
    }
    EXPECT_GT(checked, 1000);
}

} // namespace
} // namespace veldronix
