// The ramps of a velocity profile: their shape and jerk, the S-curve ramp the
// manual deceleration point shares, and invariants over a seeded sweep of drives.
#include "core/decel_point.h"
#include "core/setting_values.h"
#include "core/velocity_profile.h"
#include "profile_drive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <utility>

namespace veldronix {
namespace {

using testing_support::profileOf;

constexpr double inf = std::numeric_limits<double>::infinity();
const double nan = std::nan("");

// The symmetric types take their deceleration time from the acceleration time,
// whatever the deceleration field holds.
TEST(VelocityProfile, symmetricTypesIgnoreTheDecelTime)
{
    for (const DriveType type : {DriveType::SymmetricTrapezoid, DriveType::SymmetricSCurve}) {
        for (const double decelTime : {0.0, -3.0, nan, inf, 0.3}) {
            const VelocityProfile profile = profileOf({100, 10000, 0.2, decelTime, type, 10000});
            ASSERT_EQ(profile.status, ProfileStatus::Complete);
            EXPECT_EQ(profile.decel.time, 0.2);
            EXPECT_EQ(profile.decel.pulses, profile.accel.pulses);
        }
    }
}

// 100 -> 10000 PPS, up in 0.2 s and down in 0.3 s. The S-curve's jerks are
// 4 x 9900 / 0.2^2 = 990000 and 4 x 9900 / 0.3^2 = 440000 PPS/s^2; its ramps output
// (10000 + 100) x sqrt(9900 / 990000) = 10100 x 0.1 = 1010 and
// 10100 x sqrt(9900 / 440000) = 10100 x 0.15 = 1515 pulses, the mean speed 5050 PPS
// times 0.2 and 0.3 s, as the linear ramps do. Linear ramps have no jerk.
TEST(VelocityProfile, rampsFollowTheirShape)
{
    const VelocityProfile sCurve = profileOf({100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve, 10000});
    ASSERT_EQ(sCurve.status, ProfileStatus::Complete);
    EXPECT_EQ(sCurve.shape, RampShape::SCurve);
    EXPECT_EQ(sCurve.initialSpeed, 100);
    EXPECT_EQ(sCurve.driveSpeed, 10000);
    EXPECT_EQ(sCurve.totalPulses, 10000);
    EXPECT_DOUBLE_EQ(sCurve.accelJerk, 990000);
    EXPECT_DOUBLE_EQ(sCurve.decelJerk, 440000);
    EXPECT_DOUBLE_EQ(sCurve.accel.pulses, 1010);
    EXPECT_DOUBLE_EQ(sCurve.decel.pulses, 1515);

    const VelocityProfile linear = profileOf({100, 10000, 0.2, 0.3, DriveType::AsymmetricTrapezoid, 10000});
    ASSERT_EQ(linear.status, ProfileStatus::Complete);
    EXPECT_EQ(linear.shape, RampShape::Linear);
    EXPECT_EQ(linear.accelJerk, 0.0);
    EXPECT_EQ(linear.decelJerk, 0.0);
    EXPECT_DOUBLE_EQ(linear.accel.pulses, 1010);
    EXPECT_DOUBLE_EQ(linear.decel.pulses, 1515);
}

// The S-curve ramp's pulses, shared by the profile and the manual deceleration
// point: 10100 x sqrt(9900 / 440000) = 10100 x 0.15 = 1515, so a drive of 10000
// pulses decelerates from 10000 - 1515 = 8485 and one of 1000 from 1000 - 1515 = -515.
TEST(VelocityProfile, sCurveRampPulsesAreTheDecelPointsRamp)
{
    EXPECT_DOUBLE_EQ(sCurveRampPulses(100, 10000, 440000), 1515);
    EXPECT_DOUBLE_EQ(sCurveRampPulses(100, 10000, 990000), 1010);
    // From a standstill: 4000 x sqrt(4000 / 256000) = 4000 x 0.125 = 500.
    EXPECT_EQ(sCurveRampPulses(0, 4000, 256000), 500);
    EXPECT_DOUBLE_EQ(computeManualDecelPoint(10000, 100, 10000, 440000), 8485);
    EXPECT_DOUBLE_EQ(computeManualDecelPoint(1000, 100, 10000, 440000), -515);
    // Reversed speeds have no ramp.
    EXPECT_TRUE(std::isnan(sCurveRampPulses(10000, 100, 440000)));
}

// Over many drives the profile agrees with itself and with the dialog: the phases
// add up, each phase runs at its speed, and an asymmetric S-curve
// decelerates at the very pulse count the dialog's deceleration point shows.
TEST(VelocityProfile, seededSweepHoldsItsInvariants)
{
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> speed(0.0, 4000000.0);
    std::uniform_real_distribution<double> time(0.001, 5.0);
    std::uniform_real_distribution<double> pulses(1.0, 1e8);
    int complete = 0;
    int shortMoves = 0;
    for (int i = 0; i < 20000; ++i) {
        double initial = speed(random);
        double drive = speed(random);
        if (initial > drive) {
            std::swap(initial, drive);
        }
        const DriveInput input{initial, drive, time(random), time(random), static_cast<DriveType>(i % 4)};
        const double count = pulses(random);
        const VelocityProfile profile = computeVelocityProfile(input.initialSpeed, input.driveSpeed, input.accelTime,
                                                               input.decelTime, input.driveType, count);
        if (profile.status == ProfileStatus::ShortMove) {
            ++shortMoves;
            EXPECT_LT(count, profile.rampPulses * (1 + 1e-12));
            continue;
        }
        ASSERT_EQ(profile.status, ProfileStatus::Complete);
        ++complete;
        EXPECT_GE(profile.constant.pulses, 0.0);
        EXPECT_NEAR(profile.accel.pulses + profile.constant.pulses + profile.decel.pulses, count, count * 1e-12);
        EXPECT_EQ(profile.decelPoint, count - profile.decel.pulses);
        EXPECT_NEAR(profile.accel.time + profile.constant.time + profile.decel.time, profile.totalTime,
                    profile.totalTime * 1e-12);
        if (input.driveType == DriveType::AsymmetricSCurve) {
            const SettingValues values = computeSettingValues(input, 500.0);
            EXPECT_EQ(profile.decelPoint, computeManualDecelPoint(count, initial, drive, *values.decelJerkRate));
        }
        // Each ramp runs at the mean of the two speeds, linear or S-shaped alike,
        // and the constant phase at the drive speed.
        const double meanSpeed = (initial + drive) / 2;
        EXPECT_NEAR(profile.accel.pulses, meanSpeed * profile.accel.time, profile.accel.pulses * 1e-12);
        EXPECT_NEAR(profile.decel.pulses, meanSpeed * profile.decel.time, profile.decel.pulses * 1e-12);
        EXPECT_NEAR(profile.constant.pulses, drive * profile.constant.time, profile.constant.pulses * 1e-12);
        // An S-curve reaches the drive speed exactly at the end of its ramp: half
        // the ramp at the jerk J gains J (T/2)^2 / 2, the two halves J T^2 / 4.
        if (profile.shape == RampShape::SCurve) {
            const double speedChange = drive - initial;
            EXPECT_NEAR(profile.accelJerk * profile.accel.time * profile.accel.time / 4, speedChange,
                        speedChange * 1e-12);
            EXPECT_NEAR(profile.decelJerk * profile.decel.time * profile.decel.time / 4, speedChange,
                        speedChange * 1e-12);
        } else {
            EXPECT_EQ(profile.accelJerk, 0.0);
            EXPECT_EQ(profile.decelJerk, 0.0);
        }
    }
    EXPECT_GT(complete, 1000);
    EXPECT_GT(shortMoves, 1000);
}

} // namespace
} // namespace veldronix
