// A view that records every call that changes the window, the calls a command
// is expected to make, and the fixture of a controller driving such a view.
#pragma once

#include "controller/calculator_controller.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix::testing_support {

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

inline const std::string noSetting = "error パラメーターエラー。設定値を求めることができません。";
inline const std::string accelTimeZero = "error パラメーターエラー。ドライブ速度に達する時間が0です。";
inline const std::string driveSpeedZero = "error パラメーターエラー。ドライブ速度が0です。";

inline std::string write(ControlId field, const std::string& text)
{
    return "write " + std::to_string(toInt(field)) + " [" + text + "]";
}

inline std::string select(int index)
{
    return "select " + std::to_string(toInt(IDC_MULTIPLIER)) + " " + std::to_string(index);
}

// The nine writes of a result, in the order the fields are written.
inline std::vector<std::string> results(const std::vector<std::string>& nine)
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

inline const std::string summary0 = "初速度:100で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\n以下のようになります。";
inline const std::string summary3 = "初速度:100で、ドライブ速度:10000までを0.200秒でS字加速し、\n初速度まで0.300秒でS字減速する場合の設定値は以下のようになります。";
inline const std::vector<std::string> type0At2 = {summary0, "4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "", ""};
inline const std::vector<std::string> type3At2 = {summary3,   "4000000 ", "8000.000 ", "50.000 ", "5000.000 ",
                                           "126.263 ", "0.000",    "8000.000",  "284.091"};

class ControllerTest : public ::testing::Test {
protected:
    RecordingView view;
    CalculatorController controller{view};
    void SetUp() override { controller.reset(); }
};

} // namespace veldronix::testing_support
