// The input checks and the choice of the speed multiplier, boundary by boundary.
#include "core/input_error.h"
#include "core/speed_multiplier.h"
#include "core/validation.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <optional>

namespace veldronix {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

struct ValidationCase {
    DriveInput input;
    std::optional<InputError> expected;
};

TEST(ValidateDriveInput, AppliesTheChecksInOrder)
{
    using enum InputError;
    const auto type = [](int value) { return static_cast<DriveType>(value); };
    const ValidationCase cases[] = {
        {{0, 0, 0, 0, type(2)}, DriveSpeedZero},             // every field empty: the drive speed comes first
        {{-0.0, -0.0, 0, 0, type(0)}, DriveSpeedZero},
        {{5, 0, 0, 0, type(0)}, DriveSpeedZero},             // also above the drive speed
        {{600, 500, 0, 0, type(3)}, AccelTimeZero},
        {{600, 500, -0.0, 1, type(0)}, AccelTimeZero},
        {{600, 500, 1, 0, type(2)}, InitialAboveDrive},
        {{500.001, 500, 1, 1, type(0)}, InitialAboveDrive},
        {{500, 500, 1, 0, type(0)}, std::nullopt},
        {{100, 10000, 0.2, 0, type(0)}, std::nullopt},
        {{100, 10000, 0.2, 0, type(1)}, std::nullopt},
        {{100, 10000, 0.2, 0, type(2)}, DecelTimeZero},
        {{100, 10000, 0.2, -0.0, type(3)}, DecelTimeZero},
        {{100, 10000, 0.2, 0, type(-1)}, std::nullopt},
        {{100, 10000, 0.2, 0, type(7)}, std::nullopt},
        {{100, 10000, 0.2, 0, type(INT_MIN)}, std::nullopt},
        {{100, 10000, 0.2, -0.3, type(3)}, std::nullopt},
        {{100, 10000, -1, 0, type(0)}, std::nullopt},        // negative times pass
        {{-100, -50, 1, 1, type(2)}, std::nullopt},          // negative speeds pass
        {{-50, -100, 1, 1, type(2)}, InitialAboveDrive},
        {{0, 1e-320, 1e-320, 1e-320, type(3)}, std::nullopt},
        {{nan, nan, nan, nan, type(3)}, std::nullopt},       // not a number is no zero and no greater
        {{inf, inf, 1, 1, type(0)}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(validateDriveInput(c.input), c.expected)
            << c.input.initialSpeed << ' ' << c.input.driveSpeed << ' ' << c.input.accelTime << ' '
            << c.input.decelTime << " type " << static_cast<int>(c.input.driveType);
    }
}

TEST(InputError, MessagesAreTheCatalogue)
{
    using enum InputError;
    EXPECT_EQ(messageFor(DriveSpeedZero), "パラメーターエラー。ドライブ速度が0です。");
    EXPECT_EQ(messageFor(AccelTimeZero), "パラメーターエラー。ドライブ速度に達する時間が0です。");
    EXPECT_EQ(messageFor(InitialAboveDrive), "パラメーターエラー。初速度がドライブ速度より大きいです。");
    EXPECT_EQ(messageFor(DecelTimeZero), "パラメーターエラー。初速度に達する時間が0です。");
    EXPECT_EQ(messageFor(NoSetting), "パラメーターエラー。設定値を求めることができません。");
}

struct MultiplierCase {
    double driveSpeed;
    std::optional<double> expected;
};

TEST(SelectMultiplier, EveryBoundary)
{
    const MultiplierCase cases[] = {
        {-inf, 1.0},       {-5, 1.0},          {0, 1.0},           {8000, 1.0},         {8000.5, 2.0},
        {15999.99, 2.0},   {16000, 5.0},       {39999, 5.0},       {39999.999, 5.0},    {40000, 10.0},
        {80000, 10.0},     {80000.001, 20.0},  {80001, 20.0},      {159999, 20.0},      {160000, 50.0},
        {399999, 50.0},    {400000, 100.0},    {799999, 100.0},    {800000, 200.0},     {1599999, 200.0},
        {1600000, 500.0},  {4000000, 500.0},   {4000000.001, std::nullopt}, {4000001, std::nullopt},
        {1e300, std::nullopt}, {inf, std::nullopt}, {nan, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(selectMultiplier(c.driveSpeed), c.expected) << c.driveSpeed;
    }
}

TEST(MultiplierIndex, TruncatesAndMapsTheNineValues)
{
    const struct {
        double multiplier;
        int expected;
    } cases[] = {
        {1, 0},   {2, 1},    {5, 2},     {10, 3},     {20, 4},     {50, 5},    {100, 6},     {200, 7},   {500, 8},
        {1.99, 0}, {2.9, 1}, {500.7, 8}, {0, -1},     {0.5, -1},   {-1, -1},   {3, -1},      {499.9, -1}, {1000, -1},
        {1e300, -1}, {-1e300, -1}, {inf, -1}, {-inf, -1}, {nan, -1}, {4294967297.0, -1}, {-4294967295.0, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(multiplierIndex(c.multiplier), c.expected) << c.multiplier;
    }
}

TEST(MultiplierAt, OnlyTheNineIndexes)
{
    const double expected[] = {1, 2, 5, 10, 20, 50, 100, 200, 500};
    for (int index = 0; index < 9; ++index) {
        EXPECT_EQ(multiplierAt(index), expected[index]);
        EXPECT_EQ(multiplierIndex(expected[index]), index);
    }
    for (const int index : {-1, 9, 10, INT_MIN, INT_MAX}) {
        EXPECT_EQ(multiplierAt(index), std::nullopt) << index;
    }
}

} // namespace
} // namespace veldronix
