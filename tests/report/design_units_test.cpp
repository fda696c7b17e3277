// The details in the axis's units beyond the real drive: the comparison of the
// multipliers with a column in units for each speed and jerk, and the form
// 移動の設計 whose limits and pulse count may be typed in the axis's units, its
// table giving both, its entries kept as the axis's design values in the
// machine file. Without mechanics both are as they are in pulses.
#include "controller/recording_view.h"
#include "io/machine_file.h"
#include "report/comparison_table.h"
#include "report/details.h"
#include "report/move_design_form.h"
#include "report/texts_ja.h"
#include "support/fake_form_view.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace veldronix::testing_support {
namespace {

using report::MoveDesignForm;

// 200 steps × 16 microsteps on a 5 mm lead screw, gear 1: 640 pulses per mm.
AxisMechanics leadScrew()
{
    return std::get<AxisMechanics>(AxisMechanics::make({"3200", "", "5", AxisUnit::Millimetre}));
}

// 3200 pulses per motor rev, 3 motor revs per table rev: 9600 pulses per 360°.
AxisMechanics rotaryTable()
{
    return std::get<AxisMechanics>(AxisMechanics::make({"3200", "3", "", AxisUnit::Degree}));
}

std::vector<std::string> textsOf(const std::vector<report::DetailsLine>& cells)
{
    std::vector<std::string> texts;
    for (const report::DetailsLine& cell : cells) {
        texts.push_back(cell.text);
    }
    return texts;
}

std::vector<std::string> headingsOf(const report::DetailsTable& table)
{
    std::vector<std::string> headings;
    for (const report::DetailsColumn& column : table.columns) {
        headings.push_back(column.heading);
    }
    return headings;
}

class DesignUnitsTest : public ControllerTest {
protected:
    void SetUp() override
    {
        ControllerTest::SetUp();
        forms.add(std::make_unique<MoveDesignForm>(session));
    }

    report::Details details() { return report::makeDetails(controller, controller.readPulseCount(), session.mechanics()); }

    report::DetailsSection section() { return forms.layout(details()).sections.back(); }

    // Types into the form as shown, with the choices given, and hands the edit on.
    void type(const std::map<std::string, std::string>& texts, const std::map<std::string, int>& chosen = {})
    {
        FakeFormView form(*section().form);
        for (const auto& [key, text] : texts) {
            form.texts[key] = text;
        }
        for (const auto& [key, index] : chosen) {
            form.selections[key] = index;
        }
        forms.edit(MoveDesignForm::formName, form);
    }

    std::vector<DialogRequest> applyRequests()
    {
        FakeFormView form(*section().form);
        return forms.command(MoveDesignForm::formName, "apply", form);
    }

    report::MachineSession session;
    report::DetailsForms forms;
};

// The worked example's comparison: after each speed its mm/s and rpm, after
// the S-curve's jerk its mm/s³ (the real values of each row); the rotary
// axis in °/s; without mechanics the table of pulses alone, cell for cell.
TEST_F(DesignUnitsTest, theComparisonGivesEachSpeedAndJerkInTheAxisUnits)
{
    struct Case {
        const char* name;
        int type;
        const char* initial;
        const char* drive;
        std::optional<AxisMechanics> mechanics;
        std::vector<std::string> addedHeadings; // after the pulses' columns, in order
        std::vector<std::string> firstRowAdded; // the automatic multiplier's cells in them
    };
    const Case cases[] = {
        {"lead screw, trapezoid", 0, "640", "32000", leadScrew(),
         {"初速度(mm/s)", "初速度(rpm)", "ドライブ速度(mm/s)", "ドライブ速度(rpm)"},
         {"1.000", "12.000", "50.000", "600.000"}},
        {"lead screw, S-curve", 1, "640", "32000", leadScrew(),
         {"初速度(mm/s)", "初速度(rpm)", "ドライブ速度(mm/s)", "ドライブ速度(rpm)", "加加速度(mm/s³)"},
         {"1.000", "12.000", "50.000", "600.000", "4882.812"}},
        {"rotary table, gear 3", 0, "96", "9600", rotaryTable(),
         {"初速度(°/s)", "初速度(rpm)", "ドライブ速度(°/s)", "ドライブ速度(rpm)"},
         {"3.600", "1.800", "360.000", "180.000"}},
        {"no mechanics", 1, "640", "32000", std::nullopt, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.enter(c.type, c.initial, c.drive, "0.2", "");
        controller.onCalculate();
        const report::Details plain = report::makeDetails(controller, std::nullopt);
        const report::Details withAxis =
            report::makeDetails(controller, std::nullopt, c.mechanics ? &*c.mechanics : nullptr);
        const report::ComparisonTable inPulses = report::comparisonTable(*plain.comparison, report::texts::ja::comparison);
        const report::ComparisonTable inUnits =
            report::comparisonTable(*withAxis.comparison, report::texts::ja::comparison, c.mechanics ? &*c.mechanics : nullptr);

        std::vector<std::string> added;
        std::vector<std::string> firstRow;
        const std::vector<std::string> pulseHeadings = headingsOf(inPulses.table);
        const std::vector<std::string> unitHeadings = headingsOf(inUnits.table);
        ASSERT_EQ(inUnits.table.rows.size(), inPulses.table.rows.size());
        for (std::size_t column = 0; column < unitHeadings.size(); ++column) {
            if (std::find(pulseHeadings.begin(), pulseHeadings.end(), unitHeadings[column]) == pulseHeadings.end()) {
                added.push_back(unitHeadings[column]);
                firstRow.push_back(inUnits.table.rows.front().cells.at(column).text);
            }
        }
        EXPECT_EQ(added, c.addedHeadings);
        EXPECT_EQ(firstRow, c.firstRowAdded);
        EXPECT_EQ(unitHeadings.size(), pulseHeadings.size() + c.addedHeadings.size());
        if (c.addedHeadings.empty()) {
            for (std::size_t row = 0; row < inPulses.table.rows.size(); ++row) {
                EXPECT_EQ(textsOf(inUnits.table.rows[row].cells), textsOf(inPulses.table.rows[row].cells));
            }
        }
        // The window's section (key columns first) carries the same columns.
        EXPECT_EQ(report::comparisonSection(withAxis)->table.columns.size(), unitHeadings.size());
    }
}

// The design's limits and distance typed in mm/s, mm/s², mm/s³ and mm (or
// rpm for the speeds) give the design of their PPS equivalents: the same
// integers applied and the same table, its figures in pulses and beside them in mm.
TEST_F(DesignUnitsTest, limitsTypedInTheAxisUnitsGiveTheDesignOfTheirPulses)
{
    using Texts = std::map<std::string, std::string>;
    struct Case {
        const char* name;
        int question;
        int type;
        int unit; // 1: mm, 2: speeds in rpm
        Texts inPulses;
        Texts inUnits;
    };
    const Case cases[] = {
        {"fastest trapezoid in mm", 0, 0, 1,
         {{"initialSpeed", "640"}, {"pulses", "64000"}, {"maxSpeed", "32000"}, {"maxAccel", "320000"}},
         {{"initialSpeed", "1"}, {"pulses", "100"}, {"maxSpeed", "50"}, {"maxAccel", "500"}}},
        {"fastest asymmetric trapezoid, speeds in rpm", 0, 2, 2,
         {{"initialSpeed", "640"}, {"pulses", "64000"}, {"maxSpeed", "32000"}, {"maxAccel", "320000"},
          {"maxDecel", "160000"}},
         {{"initialSpeed", "12"}, {"pulses", "100"}, {"maxSpeed", "600"}, {"maxAccel", "500"}, {"maxDecel", "250"}}},
        {"fastest asymmetric S-curve in mm/s³", 0, 3, 1,
         {{"initialSpeed", "640"}, {"pulses", "64000"}, {"maxSpeed", "32000"}, {"maxAccel", ""},
          {"maxJerk", "3200000"}, {"maxDecelJerk", "1600000"}},
         {{"initialSpeed", "1"}, {"pulses", "100"}, {"maxSpeed", "50"}, {"maxAccel", ""}, {"maxJerk", "5000"},
          {"maxDecelJerk", "2500"}}},
        {"on time, the distance in mm", 1, 0, 1,
         {{"initialSpeed", "640"}, {"pulses", "64000"}, {"accelTime", "0.2"}, {"targetTime", "3"}},
         {{"initialSpeed", "1"}, {"pulses", "100"}, {"accelTime", "0.2"}, {"targetTime", "3"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session.setMechanics(leadScrew());
        session.setDesign({});
        view.enter(0, "640", "32000", "0.2", "");
        controller.onCalculate();
        type(c.inPulses, {{"question", c.question}, {"driveType", c.type}, {"unit", 0}});
        const std::vector<DialogRequest> expected = applyRequests();
        const report::DetailsSection pulses = section();
        ASSERT_FALSE(expected.empty());

        // The unit chosen first, as a user would, then the texts typed in it.
        type({}, {{"unit", c.unit}});
        type(c.inUnits);
        EXPECT_EQ(applyRequests(), expected);
        const report::DetailsSection units = section();
        ASSERT_EQ(units.table.rows.size(), pulses.table.rows.size());
        for (std::size_t row = 0; row < units.table.rows.size(); ++row) {
            EXPECT_EQ(textsOf(units.table.rows[row].cells), textsOf(pulses.table.rows[row].cells));
        }
        EXPECT_EQ(headingsOf(units.table),
                  (std::vector<std::string>{"項目", "設計", "設計(mm)", "上限・指定", "上限(mm)", "比較"}));
        const auto row = [&units](std::string_view label) {
            for (const report::DetailsRow& r : units.table.rows) {
                if (r.cells.at(0).text == label) {
                    return textsOf(r.cells);
                }
            }
            return std::vector<std::string>{};
        };
        EXPECT_EQ(row("出力パルス数"), (std::vector<std::string>{"出力パルス数", "64000パルス", "100.000 mm", "", "", ""}));
        if (c.question == 0) {
            EXPECT_EQ(row("ドライブ速度").at(4), "上限 50.000 mm/s、600.000 rpm");
        }
    }
}

// The unit choice: offered only where the axis has mechanics; the field units
// follow it, a choice made converts what is typed so that it stays the same
// limit, a text typed in mm says what it is in PPS, one that is no number is
// marked; the times stay seconds.
TEST_F(DesignUnitsTest, theUnitChoiceConvertsAndMarksWhatIsTyped)
{
    view.enter(0, "100", "20000", "0.199", "");
    view.texts[IDC_PULSE_COUNT] = "10000";
    controller.onCalculate();
    const report::DetailsSection plain = section();
    ASSERT_EQ(plain.form->choices.size(), 2u);
    ASSERT_EQ(plain.table.columns.size(), 4u);

    session.setMechanics(leadScrew());
    report::DetailsSection s = section();
    ASSERT_EQ(s.form->choices.size(), 3u);
    EXPECT_EQ(s.form->choices[2].items, (std::vector<std::string>{"PPS", "mm", "mm・rpm"}));
    EXPECT_EQ(s.form->choices[2].selected, 0);

    type({}, {{"unit", 1}});
    s = section();
    const auto fieldOf = [&s](std::string_view key) {
        return *std::find_if(s.form->fields.begin(), s.form->fields.end(),
                             [key](const report::FormField& f) { return f.key == key; });
    };
    using Shown = std::tuple<std::string, std::string, std::string>;
    const auto shown = [&fieldOf](std::string_view key) {
        const report::FormField f = fieldOf(key);
        return Shown{f.text, f.unit, f.finding};
    };
    EXPECT_EQ(shown("maxSpeed"), (Shown{"31.25", "mm/s", "→ 20000 PPS"}));
    EXPECT_EQ(shown("maxAccel"), (Shown{"156.25", "mm/s²", "→ 100000 PPS/秒"}));
    EXPECT_EQ(shown("maxJerk"), (Shown{"1562.5", "mm/s³", ""})); // not used by the trapezoid
    EXPECT_EQ(shown("pulses"), (Shown{"15.625", "mm", "→ 10000 パルス"}));
    EXPECT_EQ(shown("accelTime"), (Shown{"0.199", "秒", ""}));

    type({}, {{"unit", 2}});
    s = section();
    EXPECT_EQ(shown("maxSpeed"), (Shown{"375", "rpm", "→ 20000 PPS"}));
    EXPECT_EQ(shown("maxAccel"), (Shown{"156.25", "mm/s²", "→ 100000 PPS/秒"}));
    type({{"maxSpeed", "fast"}, {"pulses", "0.0001"}});
    s = section();
    EXPECT_EQ(shown("maxSpeed"), (Shown{"fast", "rpm", "▲ 数値として読めません。"}));
    // 0.064 pulses round to none: no move.
    EXPECT_EQ(std::get<2>(shown("pulses")), "▲ 0より大きい数値を入力してください。");
    EXPECT_TRUE(applyRequests().empty());

    // Back in PPS the exact pulses of what was typed; a text that is no number stays.
    type({{"pulses", "15.625"}}, {});
    type({}, {{"unit", 0}});
    s = section();
    EXPECT_EQ(shown("maxAccel"), (Shown{"100000", "PPS/秒", ""}));
    EXPECT_EQ(shown("pulses"), (Shown{"10000", "パルス", ""}));
    EXPECT_EQ(std::get<0>(shown("maxSpeed")), "fast");

    // Without mechanics no choice, and the texts are read in pulses.
    type({{"maxSpeed", "20000"}}, {{"unit", 1}});
    session.setMechanics(std::nullopt);
    s = section();
    EXPECT_EQ(s.form->choices.size(), 2u);
    EXPECT_EQ(shown("maxSpeed"), (Shown{"31.25", "PPS", ""}));
}

// The form's entries are the current axis's design values: saved in the
// machine file with their unit, opened back into the form, saved again to the
// same bytes; a file whose values have no unit reads them in PPS.
TEST_F(DesignUnitsTest, theDesignValuesAndTheirUnitRoundTripThroughTheMachineFile)
{
    session.setMechanics(leadScrew());
    view.enter(0, "640", "32000", "0.2", "");
    controller.onCalculate();
    EXPECT_TRUE(session.current().design.empty()); // following the dialog: nothing of its own to save
    type({}, {{"unit", 1}});
    type({{"initialSpeed", "1"}, {"pulses", "100"}, {"maxSpeed", "50"}, {"maxAccel", "500"}});
    const std::vector<DialogRequest> applied = applyRequests();

    const auto text = std::get<std::string>(session.fileText());
    EXPECT_NE(text.find(R"("unit": "units")"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("maxSpeed": "50")"), std::string::npos) << text;

    report::MachineSession reopened;
    ASSERT_FALSE(reopened.open("m.veldronix.json", text));
    EXPECT_EQ(std::get<std::string>(reopened.fileText()), text);
    report::DetailsForms others;
    others.add(std::make_unique<MoveDesignForm>(reopened));
    const report::DetailsSection back =
        others.layout(report::makeDetails(controller, std::nullopt, reopened.mechanics())).sections.back();
    EXPECT_EQ(back.form->choices.at(2).selected, 1);
    EXPECT_EQ(back.form->fields.at(2).text, "50");
    FakeFormView form(*back.form);
    EXPECT_EQ(others.command(MoveDesignForm::formName, "apply", form), applied);

    // The same values without their unit: in pulses, 50 PPS.
    io::Machine machine = std::get<io::Machine>(io::readMachine(text));
    auto& values = machine.axes[0].design;
    values.erase(std::remove_if(values.begin(), values.end(), [](const auto& v) { return v.first == "unit"; }),
                 values.end());
    report::MachineSession older;
    ASSERT_FALSE(older.open("older.veldronix.json", io::writeMachine(machine)));
    report::DetailsForms olderForms;
    olderForms.add(std::make_unique<MoveDesignForm>(older));
    const report::DetailsSection inPulses =
        olderForms.layout(report::makeDetails(controller, std::nullopt, older.mechanics())).sections.back();
    EXPECT_EQ(inPulses.form->choices.at(2).selected, 0);
    EXPECT_EQ(inPulses.form->fields.at(2).unit, "PPS");
}

} // namespace
} // namespace veldronix::testing_support
