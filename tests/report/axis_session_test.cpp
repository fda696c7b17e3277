// The machine's axes in the details: the real drive in the axis's units, the
// form 単位で入力, the axis list keeping each axis's fields, and the machine
// file saved and opened through the session, as every window runs them.
#include "controller/recording_view.h"
#include "io/file_read.h"
#include "report/axis_form.h"
#include "report/details.h"
#include "report/details_layout.h"
#include "report/units_form.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

namespace veldronix::testing_support {
namespace {

class FakeFormView final : public report::FormView {
public:
    std::string fieldText(std::string_view key) override { return texts[std::string(key)]; }
    int selectedIndex(std::string_view key) override
    {
        const auto found = selections.find(std::string(key));
        return found == selections.end() ? -1 : found->second;
    }
    // Shows a section's form as a window does: each field's text and choice's item.
    void show(const report::DetailsSection& section)
    {
        texts.clear();
        selections.clear();
        for (const report::FormChoice& choice : section.form->choices) {
            selections[choice.key] = choice.selected;
        }
        for (const report::FormField& field : section.form->fields) {
            texts[field.key] = field.text;
        }
    }

    std::map<std::string, std::string> texts;
    std::map<std::string, int> selections;
};

// 200 steps × 16 microsteps on a 5 mm lead screw: 640 pulses per mm.
AxisMechanics leadScrew()
{
    return std::get<AxisMechanics>(AxisMechanics::make({"3200", "", "5", AxisUnit::Millimetre}));
}

class AxisSessionTest : public ControllerTest {
protected:
    AxisSessionTest()
    {
        auto axis = std::make_unique<report::AxisForm>(session, view, controller);
        axisForm = axis.get();
        forms.add(std::move(axis));
        auto units = std::make_unique<report::UnitsForm>(session);
        unitsForm = units.get();
        forms.add(std::move(units));
    }

    report::Details details() { return report::makeDetails(controller, controller.readPulseCount(), session.mechanics()); }

    const report::DetailsSection& sectionOf(std::string_view heading)
    {
        layout = forms.layout(details());
        for (const report::DetailsSection& section : layout.sections) {
            if (section.heading == heading) {
                return section;
            }
        }
        throw std::logic_error("no such section");
    }

    // Runs a form's command from what the form shows, with the edits given, and carries its requests out.
    std::vector<DialogRequest> run(std::string_view heading, std::string_view form, std::string_view command,
                                   const std::map<std::string, std::string>& typed = {},
                                   const std::map<std::string, int>& chosen = {})
    {
        formView.show(sectionOf(heading));
        for (const auto& [key, text] : typed) {
            formView.texts[key] = text;
        }
        for (const auto& [key, index] : chosen) {
            formView.selections[key] = index;
        }
        const std::vector<DialogRequest> requests = forms.command(form, command, formView);
        perform(requests);
        return requests;
    }

    void perform(const std::vector<DialogRequest>& requests)
    {
        performRequests(requests, view, [this](ControlId button) {
            if (button == ControlId::IDC_CALCULATE) {
                controller.onCalculate();
            } else if (button == ControlId::IDC_RECALCULATE) {
                controller.onRecalculate();
            }
        });
    }

    std::vector<std::string> lines(std::string_view heading)
    {
        std::vector<std::string> texts;
        for (const report::DetailsLine& line : sectionOf(heading).lines) {
            texts.push_back(line.text);
        }
        return texts;
    }

    report::MachineSession session;
    report::DetailsForms forms;
    report::AxisForm* axisForm = nullptr;
    report::UnitsForm* unitsForm = nullptr;
    FakeFormView formView;
    report::DetailsLayout layout;
};

// The worked example: the speeds of the real drive in mm/s and motor rpm, the
// jerks in mm/s³, the pulse count as a distance; a rotary axis with gear 3
// in °/s; without mechanics nothing changes.
TEST_F(AxisSessionTest, theRealDriveIsShownInTheAxisUnits)
{
    view.enter(1, "640", "32000", "0.2", "");
    view.texts[IDC_PULSE_COUNT] = "64000";
    controller.onCalculate();
    const report::Details plain = details();
    EXPECT_EQ(plain.realDrive.at(0).requested, "640.000 PPS");
    EXPECT_TRUE(plain.plotDistance.empty());

    session.setMechanics(leadScrew());
    const report::Details inUnits = details();
    EXPECT_EQ(inUnits.realDrive.at(0).real, "640.000 PPS(1.000 mm/s、12.000 rpm)");
    EXPECT_EQ(inUnits.realDrive.at(1).real, "32000.000 PPS(50.000 mm/s、600.000 rpm)");
    // The time keeps its one unit; the jerk (32000 − 640) / 0.1 / 0.1 ... in mm/s³ too.
    EXPECT_EQ(inUnits.realDrive.at(2).requested, plain.realDrive.at(2).requested);
    EXPECT_NE(inUnits.realDrive.at(3).requested.find(" mm/s³)"), std::string::npos);
    EXPECT_EQ(inUnits.plotDistance, "出力パルス数64000パルスは100.000 mmの移動です。");
    EXPECT_EQ(lines("速度プロファイル").back(), inUnits.plotDistance);
    EXPECT_EQ(inUnits.realDrive.at(0).deviation, plain.realDrive.at(0).deviation);

    // 3200 pulses per motor rev, 3 motor revs per table rev: 9600 pulses per 360°.
    session.setMechanics(std::get<AxisMechanics>(AxisMechanics::make({"3200", "3", "", AxisUnit::Degree})));
    view.enter(0, "96", "9600", "0.5", "");
    controller.onCalculate();
    EXPECT_EQ(details().realDrive.at(1).requested, "9600.000 PPS(360.000 °/s、180.000 rpm)");
}

// 単位で入力 writes exact PPS texts and presses 決定; rpm as the speeds' unit;
// a text that is no number writes nothing and is marked at its field; an axis
// without mechanics shows no form.
TEST_F(AxisSessionTest, theUnitsFormFillsThePpsFieldsExactly)
{
    EXPECT_EQ(lines("単位で入力"), (std::vector<std::string>{
                                       "軸の機構(1回転のパルス数、減速比、1回転の移動量)を設定すると、mm/s・rpm・mmで入力できます。"}));
    EXPECT_FALSE(sectionOf("単位で入力").form);

    session.setMechanics(leadScrew());
    view.enter(0, "", "", "0.2", "");
    const auto requests = run("単位で入力", "units", "apply", {{"initialSpeed", "1"}, {"driveSpeed", "50"}, {"distance", "100"}});
    EXPECT_EQ(requests, (std::vector<DialogRequest>{DialogRequest::write(ControlId::IDC_INITIAL_SPEED, "640"),
                                                    DialogRequest::write(ControlId::IDC_DRIVE_SPEED, "32000"),
                                                    DialogRequest::write(ControlId::IDC_PULSE_COUNT, "64000"),
                                                    DialogRequest::press(ControlId::IDC_CALCULATE)}));
    ASSERT_TRUE(controller.lastCalculation());
    EXPECT_EQ(lines("単位で入力").at(1), "ドライブ速度 → 32000 PPS");

    // 600 rpm of a 3200-pulse motor: 32000 PPS; the distance left empty leaves 出力パルス数 alone.
    EXPECT_EQ(run("単位で入力", "units", "apply", {{"initialSpeed", "0.5"}, {"driveSpeed", "600"}, {"distance", ""}},
                  {{"speedUnit", 1}}),
              (std::vector<DialogRequest>{DialogRequest::write(ControlId::IDC_INITIAL_SPEED, "26.666667"),
                                          DialogRequest::write(ControlId::IDC_DRIVE_SPEED, "32000"),
                                          DialogRequest::press(ControlId::IDC_CALCULATE)}));

    EXPECT_TRUE(run("単位で入力", "units", "apply", {{"driveSpeed", "5O"}}).empty());
    const report::DetailsSection& marked = sectionOf("単位で入力");
    EXPECT_EQ(marked.form->fields.at(1).finding, "▲ 「5O」は数値ではありません。");
    EXPECT_FALSE(marked.buttons.at(0).enabled);
    EXPECT_EQ(view.texts[IDC_DRIVE_SPEED], "32000");
}

// Each axis keeps its own fields, drive type, multiplier item and mechanics:
// choosing one takes the dialog's fields into the one shown, writes the
// other's and runs 決定, then 再計算 with its item.
TEST_F(AxisSessionTest, eachAxisKeepsItsOwnFields)
{
    view.enter(3, "100", "10000", "0.2", "0.3");
    controller.onCalculate();
    view.selected[IDC_MULTIPLIER] = 4;
    controller.onRecalculate();
    run("軸", "axis", "mechanics", {{"pulsesPerRev", "3200"}, {"travelPerRev", "5"}});
    EXPECT_EQ(lines("軸").at(0), "軸 X:640パルス/mm");

    run("軸", "axis", "add", {{"name", "Y"}});
    ASSERT_EQ(session.axes().size(), 2u);
    EXPECT_EQ(session.currentIndex(), 1u);
    EXPECT_EQ(session.axes()[0].multiplierIndex, 4);
    view.enter(0, "50", "5000", "0.1", "");
    controller.onCalculate();
    run("軸", "axis", "mechanics", {{"pulsesPerRev", "3200"}, {"gear", "3"}, {"travelPerRev", ""}}, {{"unit", 1}});

    const auto back = run("軸", "axis", "choose", {}, {{"axis", 0}});
    EXPECT_EQ(back.at(0), DialogRequest::select(ControlId::IDC_DRIVE_TYPE, 3));
    EXPECT_EQ(back.at(5), DialogRequest::write(ControlId::IDC_PULSE_COUNT, ""));
    EXPECT_EQ(back.back(), DialogRequest::press(ControlId::IDC_RECALCULATE));
    EXPECT_EQ(view.texts[IDC_DRIVE_SPEED], "10000");
    EXPECT_EQ(controller.lastCalculation()->multiplierIndex, 4);
    EXPECT_EQ(session.mechanics()->pulsesPerUnitText(), "640");
    EXPECT_EQ(session.axes()[1].driveSpeed, "5000");
    EXPECT_FALSE(session.axes()[1].multiplierIndex);

    run("軸", "axis", "choose", {}, {{"axis", 1}});
    EXPECT_EQ(view.texts[IDC_DRIVE_SPEED], "5000");
    EXPECT_EQ(lines("軸").at(0), "軸 Y:26.666667パルス/°");
}

// The edits refused, with their exact sentences, and nothing changed.
TEST_F(AxisSessionTest, axisEditsThatCannotBeMadeSaySo)
{
    struct Case {
        const char* command;
        std::map<std::string, std::string> typed;
        std::string line;
    };
    const Case cases[] = {
        {"remove", {}, "▲ 軸が1つだけのときは削除できません。"},
        {"add", {{"name", "X"}}, "▲ 軸「X」はすでにあります。別の名前を入力してください。"},
        {"add", {{"name", ""}}, "▲ 軸の名前を入力してください。"},
        {"rename", {{"name", "Z\n"}}, "▲ 軸の名前に制御文字は使えません。"},
        {"rename", {{"name", std::string(79, 'a')}}, "▲ 軸の名前「" + std::string(79, 'a') + "」が長すぎます。"},
        {"mechanics", {{"pulsesPerRev", "0"}}, "▲ 1回転のパルス数:0より大きい値を入力してください。"},
        {"mechanics", {{"pulsesPerRev", "3200"}, {"travelPerRev", "1e-400"}}, "▲ 1回転の移動量:0.000001以上1000000000以下の値を入力してください。"},
        {"mechanics", {{"pulsesPerRev", "3200"}, {"travelPerRev", "10"}}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_TRUE(run("軸", "axis", c.command, c.typed).empty());
        EXPECT_EQ(session.axes().size(), 1u);
        EXPECT_EQ(session.current().name, "X");
        const std::vector<std::string> shown = lines("軸");
        EXPECT_EQ(shown.back().rfind("▲", 0) == 0 ? shown.back() : "", c.line);
    }
    // A wrong rotary travel is refused; the axis keeps its last mechanics.
    run("軸", "axis", "mechanics", {{"travelPerRev", "180"}}, {{"unit", 1}});
    EXPECT_EQ(lines("軸").back(), "▲ 1回転の移動量:回転軸の1回転は360°です。");
    EXPECT_EQ(session.mechanics()->texts().travelPerRev, "10");
}

// Saved, opened and saved again: the same fields, the same details, the same
// bytes; a bad file changes neither the session nor the dialog.
TEST_F(AxisSessionTest, theMachineFileSavesOpensAndSavesTheSameBytes)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "veldronix-axis-session";
    std::filesystem::create_directories(folder);
    const std::string first = (folder / "bench").string();
    const std::string second = (folder / "again.veldronix.json").string();

    session.setMechanics(leadScrew());
    view.enter(3, "640", "32000", "0.2", "0.3");
    view.texts[IDC_PULSE_COUNT] = "64000";
    controller.onCalculate();
    run("軸", "axis", "add", {{"name", "Y"}});
    const report::MachineFileOutcome saved = report::saveMachine(session, first, view, controller.lastCalculation());
    EXPECT_EQ(std::tie(saved.note, saved.failed), std::tuple("bench.veldronix.json に保存しました。", false));
    EXPECT_EQ(report::machineWindowTitle("Veldronix", session.fileName()), "bench.veldronix.json - Veldronix");
    const std::vector<std::string> before = lines("丸めた設定値による実際のドライブ");

    report::MachineSession reopened;
    view.enter(0, "", "", "", "");
    controller.reset();
    const report::MachineFileOutcome opened = report::openMachine(reopened, first + ".veldronix.json");
    EXPECT_EQ(opened.note, "bench.veldronix.json を開きました。");
    perform(opened.requests);
    EXPECT_EQ(view.texts[IDC_DRIVE_SPEED], "32000");
    EXPECT_EQ(reopened.axes().size(), 2u);
    EXPECT_EQ(report::makeDetails(controller, controller.readPulseCount(), reopened.mechanics()).realDrive.at(1).real,
              "32000.000 PPS(50.000 mm/s、600.000 rpm)");
    EXPECT_FALSE(report::saveMachine(reopened, second, view, controller.lastCalculation()).failed);
    const auto bytes = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(bytes(second), bytes(first + ".veldronix.json"));

    const report::MachineFileOutcome bad = report::openMachineText(reopened, "C:\\m\\bad.veldronix.json", "{\"format\":");
    EXPECT_TRUE(bad.failed);
    EXPECT_TRUE(bad.requests.empty());
    EXPECT_NE(bad.note.find("bad.veldronix.json"), std::string::npos);
    EXPECT_EQ(reopened.fileName(), "again.veldronix.json");
    EXPECT_EQ(reopened.axes().size(), 2u);
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace veldronix::testing_support
