// The multipliers side by side: which rows, their rounded registers, the
// largest deviation, the findings and the recommended row, worked by hand;
// the table's texts; and the row in use against the details' real drive.
#include "controller/recording_view.h"
#include "report/comparison_table.h"
#include "report/details.h"
#include "report/multiplier_comparison.h"
#include "report/rounded_report.h"
#include "core/number_format.h"
#include "core/setting_register.h"
#include "core/texts_ja.h"
#include "report/texts_ja.h"
#include "fuzz/same_bits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace veldronix::testing_support {
namespace {

using fuzz::sameBits;
using fuzz::sameQuantity;
using report::ComparisonRow;
using report::MultiplierComparison;

// One row in a line: "x50 A=253 SV=2 V=160 | 0.0791 | none | recommended"; the
// registers without R, which is always 8,000,000 / M; the largest deviation as printed.
std::string line(const ComparisonRow& row)
{
    std::string out = "x" + formatFixed(row.multiplier, 0);
    for (const RegisterDescription& entry : settingRegisters) {
        const auto value = row.drive.rounded[entry.id];
        if (value && entry.rounded && entry.id != SettingRegister::R) {
            out += " " + std::string(entry.name) + "=" + formatFixed(*value, 0);
        }
    }
    out += " | " + (row.largestDeviation ? formatFixed(*row.largestDeviation, 4) : "none");
    out += row.deviationsKnown ? "" : " (not all known)";
    out += " |";
    for (const RoundingFinding& finding : row.drive.findings) {
        static constexpr const char* problems[] = {"zero", "negative", "above-maximum", "not-finite"};
        out += " " + std::string(describe(finding.setting).name) + ":" + problems[static_cast<int>(finding.problem)];
    }
    out += row.drive.findings.empty() ? " none" : "";
    out += row.inUse ? " | in use" : "";
    out += row.recommended ? " | recommended" : "";
    return out;
}

struct ComparisonCase {
    const char* name;
    int driveType;
    const char* initial;
    const char* drive;
    const char* accel;
    const char* decel;
    int recalculateWith; // -1: the automatic multiplier stays in use
    const char* driveBeforeRecalculate; // typed into ドライブ速度 after 決定; nullptr: unchanged
    std::vector<std::string> rows;
    int recommended; // -1: none
};

void PrintTo(const ComparisonCase& c, std::ostream* os)
{
    *os << c.name;
}

class ComparisonOfCalculation : public ControllerTest, public testing::WithParamInterface<ComparisonCase> {};

TEST_P(ComparisonOfCalculation, givesEveryAcceptedMultiplierWorkedByHand)
{
    const ComparisonCase& c = GetParam();
    view.enter(c.driveType, c.initial, c.drive, c.accel, c.decel);
    controller.onCalculate();
    if (c.driveBeforeRecalculate) {
        view.texts[IDC_DRIVE_SPEED] = c.driveBeforeRecalculate;
    }
    if (c.recalculateWith >= 0) {
        view.selected[IDC_MULTIPLIER] = c.recalculateWith;
        controller.onRecalculate();
    }
    ASSERT_TRUE(controller.lastCalculation());
    const MultiplierComparison comparison = report::compareMultipliers(*controller.lastCalculation());
    std::vector<std::string> rows;
    for (const ComparisonRow& row : comparison.rows) {
        rows.push_back(line(row));
    }
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(comparison.recommendedIndex.value_or(-1), c.recommended);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedDrives, ComparisonOfCalculation,
    testing::Values(
        // 100 -> 8000 PPS in 0.005 s: exactly 8000 takes x1, so all nine rows. A = 7900 / 0.005 x 0.008 / M
        // = 12640 / M: above 8000 at x1 (no real time, so not all deviations known), whole up to x20.
        // SV = 100 / M and V = 8000 / M are whole up to x100; x200 rounds SV 0.5 up to 1 (200 PPS, +100 %),
        // x500 SV 0.2 down to 0. x50: A 252.8 -> 253, 7900 / (253 x 125 x 50) = 0.0049960 s (-0.0791 %);
        // x100: A 126.4 -> 126, 7900 / 1575000 = 0.0050159 s (+0.3175 %). x2 is the first without a
        // finding at 0: recommended.
        ComparisonCase{"DriveSpeed8000AFitsOnlyAtALargerMultiplier", 0, "100", "8000", "0.005", "", -1, nullptr,
                       {"x1 A=12640 SV=100 V=8000 | 0.0000 (not all known) | A:above-maximum | in use",
                        "x2 A=6320 SV=50 V=4000 | 0.0000 | none | recommended",
                        "x5 A=2528 SV=20 V=1600 | 0.0000 | none", "x10 A=1264 SV=10 V=800 | 0.0000 | none",
                        "x20 A=632 SV=5 V=400 | 0.0000 | none", "x50 A=253 SV=2 V=160 | 0.0791 | none",
                        "x100 A=126 SV=1 V=80 | 0.3175 | none", "x200 A=63 SV=1 V=40 | 100.0000 | none",
                        "x500 A=25 SV=0 V=16 | 0.0000 (not all known) | SV:zero"},
                       1},
        // 150 -> 8000 PPS, S-curve in 0.04 s: jerk 7850 x 4 / 0.0016 = 19,625,000, K = 62,500,000 / jerk x M
        // = 3.1847 M, so K rounds badly at the small multipliers and SV = 150 / M at the large ones.
        // x1: K 3 -> jerk 62,500,000 / 3 = 20,833,333 (+6.1571 %), x2 the same with K 6; x5, x10: K 16, 32
        // -> 19,531,250 (-0.4777 %); x20: SV 7.5 -> 8, 160 PPS (+6.6667 %); x50: K 159.24 -> 159,
        // 3,125,000,000 / 159 = 19,654,088 (+0.1482 %), speeds whole: recommended; x100, x200: SV 1.5 -> 2,
        // 0.75 -> 1, 200 PPS (+33.3333 %); x500: SV 0.3 -> 0.
        ComparisonCase{"SCurveKRoundsBadlyAtSmallMultipliersSpeedsAtLargeOnes", 1, "150", "8000", "0.04", "", -1,
                       nullptr,
                       {"x1 A=8000 SV=150 V=8000 K=3 | 6.1571 | none | in use",
                        "x2 A=8000 SV=75 V=4000 K=6 | 6.1571 | none",
                        "x5 A=8000 SV=30 V=1600 K=16 | 0.4777 | none",
                        "x10 A=8000 SV=15 V=800 K=32 | 0.4777 | none",
                        "x20 A=8000 SV=8 V=400 K=64 | 6.6667 | none",
                        "x50 A=8000 SV=3 V=160 K=159 | 0.1482 | none | recommended",
                        "x100 A=8000 SV=2 V=80 K=318 | 33.3333 | none",
                        "x200 A=8000 SV=1 V=40 K=637 | 33.3333 | none",
                        "x500 A=8000 SV=0 V=16 K=1592 | 0.0224 (not all known) | SV:zero"},
                       5},
        // Equal speeds: a trapezoid's A is 0 / 0.2 x 0.008 = 0 at every multiplier, an S-curve's jerk 0 and
        // K, L infinite: every row has a finding, so none is recommended. The speeds stay exact.
        ComparisonCase{"EqualSpeedsTrapezoid", 0, "5000", "5000", "0.2", "", -1, nullptr,
                       {"x1 A=0 SV=5000 V=5000 | 0.0000 (not all known) | A:zero | in use",
                        "x2 A=0 SV=2500 V=2500 | 0.0000 (not all known) | A:zero",
                        "x5 A=0 SV=1000 V=1000 | 0.0000 (not all known) | A:zero",
                        "x10 A=0 SV=500 V=500 | 0.0000 (not all known) | A:zero",
                        "x20 A=0 SV=250 V=250 | 0.0000 (not all known) | A:zero",
                        "x50 A=0 SV=100 V=100 | 0.0000 (not all known) | A:zero",
                        "x100 A=0 SV=50 V=50 | 0.0000 (not all known) | A:zero",
                        "x200 A=0 SV=25 V=25 | 0.0000 (not all known) | A:zero",
                        "x500 A=0 SV=10 V=10 | 0.0000 (not all known) | A:zero"},
                       -1},
        ComparisonCase{"EqualSpeedsSCurve", 3, "5000", "5000", "0.2", "0.3", -1, nullptr,
                       {"x1 A=8000 SV=5000 V=5000 K=inf D=8000 L=inf | 0.0000 (not all known) | K:not-finite "
                        "L:not-finite | in use",
                        "x2 A=8000 SV=2500 V=2500 K=inf D=8000 L=inf | 0.0000 (not all known) | K:not-finite L:not-finite",
                        "x5 A=8000 SV=1000 V=1000 K=inf D=8000 L=inf | 0.0000 (not all known) | K:not-finite L:not-finite",
                        "x10 A=8000 SV=500 V=500 K=inf D=8000 L=inf | 0.0000 (not all known) | K:not-finite L:not-finite",
                        "x20 A=8000 SV=250 V=250 K=inf D=8000 L=inf | 0.0000 (not all known) | K:not-finite L:not-finite",
                        "x50 A=8000 SV=100 V=100 K=inf D=8000 L=inf | 0.0000 (not all known) | K:not-finite L:not-finite",
                        "x100 A=8000 SV=50 V=50 K=inf D=8000 L=inf | 0.0000 (not all known) | K:not-finite L:not-finite",
                        "x200 A=8000 SV=25 V=25 K=inf D=8000 L=inf | 0.0000 (not all known) | K:not-finite L:not-finite",
                        "x500 A=8000 SV=10 V=10 K=inf D=8000 L=inf | 0.0000 (not all known) | K:not-finite L:not-finite"},
                       -1},
        // Exactly 80000 PPS takes x10 (item 3): six rows. A = 79000 / 0.1 x 0.008 / M = 6320 / M: whole at
        // x10 and x20; x50 126.4 -> 126 and x100 63.2 -> 63 (+0.3175 %); x200 31.6 -> 32, 79000 / 800000 =
        // 0.09875 s (-1.25 %); x500 12.64 -> 13, 79000 / 812500 = 0.097231 s (-2.7692 %). The row in use
        // is the recommended one.
        ComparisonCase{"DriveSpeed80000", 0, "1000", "80000", "0.1", "", -1, nullptr,
                       {"x10 A=632 SV=100 V=8000 | 0.0000 | none | in use | recommended",
                        "x20 A=316 SV=50 V=4000 | 0.0000 | none", "x50 A=126 SV=20 V=1600 | 0.3175 | none",
                        "x100 A=63 SV=10 V=800 | 0.3175 | none", "x200 A=32 SV=5 V=400 | 1.2500 | none",
                        "x500 A=13 SV=2 V=160 | 2.7692 | none"},
                       3},
        // The same drive decelerating in 0.3 s, recalculated with x200: D = 79000 / 0.3 x 0.008 / M =
        // 2106.667 / M; x10 D 211: 79000 / 263750 = 0.299526 s (-0.1580 %), recommended; x200 D 10.53 ->
        // 11: 79000 / 275000 = 0.287273 s (-4.2424 %), in use.
        ComparisonCase{"DriveSpeed80000Recalculated", 2, "1000", "80000", "0.1", "0.3", 7, nullptr,
                       {"x10 A=632 SV=100 V=8000 D=211 | 0.1580 | none | recommended",
                        "x20 A=316 SV=50 V=4000 D=105 | 0.3175 | none",
                        "x50 A=126 SV=20 V=1600 D=42 | 0.3175 | none",
                        "x100 A=63 SV=10 V=800 D=21 | 0.3175 | none",
                        "x200 A=32 SV=5 V=400 D=11 | 4.2424 | none | in use",
                        "x500 A=13 SV=2 V=160 D=4 | 5.3333 | none"},
                       3},
        // 決定 with 100000 PPS chose x20; 5000 PPS typed in and recalculated with x50. The rows are those
        // that 再計算 accepts, x20 and up, not x1 and up as a new 決定 of 5000 PPS would choose. A =
        // 4900 / 0.1 x 0.008 / M = 392 / M; V = 5000 / M: 250, 100, 50, 25, 10; SV = 100 / M: 5, 2, 1,
        // 0.5 -> 1 (+100 %), 0.2 -> 0. x20: A 19.6 -> 20, 4900 / 50000 = 0.098 s (-2 %); x50: A 7.84 -> 8,
        // 4900 / 50000 (-2 %), the same and recommended as the smaller; x100: A 3.92 -> 4 (-2 %).
        ComparisonCase{"RecalculatedAfterTheDriveSpeedChanged", 0, "100", "100000", "0.1", "", 5, "5000",
                       {"x20 A=20 SV=5 V=250 | 2.0000 | none | recommended",
                        "x50 A=8 SV=2 V=100 | 2.0000 | none | in use",
                        "x100 A=4 SV=1 V=50 | 2.0000 | none",
                        "x200 A=2 SV=1 V=25 | 100.0000 | none",
                        "x500 A=1 SV=0 V=10 | 0.0000 (not all known) | SV:zero"},
                       4}));


// A table as text: one line per row, cells between " | ", a warning cell
// after "!", the row's background after "#".
std::string tableText(const report::DetailsTable& table)
{
    std::string out;
    for (const auto& column : table.columns) {
        out += column.heading + (column.align == report::CellAlign::Right ? ">" : "<") + " | ";
    }
    out += "\n";
    for (const auto& row : table.rows) {
        for (const auto& cell : row.cells) {
            out += (cell.warning ? "!" : "") + cell.text + " | ";
        }
        out += row.background ? std::string(*row.background) : "-";
        out += "\n";
    }
    return out;
}

// 100 -> 10000 PPS, S-curves of 0.2 and 0.3 s: x2 is automatic (the details' figures, see
// details_test.cpp). K = 126.263 M / 2 and L = 284.091 M / 2 round better the larger M; SV = 100 / M is
// whole up to x100, 0.5 -> 1 at x200 (+100 %), 0.2 -> 0 at x500. x100: K 6313 -> jerk 6,250,000,000 /
// 6313 = 990020.592 (+0.0021 %), L 14205 -> 439985.920 (-0.0032 %), the smallest largest deviation.
TEST_F(ControllerTest, comparisonSectionGivesTheTableTheWindowsDraw)
{
    view.enter(3, "100", "10000", "0.2", "0.3");
    controller.onCalculate();
    const auto section = report::comparisonSection(report::makeDetails(controller.lastCalculation(), std::nullopt));
    ASSERT_TRUE(section);
    EXPECT_EQ(section->heading, "倍率の比較");
    EXPECT_EQ(section->kind, report::SectionKind::Table);
    ASSERT_EQ(section->buttons.size(), 1u);
    EXPECT_EQ(section->buttons[0].action, report::SectionAction::ChooseRow);
    EXPECT_EQ(section->rowIndices, (std::vector{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(
        tableText(section->table),
        "< | 倍率< | 最大偏差> | 確認事項< | 速度の刻み> | R> | A> | SV> | V> | K> | D> | L> | 初速度(PPS)> | ドライブ速度(PPS)> | "
        "加速時間(秒)> | 減速時間(秒)> | 加速の加加速度(PPS/秒²)> | 減速の加加速度(PPS/秒²)> | \n"
        "使用中 | 2(4,000,000) | 0.2084 % | なし | 2 PPS | 4000000 | 8000 | 50 | 5000 | 126 | 8000 | 284 | "
        "100.000 (0.0000 %) | 10000.000 (0.0000 %) | 0.199792 (-0.1041 %) | 0.299952 (-0.0160 %) | "
        "992063.492 (+0.2084 %) | 440140.845 (+0.0320 %) | #dbeafe\n"
        " | 5(1,600,000) | 0.1087 % | なし | 5 PPS | 1600000 | 8000 | 20 | 2000 | 316 | 8000 | 710 | "
        "100.000 (0.0000 %) | 10000.000 (0.0000 %) | 0.200109 (+0.0544 %) | 0.299952 (-0.0160 %) | "
        "988924.051 (-0.1087 %) | 440140.845 (+0.0320 %) | -\n"
        " | 10(800,000) | 0.0496 % | なし | 10 PPS | 800000 | 8000 | 10 | 1000 | 631 | 8000 | 1420 | "
        "100.000 (0.0000 %) | 10000.000 (0.0000 %) | 0.199950 (-0.0248 %) | 0.299952 (-0.0160 %) | "
        "990491.284 (+0.0496 %) | 440140.845 (+0.0320 %) | -\n"
        " | 20(400,000) | 0.0296 % | なし | 20 PPS | 400000 | 8000 | 5 | 500 | 1263 | 8000 | 2841 | "
        "100.000 (0.0000 %) | 10000.000 (0.0000 %) | 0.200030 (+0.0148 %) | 0.300005 (+0.0016 %) | "
        "989707.047 (-0.0296 %) | 439985.920 (-0.0032 %) | -\n"
        " | 50(160,000) | 0.0138 % | なし | 50 PPS | 160000 | 8000 | 2 | 200 | 3157 | 8000 | 7102 | "
        "100.000 (0.0000 %) | 10000.000 (0.0000 %) | 0.200014 (+0.0069 %) | 0.299994 (-0.0019 %) | "
        "989863.795 (-0.0138 %) | 440016.897 (+0.0038 %) | -\n"
        "推奨 | 100(80,000) | 0.0032 % | なし | 100 PPS | 80000 | 8000 | 1 | 100 | 6313 | 8000 | 14205 | "
        "100.000 (0.0000 %) | 10000.000 (0.0000 %) | 0.199998 (-0.0010 %) | 0.300005 (+0.0016 %) | "
        "990020.592 (+0.0021 %) | 439985.920 (-0.0032 %) | #dcfce7\n"
        " | 200(40,000) | 100.0000 % | なし | 200 PPS | 40000 | 8000 | 1 | 50 | 12626 | 8000 | 28409 | "
        "200.000 (+100.0000 %) | 10000.000 (0.0000 %) | 0.198985 (-0.5074 %) | 0.298481 (-0.5065 %) | "
        "990020.592 (+0.0021 %) | 440001.408 (+0.0003 %) | -\n"
        " | 500(16,000) | !0.0011 % | !SVが0 | 500 PPS | 16000 | 8000 | !0 | 20 | 31566 | 8000 | 71023 | "
        "!なし | 10000.000 (0.0000 %) | !なし | !なし | 989989.229 (-0.0011 %) | 439998.310 (-0.0004 %) | -\n");
    std::vector<std::string> lines;
    for (const auto& line : section->lines) {
        lines.push_back((line.warning ? "!" : "") + line.text);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "推奨する倍率:確認事項がなく、偏差がすべて求められる倍率のうち、最大偏差(偏差の絶対値の最大、"
                         "表示の桁で比較)が最も小さいもの。等しいときは小さい倍率。該当する倍率がなければ推奨しません。",
                         "推奨:倍率 100(80,000)",
                         "行を選んで「この倍率で再計算」を押す(ダブルクリック、Enterでも同じ)と、倍率にその倍率を選んで再計算します。"}));
}

struct MarkCase {
    const char* name;
    int driveType;
    const char* initial;
    const char* drive;
    const char* accel;
    const char* decel;
    std::string firstRow; // mark, item, findings and background of the row in use
    std::string recommendation; // the line under the rule
};

// The marks, the findings' texts and the line without a recommendation.
TEST_F(ControllerTest, comparisonMarksFindingsAndRecommendation)
{
    const MarkCase cases[] = {
        // A = 12640 at x1 (see DriveSpeed8000AFitsOnlyAtALargerMultiplier).
        {"aboveMaximum", 0, "100", "8000", "0.005", "", "使用中 | 1(8,000,000) | !Aが最大値8000を超える | #dbeafe",
         "推奨:倍率 2(4,000,000)"},
        {"notFinite", 3, "5000", "5000", "0.2", "0.3",
         "使用中 | 1(8,000,000) | !Kが無限大または数値でない、Lが無限大または数値でない | #dbeafe",
         "!推奨する倍率はありません。どの倍率にも確認事項があるか、求められない偏差があります。"},
        // SV = -100 at x1; its real speed -100 deviates by 0 %, but a register holds no negative value.
        {"negative", 0, "-100", "8000", "0.2", "", "使用中 | 1(8,000,000) | !SVが負 | #dbeafe",
         "!推奨する倍率はありません。どの倍率にも確認事項があるか、求められない偏差があります。"},
        // 1000 -> 80000 at x10 is whole: the row in use is the recommended one.
        {"inUseAndRecommended", 0, "1000", "80000", "0.1", "", "使用中・推奨 | 10(800,000) | なし | #dcfce7",
         "推奨:倍率 10(800,000)"},
    };
    for (const MarkCase& c : cases) {
        SCOPED_TRACE(c.name);
        view.enter(c.driveType, c.initial, c.drive, c.accel, c.decel);
        controller.onCalculate();
        const auto section = report::comparisonSection(report::makeDetails(controller.lastCalculation(), std::nullopt));
        ASSERT_TRUE(section);
        const auto& row = section->table.rows.front();
        const auto& findings = row.cells[3]; // the key columns come first: mark, multiplier, deviation, findings
        EXPECT_EQ(row.cells[0].text + " | " + row.cells[1].text + " | " + (findings.warning ? "!" : "") + findings.text +
                      " | " + std::string(row.background.value_or("-")),
                  c.firstRow);
        const auto& line = section->lines[1];
        EXPECT_EQ((line.warning ? "!" : "") + line.text, c.recommendation);
    }
}

TEST(ComparisonSection, noneWithoutACalculation)
{
    const report::Details details = report::makeDetails(std::nullopt, std::nullopt);
    EXPECT_FALSE(details.comparison);
    EXPECT_TRUE(details.copyFormats.empty());
    EXPECT_FALSE(report::comparisonSection(details));
}


// The row in use against the rounded drive the details are made of, bit for bit,
// and its integers against the details' texts; the recommended row against the
// rule. Speeds and times from a user's range up to the extremes, Calculate
// then now and then Recalculate with a larger multiplier.
TEST_F(ControllerTest, theRowInUseIsTheDetailsRealDriveToTheBit)
{
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<int> type(-1, 3);
    std::uniform_real_distribution<double> exponent(-3.0, 7.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto number = [&] { return std::to_string(std::pow(10.0, exponent(random)) * (unit(random) < 0.1 ? -1 : 1)); };
    int compared = 0;
    int recommended = 0;
    for (int run = 0; run < 3000; ++run) {
        const std::string drive = number();
        const std::string initial = unit(random) < 0.8 ? std::to_string(std::stod(drive) * unit(random)) : number();
        const std::string accel = std::to_string(std::pow(10.0, exponent(random) - 4.0));
        const std::string decel = std::to_string(std::pow(10.0, exponent(random) - 4.0));
        view.enter(type(random), initial.c_str(), drive.c_str(), accel.c_str(), decel.c_str());
        controller.onCalculate();
        if (!controller.lastCalculation()) {
            continue;
        }
        if (unit(random) < 0.5) {
            view.selected[IDC_MULTIPLIER] = std::uniform_int_distribution<int>(controller.autoMultiplierIndex(), 8)(random);
            controller.onRecalculate();
        }
        const Calculation& calculation = *controller.lastCalculation();
        const report::Details details = report::makeDetails(calculation, std::nullopt);
        ASSERT_TRUE(details.comparison);
        const MultiplierComparison& comparison = *details.comparison;
        SCOPED_TRACE(initial + " " + drive + " " + accel + " " + decel + " type " +
                     std::to_string(static_cast<int>(calculation.input.driveType)) + " x" +
                     formatFixed(calculation.multiplier, 0));

        ASSERT_EQ(comparison.rows.size(), static_cast<std::size_t>(9 - controller.autoMultiplierIndex()));
        const ComparisonRow* inUse = nullptr;
        for (const ComparisonRow& row : comparison.rows) {
            EXPECT_EQ(row.index, controller.autoMultiplierIndex() + static_cast<int>(&row - comparison.rows.data()));
            if (row.inUse) {
                ASSERT_EQ(inUse, nullptr);
                inUse = &row;
            }
        }
        ASSERT_NE(inUse, nullptr);
        EXPECT_EQ(inUse->index, calculation.multiplierIndex);
        const RoundedDrive drive2 = computeRoundedDrive(calculation.input, calculation.multiplier);
        const RoundedDrive& row = inUse->drive;
        for (const RegisterDescription& entry : settingRegisters) {
            EXPECT_TRUE(sameBits(row.rounded[entry.id], drive2.rounded[entry.id]));
        }
        EXPECT_TRUE(sameQuantity(row.initialSpeed, drive2.initialSpeed));
        EXPECT_TRUE(sameQuantity(row.driveSpeed, drive2.driveSpeed));
        EXPECT_TRUE(sameQuantity(row.accelTime, drive2.accelTime));
        EXPECT_TRUE(sameQuantity(row.decelTime, drive2.decelTime));
        EXPECT_TRUE(sameQuantity(row.accelJerk, drive2.accelJerk));
        EXPECT_TRUE(sameQuantity(row.decelJerk, drive2.decelJerk));
        ASSERT_EQ(row.findings.size(), drive2.findings.size());
        for (std::size_t i = 0; i < row.findings.size(); ++i) {
            EXPECT_EQ(row.findings[i].setting, drive2.findings[i].setting);
            EXPECT_EQ(row.findings[i].problem, drive2.findings[i].problem);
            EXPECT_TRUE(sameBits(row.findings[i].rounded, drive2.findings[i].rounded));
        }

        // The table's integers of the row in use are the details' integers (AO left out).
        const auto table = report::comparisonTable(comparison, report::texts::ja::comparison);
        const auto& cells = table.table.rows[static_cast<std::size_t>(inUse - comparison.rows.data())].cells;
        std::size_t column = 3;
        for (const auto& shown : details.registers) {
            if (shown.setting == SettingRegister::AO) {
                continue;
            }
            EXPECT_EQ(cells[column].text, shown.integer);
            EXPECT_EQ(cells[column].warning, shown.hasFinding);
            ++column;
        }
        ++compared;

        // No row that qualifies prints a smaller largest deviation than the
        // recommended one, nor an equal one with a smaller multiplier.
        const auto printed = [](const ComparisonRow& r) {
            return formatFixed(*r.largestDeviation, report::roundedDeviationDecimals);
        };
        const auto below = [](const std::string& a, const std::string& b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b;
        };
        const ComparisonRow* best = nullptr;
        for (const ComparisonRow& r : comparison.rows) {
            EXPECT_EQ(r.recommended, comparison.recommendedIndex == r.index);
            if (r.recommended) {
                best = &r;
            }
        }
        for (const ComparisonRow& r : comparison.rows) {
            if (!r.drive.findings.empty() || !r.deviationsKnown) {
                continue;
            }
            ASSERT_NE(best, nullptr);
            EXPECT_FALSE(below(printed(r), printed(*best)));
            EXPECT_FALSE(printed(r) == printed(*best) && r.index < best->index);
        }
        recommended += best != nullptr;
    }
    // The sweep reaches both kinds of outcome often.
    EXPECT_GT(compared, 1500);
    EXPECT_GT(recommended, 500);
    EXPECT_GT(compared - recommended, 300);
}

// A calculation made without the controller knows no automatic choice: the
// rows start at the one its drive speed gives, and the one in use is shown
// even below it. 16000 PPS takes x5 (the boundary 16000 belongs to the higher
// multiplier), though V = 16000 / 2 = 8000 fits at x2.
TEST(MultiplierComparison, calculationMadeByHandShowsItsMultiplierBelowTheAutomaticOne)
{
    const DriveInput input{1000.0, 16000.0, 0.1, 0.1, DriveType::SymmetricTrapezoid};
    const Calculation byHand{input, 1, 2.0, computeSettingValues(input, 2.0), std::nullopt, std::nullopt};
    const MultiplierComparison comparison = report::compareMultipliers(byHand);
    EXPECT_EQ(comparison.automaticIndex, 2);
    std::vector<int> indices;
    for (const ComparisonRow& row : comparison.rows) {
        indices.push_back(row.index);
    }
    EXPECT_EQ(indices, (std::vector{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_TRUE(comparison.rows.front().inUse);
}

} // namespace
} // namespace veldronix::testing_support
