// The section 移動の設計: its form follows the dialog until edited, reads each
// field strictly, shows the design of each question and drive type as a table,
// never a miss as a success, and writes a design into the dialog so that the
// details then show exactly its integers.
#include "controller/recording_view.h"
#include "report/details.h"
#include "report/move_design_form.h"
#include "support/fake_form_view.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace veldronix::testing_support {
namespace {

using report::MoveDesignForm;

class MoveDesignFormTest : public ControllerTest {
protected:
    report::Details details() { return report::makeDetails(controller, controller.readPulseCount()); }

    report::DetailsSection section()
    {
        const report::DetailsLayout layout = forms.layout(details());
        return layout.sections.back();
    }

    // Types into the form as shown, as a user would, and hands the edit on.
    void type(const std::map<std::string, std::string>& texts, std::optional<int> question = {},
              std::optional<int> driveType = {})
    {
        FakeFormView form(*section().form);
        for (const auto& [key, text] : texts) {
            form.texts[key] = text;
        }
        if (question) {
            form.selections["question"] = *question;
        }
        if (driveType) {
            form.selections["driveType"] = *driveType;
        }
        forms.edit(MoveDesignForm::formName, form);
    }

    // The section's apply button, carried out on the dialog as its window does.
    std::vector<DialogRequest> apply()
    {
        FakeFormView form(*section().form);
        const std::vector<DialogRequest> requests = forms.command(MoveDesignForm::formName, "apply", form);
        performRequests(requests, view, [this](ControlId button) {
            if (button == IDC_CALCULATE) {
                controller.onCalculate();
            } else if (button == IDC_RECALCULATE) {
                controller.onRecalculate();
            } else if (button == IDC_COMPUTE_DECEL_POINT) {
                controller.onComputeDecelPoint();
            }
        });
        return requests;
    }

    // The form is shown with a calculation; this one prefills the example's
    // limits: 100 -> 20,000 PPS in 0.199 s is 100,000 PPS/s, over 10,000 pulses.
    void SetUp() override
    {
        ControllerTest::SetUp();
        forms.add(std::make_unique<MoveDesignForm>());
        view.enter(0, "100", "20000", "0.199", "");
        view.texts[IDC_PULSE_COUNT] = "10000";
        controller.onCalculate();
        view.calls.clear();
    }

    report::DetailsForms forms;
};

const report::FormField& field(const report::DetailsSection& s, std::string_view key)
{
    const auto found = std::find_if(s.form->fields.begin(), s.form->fields.end(),
                                    [key](const report::FormField& f) { return f.key == key; });
    EXPECT_NE(found, s.form->fields.end()) << key;
    return *found;
}

std::vector<std::string> usedKeys(const report::DetailsSection& s)
{
    std::vector<std::string> keys;
    for (const report::FormField& f : s.form->fields) {
        if (f.used) {
            keys.push_back(f.key);
        }
    }
    return keys;
}

// The section's lines, each with whether it is a warning.
std::vector<std::pair<std::string, bool>> linesOf(const report::DetailsSection& s)
{
    std::vector<std::pair<std::string, bool>> lines;
    for (const report::DetailsLine& line : s.lines) {
        lines.emplace_back(line.text, line.warning);
    }
    return lines;
}

std::vector<std::string> rowOf(const report::DetailsSection& s, std::string_view label)
{
    for (const report::DetailsRow& row : s.table.rows) {
        if (row.cells.at(0).text == label) {
            std::vector<std::string> cells;
            for (const report::DetailsLine& cell : row.cells) {
                cells.push_back(cell.text);
            }
            return cells;
        }
    }
    return {};
}

// Worked by hand (type 0 from 100 PPS, 10,000 pulses, at most 20,000 PPS and
// 100,000 PPS/s): multiplier 5, SV 20, V 4000, A 160; a = 125 x 160 x 5 =
// 100,000 PPS/s, ramps of 19,900 / 100,000 = 0.199 s of (20,000 + 100) / 2 x
// 0.199 = 1999.95 pulses each, 6000.1 pulses at 20,000 PPS in 0.300005 s, the
// move 0.698005 s. Nothing calculated, the form is not shown.
TEST_F(MoveDesignFormTest, theFastestMoveOfTheExampleAsATableBesideItsLimits)
{
    EXPECT_FALSE(MoveDesignForm().section(report::makeDetails(std::nullopt, 10000.0)));
    const report::DetailsSection s = section();
    EXPECT_EQ(s.heading, "移動の設計");
    ASSERT_EQ(s.form->choices.size(), 2u);
    EXPECT_EQ(s.form->choices[0].items, (std::vector<std::string>{"最短時間", "時間指定"}));
    EXPECT_EQ(s.form->choices[1].selected, 0);
    EXPECT_EQ(usedKeys(s), (std::vector<std::string>{"initialSpeed", "pulses", "maxSpeed", "maxAccel"}));
    const std::vector<std::vector<std::string>> rows = {
        {"倍率", "5(1,600,000)", "", ""},
        {"R", "1600000", "", ""},
        {"A", "160", "", ""},
        {"SV", "20", "", ""},
        {"V", "4000", "", ""},
        {"初速度", "100.000 PPS", "上限 100.000 PPS", "上限の100.00 %"},
        {"ドライブ速度", "20000.000 PPS", "上限 20000.000 PPS", "上限の100.00 %"},
        {"加減速時間", "0.199000秒", "", ""},
        {"加減速度", "100000.000 PPS/秒", "上限 100000.000 PPS/秒", "上限の100.00 %"},
        {"加速区間", "0.199000秒(1999.950パルス)", "", ""},
        {"定速区間", "0.300005秒(6000.100パルス)", "", ""},
        {"減速区間", "0.199000秒(1999.950パルス)", "", ""},
        {"移動時間", "0.698005秒", "", ""},
    };
    ASSERT_EQ(s.table.rows.size(), rows.size());
    for (const std::vector<std::string>& row : rows) {
        EXPECT_EQ(rowOf(s, row[0]), row);
    }
    EXPECT_EQ(s.kind, report::SectionKind::Table);
    ASSERT_EQ(s.lines.size(), 2u);
    EXPECT_EQ(s.lines[0].text, "最短時間の設定です。決め手:最高速度(この倍率で上限以下の最も速いドライブ速度)");
    EXPECT_FALSE(s.lines[0].warning);
    EXPECT_EQ(s.lines[1].text, "「設定に反映」で入力欄に書き込み、決定を押します。");
    ASSERT_EQ(s.buttons.size(), 1u);
    EXPECT_TRUE(s.buttons[0].enabled && s.buttons[0].command == "apply");
}

// Each question and drive type: the fields it uses, what decides the design or
// why it misses, and apply's requests, which give the details exactly the
// design's integers (those of the table's rows) and the pulse count.
TEST_F(MoveDesignFormTest, eachQuestionAndDriveTypeAppliesItsOwnIntegers)
{
    struct Case {
        int question;
        int driveType;
        std::map<std::string, std::string> texts;
        std::vector<std::string> used;
        std::string outcome;
        bool recalculates; // apply selects the multiplier and presses 再計算
    };
    const std::string fastest = "最短時間の設定です。決め手:最高速度(この倍率で上限以下の最も速いドライブ速度)";
    // Within a microsecond of the target.
    const std::string onTime = "目標時間までに終わる中で最も遅く終わる設定です(目標まで0.000000秒)。";
    const std::vector<Case> cases = {
        {0, 0, {}, {"initialSpeed", "pulses", "maxSpeed", "maxAccel"}, fastest, false},
        // 1,000 pulses are too few to reach 20,000 PPS: 10,000 PPS at multiplier 2.
        {0, 0, {{"pulses", "1000"}}, {"initialSpeed", "pulses", "maxSpeed", "maxAccel"},
         "最短時間の設定です。決め手:移動が短く、これより速いドライブ速度では時間が縮まない", false},
        {0, 1, {{"maxAccel", ""}}, {"initialSpeed", "pulses", "maxSpeed", "maxAccel", "maxJerk"}, fastest, true},
        {0, 2, {{"maxDecel", "50000"}}, {"initialSpeed", "pulses", "maxSpeed", "maxAccel", "maxDecel"}, fastest, false},
        {0, 3, {{"maxAccel", "120000"}, {"maxDecelJerk", "500000"}},
         {"initialSpeed", "pulses", "maxSpeed", "maxAccel", "maxJerk", "maxDecelJerk"}, fastest, true},
        // Worked in the core's tests: 12,490 PPS from 40 PPS ends at 1.0 s exactly at multiplier 2, 決定's own.
        {1, 0, {}, {"initialSpeed", "pulses", "accelTime", "targetTime"}, onTime, false},
        {1, 1, {}, {"initialSpeed", "pulses", "accelTime", "targetTime"}, onTime, true},
        {1, 2, {{"decelTime", "0.3"}}, {"initialSpeed", "pulses", "accelTime", "decelTime", "targetTime"}, onTime, false},
        {1, 3, {{"decelTime", "0.3"}}, {"initialSpeed", "pulses", "accelTime", "decelTime", "targetTime"}, onTime, false},
        // The ramps alone take 0.4 s: the earliest end is shown, and marked as a miss.
        {1, 0, {{"targetTime", "0.2"}}, {"initialSpeed", "pulses", "accelTime", "targetTime"},
         "▲ 目標時間に間に合いません:目標時間が、加減速に必要な時間より短いです。"
         "最も早く終わる設定を示します(0.196246秒 遅れる)。",
         false},
    };
    // The example the form starts from, each case's own texts over it.
    const std::map<std::string, std::string> example = {
        {"initialSpeed", "100"}, {"pulses", "10000"}, {"maxSpeed", "20000"}, {"maxAccel", "100000"},
        {"maxDecel", "100000"}, {"maxJerk", "1000000"}, {"maxDecelJerk", "1000000"}, {"accelTime", "0.2"},
        {"decelTime", "0.2"}, {"targetTime", "1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.question << " " << c.driveType << " " << c.outcome);
        std::map<std::string, std::string> texts = c.texts;
        texts.insert(example.begin(), example.end());
        type(texts, c.question, c.driveType);
        const report::DetailsSection s = section();
        EXPECT_EQ(usedKeys(s), c.used);
        const bool met = c.outcome.rfind("▲", 0) != 0;
        EXPECT_EQ(s.lines.at(0).warning, !met);
        EXPECT_EQ(s.lines[0].text, c.outcome);
        const std::vector<std::string> moveTime = rowOf(s, met ? "移動時間" : "▲ 移動時間");
        EXPECT_FALSE(moveTime.empty());
        if (c.question == 1) {
            EXPECT_TRUE(moveTime.at(3).find(met ? "遅れる" : "早く") == std::string::npos) << moveTime.at(3);
        }

        const std::vector<DialogRequest> requests = apply();
        EXPECT_EQ(requests.front(), DialogRequest::select(IDC_DRIVE_TYPE, c.driveType));
        EXPECT_EQ(std::count(requests.begin(), requests.end(), DialogRequest::press(IDC_RECALCULATE)),
                  c.recalculates ? 1 : 0);
        EXPECT_TRUE(std::none_of(view.calls.begin(), view.calls.end(),
                                 [](const std::string& call) { return call.rfind("error", 0) == 0; }));
        const report::Details shown = details();
        ASSERT_TRUE(shown.calculated);
        EXPECT_EQ(shown.heading.substr(shown.heading.rfind("倍率:") + std::string("倍率:").size()), rowOf(s, "倍率").at(1));
        for (const report::DetailsRegister& r : shown.registers) {
            EXPECT_EQ(rowOf(s, r.name).at(1), r.integer) << r.name;
        }
        EXPECT_EQ(shown.plotState, report::DetailsPlotState::Plotted);
        // The form keeps its entries: the design shown is still the one applied.
        EXPECT_EQ(section().table.rows.size(), s.table.rows.size());
        view.calls.clear();
    }
}

// The form starts from the dialog's calculation and pulse count (its rates or
// jerks as the limits) and follows it until the user edits it; then it keeps
// the user's entries across calculations.
TEST_F(MoveDesignFormTest, followsTheDialogUntilEditedThenKeepsTheEntries)
{
    view.enter(3, "100", "10000", "0.2", "0.3");
    view.texts[IDC_PULSE_COUNT] = "10000";
    controller.onCalculate();
    const std::vector<std::pair<std::string, std::string>> followed = {
        {"initialSpeed", "100"}, {"pulses", "10000"}, {"maxSpeed", "10000"}, {"maxAccel", ""},
        // 4 x 9900 / 0.2^2 and 4 x 9900 / 0.3^2
        {"maxJerk", "990000"}, {"maxDecelJerk", "440000"}, {"accelTime", "0.2"}, {"decelTime", "0.3"}};
    report::DetailsSection s = section();
    EXPECT_EQ(s.form->choices[1].selected, 3);
    for (const auto& [key, text] : followed) {
        EXPECT_EQ(field(s, key).text, text) << key;
    }
    EXPECT_EQ(field(s, "maxAccel").finding, "空欄なら加速度の上限なし(加加速度だけで決めます)。");
    EXPECT_FALSE(field(s, "maxAccel").findingWarning);

    type({{"maxSpeed", "8000"}});
    view.enter(0, "200", "5000", "0.5", "");
    controller.onCalculate();
    s = section();
    EXPECT_EQ(field(s, "maxSpeed").text, "8000");
    EXPECT_EQ(field(s, "initialSpeed").text, "100");
    EXPECT_EQ(s.form->choices[1].selected, 3);

    // A fresh form follows this one: 4800 / 0.5 = 9600 PPS/s for the trapezoid.
    s = *MoveDesignForm().section(details());
    EXPECT_EQ(std::make_tuple(field(s, "initialSpeed").text, field(s, "maxAccel").text, s.form->choices[1].selected),
              std::make_tuple("200", "9600", 0));
}

// Each used field is read whole; an unused one is not read at all. A field
// that cannot be used blocks the design: no table, a warning, apply greyed and
// asking nothing of the dialog.
TEST_F(MoveDesignFormTest, aFieldThatCannotBeUsedBlocksTheDesign)
{
    struct Case {
        std::string key;
        std::string text;
        std::string finding; // empty: none, and the design is made
    };
    const std::vector<Case> cases = {
        {"maxSpeed", "", "▲ 数値を入力してください。"},
        {"maxSpeed", "  \t", "▲ 数値を入力してください。"},
        {"maxSpeed", "abc", "▲ 数値として読めません。"},
        {"maxSpeed", "20,000", "▲ 数値として読めません。"},
        {"maxSpeed", "12x", "▲ 数値として読めません。"},
        {"maxSpeed", std::string("12\0", 3), "▲ 数値として読めません。"},
        {"maxSpeed", " 20000 ", ""},
        {"maxSpeed", "2e4", ""},
        {"maxSpeed", "0", "▲ 0より大きい数値を入力してください。"},
        {"maxSpeed", "-5", "▲ 0より大きい数値を入力してください。"},
        {"maxSpeed", "1e400", "▲ 大きすぎて扱えません。"},
        {"maxSpeed", "1e300", ""}, // far above any register: 8000 x 500 decides
        {"initialSpeed", "nan", "▲ 数値として読めません。"},
        {"pulses", "10.5", "▲ 整数を入力してください。"},
        {"pulses", "1e300", "▲ 1125899906842624以下の整数を入力してください。"},
        {"pulses", "1125899906842624", ""},
        {"targetTime", "abc", ""}, // not used by the fastest move
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key + " [" + c.text + "]");
        std::map<std::string, std::string> texts = {
            {"maxSpeed", "20000"}, {"initialSpeed", "100"}, {"pulses", "10000"}, {"targetTime", "1"}};
        texts[c.key] = c.text;
        type(texts, 0, 0);
        const report::DetailsSection s = section();
        EXPECT_EQ(field(s, c.key).finding, c.finding);
        EXPECT_EQ(field(s, c.key).findingWarning, !c.finding.empty());
        EXPECT_EQ(s.table.rows.empty(), !c.finding.empty());
        EXPECT_EQ(s.buttons.at(0).enabled, c.finding.empty());
        if (!c.finding.empty()) {
            EXPECT_EQ(s.kind, report::SectionKind::Lines);
            EXPECT_EQ(linesOf(s), (std::vector<std::pair<std::string, bool>>{{"▲ 設計できません:入力欄の確認事項を直してください。", true}}));
            EXPECT_TRUE(apply().empty());
            EXPECT_TRUE(view.calls.empty());
        }
    }
}

// A limit no register can keep to designs nothing: its reason, never a success,
// and apply asks nothing; choices the form has no item for read as the first.
TEST_F(MoveDesignFormTest, aLimitNoSettingKeepsToGivesItsReason)
{
    type({{"maxAccel", "124.9"}}, 0, 0);
    report::DetailsSection s = section();
    EXPECT_EQ(linesOf(s), (std::vector<std::pair<std::string, bool>>{
                              {"▲ 設計できません:加速度の上限が、レジスタA・Dの1単位(125 PPS/秒)より小さいです。", true}}));
    EXPECT_FALSE(s.buttons.at(0).enabled);
    EXPECT_TRUE(apply().empty());

    type({{"maxAccel", "100000"}}, 7, -1);
    s = section();
    EXPECT_EQ(std::make_tuple(s.form->choices[0].selected, s.form->choices[1].selected), std::make_tuple(0, 0));
    EXPECT_FALSE(s.lines.at(0).warning);
}

} // namespace
} // namespace veldronix::testing_support
