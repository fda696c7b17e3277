// The motion of a drive of a given pulse count, against figures worked by hand:
// the phases of a complete profile, and why a profile is refused.
#include "core/velocity_profile.h"
#include "profile_drive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace veldronix {
namespace {

using testing_support::Drive;
using testing_support::profileOf;

constexpr double inf = std::numeric_limits<double>::infinity();
const double nan = std::nan("");

struct CompleteCase {
    const char* name;
    Drive drive;
    ProfilePhase accel, constant, decel;
    double totalTime;
    double decelPoint;
};

void PrintTo(const CompleteCase& c, std::ostream* os)
{
    *os << c.name;
}

class CompleteProfile : public testing::TestWithParam<CompleteCase> {};

TEST_P(CompleteProfile, matchesTheHandWorkedPhases)
{
    const CompleteCase& c = GetParam();
    const VelocityProfile profile = profileOf(c.drive);
    ASSERT_EQ(profile.status, ProfileStatus::Complete);
    EXPECT_DOUBLE_EQ(profile.accel.time, c.accel.time);
    EXPECT_DOUBLE_EQ(profile.accel.pulses, c.accel.pulses);
    EXPECT_DOUBLE_EQ(profile.constant.time, c.constant.time);
    EXPECT_DOUBLE_EQ(profile.constant.pulses, c.constant.pulses);
    EXPECT_DOUBLE_EQ(profile.decel.time, c.decel.time);
    EXPECT_DOUBLE_EQ(profile.decel.pulses, c.decel.pulses);
    EXPECT_DOUBLE_EQ(profile.totalTime, c.totalTime);
    EXPECT_DOUBLE_EQ(profile.decelPoint, c.decelPoint);
    EXPECT_DOUBLE_EQ(profile.rampPulses, c.accel.pulses + c.decel.pulses);
}

// 100 -> 10000 PPS: a ramp of 0.2 s outputs the mean speed 5050 PPS x 0.2 s = 1010
// pulses, one of 0.3 s 5050 x 0.3 = 1515, whether linear or S-shaped (the S-curve
// is point-symmetric about its midpoint, so its mean speed is the same).
// Symmetric types ignore the 0.3 s: 10000 - 2 x 1010 = 7980 pulses at 10000 PPS
// take 0.798 s, 1.198 s in all. Asymmetric: 10000 - 1010 - 1515 = 7475 pulses,
// 0.7475 s, 1.2475 s in all; the deceleration begins at 10000 - 1515 = 8485,
// the dialog's manual deceleration point of the same drive.
INSTANTIATE_TEST_SUITE_P(
    VelocityProfile, CompleteProfile,
    testing::Values(
        CompleteCase{"SymmetricTrapezoid", {100, 10000, 0.2, 0.3, DriveType::SymmetricTrapezoid, 10000},
                     {0.2, 1010}, {0.798, 7980}, {0.2, 1010}, 1.198, 8990},
        CompleteCase{"SymmetricSCurve", {100, 10000, 0.2, 0.3, DriveType::SymmetricSCurve, 10000},
                     {0.2, 1010}, {0.798, 7980}, {0.2, 1010}, 1.198, 8990},
        CompleteCase{"AsymmetricTrapezoid", {100, 10000, 0.2, 0.3, DriveType::AsymmetricTrapezoid, 10000},
                     {0.2, 1010}, {0.7475, 7475}, {0.3, 1515}, 1.2475, 8485},
        CompleteCase{"AsymmetricSCurve", {100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve, 10000},
                     {0.2, 1010}, {0.7475, 7475}, {0.3, 1515}, 1.2475, 8485},
        // Exactly the pulses of the two ramps: the drive touches the drive speed, no constant phase.
        CompleteCase{"SymmetricBoundary", {100, 10000, 0.2, 0, DriveType::SymmetricTrapezoid, 2020},
                     {0.2, 1010}, {0, 0}, {0.2, 1010}, 0.4, 1010},
        CompleteCase{"AsymmetricSCurveBoundary", {100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve, 2525},
                     {0.2, 1010}, {0, 0}, {0.3, 1515}, 0.5, 1010},
        // Equal speeds need no ramp: 1000 pulses at 500 PPS take 2 s, whatever the ramp times say.
        CompleteCase{"EqualSpeedsTrapezoid", {500, 500, 0.2, 7, DriveType::AsymmetricTrapezoid, 1000},
                     {0, 0}, {2, 1000}, {0, 0}, 2, 1000},
        // From a standstill, 0 -> 4000 PPS in 0.5 s: 2000 x 0.5 = 1000 pulses; back in
        // 0.25 s: 500 pulses; 4000 - 1500 leave 2500 at 4000 PPS, 0.625 s.
        CompleteCase{"FromStandstill", {0, 4000, 0.5, 0.25, DriveType::AsymmetricSCurve, 4000},
                     {0.5, 1000}, {0.625, 2500}, {0.25, 500}, 1.375, 3500},
        // A fractional pulse count is taken as it is: 2020.5 leaves half a pulse at 10000 PPS.
        CompleteCase{"FractionalPulses", {100, 10000, 0.2, 0.2, DriveType::SymmetricSCurve, 2020.5},
                     {0.2, 1010}, {0.00005, 0.5}, {0.2, 1010}, 0.40005, 1010.5}),
    [](const testing::TestParamInfo<CompleteCase>& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    Drive drive;
    ProfileStatus status;
    double rampPulses; // the ramps' pulses of a short move; 0 for the others
};

void PrintTo(const RefusedCase& c, std::ostream* os)
{
    *os << c.name;
}

class RefusedProfile : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedProfile, saysWhyAndPretendsNoPhases)
{
    const RefusedCase& c = GetParam();
    const VelocityProfile profile = profileOf(c.drive);
    EXPECT_EQ(profile.status, c.status);
    EXPECT_DOUBLE_EQ(profile.rampPulses, c.rampPulses);
    // A refused profile never moves: no phase takes time or outputs a pulse.
    EXPECT_EQ(profile.accel.time, 0.0);
    EXPECT_EQ(profile.accel.pulses, 0.0);
    EXPECT_EQ(profile.constant.time, 0.0);
    EXPECT_EQ(profile.constant.pulses, 0.0);
    EXPECT_EQ(profile.decel.time, 0.0);
    EXPECT_EQ(profile.decel.pulses, 0.0);
    EXPECT_EQ(profile.totalTime, 0.0);
    EXPECT_EQ(profile.decelPoint, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    VelocityProfile, RefusedProfile,
    testing::Values(
        // 1000 pulses cannot hold the 1010 + 1010 (or + 1515) of the two ramps.
        RefusedCase{"ShortSymmetric", {100, 10000, 0.2, 0.3, DriveType::SymmetricTrapezoid, 1000},
                    ProfileStatus::ShortMove, 2020},
        RefusedCase{"ShortAsymmetricSCurve", {100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve, 1000},
                    ProfileStatus::ShortMove, 2525},
        RefusedCase{"JustShortOfTheBoundary", {100, 10000, 0.2, 0.3, DriveType::AsymmetricTrapezoid, 2524.999},
                    ProfileStatus::ShortMove, 2525},
        RefusedCase{"NoItemNamed", {100, 10000, 0.2, 0.3, DriveType::None, 10000}, ProfileStatus::UnknownDriveType,
                    0},
        RefusedCase{"TypeOutOfRange", {100, 10000, 0.2, 0.3, static_cast<DriveType>(4), 10000},
                    ProfileStatus::UnknownDriveType, 0},
        RefusedCase{"ZeroPulses", {100, 10000, 0.2, 0.3, DriveType::SymmetricTrapezoid, 0}, ProfileStatus::NoPulses,
                    0},
        RefusedCase{"NegativePulses", {100, 10000, 0.2, 0.3, DriveType::SymmetricTrapezoid, -5},
                    ProfileStatus::NoPulses, 0},
        RefusedCase{"PulsesNotANumber", {100, 10000, 0.2, 0.3, DriveType::SymmetricTrapezoid, nan},
                    ProfileStatus::NoPulses, 0},
        RefusedCase{"InfinitePulses", {100, 10000, 0.2, 0.3, DriveType::SymmetricTrapezoid, inf},
                    ProfileStatus::NotFinite, 0},
        RefusedCase{"InfiniteDriveSpeed", {100, inf, 0.2, 0.3, DriveType::SymmetricTrapezoid, 10000},
                    ProfileStatus::NotFinite, 0},
        RefusedCase{"InitialSpeedNotANumber", {nan, 100, 0.2, 0.3, DriveType::SymmetricTrapezoid, 10000},
                    ProfileStatus::NotFinite, 0},
        RefusedCase{"SpeedsReversed", {500.001, 500, 0.2, 0.3, DriveType::SymmetricTrapezoid, 10000},
                    ProfileStatus::SpeedsReversed, 0},
        RefusedCase{"NegativeInitialSpeed", {-5, 100, 0.2, 0.3, DriveType::SymmetricTrapezoid, 10000},
                    ProfileStatus::NegativeSpeed, 0},
        RefusedCase{"StandingStill", {0, 0, 0.2, 0.3, DriveType::SymmetricTrapezoid, 10000},
                    ProfileStatus::NoDriveSpeed, 0},
        RefusedCase{"NegativeAccelTime", {100, 10000, -1, 0.3, DriveType::SymmetricSCurve, 10000},
                    ProfileStatus::BadRampTime, 0},
        RefusedCase{"ZeroDecelTimeOfAnAsymmetricType", {100, 10000, 0.2, 0, DriveType::AsymmetricTrapezoid, 10000},
                    ProfileStatus::BadRampTime, 0},
        RefusedCase{"InfiniteAccelTime", {100, 10000, inf, 0.3, DriveType::SymmetricTrapezoid, 10000},
                    ProfileStatus::NotFinite, 0},
        RefusedCase{"DecelTimeNotANumber", {100, 10000, 0.2, nan, DriveType::AsymmetricSCurve, 10000},
                    ProfileStatus::NotFinite, 0},
        // Equal speeds give an S-curve no jerk: K is infinite, the motion is not the S-curve's.
        RefusedCase{"EqualSpeedsSCurve", {500, 500, 0.2, 0.3, DriveType::SymmetricSCurve, 10000},
                    ProfileStatus::NoJerk, 0},
        // 4 x 1e308 overflows: an infinite jerk would claim ramps of no pulses.
        RefusedCase{"JerkOverflows", {0, 1e308, 1, 1, DriveType::SymmetricSCurve, 1e300}, ProfileStatus::NotFinite,
                    0},
        RefusedCase{"RampPulsesOverflow", {1e308, 1.7e308, 1, 1, DriveType::SymmetricTrapezoid, 1e300},
                    ProfileStatus::NotFinite, 0},
        // 1e10 pulses at 1e-300 PPS would take longer than any double holds.
        RefusedCase{"ConstantTimeOverflows", {0, 1e-300, 1, 1, DriveType::SymmetricTrapezoid, 1e10},
                    ProfileStatus::NotFinite, 0}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

// One input, one reason: the checks run in a fixed order.
TEST(VelocityProfile, reasonsComeInAFixedOrder)
{
    struct Order {
        Drive drive;
        ProfileStatus status;
    };
    const Order cases[] = {
        {{-5, -10, -1, -1, DriveType::None, -1}, ProfileStatus::UnknownDriveType},
        {{inf, -10, -1, -1, DriveType::SymmetricTrapezoid, -1}, ProfileStatus::NoPulses},
        {{inf, -10, -1, -1, DriveType::SymmetricTrapezoid, 1}, ProfileStatus::NotFinite},
        {{-5, -10, -1, -1, DriveType::SymmetricTrapezoid, 1}, ProfileStatus::SpeedsReversed},
        {{-5, 0, -1, -1, DriveType::SymmetricTrapezoid, 1}, ProfileStatus::NegativeSpeed},
        {{0, 0, -1, -1, DriveType::SymmetricTrapezoid, 1}, ProfileStatus::NoDriveSpeed},
        {{5, 5, nan, -1, DriveType::SymmetricSCurve, 1}, ProfileStatus::NotFinite},
        {{5, 5, -1, -1, DriveType::SymmetricSCurve, 1}, ProfileStatus::BadRampTime},
        {{5, 5, 1, -1, DriveType::SymmetricSCurve, 1}, ProfileStatus::NoJerk},
    };
    for (const Order& c : cases) {
        EXPECT_EQ(profileOf(c.drive).status, c.status) << c.drive.initialSpeed << " " << c.drive.pulses;
    }
}

} // namespace
} // namespace veldronix
