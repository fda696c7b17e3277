// What the rounded registers cannot give: each unusable register is a finding,
// and no real value is offered that the registers do not determine; never a
// non-finite figure, whatever the input.
#include "core/rounded_drive.h"
#include "core/rounded_profile.h"
#include "core/speed_multiplier.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace veldronix {
namespace {

using enum SettingRegister;
using enum RoundingProblem;

constexpr auto type0 = DriveType::SymmetricTrapezoid;
constexpr auto type1 = DriveType::SymmetricSCurve;
constexpr auto type2 = DriveType::AsymmetricTrapezoid;
constexpr auto type3 = DriveType::AsymmetricSCurve;

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
    EXPECT_FALSE(std::signbit(*drive.rounded[SettingRegister::SV]));
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
