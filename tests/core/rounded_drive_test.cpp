// The drive that the rounded registers really give, worked out by hand (the
// figures beside each case) and checked against the forward formulas.
#include "core/rounded_drive.h"
#include "core/rounded_profile.h"
#include "core/speed_multiplier.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace veldronix {
namespace {

using enum SettingRegister;
using enum RoundingProblem;
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
        {"trapezoid with ties", {333, 12345, 0.37, 0, type0}, 2, 4000000, 130, 167, 6173, nullopt, nullopt, nullopt,
         {334, 100.0 / 333}, {12346, 100.0 / 12345}, {0.3696, -0.04 / 0.37}, {}, {}, {}},
        // 100 -> 10000 in 0.2 s, M = 2: J = 4 x 9900 / 0.04 = 990000, K = 62.5e6 / J x 2 = 126.263 -> 126;
        // real J = 125e6 / 126 = 992063.492, T = 2 sqrt(9900 x 126 / 125e6) = 2 sqrt(0.0099792).
        {"s-curve", {100, 10000, 0.2, 0.3, type1}, 2, 4000000, 8000, 50, 5000, 126, nullopt, nullopt, {100, 0},
         {10000, 0}, {2 * std::sqrt(0.0099792), (std::sqrt(0.0099792) * 10 - 1) * 100}, {},
         {125e6 / 126, (125e6 / 126 / 990000 - 1) * 100}, {}},
        // 50 -> 7000 in 0.3 s and 0.7 s, M = 1: A = 6950 / 0.3 x 0.008 = 185.333 -> 185,
        // D = 6950 / 0.7 x 0.008 = 79.429 -> 79; Ta = 6950 / (185 x 125) = 0.30054, Td = 6950 / 9875 = 0.70380.
        {"asymmetric trapezoid", {50, 7000, 0.3, 0.7, type2}, 1, 8000000, 185, 50, 7000, nullopt, 79, nullopt,
         {50, 0}, {7000, 0}, {6950.0 / 23125, (6950.0 / 23125 / 0.3 - 1) * 100},
         {6950.0 / 9875, (6950.0 / 9875 / 0.7 - 1) * 100}, {}, {}},
        // As the s-curve, and L = 62.5e6 / (39600 / 0.09) x 2 = 284.091 -> 284: J2 = 125e6 / 284 = 440140.845,
        // Td = 2 sqrt(9900 x 284 / 125e6) = 2 sqrt(0.0224928).
        {"asymmetric s-curve", {100, 10000, 0.2, 0.3, type3}, 2, 4000000, 8000, 50, 5000, 126, 8000, 284, {100, 0},
         {10000, 0}, {2 * std::sqrt(0.0099792), (std::sqrt(0.0099792) * 10 - 1) * 100},
         {2 * std::sqrt(0.0224928), (2 * std::sqrt(0.0224928) / 0.3 - 1) * 100},
         {125e6 / 126, (125e6 / 126 / 990000 - 1) * 100}, {125e6 / 284, (125e6 / 284 / 440000 - 1) * 100}},
        // The larger multiplier 10 of the trapezoid: A = 39.6 -> 40, 40 x 125 x 10 = 50000 PPS/s, 9900 / 50000 = 0.198 s.
        {"larger multiplier", {100, 10000, 0.2, 0, type0}, 10, 800000, 40, 10, 1000, nullopt, nullopt, nullopt,
         {100, 0}, {10000, 0}, {0.198, -1}, {}, {}, {}},
        // No drive type: only R, SV and V, and the speeds.
        {"no drive type", {100.4, 10000, 0.2, 0.3, DriveType::None}, 2, 4000000, nullopt, 50, 5000, nullopt, nullopt,
         nullopt, {100, -0.4 / 100.4 * 100}, {10000, 0}, {}, {}, {}, {}},
    };
    for (const auto& c : cases) {
        const RoundedDrive drive = computeRoundedDrive(c.input, c.multiplier);
        EXPECT_TRUE(drive.findings.empty()) << c.name;
        EXPECT_EQ(drive.multiplier, c.multiplier) << c.name;
        expectNear(drive.rounded.valueR, c.r, c.name, "R");
        expectNear(drive.rounded.valueA, c.a, c.name, "A");
        expectNear(drive.rounded.valueSV, c.sv, c.name, "SV");
        expectNear(drive.rounded.valueV, c.v, c.name, "V");
        expectNear(drive.rounded.valueK, c.k, c.name, "K");
        expectNear(drive.rounded.valueD, c.d, c.name, "D");
        expectNear(drive.rounded.valueL, c.l, c.name, "L");
        EXPECT_EQ(drive.rounded.valueAO.has_value(), isSCurve(c.input.driveType)) << c.name;
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

struct FindingCase {
    const char* name;
    DriveInput input;
    double multiplier;
    std::vector<std::pair<SettingRegister, RoundingProblem>> findings;
    bool initialKnown, driveKnown, accelTimeKnown, decelTimeKnown;
};

TEST(RoundedDrive, UnusableRegistersAreFindingsAndGiveNoRealValue)
{
    constexpr double huge = std::numeric_limits<double>::max();
    const FindingCase cases[] = {
        // SV = 0.4 rounds to 0; the other registers are fine, but a time needs both speeds.
        {"initial speed rounds to 0", {0.4, 1000, 1, 0, type0}, 1, {{SV, Zero}}, false, true, false, false},
        // SV = 0.5 is a tie and goes up to 1.
        {"initial speed tie goes up", {0.5, 1000, 1, 0, type0}, 1, {}, true, true, true, false},
        // A = 10 / 10 x 0.008 = 0.008 -> 0.
        {"acceleration rounds to 0", {100, 110, 10, 0, type0}, 1, {{A, Zero}}, true, true, false, false},
        // D = 6950 / 100 x 0.008 = 0.556 -> 1, but A = 6950 / 1000 x 0.008 = 0.0556 -> 0.
        {"only the acceleration of two", {50, 7000, 1000, 100, type2}, 1, {{A, Zero}}, true, true, false, true},
        // J = 4 x 7900 / 1e-4 = 3.16e8, K = 62.5e6 / J = 0.198 -> 0.
        {"K rounds to 0", {100, 8000, 0.01, 0, type1}, 1, {{K, Zero}}, true, true, false, false},
        // L = 62.5e6 / (4 x 7900 / 1e-4) = 0.198 -> 0, K fine.
        {"L rounds to 0", {100, 8000, 1, 0.01, type3}, 1, {{L, Zero}}, true, true, true, false},
        // A = 8000 / 1e-4 x 0.008 = 640000, above the register's 8000.
        {"acceleration above 8000", {0.5, 8000, 1e-4, 0, type0}, 1, {{A, AboveMaximum}}, true, true, false, false},
        // A = 7999.5 / 1 x 0.008 = 63.996 -> 64 is fine; D = 7999.5 / 1e-4 x 0.008 = 639960 is above 8000.
        {"deceleration above 8000", {0.5, 8000, 1, 1e-4, type2}, 1, {{D, AboveMaximum}}, true, true, true, false},
        // V = 8000.4 / 1 rounds to 8000, the largest the register holds; 8000.5 rounds to 8001.
        {"drive speed 8000 after rounding", {100, 8000.4, 1, 0, type0}, 1, {}, true, true, true, false},
        {"drive speed 8001 after rounding", {100, 8000.5, 1, 0, type0}, 1, {{V, AboveMaximum}}, true, false, false,
         false},
        // SV = -5 passes the input checks but no register holds it.
        {"negative initial speed", {-5, 1000, 1, 0, type0}, 1, {{SV, Negative}}, false, true, false, false},
        // -0.4 rounds to 0, not to a negative value.
        {"small negative initial speed", {-0.4, 1000, 1, 0, type0}, 1, {{SV, Zero}}, false, true, false, false},
        // A negative time gives a negative A.
        {"negative time", {100, 1000, -1, 0, type0}, 1, {{A, Negative}}, true, true, false, false},
        // Equal speeds of an S-curve give an infinite K and L.
        {"equal speeds", {500, 500, 1, 2, type3}, 1, {{K, NotFinite}, {L, NotFinite}}, true, true, false, false},
        // 9900 / 1e-320 overflows: A and D are infinite.
        {"overflowing rate", {100, 10000, 1e-320, 1e-320, type2}, 2, {{A, NotFinite}, {D, NotFinite}}, true, true,
         false, false},
        // J1 = 4 x 9900 / (1e-320)^2 is infinite, so K = 0; J2 = 4 x 9900 / (1e300)^2 is 0, so L is infinite.
        {"vanishing and infinite jerks", {100, 10000, 1e-320, 1e300, type3}, 2, {{K, Zero}, {L, NotFinite}}, true,
         true, false, false},
        // The largest initial speed below zero: SV and A out of every range, nothing real.
        {"largest negative initial speed", {-huge, 4000000, 1, 0, type0}, 500, {{A, AboveMaximum}, {SV, Negative}},
         false, true, false, false},
        {"infinite initial speed", {-std::numeric_limits<double>::infinity(), 100, 1, 0, type0}, 1,
         {{A, NotFinite}, {SV, NotFinite}}, false, true, false, false},
    };
    for (const auto& c : cases) {
        const RoundedDrive drive = computeRoundedDrive(c.input, c.multiplier);
        ASSERT_EQ(drive.findings.size(), c.findings.size()) << c.name;
        for (std::size_t i = 0; i < c.findings.size(); ++i) {
            EXPECT_EQ(drive.findings[i].setting, c.findings[i].first) << c.name << " #" << i;
            EXPECT_EQ(drive.findings[i].problem, c.findings[i].second) << c.name << " #" << i;
        }
        EXPECT_EQ(drive.initialSpeed.real.has_value(), c.initialKnown) << c.name;
        EXPECT_EQ(drive.driveSpeed.real.has_value(), c.driveKnown) << c.name;
        EXPECT_EQ(drive.accelTime && drive.accelTime->real, c.accelTimeKnown) << c.name;
        EXPECT_EQ(drive.decelTime && drive.decelTime->real, c.decelTimeKnown) << c.name;
        // Whatever the input, nothing non-finite is ever offered as a real value.
        for (const auto& q : {std::optional<RealQuantity>(drive.initialSpeed), std::optional<RealQuantity>(drive.driveSpeed),
                              drive.accelTime, drive.decelTime, drive.accelJerk, drive.decelJerk}) {
            if (q && q->real) {
                EXPECT_TRUE(std::isfinite(*q->real)) << c.name;
            }
            if (q && q->deviationPercent) {
                EXPECT_TRUE(std::isfinite(*q->deviationPercent)) << c.name;
            }
        }
    }
}

TEST(RoundedDrive, FindingKeepsTheValueBeforeAndAfterRounding)
{
    const RoundedDrive drive = computeRoundedDrive({-0.4, 1000, 1, 0, type0}, 2);
    ASSERT_EQ(drive.findings.size(), 1u);
    EXPECT_EQ(drive.findings[0].settingValue, -0.2);
    EXPECT_FALSE(std::signbit(drive.findings[0].rounded)); // 0, never -0
    EXPECT_FALSE(std::signbit(drive.rounded.valueSV));
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
        EXPECT_NEAR(again.valueSV, drive.rounded.valueSV, 1e-9) << i;
        EXPECT_NEAR(again.valueV, drive.rounded.valueV, 1e-9) << i;
        const auto near = [&](const std::optional<double>& value, const std::optional<double>& rounded) {
            ASSERT_EQ(value.has_value(), rounded.has_value()) << i;
            if (value) {
                EXPECT_NEAR(*value, *rounded, *rounded * 1e-9) << i;
            }
        };
        near(again.valueA, drive.rounded.valueA);
        near(again.valueK, drive.rounded.valueK);
        near(again.valueD, drive.rounded.valueD);
        near(again.valueL, drive.rounded.valueL);
        ++checked;
    }
    EXPECT_GT(checked, 1000);
}

// Seeded sweep over arbitrary bit patterns (infinities, not-a-numbers,
// subnormals) and any multiplier: never a non-finite real value, deviation or
// profile figure, and a finding for every register that is not a usable integer.
TEST(RoundedDrive, HostileInputNeverGivesANonFiniteFigure)
{
    std::mt19937_64 random(7);
    const auto anyDouble = [&] { return std::bit_cast<double>(random()); };
    const auto interesting = [&] {
        static constexpr double picks[] = {0.0, -0.0, 1e-320, -1e-320, 1e308, -1e308,
                                           std::numeric_limits<double>::infinity(),
                                           -std::numeric_limits<double>::infinity(), 0.5, 8000.5, 1.0};
        return random() % 3 == 0 ? picks[random() % std::size(picks)] : anyDouble();
    };
    for (int i = 0; i < 20000; ++i) {
        const DriveInput input{interesting(), interesting(), interesting(), interesting(),
                               static_cast<DriveType>(static_cast<int>(random() % 6) - 1)};
        const double multiplier = i % 2 == 0 ? speedMultipliers[random() % speedMultipliers.size()] : interesting();
        const RoundedDrive drive = computeRoundedDrive(input, multiplier);
        for (const auto& q : {std::optional<RealQuantity>(drive.initialSpeed), std::optional<RealQuantity>(drive.driveSpeed),
                              drive.accelTime, drive.decelTime, drive.accelJerk, drive.decelJerk}) {
            if (q && q->real) {
                ASSERT_TRUE(std::isfinite(*q->real)) << i;
            }
            if (q && q->deviationPercent) {
                ASSERT_TRUE(std::isfinite(*q->deviationPercent)) << i;
            }
        }
        for (const auto& finding : drive.findings) {
            ASSERT_TRUE(!std::isfinite(finding.rounded) || finding.rounded <= 0.0 ||
                        finding.problem == RoundingProblem::AboveMaximum)
                << i;
        }
        const RoundedProfile profile = computeRoundedProfile(input, drive, interesting());
        if (profile.real && profile.real->status == ProfileStatus::Complete) {
            ASSERT_TRUE(std::isfinite(profile.real->totalTime) && std::isfinite(profile.real->decelPoint)) << i;
        }
        if (profile.earlyBy) {
            ASSERT_TRUE(std::isfinite(*profile.earlyBy)) << i;
        }
    }
}

} // namespace
} // namespace veldronix
