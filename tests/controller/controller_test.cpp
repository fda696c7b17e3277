// The three commands driven through a view that records every call that changes
// the window, so that the order of writes and messages is checked exactly.
#include "controller/calculator_controller.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

namespace veldronix {
namespace {

using enum ControlId;

class RecordingView : public CalculatorView {
public:
    std::string readText(ControlId field) override { return texts[field]; }
    void writeText(ControlId field, std::string_view text) override
    {
        texts[field] = std::string(text);
        calls.push_back("write " + std::to_string(toInt(field)) + " [" + std::string(text) + "]");
    }
    int selectedIndex(ControlId selector) override { return selected[selector]; }
    void setSelectedIndex(ControlId selector, int index) override
    {
        selected[selector] = index;
        calls.push_back("select " + std::to_string(toInt(selector)) + " " + std::to_string(index));
    }
    void showError(std::string_view message) override { calls.push_back("error " + std::string(message)); }

    // Enters a drive as a user types it; the calls log starts afresh.
    void enter(int driveType, const char* initial, const char* drive, const char* accel, const char* decel)
    {
        selected[IDC_DRIVE_TYPE] = driveType;
        texts[IDC_INITIAL_SPEED] = initial;
        texts[IDC_DRIVE_SPEED] = drive;
        texts[IDC_ACCEL_TIME] = accel;
        texts[IDC_DECEL_TIME] = decel;
        calls.clear();
    }

    std::map<ControlId, std::string> texts;
    std::map<ControlId, int> selected{{IDC_DRIVE_TYPE, -1}, {IDC_MULTIPLIER, -1}};
    std::vector<std::string> calls;
};

const std::string noSetting = "error パラメーターエラー。設定値を求めることができません。";
const std::string accelTimeZero = "error パラメーターエラー。ドライブ速度に達する時間が0です。";
const std::string driveSpeedZero = "error パラメーターエラー。ドライブ速度が0です。";

std::string write(ControlId field, const std::string& text)
{
    return "write " + std::to_string(toInt(field)) + " [" + text + "]";
}

std::string select(int index)
{
    return "select " + std::to_string(toInt(IDC_MULTIPLIER)) + " " + std::to_string(index);
}

// The nine writes of a result, in the order the fields are written.
std::vector<std::string> results(const std::vector<std::string>& nine)
{
    const ControlId order[] = {IDC_SUMMARY, IDC_OUT_R, IDC_OUT_A, IDC_OUT_SV, IDC_OUT_V,
                               IDC_OUT_K,   IDC_OUT_AO, IDC_OUT_D, IDC_OUT_L};
    std::vector<std::string> calls;
    for (std::size_t i = 0; i < 9; ++i) {
        calls.push_back(write(order[i], nine[i]));
    }
    return calls;
}

template <typename... More>
std::vector<std::string> then(std::vector<std::string> calls, const More&... more)
{
    (calls.push_back(more), ...);
    return calls;
}

const std::string summary0 = "初速度:100で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\n以下のようになります。";
const std::string summary3 = "初速度:100で、ドライブ速度:10000までを0.200秒でS字加速し、\n初速度まで0.300秒でS字減速する場合の設定値は以下のようになります。";
const std::vector<std::string> type0At2 = {summary0, "4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "", ""};
const std::vector<std::string> type3At2 = {summary3,   "4000000 ", "8000.000 ", "50.000 ", "5000.000 ",
                                           "126.263 ", "0.000",    "8000.000",  "284.091"};

class ControllerTest : public ::testing::Test {
protected:
    RecordingView view;
    CalculatorController controller{view};
    void SetUp() override { controller.reset(); }
};

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
    EXPECT_EQ(controller.storedDecelJerkRate(), (9900.0 * 4) / (0.3 * 0.3));

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
        EXPECT_EQ(calculation->values.valueR, step.expectedR) << step.what;
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
