// The details window's content, made from the calculation the controller holds
// after the user's commands: every text as the windows show it. Figures worked by
// hand beside each case; the drive 100 -> 10000 PPS in 0.2 s (0.3 s to decelerate)
// runs at the multiplier 2.
#include "controller/recording_view.h"
#include "fuzz/markup_check.h"
#include "report/details.h"
#include "report/texts_ja.h"
#include "report/plot_scene.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace veldronix::testing_support {
namespace {

using report::Details;
using report::DetailsPlotState;

// Everything a window shows, one line each, marks as "!".
std::string shown(const Details& d)
{
    std::string out = d.heading + "\n";
    if (!d.calculated) {
        return out;
    }
    out += "[" + d.registersHeading + "]\n";
    for (const auto& r : d.registers) {
        out += r.name + " " + r.integer + " " + r.settingValue + (r.hasFinding ? " !" : "") + "\n";
    }
    out += "[" + d.realDriveHeading + "]\n";
    for (const auto& q : d.realDrive) {
        out += q.label + " | " + q.requested + " | " + q.real + " | " + q.deviation + (q.marked ? " !" : "") + "\n";
    }
    out += "[" + d.findingsHeading + "]\n";
    for (const auto& f : d.findings) {
        out += "! " + f.text + "\n";
    }
    if (!d.findingsNote.empty()) {
        out += d.findingsNote + "\n";
    }
    out += "[" + d.plotHeading + "]\n";
    if (d.plot) {
        out += d.plot->title + "\n";
        for (const auto& row : d.plot->rows) {
            out += row.name + " | " + row.time + " | " + row.pulses + " | " + row.detail + "\n";
        }
    }
    return out + d.plotNote + "\n";
}

struct DetailsCase {
    const char* name;
    int driveType;
    const char* initial;
    const char* drive;
    const char* accel;
    const char* pulses; // typed into 出力パルス数
    std::string expected;
};

void PrintTo(const DetailsCase& c, std::ostream* os)
{
    *os << c.name;
}

class DetailsOfCalculation : public ControllerTest, public testing::WithParamInterface<DetailsCase> {
protected:
    Details detailsAfterCalculate(const DetailsCase& c)
    {
        view.enter(c.driveType, c.initial, c.drive, c.accel, "0.3");
        view.texts[IDC_PULSE_COUNT] = c.pulses;
        controller.onCalculate();
        return report::makeDetails(controller.lastCalculation(), controller.readPulseCount());
    }
};

TEST_P(DetailsOfCalculation, showsEveryTextOfTheWindow)
{
    EXPECT_EQ(shown(detailsAfterCalculate(GetParam())), GetParam().expected);
}

const std::string noFindings = "[確認事項]\nなし。整数の設定値はどれもそのまま設定できます。\n[速度プロファイル]\n";

INSTANTIATE_TEST_SUITE_P(
    WorkedDrives, DetailsOfCalculation,
    testing::Values(
        // A = 9900 / 0.2 x 0.008 / 2 = 198, whole: the real drive is the requested one. Ramps of
        // (100 + 10000) / 2 x 0.2 = 1010 pulses; 7980 at 10000 PPS take 0.798 s.
        DetailsCase{"SymmetricTrapezoid", 0, "100", "10000", "0.2", "10000",
                    "ドライブ種類:対称台形加減速　倍率:2(4,000,000)\n"
                    "[整数の設定値]\nR 4000000 4000000\nA 198 198.000\nSV 50 50.000\nV 5000 5000.000\n"
                    "[丸めた設定値による実際のドライブ]\n"
                    "初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %\n"
                    "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %\n"
                    "加減速時間 | 0.200000秒 | 0.200000秒 | 0.0000 %\n" +
                        noFindings +
                        "速度プロファイル:出力パルス数10000、初速度100 PPS、ドライブ速度10000 PPS、直線加減速\n"
                        "加速 | 0.200000秒 | 1010パルス | 100 → 10000 PPS\n"
                        "定速 | 0.798000秒 | 7980パルス | 10000 PPSで一定\n"
                        "減速 | 0.200000秒 | 1010パルス | 10000 → 100 PPS\n"
                        "合計 | 1.198000秒 | 10000パルス | 減速点:8990パルス\n"
                        "整数の設定値でも、減速点8990.000から減速すると出力パルス数の終わりにちょうど初速度に戻ります。\n"},
        // K = 126.263 -> 126: jerk 125,000,000 / 126 = 992063.492 (+0.2084 %), time
        // 2 sqrt(9900 / 992063.492) = 0.199792 s; its ramps take 5050 x 0.199792 = 1008.949 pulses,
        // so from 8990 the drive is back at 100 PPS 10000 - 8990 - 1008.949 = 1.051 pulses early.
        DetailsCase{"SymmetricSCurve", 1, "100", "10000", "0.2", "10000",
                    "ドライブ種類:対称S字加減速　倍率:2(4,000,000)\n"
                    "[整数の設定値]\nR 4000000 4000000\nA 8000 8000.000\nSV 50 50.000\nV 5000 5000.000\n"
                    "K 126 126.263\nAO 0 0.000\n"
                    "[丸めた設定値による実際のドライブ]\n"
                    "初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %\n"
                    "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %\n"
                    "加減速時間 | 0.200000秒 | 0.199792秒 | -0.1041 %\n"
                    "加加速度 | 990000.000 PPS/秒² | 992063.492 PPS/秒² | +0.2084 %\n" +
                        noFindings +
                        "速度プロファイル:出力パルス数10000、初速度100 PPS、ドライブ速度10000 PPS、S字加減速\n"
                        "加速 | 0.200000秒 | 1010パルス | 100 → 10000 PPS、加加速度 990000 PPS/秒²\n"
                        "定速 | 0.798000秒 | 7980パルス | 10000 PPSで一定\n"
                        "減速 | 0.200000秒 | 1010パルス | 10000 → 100 PPS、加加速度 990000 PPS/秒²\n"
                        "合計 | 1.198000秒 | 10000パルス | 減速点:8990パルス\n"
                        "整数の設定値では、減速点8990.000から減速すると出力パルス数の1.051パルス前に初速度に戻り、"
                        "残りを初速度で出力します。\n"},
        // D = 9900 / 0.3 x 0.008 / 2 = 132; the deceleration takes 5050 x 0.3 = 1515 pulses.
        DetailsCase{"AsymmetricTrapezoid", 2, "100", "10000", "0.2", "10000",
                    "ドライブ種類:非対称台形加減速　倍率:2(4,000,000)\n"
                    "[整数の設定値]\nR 4000000 4000000\nA 198 198.000\nSV 50 50.000\nV 5000 5000.000\n"
                    "D 132 132.000\n"
                    "[丸めた設定値による実際のドライブ]\n"
                    "初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %\n"
                    "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %\n"
                    "加速時間 | 0.200000秒 | 0.200000秒 | 0.0000 %\n"
                    "減速時間 | 0.300000秒 | 0.300000秒 | 0.0000 %\n" +
                        noFindings +
                        "速度プロファイル:出力パルス数10000、初速度100 PPS、ドライブ速度10000 PPS、直線加減速\n"
                        "加速 | 0.200000秒 | 1010パルス | 100 → 10000 PPS\n"
                        "定速 | 0.747500秒 | 7475パルス | 10000 PPSで一定\n"
                        "減速 | 0.300000秒 | 1515パルス | 10000 → 100 PPS\n"
                        "合計 | 1.247500秒 | 10000パルス | 減速点:8485パルス\n"
                        "整数の設定値でも、減速点8485.000から減速すると出力パルス数の終わりにちょうど初速度に戻ります。\n"},
        // L = 284.091 -> 284: 125,000,000 / 284 = 440140.845 (+0.0320 %), 2 sqrt(9900 / 440140.845)
        // = 0.299952 s, 1514.758 pulses: back at 100 PPS 0.242 pulses before the 10000th.
        DetailsCase{"AsymmetricSCurve", 3, "100", "10000", "0.2", "10000",
                    "ドライブ種類:非対称S字加減速　倍率:2(4,000,000)\n"
                    "[整数の設定値]\nR 4000000 4000000\nA 8000 8000.000\nSV 50 50.000\nV 5000 5000.000\n"
                    "K 126 126.263\nAO 0 0.000\nD 8000 8000.000\nL 284 284.091\n"
                    "[丸めた設定値による実際のドライブ]\n"
                    "初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %\n"
                    "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %\n"
                    "加速時間 | 0.200000秒 | 0.199792秒 | -0.1041 %\n"
                    "減速時間 | 0.300000秒 | 0.299952秒 | -0.0160 %\n"
                    "加速の加加速度 | 990000.000 PPS/秒² | 992063.492 PPS/秒² | +0.2084 %\n"
                    "減速の加加速度 | 440000.000 PPS/秒² | 440140.845 PPS/秒² | +0.0320 %\n" +
                        noFindings +
                        "速度プロファイル:出力パルス数10000、初速度100 PPS、ドライブ速度10000 PPS、S字加減速\n"
                        "加速 | 0.200000秒 | 1010パルス | 100 → 10000 PPS、加加速度 990000 PPS/秒²\n"
                        "定速 | 0.747500秒 | 7475パルス | 10000 PPSで一定\n"
                        "減速 | 0.300000秒 | 1515パルス | 10000 → 100 PPS、加加速度 440000 PPS/秒²\n"
                        "合計 | 1.247500秒 | 10000パルス | 減速点:8485パルス\n"
                        "整数の設定値では、減速点8485.000から減速すると出力パルス数の0.242パルス前に初速度に戻り、"
                        "残りを初速度で出力します。\n"},
        // The ramps need 5050 x 0.2 + 5050 x 0.3 = 2525 pulses: 1000 cannot reach the drive speed and return.
        DetailsCase{"ShortMove", 3, "100", "10000", "0.2", "1000",
                    "ドライブ種類:非対称S字加減速　倍率:2(4,000,000)\n"
                    "[整数の設定値]\nR 4000000 4000000\nA 8000 8000.000\nSV 50 50.000\nV 5000 5000.000\n"
                    "K 126 126.263\nAO 0 0.000\nD 8000 8000.000\nL 284 284.091\n"
                    "[丸めた設定値による実際のドライブ]\n"
                    "初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %\n"
                    "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %\n"
                    "加速時間 | 0.200000秒 | 0.199792秒 | -0.1041 %\n"
                    "減速時間 | 0.300000秒 | 0.299952秒 | -0.0160 %\n"
                    "加速の加加速度 | 990000.000 PPS/秒² | 992063.492 PPS/秒² | +0.2084 %\n"
                    "減速の加加速度 | 440000.000 PPS/秒² | 440140.845 PPS/秒² | +0.0320 %\n" +
                        noFindings +
                        "移動量が短すぎます。出力パルス数1000では、初速度100 PPSからドライブ速度10000 PPSに達して"
                        "初速度に戻れません(加速と減速に2525パルス必要です)。\n"},
        // Equal speeds: the S-curve's jerk is 0 and K infinite; nothing follows from it.
        DetailsCase{"EqualSpeedsSCurve", 1, "100", "100", "0.2", "10000",
                    "ドライブ種類:対称S字加減速　倍率:1(8,000,000)\n"
                    "[整数の設定値]\nR 8000000 8000000\nA 8000 8000.000\nSV 100 100.000\nV 100 100.000\n"
                    "K なし inf !\nAO 0 0.000\n"
                    "[丸めた設定値による実際のドライブ]\n"
                    "初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %\n"
                    "ドライブ速度 | 100.000 PPS | 100.000 PPS | 0.0000 %\n"
                    "加減速時間 | 0.200000秒 | なし(確認事項を参照) | なし !\n"
                    "加加速度 | 0.000 PPS/秒² | なし(確認事項を参照) | なし !\n"
                    "[確認事項]\n"
                    "! K=なし(求めた値 inf):無限大または数値ではないため、レジスタに設定できません。\n"
                    "[速度プロファイル]\n"
                    "初速度とドライブ速度が等しいS字加減速には加加速度がない(Kが無限大)ため、速度プロファイルはありません。\n"},
        // 0.1 -> 0.4 PPS at M = 1: SV, V and A = 0.3 / 0.2 x 0.008 = 0.012 all round to 0. The plot
        // is of the drive asked for; the integers' drive has no figures.
        DetailsCase{"SpeedsRoundingToZero", 0, "0.1", "0.4", "0.2", "2",
                    "ドライブ種類:対称台形加減速　倍率:1(8,000,000)\n"
                    "[整数の設定値]\nR 8000000 8000000\nA 0 0.012 !\nSV 0 0.100 !\nV 0 0.400 !\n"
                    "[丸めた設定値による実際のドライブ]\n"
                    "初速度 | 0.100 PPS | なし(確認事項を参照) | なし !\n"
                    "ドライブ速度 | 0.400 PPS | なし(確認事項を参照) | なし !\n"
                    "加減速時間 | 0.200000秒 | なし(確認事項を参照) | なし !\n"
                    "[確認事項]\n"
                    "! A=0(求めた値 0.012):加速度が0ではドライブ速度に達しません。\n"
                    "! SV=0(求めた値 0.100):初速度が0ではパルスが出力されないため、ドライブを始められません。\n"
                    "! V=0(求めた値 0.400):ドライブ速度が0ではパルスが出力されないため、ドライブしません。\n"
                    "[速度プロファイル]\n"
                    "速度プロファイル:出力パルス数2、初速度0.1 PPS、ドライブ速度0.4 PPS、直線加減速\n"
                    "加速 | 0.200000秒 | 0.05パルス | 0.1 → 0.4 PPS\n"
                    "定速 | 4.750000秒 | 1.9パルス | 0.4 PPSで一定\n"
                    "減速 | 0.200000秒 | 0.05パルス | 0.4 → 0.1 PPS\n"
                    "合計 | 5.150000秒 | 2パルス | 減速点:1.95パルス\n"
                    "整数の設定値による実際のドライブは、確認事項があるため求められません。\n"},
        // A negative initial speed passes the checks: SV = -1000 / 2 = -500, which no register holds;
        // A = 11000 / 0.2 x 0.008 / 2 = 220. 出力パルス数 is empty.
        DetailsCase{"NegativeInitialSpeed", 0, "-1000", "10000", "0.2", "",
                    "ドライブ種類:対称台形加減速　倍率:2(4,000,000)\n"
                    "[整数の設定値]\nR 4000000 4000000\nA 220 220.000\nSV -500 -500.000 !\nV 5000 5000.000\n"
                    "[丸めた設定値による実際のドライブ]\n"
                    "初速度 | -1000.000 PPS | なし(確認事項を参照) | なし !\n"
                    "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %\n"
                    "加減速時間 | 0.200000秒 | なし(確認事項を参照) | なし !\n"
                    "[確認事項]\n"
                    "! SV=-500(求めた値 -500.000):レジスタに負の値は設定できません。\n"
                    "[速度プロファイル]\n"
                    "速度プロファイルを表示するには、出力パルス数に0より大きい数値を入力してください。\n"},
        // 9900 PPS in 1 ms: A = 9900 / 0.001 x 0.008 / 2 = 39600, above the maximum 8000.
        DetailsCase{"AccelerationAboveItsMaximum", 0, "100", "10000", "0.001", "10000",
                    "ドライブ種類:対称台形加減速　倍率:2(4,000,000)\n"
                    "[整数の設定値]\nR 4000000 4000000\nA 39600 39600.000 !\nSV 50 50.000\nV 5000 5000.000\n"
                    "[丸めた設定値による実際のドライブ]\n"
                    "初速度 | 100.000 PPS | 100.000 PPS | 0.0000 %\n"
                    "ドライブ速度 | 10000.000 PPS | 10000.000 PPS | 0.0000 %\n"
                    "加減速時間 | 0.001000秒 | なし(確認事項を参照) | なし !\n"
                    "[確認事項]\n"
                    "! A=39600(求めた値 39600.000):レジスタの最大値8000を超えています。\n"
                    "[速度プロファイル]\n"
                    "速度プロファイル:出力パルス数10000、初速度100 PPS、ドライブ速度10000 PPS、直線加減速\n"
                    "加速 | 0.001000秒 | 5.05パルス | 100 → 10000 PPS\n"
                    "定速 | 0.998990秒 | 9989.9パルス | 10000 PPSで一定\n"
                    "減速 | 0.001000秒 | 5.05パルス | 10000 → 100 PPS\n"
                    "合計 | 1.000990秒 | 10000パルス | 減速点:9994.95パルス\n"
                    "整数の設定値による実際のドライブは、確認事項があるため求められません。\n"}),
    [](const testing::TestParamInfo<DetailsCase>& info) { return std::string(info.param.name); });

class DetailsTest : public ControllerTest {};

// What the window shows without a calculation: one line, and nothing to copy or save.
TEST_F(DetailsTest, withoutACalculationSayOnlyThat)
{
    view.enter(0, "100", "", "0.2", "");
    controller.onCalculate(); // the drive speed is empty: the command fails and clears the calculation
    ASSERT_FALSE(controller.lastCalculation());
    const Details details = report::makeDetails(controller.lastCalculation(), 10000.0);
    EXPECT_FALSE(details.calculated);
    EXPECT_EQ(details.heading, "設定値が計算されていません。入力情報を入力し、決定ボタンを押してください。");
    EXPECT_TRUE(details.registers.empty());
    EXPECT_TRUE(details.realDrive.empty());
    EXPECT_TRUE(details.findings.empty());
    EXPECT_EQ(details.clipboardText, "");
    EXPECT_EQ(details.plotState, DetailsPlotState::NotCalculated);
    EXPECT_FALSE(details.plot);
    EXPECT_FALSE(report::detailsPlotSvg(details));
}

// Any 出力パルス数 that is not a number above 0 asks for one.
TEST_F(DetailsTest, withoutAPositivePulseCountAskForOne)
{
    view.enter(3, "100", "10000", "0.2", "0.3");
    controller.onCalculate();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const std::optional<double> pulses : {std::optional<double>(), std::optional(0.0), std::optional(-0.0),
                                               std::optional(-10000.0), std::optional(nan)}) {
        const Details details = report::makeDetails(controller.lastCalculation(), pulses);
        EXPECT_EQ(details.plotState, DetailsPlotState::NoPulseCount);
        EXPECT_FALSE(details.plot);
        EXPECT_EQ(details.plotNote, "速度プロファイルを表示するには、出力パルス数に0より大きい数値を入力してください。");
        EXPECT_EQ(details.registers.size(), 8u); // the rest is shown as ever
    }
}

// A pulse count too large for any figure of the motion: a note, no plot.
TEST_F(DetailsTest, infinitePulseCountHasNoPlot)
{
    view.enter(3, "100", "10000", "0.2", "0.3");
    controller.onCalculate();
    const Details details = report::makeDetails(controller.lastCalculation(), std::numeric_limits<double>::infinity());
    EXPECT_EQ(details.plotState, DetailsPlotState::NoMotion);
    EXPECT_FALSE(details.plot);
    EXPECT_EQ(details.plotNote, "速度プロファイルの数値が無限大または数値ではありません。");
}

// The clipboard holds the integers of the values shown: after Recalculate with
// M = 10 those of that multiplier (R = 8,000,000 / 10; SV 10, V 1000, K = 126.263 x 5 = 631.313).
TEST_F(DetailsTest, clipboardHoldsTheIntegersOfTheMultiplierShown)
{
    view.enter(3, "100", "10000", "0.2", "0.3");
    controller.onCalculate();
    EXPECT_EQ(report::makeDetails(controller.lastCalculation(), std::nullopt).clipboardText,
              "R=4000000\nA=8000\nSV=50\nV=5000\nK=126\nAO=0\nD=8000\nL=284\n");
    view.selected[IDC_MULTIPLIER] = 3;
    controller.onRecalculate();
    const Details details = report::makeDetails(controller.lastCalculation(), std::nullopt);
    EXPECT_EQ(details.heading, "ドライブ種類:非対称S字加減速　倍率:10(800,000)");
    // L = 284.091 x 5 = 1420.455.
    EXPECT_EQ(details.clipboardText, "R=800000\nA=8000\nSV=10\nV=1000\nK=631\nAO=0\nD=8000\nL=1420\n");
}

// A drive type that names no item still has its speeds and a heading that says so.
TEST_F(DetailsTest, driveTypeThatNamesNoItemKeepsItsSpeeds)
{
    view.enter(-1, "100", "10000", "0.2", "");
    controller.onCalculate();
    ASSERT_TRUE(controller.lastCalculation());
    const Details details = report::makeDetails(controller.lastCalculation(), 10000.0);
    EXPECT_EQ(details.heading, "ドライブ種類:(指定なし)　倍率:2(4,000,000)");
    EXPECT_EQ(details.clipboardText, "R=4000000\nSV=50\nV=5000\n");
    EXPECT_EQ(details.realDrive.size(), 2u);
    EXPECT_EQ(details.plotState, DetailsPlotState::NoMotion);
    EXPECT_EQ(details.plotNote, "ドライブ種類が選択されていないため、加減速の形が決まりません。");
}

// The saved plot is a well-formed SVG of the Japanese model, written whole or
// not at all, and a failure is told in a line of the window.
TEST_F(DetailsTest, plotIsSavedAsSvgOrSaysWhyNot)
{
    view.enter(3, "100", "10000", "0.2", "0.3");
    controller.onCalculate();
    const Details details = report::makeDetails(controller.lastCalculation(), 10000.0);
    const auto svg = report::detailsPlotSvg(details);
    ASSERT_TRUE(svg);
    EXPECT_EQ(fuzz::svgProblem(*svg), "");
    EXPECT_NE(svg->find("<title>速度プロファイル:出力パルス数10000、初速度100 PPS、ドライブ速度10000 PPS、S字加減速</title>"),
              std::string::npos);
    EXPECT_NE(svg->find("font-family=\"IPAPGothic, MS PGothic, Noto Sans CJK JP, sans-serif\""), std::string::npos);
    EXPECT_NE(svg->find(">減速点:8485パルス</text>"), std::string::npos);

    TempDir dir;
    const std::string path = dir.path() + "/プロファイル.svg";
    EXPECT_EQ(report::saveDetailsPlotSvg(details, path), path + " に保存しました。");
    EXPECT_EQ(readWhole(path), *svg);

    const std::string missing = dir.path() + "/no-such-folder/plot.svg";
    EXPECT_EQ(report::saveDetailsPlotSvg(details, missing), missing + " に保存できませんでした。ファイルを作成できません。");
    EXPECT_FALSE(std::filesystem::exists(missing));

    // A folder in the plot's place is refused and left as it was.
    const std::string folder = dir.path() + "/folder.svg";
    std::filesystem::create_directory(folder);
    EXPECT_EQ(report::saveDetailsPlotSvg(details, folder),
              folder + " に保存できませんでした。フォルダーです。ファイルではないので、そのままにしました。");
    EXPECT_TRUE(std::filesystem::is_directory(folder));

    // Without a plot nothing is written, not even an empty file.
    const std::string none = dir.path() + "/none.svg";
    EXPECT_EQ(report::saveDetailsPlotSvg(report::makeDetails(controller.lastCalculation(), 1000.0), none),
              "保存する速度プロファイルがありません。");
    EXPECT_FALSE(std::filesystem::exists(none));
}

TEST(DetailsSaveNote, namesEachFailure)
{
    using io::FileWriteError;
    EXPECT_EQ(report::detailsSaveNote("a.png", std::nullopt), "a.png に保存しました。");
    EXPECT_EQ(report::detailsSaveNote("a.png", FileWriteError::CannotCreate),
              "a.png に保存できませんでした。ファイルを作成できません。");
    EXPECT_EQ(report::detailsSaveNote("a.png", FileWriteError::WriteFailed),
              "a.png に保存できませんでした。データを書き込めませんでした。元のファイルはそのままです。");
    EXPECT_EQ(report::detailsSaveNote("a.png", FileWriteError::CannotReplace),
              "a.png に保存できませんでした。ファイルを置き換えられません。元のファイルはそのままです。");
    EXPECT_EQ(report::detailsSaveNote("a.png", FileWriteError::IsDevice),
              "a.png に保存できませんでした。デバイスです。ファイルではないので、そのままにしました。");
    EXPECT_EQ(report::detailsSaveNote("a.png", FileWriteError::TooManyLinks),
              "a.png に保存できませんでした。シンボリックリンクが循環しているか、深すぎます。");
}

// A Japanese phase name is twice as wide as its characters: the scene leaves it
// out of a band too narrow for it, as the English one, and keeps it where it fits.
TEST(DetailsPlot, japaneseNamesOnlyInBandsWideEnough)
{
    // 0.2 s ramps in a 5.15 s move on a time axis to 6 s: under 0.2 / 6 x 900 = 30 px, narrower
    // than 加速 (2 x 12 + 8 = 32 px).
    DriveInput input{0.1, 0.4, 0.2, 0.2, DriveType::SymmetricTrapezoid};
    const Calculation narrow{input, 0, 1.0, computeSettingValues(input, 1.0), std::nullopt, std::nullopt};
    const Details details = report::makeDetails(narrow, 2.0);
    ASSERT_TRUE(details.plot);
    ASSERT_EQ(details.plot->bands.size(), 3u);
    std::vector<std::string> names;
    for (const auto& item : report::makePlotScene(*details.plot, 960, 400, report::SceneFrame::PlotOnly).items) {
        const auto* text = std::get_if<report::SceneText>(&item);
        if (text && text->bold) {
            names.push_back(text->text);
        }
    }
    EXPECT_EQ(names, std::vector<std::string>{"定速"});
}

} // namespace
} // namespace veldronix::testing_support
