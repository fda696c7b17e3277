// The page's view records what a command does, in order, for the page to play
// back; the page application answers it as JSON.
#include "ui/web/page_application.h"
#include "ui/web/page_view.h"

#include "controller/calculator_controller.h"
#include "io/json_reader.h"
#include "io/machine_file.h"
#include "support/sample_form.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace veldronix::web {
namespace {

using Kind = ViewOperation::Kind;

void typeWorkedDrive(PageView& view, int driveType)
{
    view.setSelection(ControlId::IDC_DRIVE_TYPE, driveType);
    view.setFieldText(ControlId::IDC_INITIAL_SPEED, "100");
    view.setFieldText(ControlId::IDC_DRIVE_SPEED, "10000");
    view.setFieldText(ControlId::IDC_ACCEL_TIME, "0.2");
    view.setFieldText(ControlId::IDC_DECEL_TIME, "0.3");
}

TEST(PageView, aFailedDecelPointShowsItsMessageBeforeTheFieldIsCleared)
{
    PageView view;
    CalculatorController controller(view);
    typeWorkedDrive(view, 3);
    view.setFieldText(ControlId::IDC_PULSE_COUNT, "1000"); // 10000 - 10100 x 0.15 = -515
    controller.onCalculate();
    (void)view.takeOperations();
    controller.onComputeDecelPoint();
    const std::vector<ViewOperation> expected = {
        {Kind::ShowError, ControlId::IDC_STATIC, "パラメーターエラー。設定値を求めることができません。", -1},
        {Kind::WriteText, ControlId::IDC_DECEL_POINT, "", -1},
    };
    EXPECT_EQ(view.takeOperations(), expected);
    EXPECT_TRUE(view.takeOperations().empty());
}

TEST(PageView, calculateWritesTheNineTextsThenSelectsTheMultiplier)
{
    PageView view;
    CalculatorController controller(view);
    typeWorkedDrive(view, 0);
    controller.onCalculate();
    const std::vector<ViewOperation> operations = view.takeOperations();
    ASSERT_EQ(operations.size(), 10u);
    const ControlId order[] = {ControlId::IDC_SUMMARY, ControlId::IDC_OUT_R,  ControlId::IDC_OUT_A,
                               ControlId::IDC_OUT_SV,  ControlId::IDC_OUT_V,  ControlId::IDC_OUT_K,
                               ControlId::IDC_OUT_AO,  ControlId::IDC_OUT_D,  ControlId::IDC_OUT_L};
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(operations[i].kind, Kind::WriteText);
        EXPECT_EQ(operations[i].control, order[i]);
    }
    EXPECT_EQ(operations[1].text, "4000000 ");
    EXPECT_EQ(operations[2].text, "198.000 "); // the worked example's A
    EXPECT_EQ(operations[9], (ViewOperation{Kind::SelectIndex, ControlId::IDC_MULTIPLIER, "", 1}));
}

TEST(PageView, readsAreWholeTextsAndSelectionsTheItems)
{
    PageView view;
    // The whole text: the controller cuts it at the field limit.
    view.setFieldText(ControlId::IDC_INITIAL_SPEED, std::string(76, '0') + "100"); // 79 bytes
    EXPECT_EQ(view.readText(ControlId::IDC_INITIAL_SPEED), std::string(76, '0') + "100");
    EXPECT_EQ(view.readText(ControlId::IDC_PULSE_COUNT), "");
    const struct {
        ControlId selector;
        int index;
        int selected;
    } cases[] = {
        {ControlId::IDC_DRIVE_TYPE, 3, 3},  {ControlId::IDC_DRIVE_TYPE, 4, -1}, {ControlId::IDC_DRIVE_TYPE, -7, -1},
        {ControlId::IDC_MULTIPLIER, 8, 8},  {ControlId::IDC_MULTIPLIER, 9, -1}, {ControlId::IDC_OUT_R, 1, -1},
    };
    for (const auto& c : cases) {
        view.setSelection(c.selector, c.index);
        EXPECT_EQ(view.selectedIndex(c.selector), c.selected) << toInt(c.selector) << " " << c.index;
    }
    // What the page hands in is no operation of a command.
    EXPECT_TRUE(view.takeOperations().empty());
}

TEST(PageApplication, answersEachButtonWithItsOperationsAsJson)
{
    PageApplication application;
    EXPECT_EQ(application.press(ControlId::IDC_RECALCULATE),
              R"([{"op":"message","text":"パラメーターエラー。設定値を求めることができません。"}])");
    application.setFieldText(ControlId::IDC_DRIVE_SPEED, "10000");
    application.setFieldText(ControlId::IDC_ACCEL_TIME, "0.2");
    const std::string calculated = application.press(ControlId::IDC_CALCULATE);
    EXPECT_NE(calculated.find(R"({"op":"write","control":1005,"text":"4000000 "})"), std::string::npos) << calculated;
    EXPECT_NE(calculated.find(R"({"op":"select","control":1017,"index":1}])"), std::string::npos) << calculated;
    EXPECT_EQ(application.press(ControlId::IDC_OUT_R), "[]");
    EXPECT_EQ(PageApplication::selectorItems(ControlId::IDC_DRIVE_TYPE),
              R"(["対称台形加減速","対称S字加減速","非対称台形加減速","非対称S字加減速"])");
}

// How often text occurs in json.
int occurrences(const std::string& json, const std::string& text)
{
    int count = 0;
    for (auto at = json.find(text); at != std::string::npos; at = json.find(text, at + text.size())) {
        ++count;
    }
    return count;
}

TEST(PageApplication, detailsHoldTheComparisonOnceAndThePlotAtTheAreasSize)
{
    PageApplication application;
    EXPECT_EQ(application.plotSvg(600, 400), ""); // nothing calculated
    application.setSelection(ControlId::IDC_DRIVE_TYPE, 3);
    application.setFieldText(ControlId::IDC_INITIAL_SPEED, "100");
    application.setFieldText(ControlId::IDC_DRIVE_SPEED, "10000");
    application.setFieldText(ControlId::IDC_ACCEL_TIME, "0.2");
    application.setFieldText(ControlId::IDC_DECEL_TIME, "0.3");
    application.setFieldText(ControlId::IDC_PULSE_COUNT, "10000");
    (void)application.press(ControlId::IDC_CALCULATE);
    const std::string details = application.details();
    EXPECT_EQ(occurrences(details, R"x("action":"chooseRow","label":"この倍率で再計算(&R)","enabled":true,)x"
                                   R"x("needsSelectedRow":true)x"), 1);
    // Choosing the row of 10(800,000) selects it in 倍率 and presses 再計算.
    EXPECT_EQ(occurrences(details, R"("index":3,"requests":[{"op":"select","control":1017,"index":3},)"
                                   R"({"op":"press","control":1016}])"), 1);
    EXPECT_EQ(occurrences(details, R"("kind":"plot","plotted":true)"), 1);
    // Laid out 11/12 of the area's size, so that its 11-px texts fill 12 px on the page.
    const std::string plot = application.plotSvg(600, 480);
    EXPECT_NE(plot.find(R"(viewBox="0 0 550 440")"), std::string::npos) << plot.substr(0, 300);
    // No area, or none that can be measured, gives no plot; a huge one the largest
    // plot, 8192 px a side laid out at 11/12: 7509.33 px.
    for (const double side : {0.0, -5.0, std::nan("")}) {
        EXPECT_EQ(application.plotSvg(side, 480), "") << side;
    }
    for (const double side : {1e12, HUGE_VAL}) {
        EXPECT_NE(application.plotSvg(side, side).find(R"(viewBox="0 0 7509.33 7509.33")"), std::string::npos);
    }
    EXPECT_EQ(application.documentSvg().rfind("<?xml", 0), 0u);
}

// A form of the details as the page hands it in: cleared, its fields and
// choice, then an edit (the details show what it read) or a command (its
// requests as the page plays them back); the Enter keys as the page binds them.
TEST(PageApplication, formsAndEnterKeysAreHandedOutAsJson)
{
    PageApplication application;
    application.forms().add(std::make_unique<testing_support::SampleForm>());
    EXPECT_NE(application.details().find(R"("form":{"name":"sample","choices":[{"key":"question","label":"問い",)"
                                         R"("items":["最短時間","時間指定"],"selected":0}],"fields":[{"key":"speed",)"
                                         R"("label":"最高速度","unit":"PPS","text":"20000","used":true,"finding":"",)"
                                         R"("findingWarning":false,"enterCommand":"apply"})"),
              std::string::npos);
    application.formView().setFieldText("time", "old");
    application.formView().clear();
    application.formView().setFieldText("speed", "3\"0");
    application.formView().setSelection("question", 1);
    application.editForm("sample");
    const std::string details = application.details();
    EXPECT_NE(details.find(R"("text":"3\"0","used":true,"finding":"▲ 「3\"0」は数値ではありません。")"),
              std::string::npos);
    EXPECT_NE(details.find(R"("key":"time","label":"目標時間","unit":"秒","text":"","used":true)"), std::string::npos);
    EXPECT_EQ(application.formCommand("sample", "apply"),
              R"([{"op":"write","control":1002,"text":"3\"0"},{"op":"press","control":1004}])");
    EXPECT_EQ(application.formCommand("none", "apply"), "[]");
    EXPECT_EQ(PageApplication::enterKeys(),
              R"([{"field":1000,"button":1004},{"field":1001,"button":1004},{"field":1002,"button":1004},)"
              R"({"field":1003,"button":1004},{"field":1012,"button":1004},{"field":1017,"button":1016},)"
              R"({"field":1018,"button":1019}])");
}

// The machine file as the page saves and opens it: the fields handed in taken
// into the axis, the download's text opened again on a new page in pieces,
// the file's name in the title; a file too large kept only as far as shows
// it, a bad or unreadable one refused with nothing changed.
TEST(PageApplication, machineFileIsDownloadedAndOpenedInPieces)
{
    const auto member = [](const std::string& json, std::string_view name) {
        const auto value = io::readJson(json);
        const io::JsonValue* found = std::get<io::JsonValue>(value).find(name);
        return found == nullptr ? std::string("(none)") : found->text;
    };
    PageApplication saving;
    saving.setFieldText(ControlId::IDC_INITIAL_SPEED, "640");
    saving.setFieldText(ControlId::IDC_DRIVE_SPEED, "32000");
    saving.setFieldText(ControlId::IDC_ACCEL_TIME, "0.2");
    saving.press(ControlId::IDC_CALCULATE);
    const std::string file = saving.machineFile();
    EXPECT_EQ(member(file, "name"), "machine.veldronix.json");
    const std::string text = member(file, "text");
    EXPECT_NE(text.find(R"("driveSpeed": "32000")"), std::string::npos) << text;
    EXPECT_EQ(saving.machineTitle("Veldronix"), "Veldronix");
    EXPECT_EQ(saving.machineSaved("C:\\fakepath\\bench.veldronix.json"),
              R"({"note":"bench.veldronix.json に保存しました。","failed":false,"requests":[]})");
    EXPECT_EQ(saving.machineTitle("Veldronix"), "bench.veldronix.json - Veldronix");

    PageApplication opening;
    opening.beginMachineText();
    EXPECT_TRUE(opening.addMachineBytes(std::string_view(text).substr(0, 7)));
    EXPECT_TRUE(opening.addMachineBytes(std::string_view(text).substr(7)));
    const std::string opened = opening.openMachine("bench.veldronix.json", true);
    EXPECT_EQ(member(opened, "note"), "bench.veldronix.json を開きました。");
    EXPECT_NE(opened.find(R"({"op":"write","control":1002,"text":"32000"})"), std::string::npos) << opened;
    EXPECT_EQ(opening.machineTitle("Veldronix"), "bench.veldronix.json - Veldronix");
    opening.setFieldText(ControlId::IDC_INITIAL_SPEED, "640");
    opening.setFieldText(ControlId::IDC_DRIVE_SPEED, "32000");
    opening.setFieldText(ControlId::IDC_ACCEL_TIME, "0.2");
    opening.press(ControlId::IDC_CALCULATE);
    EXPECT_EQ(member(opening.machineFile(), "text"), text); // the same bytes saved again

    // Refused: too large (the pieces stop being wanted one byte past the limit), not JSON, unreadable.
    const std::string piece(io::machineFileSizeLimit / 2, ' ');
    opening.beginMachineText();
    EXPECT_TRUE(opening.addMachineBytes(piece));
    EXPECT_TRUE(opening.addMachineBytes(piece));
    EXPECT_FALSE(opening.addMachineBytes("xy"));
    EXPECT_FALSE(opening.addMachineBytes(piece));
    for (const auto& [name, readable] : {std::pair{"huge.veldronix.json", true}, std::pair{"bad.veldronix.json", true},
                                         std::pair{"gone.veldronix.json", false}}) {
        if (std::string_view(name) == "bad.veldronix.json") {
            opening.beginMachineText();
            opening.addMachineBytes(R"({"format": 1})");
        }
        const std::string refused = opening.openMachine(name, readable);
        EXPECT_NE(refused.find(R"("failed":true,"requests":[])"), std::string::npos) << refused;
        EXPECT_NE(member(refused, "note").find(name), std::string::npos) << refused;
        EXPECT_EQ(opening.machineTitle("Veldronix"), "bench.veldronix.json - Veldronix");
    }
}

} // namespace
} // namespace veldronix::web
