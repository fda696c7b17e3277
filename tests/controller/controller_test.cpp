// Calculate and Recalculate driven through a view that records every call that
// changes the window, so that the order of writes and messages is checked exactly.
#include "recording_view.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace veldronix {
namespace {

using namespace testing_support;

TEST_F(ControllerTest, CalculateWritesNineFieldsThenSelectsTheMultiplier)
{
    view.enter(0, "100", "10000", "0.2", "");
    controller.onCalculate();
    EXPECT_EQ(view.calls, then(results(type0At2), select(1)));
    EXPECT_EQ(controller.autoMultiplierIndex(), 1);
    EXPECT_EQ(controller.storedDecelJerkRate(), -1.0);

    view.enter(3, "100", "10000", "0.2", "0.3");
    controller.onCalculate();
    EXPECT_EQ(view.calls, then(results(type3At2), select(1)));
    EXPECT_EQ(controller.storedDecelJerkRate(), 440000.0); // (10000 - 100) x 4 / 0.3^2

    // Back to type 0: K, AO, D and L are cleared, and J2 is forgotten.
    view.enter(0, "100", "10000", "0.2", "0.3");
    controller.onCalculate();
    EXPECT_EQ(view.calls, then(results(type0At2), select(1)));
    EXPECT_EQ(controller.storedDecelJerkRate(), -1.0);
}

TEST_F(ControllerTest, FailedCalculateWritesNothingAndClearsTheState)
{
    struct {
        int type;
        std::string initial, drive, accel, decel, message;
    } const cases[] = {
        {0, "", "", "", "", driveSpeedZero},
        {0, "100", "abc", "0", "0", driveSpeedZero},
        {3, "100", "10000", "", "", accelTimeZero},
        {0, "500.001", "500", "1", "", "error パラメーターエラー。初速度がドライブ速度より大きいです。"},
        {2, "100", "10000", "0.2", "", "error パラメーターエラー。初速度に達する時間が0です。"},
        {3, "100", "5000000", "0.2", "0.3", noSetting},
        {3, "100", "4000001", "0.2", "0.3", noSetting},
        {0, "100", std::string(78, '0') + "5000", "1", "", driveSpeedZero}, // cut at 78 bytes
    };
    for (const auto& c : cases) {
        view.enter(3, "100", "10000", "0.2", "0.3");
        controller.onCalculate();
        ASSERT_EQ(controller.autoMultiplierIndex(), 1);
        view.enter(c.type, c.initial.c_str(), c.drive.c_str(), c.accel.c_str(), c.decel.c_str());
        controller.onCalculate();
        EXPECT_EQ(view.calls, std::vector<std::string>{c.message}) << c.drive;
        EXPECT_EQ(controller.autoMultiplierIndex(), -1);
        EXPECT_EQ(controller.storedDecelJerkRate(), -1.0);
        EXPECT_EQ(view.texts[IDC_OUT_L], "284.091"); // earlier results stay visible
        view.calls.clear();
        controller.onRecalculate();
        EXPECT_EQ(view.calls, std::vector<std::string>{noSetting});
        view.calls.clear();
        controller.onComputeDecelPoint();
        EXPECT_EQ(view.calls, then(std::vector<std::string>{noSetting}, write(IDC_DECEL_POINT, "")));
    }
}

TEST_F(ControllerTest, RecalculateRefusalsLeaveEverythingAlone)
{
    view.enter(0, "100", "10000", "0.2", "");
    controller.onRecalculate(); // before any Calculate
    EXPECT_EQ(view.calls, std::vector<std::string>{noSetting});

    controller.onCalculate();
    for (const int index : {0, -1, 9, 10, INT_MIN, INT_MAX}) {
        view.selected[IDC_MULTIPLIER] = index;
        view.calls.clear();
        controller.onRecalculate();
        EXPECT_EQ(view.calls, std::vector<std::string>{noSetting}) << index;
        EXPECT_EQ(controller.autoMultiplierIndex(), 1);
    }
    view.selected[IDC_MULTIPLIER] = 3;
    view.texts[IDC_ACCEL_TIME] = "0";
    view.calls.clear();
    controller.onRecalculate();
    EXPECT_EQ(view.calls, std::vector<std::string>{accelTimeZero});
}

TEST_F(ControllerTest, RecalculateUsesTheChosenMultiplierAndTheFieldsAsTheyStand)
{
    view.enter(0, "100", "10000", "0.2", "");
    controller.onCalculate();
    view.calls.clear();
    controller.onRecalculate(); // the same multiplier gives the same texts
    EXPECT_EQ(view.calls, then(results(type0At2), select(1)));

    view.selected[IDC_MULTIPLIER] = 3;
    view.calls.clear();
    controller.onRecalculate();
    EXPECT_EQ(view.calls, then(results({summary0, "800000 ", "39.600 ", "10.000 ", "1000.000 ", "", "", "", ""}), select(3)));
    EXPECT_EQ(controller.autoMultiplierIndex(), 1);

    // No upper bound on the drive speed once the multiplier is the user's.
    view.selected[IDC_MULTIPLIER] = 8;
    view.texts[IDC_DRIVE_SPEED] = "1e20";
    view.texts[IDC_INITIAL_SPEED] = "0";
    view.calls.clear();
    controller.onRecalculate();
    ASSERT_EQ(view.calls.size(), 10u);
    EXPECT_EQ(view.calls[0], write(IDC_SUMMARY, "初速度:0で、ドライブ速度:100000000000000000000までを0.200秒で直線加速/減速する場合の設定値は\n以下のようになります。"));
    EXPECT_EQ(view.calls[4], write(IDC_OUT_V, "200000000000000000.000 "));
    EXPECT_EQ(view.calls[9], select(8));
}

TEST_F(ControllerTest, FieldsAreReadAsTheir78Bytes)
{
    // 77 zeros and "8000": the field holds the first 78 bytes, which read as 8.
    const std::string drive = std::string(77, '0') + "8000";
    view.enter(0, "-0", drive.c_str(), "1", "");
    controller.onCalculate();
    ASSERT_EQ(view.calls.size(), 10u);
    EXPECT_EQ(view.calls[4], write(IDC_OUT_V, "8.000 "));
    EXPECT_EQ(view.calls[9], select(0));
    controller.reset();
    EXPECT_EQ(controller.autoMultiplierIndex(), -1);
}

} // namespace
} // namespace veldronix
