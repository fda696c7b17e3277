// What the controller keeps across commands: the deceleration jerk the manual
// deceleration point uses, the calculation the fields show, and the refusals of
// what cannot be calculated, checked call by call through a recording view.
#include "recording_view.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace veldronix {
namespace {

using namespace testing_support;

TEST_F(ControllerTest, DecelPointFollowsTheStoredJerk)
{
    view.texts[IDC_PULSE_COUNT] = "10000";
    view.enter(3, "100", "10000", "0.2", "0.3");
    controller.onComputeDecelPoint(); // before any Calculate
    EXPECT_EQ(view.calls, then(std::vector<std::string>{noSetting}, write(IDC_DECEL_POINT, "")));

    controller.onCalculate();
    view.calls.clear();
    controller.onComputeDecelPoint();
    EXPECT_EQ(view.calls, std::vector<std::string>{write(IDC_DECEL_POINT, "8485.000")});

    // Failures: the message first, then the field is cleared; the state stays.
    const double jerk = controller.storedDecelJerkRate();
    struct {
        const char *pulses, *initial, *drive;
    } const failures[] = {{"1000", "100", "10000"}, {"0", "100", "10000"}, {"abc", "100", "10000"},
                          {"", "100", "10000"},     {"10000", "10000", "100"}, {"1010", "100", "10000"}};
    for (const auto& f : failures) {
        view.texts[IDC_PULSE_COUNT] = f.pulses;
        view.texts[IDC_INITIAL_SPEED] = f.initial;
        view.texts[IDC_DRIVE_SPEED] = f.drive;
        view.calls.clear();
        controller.onComputeDecelPoint();
        EXPECT_EQ(view.calls, then(std::vector<std::string>{noSetting}, write(IDC_DECEL_POINT, ""))) << f.pulses;
        EXPECT_EQ(controller.storedDecelJerkRate(), jerk);
    }

    // A Recalculate of another type keeps J2; one of type 3 replaces it.
    view.enter(0, "100", "10000", "0.2", "0.6");
    view.texts[IDC_PULSE_COUNT] = "10000";
    view.selected[IDC_MULTIPLIER] = 2;
    controller.onRecalculate();
    EXPECT_EQ(controller.storedDecelJerkRate(), jerk);
    view.selected[IDC_DRIVE_TYPE] = 3;
    controller.onRecalculate();
    EXPECT_EQ(controller.storedDecelJerkRate(), 110000.0); // (10000 - 100) x 4 / 0.6^2
    view.calls.clear();
    controller.onComputeDecelPoint();
    EXPECT_EQ(view.calls, std::vector<std::string>{write(IDC_DECEL_POINT, "6970.000")});

    // A later Calculate of type 2 forgets J2.
    view.enter(2, "100", "10000", "0.2", "0.3");
    controller.onCalculate();
    EXPECT_EQ(controller.storedDecelJerkRate(), -1.0);
    view.calls.clear();
    controller.onComputeDecelPoint();
    EXPECT_EQ(view.calls, then(std::vector<std::string>{noSetting}, write(IDC_DECEL_POINT, "")));
}

// The calculation handed out is the one the value fields show, command after command.
TEST_F(ControllerTest, LastCalculationFollowsWhatTheFieldsShow)
{
    struct Step {
        const char* what;
        void (CalculatorController::*command)();
        int multiplierSelected; // selector index before the command
        const char* pulses;
        int expectedIndex;      // -1: no calculation
        double expectedR;
        double expectedDecelPoint; // 0: none
    };
    const Step steps[] = {
        {"calculate", &CalculatorController::onCalculate, -1, "", 1, 4000000.0, 0.0},
        {"decel point", &CalculatorController::onComputeDecelPoint, 1, "10000", 1, 4000000.0, 8485.0},
        {"refused smaller multiplier", &CalculatorController::onRecalculate, 0, "10000", 1, 4000000.0, 8485.0},
        {"accepted x50", &CalculatorController::onRecalculate, 5, "10000", 5, 160000.0, 0.0},
        {"decel point again", &CalculatorController::onComputeDecelPoint, 5, "10000", 5, 160000.0, 8485.0},
        {"failed decel point", &CalculatorController::onComputeDecelPoint, 5, "1000", 5, 160000.0, 0.0},
    };
    view.enter(3, "100", "10000", "0.2", "0.3");
    for (const Step& step : steps) {
        view.selected[IDC_MULTIPLIER] = step.multiplierSelected;
        view.texts[IDC_PULSE_COUNT] = step.pulses;
        (controller.*step.command)();
        const auto& calculation = controller.lastCalculation();
        ASSERT_TRUE(calculation) << step.what;
        EXPECT_EQ(calculation->multiplierIndex, step.expectedIndex) << step.what;
        EXPECT_EQ(calculation->values.registers[SettingRegister::R], step.expectedR) << step.what;
        EXPECT_EQ(calculation->input.decelTime, 0.3) << step.what;
        EXPECT_EQ(calculation->input.driveType, DriveType::AsymmetricSCurve) << step.what;
        if (step.expectedDecelPoint == 0.0) {
            EXPECT_FALSE(calculation->decelPoint) << step.what;
        } else {
            ASSERT_TRUE(calculation->decelPoint) << step.what;
            EXPECT_EQ(calculation->decelPoint->decelPoint, step.expectedDecelPoint) << step.what;
            EXPECT_EQ(calculation->decelPoint->pulses, 10000.0) << step.what;
        }
    }
    // The input as Recalculate read it: the fields as they stand now.
    view.texts[IDC_DRIVE_SPEED] = "20000";
    controller.onRecalculate();
    EXPECT_EQ(controller.lastCalculation()->input.driveSpeed, 20000.0);
    EXPECT_EQ(controller.lastCalculation()->multiplier, 50.0);

    // A Calculate that fails leaves no calculation, although the fields keep their texts.
    view.texts[IDC_DRIVE_SPEED] = "0";
    controller.onCalculate();
    EXPECT_FALSE(controller.lastCalculation());
    controller.reset();
    EXPECT_FALSE(controller.lastCalculation());
}

TEST_F(ControllerTest, NonFiniteResultsAreShownAndRefusedForTheDecelPoint)
{
    // Equal speeds: the jerk is 0, K and L are infinite, and J2 = 0 is still a stored value.
    view.texts[IDC_PULSE_COUNT] = "10000";
    view.enter(3, "500", "500", "1", "2");
    controller.onCalculate();
    EXPECT_EQ(view.calls, then(results({"初速度:500で、ドライブ速度:500までを1.000秒でS字加速し、\n初速度まで2.000秒でS字減速する場合の設定値は以下のようになります。",
                                        "8000000 ", "8000.000 ", "500.000 ", "500.000 ", "inf ", "0.000", "8000.000", "inf"}),
                               select(0)));
    EXPECT_EQ(controller.storedDecelJerkRate(), 0.0);
    view.calls.clear();
    controller.onComputeDecelPoint(); // 0 / 0
    EXPECT_EQ(view.calls, then(std::vector<std::string>{noSetting}, write(IDC_DECEL_POINT, "")));

    // Overflowing speeds through Recalculate: infinity minus infinity is not a number.
    view.enter(3, "1e400", "1e400", "0.2", "0.3");
    view.selected[IDC_MULTIPLIER] = 0;
    controller.onRecalculate();
    EXPECT_EQ(view.calls, then(results({"初速度:infで、ドライブ速度:infまでを0.200秒でS字加速し、\n初速度まで0.300秒でS字減速する場合の設定値は以下のようになります。",
                                        "8000000 ", "8000.000 ", "inf ", "inf ", "nan ", "0.000", "8000.000", "nan"}),
                               select(0)));
    view.calls.clear();
    controller.onComputeDecelPoint();
    EXPECT_EQ(view.calls, then(std::vector<std::string>{noSetting}, write(IDC_DECEL_POINT, "")));
}

TEST_F(ControllerTest, HostileDriveTypesNeverCrash)
{
    for (const int type : {-1, 4, 7, -2, INT_MIN, INT_MAX}) {
        view.enter(type, "100", "10000", "0.2", "");
        controller.onCalculate();
        EXPECT_EQ(view.calls,
                  then(results({"", "4000000 ", "", "50.000 ", "5000.000 ", "", "", "", ""}), select(1)))
            << type;
        EXPECT_EQ(controller.autoMultiplierIndex(), 1);
        EXPECT_EQ(controller.storedDecelJerkRate(), -1.0);
    }
}

} // namespace
} // namespace veldronix
