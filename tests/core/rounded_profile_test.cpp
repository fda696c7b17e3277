// Where the rounded drive of a pulse count ends, against figures worked by hand.
#include "core/rounded_profile.h"

#include <gtest/gtest.h>

#include <optional>

namespace veldronix {
namespace {

struct ProfileCase {
    const char* name;
    DriveInput input;
    double multiplier;
    double pulses;
    ProfileStatus requested;
    std::optional<ProfileStatus> real;
    std::optional<double> realDecelPoint;
    std::optional<double> earlyBy;
};

TEST(RoundedProfile, EndOfTheRealDriveFromTheRequestedDecelPoint)
{
    const ProfileCase cases[] = {
        // Requested deceleration 10100 x sqrt(9900 / 440000) = 1515 pulses from 8485; the rounded L = 284
        // decelerates in 10100 x sqrt(9900 x 284 / 125e6) = 10100 x 0.1499759981 = 1514.757580605 pulses from
        // 8485.242419395: back at 100 PPS 1515 - 1514.757580605 = 0.242419395 pulses early.
        {"asymmetric s-curve early", {100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve}, 2, 10000,
         ProfileStatus::Complete, ProfileStatus::Complete, 8485.24241939510, 0.242419395103341},
        // Requested 3525 x 0.7 = 2467.5 pulses; D = 79 takes 3525 x 6950 / 9875 = 2480.886075949 from
        // 7519.113924051: 2467.5 - 2480.886075949 = 13.386075949 pulses late.
        {"asymmetric trapezoid late", {50, 7000, 0.3, 0.7, DriveType::AsymmetricTrapezoid}, 1, 10000,
         ProfileStatus::Complete, ProfileStatus::Complete, 7519.11392405063, -13.3860759493671},
        // Whole registers: the real deceleration is the requested one to the bit.
        {"exact multiples", {100, 10000, 0.2, 0.3, DriveType::AsymmetricTrapezoid}, 2, 10000, ProfileStatus::Complete,
         ProfileStatus::Complete, 8485, 0.0},
        // Two requested ramps of 6339 x 0.37 = 2345.43 pulses need 4690.86, the real ones only
        // 2 x 6340 x 0.3696 = 4686.528: 4688 pulses are a complete real drive but no requested one; its
        // deceleration starts at 4688 - 2343.264 = 2344.736.
        {"only the real drive fits", {333, 12345, 0.37, 0, DriveType::SymmetricTrapezoid}, 2, 4688,
         ProfileStatus::ShortMove, ProfileStatus::Complete, 2344.736, std::nullopt},
        // SV = 0.4 rounds to 0: no real speed, so no real profile.
        {"finding", {0.4, 1000, 1, 0, DriveType::SymmetricTrapezoid}, 1, 5000, ProfileStatus::Complete, std::nullopt,
         std::nullopt, std::nullopt},
        // 100.2 and 100.4 PPS both round to 100 while A = 0.2 / 0.002 x 0.008 = 0.8 rounds to 1:
        // the real drive has no ramp time left.
        {"speeds equal after rounding", {100.2, 100.4, 0.002, 0, DriveType::SymmetricTrapezoid}, 1, 5000,
         ProfileStatus::Complete, ProfileStatus::BadRampTime, std::nullopt, std::nullopt},
        // No drive type: speeds but no ramp shape.
        {"no drive type", {100, 10000, 0.2, 0.3, DriveType::None}, 2, 10000, ProfileStatus::UnknownDriveType,
         ProfileStatus::UnknownDriveType, std::nullopt, std::nullopt},
        {"no pulses", {100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve}, 2, 0, ProfileStatus::NoPulses,
         ProfileStatus::NoPulses, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        const RoundedDrive drive = computeRoundedDrive(c.input, c.multiplier);
        const RoundedProfile profile = computeRoundedProfile(c.input, drive, c.pulses);
        EXPECT_EQ(profile.requested.status, c.requested) << c.name;
        ASSERT_EQ(profile.real.has_value(), c.real.has_value()) << c.name;
        if (c.real) {
            EXPECT_EQ(profile.real->status, *c.real) << c.name;
        }
        if (c.realDecelPoint) {
            EXPECT_NEAR(profile.real->decelPoint, *c.realDecelPoint, 1e-8) << c.name;
        }
        ASSERT_EQ(profile.earlyBy.has_value(), c.earlyBy.has_value()) << c.name;
        if (c.earlyBy) {
            EXPECT_NEAR(*profile.earlyBy, *c.earlyBy, 1e-8) << c.name;
        }
    }
}

TEST(RoundedProfile, ExactMultiplesEndExactlyAtTheEnd)
{
    const DriveInput input{100, 10000, 0.2, 0.3, DriveType::AsymmetricTrapezoid};
    const RoundedProfile profile = computeRoundedProfile(input, computeRoundedDrive(input, 2), 10000);
    EXPECT_EQ(profile.earlyBy, 0.0);
}

} // namespace
} // namespace veldronix
