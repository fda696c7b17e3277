// The details as every window lays them out: sections in order, their tables'
// columns, marks and colours, and the actions under them. The texts themselves
// are the details' own (details_test.cpp); here is where and how they go.
#include "controller/recording_view.h"
#include "report/details.h"
#include "report/details_layout.h"
#include "report/details_style.h"
#include "report/form_controller.h"
#include "report/move_design_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace veldronix::testing_support {
namespace {

using report::DetailsLayout;

// A section's buttons: " [label]", greyed ones and those that wait for a selected
// row so marked, a menu as its own button's label and what it offers.
std::string buttonsOf(const report::DetailsSection& section)
{
    std::string out;
    for (const report::SectionButton& button : section.buttons) {
        out += " [" + button.label + (button.enabled ? "" : " greyed") + (button.needsSelectedRow ? " needs a row" : "");
        for (const report::ButtonChoice& choice : button.menu) {
            out += (&choice == &button.menu.front() ? " | " + button.menuLabel + ": " : ", ") + choice.label;
        }
        out += "]";
    }
    return out;
}

// The layout one line a part: a section's heading, kind and buttons; a table's
// columns ("<" left, ">" right, "*" a key column) and rows with their colours; lines, "!" a warning.
// The comparison's table and lines are its own (multiplier_comparison_test.cpp).
std::string shown(const DetailsLayout& layout)
{
    std::string out = layout.heading + "\n";
    for (const auto& line : layout.status) {
        out += (line.warning ? "! " : "") + line.text + "\n";
    }
    for (const auto& section : layout.sections) {
        const char* kind = section.kind == report::SectionKind::Lines   ? "lines"
                           : section.kind == report::SectionKind::Table ? "table"
                                                                        : "plot";
        out += "[" + section.heading + "] " + kind + (section.plotted ? " plotted" : "") + buttonsOf(section) + "\n";
        if (!section.rowIndices.empty()) {
            continue;
        }
        for (const auto& column : section.table.columns) {
            out += std::string(column.align == report::CellAlign::Left ? "<" : ">") + (column.keepWhole ? "*" : "") +
                   column.heading + " ";
        }
        out += section.table.columns.empty() ? "" : "\n";
        for (const auto& row : section.table.rows) {
            for (const auto& cell : row.cells) {
                out += (cell.warning ? "!" : "") + cell.text + " | ";
            }
            out += std::string(row.background.value_or("-")) + " " + std::string(row.ink.value_or("-")) + "\n";
        }
        for (const auto& line : section.lines) {
            out += (line.warning ? "! " : "") + line.text + "\n";
        }
    }
    return out;
}

class DetailsLayoutTest : public ControllerTest {
protected:
    report::Details detailsOf(int type, const char* initial, const char* drive, std::optional<double> pulses)
    {
        view.enter(type, initial, drive, "0.2", "0.3");
        controller.onCalculate();
        return report::makeDetails(controller.lastCalculation(), pulses);
    }
};

// A plotted drive: the registers to copy, the real drive, the note that there
// are no findings, the plot with its phases in their bands' colours and the totals
// in the mark's, its note and the save button, last the multipliers to choose from.
TEST_F(DetailsLayoutTest, plottedDriveHasItsSectionsInOrder)
{
    EXPECT_EQ(shown(report::detailsLayout(detailsOf(2, "100", "10000", 10000.0))),
              "ドライブ種類:非対称台形加減速　倍率:2(4,000,000)\n"
              "[整数の設定値] table [コピー(&C) | 形式を選んでコピー(&F)...: 整数の設定値(1行に1つ), C言語の#define, JSON]\n"
              "<*レジスタ >*整数 >求めた値 \n"
              "R | 4000000 | 4000000 | - -\nA | 198 | 198.000 | - -\nSV | 50 | 50.000 | - -\n"
              "V | 5000 | 5000.000 | - -\nD | 132 | 132.000 | - -\n"
              "[丸めた設定値による実際のドライブ] table\n"
              "<*項目 >*指定値 >*実際の値 >*偏差 \n"
              "初速度 | 100.000 PPS | 100.000 PPS | 0.0000 % | - -\n"
              "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 % | - -\n"
              "加速時間 | 0.200000秒 | 0.200000秒 | 0.0000 % | - -\n"
              "減速時間 | 0.300000秒 | 0.300000秒 | 0.0000 % | - -\n"
              "[確認事項] lines\n"
              "なし。整数の設定値はどれもそのまま設定できます。\n"
              "[速度プロファイル] plot plotted [保存(&S)...]\n"
              "<*区間 >*時間 >*パルス数 <速度 \n"
              "加速 | 0.200000秒 | 1010パルス | 100 → 10000 PPS | #dbeafe #1e40af\n"
              "定速 | 0.747500秒 | 7475パルス | 10000 PPSで一定 | #dcfce7 #166534\n"
              "減速 | 0.300000秒 | 1515パルス | 10000 → 100 PPS | #fef3c7 #92400e\n"
              "合計 | 1.247500秒 | 10000パルス | 減速点:8485パルス | - #c2410c\n"
              "整数の設定値でも、減速点8485.000から減速すると出力パルス数の終わりにちょうど初速度に戻ります。\n"
              "[倍率の比較] table [この倍率で再計算(&R) needs a row]\n");
}

// Registers with findings and quantities without a real value: the row in the
// warning colour, its key cell marked; each finding a marked warning line. Without
// a pulse count the plot section holds only its note, and nothing to save.
TEST_F(DetailsLayoutTest, findingsAreMarkedInTheWarningColour)
{
    EXPECT_EQ(report::detailsColours.warning, "#b91c1c");
    EXPECT_EQ(shown(report::detailsLayout(detailsOf(0, "-1000", "10000", std::nullopt))),
              "ドライブ種類:対称台形加減速　倍率:2(4,000,000)\n"
              "[整数の設定値] table [コピー(&C) | 形式を選んでコピー(&F)...: 整数の設定値(1行に1つ), C言語の#define, JSON]\n"
              "<*レジスタ >*整数 >求めた値 \n"
              "R | 4000000 | 4000000 | - -\nA | 220 | 220.000 | - -\n"
              "SV | !▲ -500 | -500.000 | - #b91c1c\n"
              "V | 5000 | 5000.000 | - -\n"
              "[丸めた設定値による実際のドライブ] table\n"
              "<*項目 >*指定値 >*実際の値 >*偏差 \n"
              "!▲ 初速度 | -1000.000 PPS | なし(確認事項を参照) | なし | - #b91c1c\n"
              "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 % | - -\n"
              "!▲ 加減速時間 | 0.200000秒 | なし(確認事項を参照) | なし | - #b91c1c\n"
              "[確認事項] lines\n"
              "! ▲ SV=-500(求めた値 -500.000):レジスタに負の値は設定できません。\n"
              "[速度プロファイル] plot\n"
              "速度プロファイルを表示するには、出力パルス数に0より大きい数値を入力してください。\n"
              "[倍率の比較] table [この倍率で再計算(&R) needs a row]\n");
}

// A pulse count that gives no motion: the note is a warning, no table, nothing to save.
TEST_F(DetailsLayoutTest, noMotionNoteIsAWarning)
{
    const DetailsLayout layout = report::detailsLayout(detailsOf(3, "100", "10000", 1000.0));
    ASSERT_EQ(layout.sections.size(), 5u);
    const auto& plot = layout.sections[3];
    EXPECT_EQ(plot.kind, report::SectionKind::Plot);
    EXPECT_TRUE(plot.table.rows.empty() && plot.table.columns.empty() && plot.buttons.empty() && !plot.plotted);
    ASSERT_EQ(plot.lines.size(), 1u);
    EXPECT_TRUE(plot.lines[0].warning);
    EXPECT_TRUE(plot.lines[0].text.starts_with("▲ 移動量が短すぎます。"));
}

// Nothing calculated: the heading alone; the lines of a failure and the fields'
// readings are kept, calculated or not, the readings before the register findings.
TEST_F(DetailsLayoutTest, statusAndReadingsOutliveTheCalculation)
{
    report::Details nothing = detailsOf(0, "100", "", 10000.0);
    ASSERT_FALSE(nothing.calculated);
    EXPECT_EQ(shown(report::detailsLayout(nothing)),
              "設定値が計算されていません。入力情報を入力し、決定ボタンを押してください。\n");

    nothing.status = {"why it failed"};
    nothing.inputFindings = {"a text read as 0"};
    EXPECT_EQ(shown(report::detailsLayout(nothing)),
              "設定値が計算されていません。入力情報を入力し、決定ボタンを押してください。\n"
              "! ▲ why it failed\n"
              "[確認事項] lines\n"
              "! ▲ a text read as 0\n");

    report::Details found = detailsOf(1, "100", "100", 10000.0); // K is infinite: a finding
    found.inputFindings = {"a text cut at 78 bytes"};
    const DetailsLayout layout = report::detailsLayout(found);
    ASSERT_EQ(layout.sections.size(), 5u);
    const auto& findings = layout.sections[2].lines;
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].text, "▲ a text cut at 78 bytes");
    EXPECT_TRUE(findings[1].text.starts_with("▲ K=なし"));
}

// Every table the window shows, the forms' among them, has its key columns
// first, and the row's name among them; none is a table of only keys but the
// real drive's, whose four figures are all copied.
TEST_F(DetailsLayoutTest, everyTableHasItsKeyColumnsFirst)
{
    report::DetailsForms forms;
    forms.add(std::make_unique<report::MoveDesignForm>());
    const DetailsLayout layout = forms.layout(detailsOf(3, "100", "10000", 10000.0));
    std::vector<std::string> keys;
    for (const report::DetailsSection& section : layout.sections) {
        const auto& columns = section.table.columns;
        if (columns.empty()) {
            continue;
        }
        const auto key = [](const report::DetailsColumn& column) { return column.keepWhole; };
        EXPECT_TRUE(std::is_partitioned(columns.begin(), columns.end(), key)) << section.heading;
        std::string line = section.heading + ":";
        for (const report::DetailsColumn& column : columns) {
            line += column.keepWhole ? " " + column.heading : "";
        }
        keys.push_back(line);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"整数の設定値: レジスタ 整数",
                                              "丸めた設定値による実際のドライブ: 項目 指定値 実際の値 偏差",
                                              "速度プロファイル: 区間 時間 パルス数",
                                              "倍率の比較:  倍率 最大偏差 確認事項",
                                              "移動の設計: 項目 設計"}));
}

// The key columns come first, each group in its order, the cells moving with
// their columns; a row short of cells gets empty ones.
TEST(DetailsTableRule, keyColumnsFirstMovesTheCellsWithTheirColumns)
{
    report::DetailsTable table;
    table.columns = {{"a", report::CellAlign::Left}, {"K1", report::CellAlign::Left, true},
                     {"b", report::CellAlign::Right}, {"K2", report::CellAlign::Right, true}};
    report::DetailsRow full;
    full.cells = {{"a0"}, {"k0"}, {"b0"}, {"j0", true}};
    report::DetailsRow shortRow;
    shortRow.cells = {{"a1"}};
    table.rows = {full, shortRow};
    report::keyColumnsFirst(table);
    std::string out;
    for (const auto& column : table.columns) {
        out += column.heading + (column.keepWhole ? "* " : " ");
    }
    for (const auto& row : table.rows) {
        out += "|";
        for (const auto& cell : row.cells) {
            out += " " + cell.text + (cell.warning ? "!" : "");
        }
    }
    EXPECT_EQ(out, "K1* K2* a b | k0 j0! a0 b0|   a1 ");
}

// The widths a window takes for a table: every column whole; the keys' room
// reaches the end of the last key column (a column of other figures before it
// included); the window is asked for the keys whole and the rest up to a limit.
TEST(DetailsTableRule, tableWidthsCountTheKeysWhole)
{
    const auto table = [](std::vector<bool> keys) {
        report::DetailsTable made;
        for (const bool key : keys) {
            made.columns.push_back({"", report::CellAlign::Right, key});
        }
        return made;
    };
    struct Case {
        std::vector<bool> keys;
        std::vector<int> widths;
        report::TableWidths expected;
    } const cases[] = {
        {{true, true, false, false}, {40, 300, 90, 500}, {340, 930, 340 + 90 + 200}},
        {{true, false, true}, {40, 90, 60}, {190, 190, 190}},
        {{false, false}, {250, 10}, {0, 260, 210}},
        {{true, true}, {30}, {30, 30, 30}}, // a width short: the columns measured
        {{}, {}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const report::TableWidths widths = report::tableWidths(table(c.keys), c.widths, 200);
        EXPECT_EQ((std::vector{widths.keys, widths.all, widths.wanted}),
                  (std::vector{c.expected.keys, c.expected.all, c.expected.wanted}));
    }
}

} // namespace
} // namespace veldronix::testing_support
