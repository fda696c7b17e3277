// The values the controller hands out beside its calculation: why the last
// command failed, which results on show are stale, and what the fields read.
#include "recording_view.h"

#include "core/input_error.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace veldronix {
namespace {

using namespace testing_support;
using ControllerCommand = void (CalculatorController::*)();
constexpr ControllerCommand calculate = &CalculatorController::onCalculate;
constexpr ControllerCommand recalculate = &CalculatorController::onRecalculate;
constexpr ControllerCommand decelPoint = &CalculatorController::onComputeDecelPoint;

TEST_F(ControllerTest, EachFailureKeepsItsCommandErrorAndReason)
{
    using enum NoSettingReason;
    struct Case {
        const char* what;
        int type;
        const char *drive, *accel, *decel;
        std::vector<ControllerCommand> commands;
        const char* driveBeforeLast; // typed into ドライブ速度 before the last command
        int selectedBeforeLast;      // multiplier item before the last command
        const char* pulses;
        std::optional<CommandFailure> expected;
    };
    const auto noSettingAt = [](Command command, NoSettingReason reason, int selected = -1, int automatic = -1) {
        return CommandFailure{command, InputError::NoSetting, reason, selected, automatic};
    };
    const auto checkFailed = [](Command command, InputError error) {
        return CommandFailure{command, error, std::nullopt, -1, -1};
    };
    const Case cases[] = {
        {"recalculate first", 0, "10000", "0.2", "", {recalculate}, "10000", 2, "", noSettingAt(Command::Recalculate, NothingCalculated)},
        {"decel point first", 3, "10000", "0.2", "0.3", {decelPoint}, "10000", 2, "10000",
         noSettingAt(Command::ComputeDecelPoint, NothingCalculated)},
        {"4000001 PPS", 0, "4000001", "0.2", "", {calculate}, "4000001", -1, "", noSettingAt(Command::Calculate, NoMultiplierFits)},
        {"drive speed no number", 0, "abc", "0.2", "", {calculate}, "abc", -1, "",
         checkFailed(Command::Calculate, InputError::DriveSpeedZero)},
        {"smaller multiplier", 0, "10000", "0.2", "", {calculate, recalculate}, "10000", 0, "",
         noSettingAt(Command::Recalculate, SmallerMultiplier, 0, 1)},
        {"no multiplier item", 0, "10000", "0.2", "", {calculate, recalculate}, "10000", -1, "",
         noSettingAt(Command::Recalculate, NoMultiplierSelected, -1, 1)},
        {"item past the table", 0, "10000", "0.2", "", {calculate, recalculate}, "10000", 9, "",
         noSettingAt(Command::Recalculate, NoMultiplierSelected, 9, 1)},
        {"recalculate after a failed calculate", 0, "0", "0.2", "", {calculate, recalculate}, "10000", 2, "",
         noSettingAt(Command::Recalculate, NothingCalculated)},
        {"recalculate reads drive 0", 0, "10000", "0.2", "", {calculate, recalculate}, "0", 2, "",
         checkFailed(Command::Recalculate, InputError::DriveSpeedZero)},
        {"decel point of type 0", 0, "10000", "0.2", "", {calculate, decelPoint}, "10000", 1, "10000",
         noSettingAt(Command::ComputeDecelPoint, NotAsymmetricSCurve)},
        {"decel point after a failed calculate", 3, "0", "0.2", "0.3", {calculate, decelPoint}, "10000", 1,
         "10000", noSettingAt(Command::ComputeDecelPoint, NothingCalculated)},
        {"pulse count no number", 3, "10000", "0.2", "0.3", {calculate, decelPoint}, "10000", 1, "abc",
         noSettingAt(Command::ComputeDecelPoint, PulseCountZero)},
        {"pulse count too small", 3, "10000", "0.2", "0.3", {calculate, decelPoint}, "10000", 1, "1000",
         noSettingAt(Command::ComputeDecelPoint, PulseCountTooSmall)},
        {"a failure, then a success", 0, "0", "0.2", "", {calculate, calculate}, "10000", -1, "", std::nullopt},
        {"decel point succeeds", 3, "10000", "0.2", "0.3", {calculate, decelPoint}, "10000", 1, "10000", std::nullopt},
    };
    for (const Case& c : cases) {
        controller.reset();
        view.texts[IDC_PULSE_COUNT] = c.pulses;
        view.enter(c.type, "100", c.drive, c.accel, c.decel);
        for (std::size_t i = 0; i < c.commands.size(); ++i) {
            if (i + 1 == c.commands.size()) {
                view.texts[IDC_DRIVE_SPEED] = c.driveBeforeLast;
                view.selected[IDC_MULTIPLIER] = c.selectedBeforeLast;
                view.calls.clear();
            }
            (controller.*c.commands[i])();
        }
        EXPECT_EQ(controller.lastFailure(), c.expected) << c.what;
        // The message shown is the error's, exactly as before.
        if (c.expected) {
            ASSERT_FALSE(view.calls.empty()) << c.what;
            EXPECT_EQ(view.calls.front(), "error " + std::string(messageFor(c.expected->error))) << c.what;
        } else {
            EXPECT_TRUE(view.calls.empty() || view.calls.front().rfind("error ", 0) != 0) << c.what;
        }
    }
}

TEST_F(ControllerTest, FreshnessFollowsTheCommands)
{
    struct Step {
        const char* what;
        ControllerCommand command; // nullptr: reset, as the dialog opens
        const char* drive;
        int selected;
        const char* pulses;
        bool valuesStale, decelPointStale;
    };
    const Step steps[] = {
        {"as opened: 0 in the point's field", nullptr, "10000", -1, "10000", false, false},
        {"calculate: the opening 0 is no point", calculate, "10000", -1, "10000", false, false},
        {"decel point", decelPoint, "10000", 1, "10000", false, false},
        {"recalculate x5", recalculate, "10000", 5, "10000", false, true},
        {"decel point again", decelPoint, "10000", 5, "10000", false, false},
        {"refused recalculate keeps all", recalculate, "10000", 0, "10000", false, false},
        {"failed calculate", calculate, "0", 5, "10000", true, true},
        {"refused recalculate", recalculate, "10000", 5, "10000", true, true},
        {"failed decel point clears the field", decelPoint, "10000", 5, "10000", true, false},
        {"calculate again", calculate, "10000", 5, "10000", false, false},
        {"decel point", decelPoint, "10000", 1, "10000", false, false},
        {"failed decel point", decelPoint, "10000", 1, "1000", false, false},
        {"reset", nullptr, "10000", 1, "1000", false, false},
    };
    view.enter(3, "100", "10000", "0.2", "0.3");
    for (const Step& step : steps) {
        view.texts[IDC_DRIVE_SPEED] = step.drive;
        view.selected[IDC_MULTIPLIER] = step.selected;
        view.texts[IDC_PULSE_COUNT] = step.pulses;
        if (step.command) {
            (controller.*step.command)();
        } else {
            controller.reset();
        }
        EXPECT_EQ(controller.resultFreshness(), (ResultFreshness{step.valuesStale, step.decelPointStale})) << step.what;
    }
}

TEST_F(ControllerTest, ReadingsAreTheTextsCutAt78BytesAndTheirNumbers)
{
    const std::string digits76 = "1" + std::string(75, '0');
    struct Case {
        std::string typed;
        FieldReading expected;
    };
    const Case cases[] = {
        {"12 ", {"12 ", false, 12.0, 2}},
        {"1,000", {"1,000", false, 1.0, 1}},
        {"abc", {"abc", false, 0.0, 0}},
        {" -0.2", {" -0.2", false, -0.2, 5}},
        {digits76 + "12", {digits76 + "12", false, 1e77 + 12, 78}},   // exactly 78 bytes
        {digits76 + "123", {digits76 + "12", true, 1e77 + 12, 78}},   // 79: the last byte cut
        {digits76 + "é", {digits76 + "é", false, 1e75, 76}},          // 78 with a 2-byte character
        {digits76 + "あ", {digits76, true, 1e75, 76}},                 // a 3-byte character not split
        {digits76 + "1あ", {digits76 + "1", true, 1e76, 77}},
    };
    for (const Case& c : cases) {
        view.enter(0, "100", c.typed.c_str(), "0.2", "x");
        controller.onCalculate();
        ASSERT_TRUE(controller.lastReading()) << c.typed;
        EXPECT_EQ(controller.lastReading()->fields[InputField::DriveSpeed], c.expected) << c.typed;
        EXPECT_EQ(controller.lastReading()->fields[InputField::DecelTime], (FieldReading{"x", false, 0.0, 0})) << c.typed;
    }
}

TEST_F(ControllerTest, ReadingFollowsTheCommandsThatRead)
{
    view.texts[IDC_DRIVE_TYPE] = "非対称S字";
    view.enter(3, "100", "10000", "0.2", "0.3");
    EXPECT_FALSE(controller.lastReading());
    controller.onComputeDecelPoint(); // reads nothing before a calculation
    EXPECT_FALSE(controller.lastReading());

    controller.onCalculate();
    ASSERT_TRUE(controller.lastReading());
    EXPECT_EQ(controller.lastReading()->driveType, DriveType::AsymmetricSCurve);
    EXPECT_EQ(controller.lastReading()->fields[InputField::DriveType]->text, "非対称S字");
    EXPECT_FALSE(controller.lastReading()->fields[InputField::PulseCount]);

    view.texts[IDC_PULSE_COUNT] = "1e4x";
    controller.onComputeDecelPoint();
    EXPECT_EQ(controller.lastReading()->fields[InputField::PulseCount], (FieldReading{"1e4x", false, 10000.0, 3}));
    view.texts[IDC_PULSE_COUNT] = "7";
    EXPECT_EQ(controller.readPulseCount(), 7.0);
    EXPECT_EQ(controller.lastReading()->fields[InputField::PulseCount]->text, "7");

    // A refused Recalculate reads no field; an accepted one reads them afresh.
    view.texts[IDC_DRIVE_SPEED] = "20000";
    view.selected[IDC_MULTIPLIER] = 0;
    controller.onRecalculate();
    EXPECT_EQ(controller.lastReading()->fields[InputField::DriveSpeed]->number, 10000.0);
    view.selected[IDC_MULTIPLIER] = 5;
    controller.onRecalculate();
    EXPECT_EQ(controller.lastReading()->fields[InputField::DriveSpeed]->number, 20000.0);
    EXPECT_FALSE(controller.lastReading()->fields[InputField::PulseCount]);

    // A failed Calculate keeps what it read: the text that read as 0.
    view.enter(-1, "100", "abc", "0.2", "");
    view.texts[IDC_DRIVE_TYPE] = std::string(80, 'z');
    controller.onCalculate();
    EXPECT_EQ(controller.lastReading()->fields[InputField::DriveSpeed], (FieldReading{"abc", false, 0.0, 0}));
    EXPECT_EQ(controller.lastReading()->driveType, DriveType::None);
    EXPECT_EQ(controller.lastReading()->fields[InputField::DriveType]->text, std::string(78, 'z'));
    EXPECT_TRUE(controller.lastReading()->fields[InputField::DriveType]->cut);
    controller.reset();
    EXPECT_FALSE(controller.lastReading());
}

} // namespace
} // namespace veldronix
