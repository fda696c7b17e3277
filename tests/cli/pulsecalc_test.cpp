// The built pulsecalc program, run as a separate process exactly as a user or
// script runs it: arguments, standard output, standard error and exit status.
#include "support/program_run.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using veldronix::testing_support::ProgramRun;
using veldronix::testing_support::runPulsecalc;

const std::string noSetting = "パラメーターエラー。設定値を求めることができません。";
const std::string usageHint = "try 'pulsecalc --help' for the options\n";

const std::string summary0 =
    "初速度:100で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\\n以下のようになります。";
const std::string summary1 =
    "初速度:100で、ドライブ速度:10000までを0.200秒でS字加速する場合の設定値は\\n以下のようになります。";
const std::string summary2 = "初速度:100で、ドライブ速度:10000までを0.200秒で直線加速し、\\n"
                             "初速度まで0.300秒で直線減速する場合の設定値は以下のようになります。";
const std::string summary3 = "初速度:100で、ドライブ速度:10000までを0.200秒でS字加速し、\\n"
                             "初速度まで0.300秒でS字減速する場合の設定値は以下のようになります。";

// One JSON line as the program prints it; summary is already a JSON string body,
// inputFindings the body of its array.
std::string jsonLine(const std::string& summary, const std::vector<std::string>& values,
                     const std::string& multiplier, const std::string& decelPoint,
                     const std::vector<std::string>& errors = {}, const std::vector<std::string>& steps = {},
                     const std::string& profile = "", const std::string& inputFindings = "")
{
    static const char* const labels[] = {"R", "A", "SV", "V", "K", "AO", "D", "L"};
    std::string out = "{\"summary\":\"" + summary + "\"";
    for (std::size_t i = 0; i < 8; ++i) {
        out += std::string(",\"") + labels[i] + "\":\"" + values.at(i) + "\"";
    }
    out += ",\"multiplier\":\"" + multiplier + "\",\"decelPoint\":\"" + decelPoint + "\",\"errors\":[";
    for (std::size_t i = 0; i < errors.size(); ++i) {
        out += (i == 0 ? "\"" : ",\"") + errors[i] + "\"";
    }
    out += "],\"errorSteps\":[";
    for (std::size_t i = 0; i < steps.size(); ++i) {
        out += (i == 0 ? "\"" : ",\"") + steps[i] + "\"";
    }
    out += "],\"inputFindings\":[" + inputFindings + "]";
    if (!profile.empty()) {
        out += ",\"profile\":" + profile;
    }
    return out + "}\n";
}

std::vector<std::string> example(const std::string& type, std::vector<std::string> more = {})
{
    std::vector<std::string> arguments{"--json", "--type", type, "--initial", "100", "--drive", "10000",
                                       "--accel", "0.2", "--decel", "0.3"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

struct Case {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    std::string out;
    std::string err;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class PulsecalcTest : public testing::TestWithParam<Case> {};

TEST_P(PulsecalcTest, PrintsExactly)
{
    const Case& expected = GetParam();
    const ProgramRun run = runPulsecalc(expected.arguments);
    EXPECT_EQ(run.status, expected.status);
    EXPECT_EQ(run.out, expected.out);
    EXPECT_EQ(run.err, expected.err);
}

// A message on standard error: the step, the exact message, what it means.
std::string errorLine(const std::string& step, const std::string& message, const std::string& meaning)
{
    return "エラー: " + step + ": " + message + " (" + meaning + ")\n";
}

const std::string driveSpeedZero = "パラメーターエラー。ドライブ速度が0です。";
const std::string driveSpeedZeroMeaning =
    "parameter error: the drive speed is 0; an empty text or one that is no number counts as 0";
// One member of inputFindings.
std::string finding(const std::string& field, const std::string& text, const std::string& read,
                    const std::string& problem)
{
    return "{\"field\":\"" + field + "\",\"text\":\"" + text + "\",\"read\":" + read + ",\"problem\":\"" +
           problem + "\"}";
}

const std::string noSettingMeaning = "parameter error: the setting values cannot be determined: ";
const std::string notAsymmetricSCurve =
    "the manual deceleration point is computed only for an asymmetric S-curve drive (type 3) whose settings were "
    "calculated";

// The motion that --pulses adds after the dialog's fields (hand-worked in tests/profile).
const std::string profile3 =
    "{\"status\":\"complete\",\"shape\":\"s-curve\",\"pulses\":10000.000,\"initialSpeed\":100.000,"
    "\"driveSpeed\":10000.000,\"accel\":{\"time\":0.200000,\"pulses\":1010.000},"
    "\"constant\":{\"time\":0.747500,\"pulses\":7475.000},\"decel\":{\"time\":0.300000,\"pulses\":1515.000},"
    "\"totalTime\":1.247500,\"decelPoint\":8485.000}";
const std::string profile2 =
    "{\"status\":\"complete\",\"shape\":\"linear\",\"pulses\":10000.000,\"initialSpeed\":100.000,"
    "\"driveSpeed\":10000.000,\"accel\":{\"time\":0.200000,\"pulses\":1010.000},"
    "\"constant\":{\"time\":0.747500,\"pulses\":7475.000},\"decel\":{\"time\":0.300000,\"pulses\":1515.000},"
    "\"totalTime\":1.247500,\"decelPoint\":8485.000}";
const std::string shortMove3 =
    "{\"status\":\"short-move\",\"message\":\"the move is too short: 1000 pulses cannot reach 10000 PPS and "
    "return to 100 PPS, which takes 2525 pulses\",\"pulses\":1000.000,\"rampPulses\":2525.000}";

INSTANTIATE_TEST_SUITE_P(
    Json, PulsecalcTest,
    testing::Values(
        Case{"SymmetricTrapezoid", example("0"), 0,
             jsonLine(summary0, {"4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "", ""}, "2(4,000,000)", "0"),
             ""},
        Case{"SymmetricSCurve", example("1"), 0,
             jsonLine(summary1, {"4000000 ", "8000.000 ", "50.000 ", "5000.000 ", "126.263 ", "0.000", "", ""},
                      "2(4,000,000)", "0"),
             ""},
        Case{"AsymmetricTrapezoid", example("2"), 0,
             jsonLine(summary2, {"4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "132.000", ""},
                      "2(4,000,000)", "0"),
             ""},
        Case{"AsymmetricSCurve", example("3"), 0,
             jsonLine(summary3,
                      {"4000000 ", "8000.000 ", "50.000 ", "5000.000 ", "126.263 ", "0.000", "8000.000", "284.091"},
                      "2(4,000,000)", "0"),
             ""},
        Case{"TypeNamesAreTheIndices", example("asymmetric-s-curve"), 0,
             jsonLine(summary3,
                      {"4000000 ", "8000.000 ", "50.000 ", "5000.000 ", "126.263 ", "0.000", "8000.000", "284.091"},
                      "2(4,000,000)", "0"),
             ""},
        Case{"InlineValues",
             {"--json", "--type=symmetric-trapezoid", "--initial=100", "--drive=10000", "--accel=0.2"}, 0,
             jsonLine(summary0, {"4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "", ""}, "2(4,000,000)", "0"),
             ""},
        Case{"LargerMultiplier", example("0", {"--multiplier", "3"}), 0,
             jsonLine(summary0, {"800000 ", "39.600 ", "10.000 ", "1000.000 ", "", "", "", ""}, "10(800,000)", "0"),
             ""},
        // A smaller multiplier than the automatic one is refused; the results of Calculate stay.
        Case{"SmallerMultiplierRefused", example("0", {"--multiplier", "0"}), 1,
             jsonLine(summary0, {"4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "", ""}, "1(8,000,000)", "0",
                      {noSetting}, {"recalculate"}),
             errorLine("Recalculate with multiplier x1 (item 0)", noSetting,
                       noSettingMeaning + "multiplier x1 is smaller than x2, the one Calculate chose")},
        Case{"NoMultiplierRefused", example("0", {"--multiplier=-1"}), 1,
             jsonLine(summary0, {"4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "", ""}, "", "0", {noSetting},
                      {"recalculate"}),
             errorLine("Recalculate with no multiplier item (item -1)", noSetting,
                       noSettingMeaning + "no multiplier item is selected")},
        Case{"DecelPoint", example("3", {"--pulses", "10000"}), 0,
             jsonLine(summary3,
                      {"4000000 ", "8000.000 ", "50.000 ", "5000.000 ", "126.263 ", "0.000", "8000.000", "284.091"},
                      "2(4,000,000)", "8485.000", {}, {}, profile3),
             ""},
        Case{"DecelPointTooFewPulses", example("3", {"--pulses", "1000"}), 1,
             jsonLine(summary3,
                      {"4000000 ", "8000.000 ", "50.000 ", "5000.000 ", "126.263 ", "0.000", "8000.000", "284.091"},
                      "2(4,000,000)", "", {noSetting}, {"decelPoint"}, shortMove3),
             errorLine("deceleration point", noSetting,
                       noSettingMeaning + "decelerating from the drive speed to the initial speed takes at least as "
                                          "many pulses as the pulse count, so no deceleration point lies above 0")},
        Case{"DecelPointOfAnotherType", example("2", {"--pulses", "10000"}), 1,
             jsonLine(summary2, {"4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "132.000", ""},
                      "2(4,000,000)", "", {noSetting}, {"decelPoint"}, profile2),
             // The message says that only the asymmetric S-curve has a manual deceleration point.
             errorLine("deceleration point", noSetting, noSettingMeaning + notAsymmetricSCurve)},
        // An omitted field is empty, and an empty drive speed is the first check that fails.
        Case{"OmittedDriveSpeed", {"--json", "--accel", "0.2"}, 1,
             jsonLine("", {"", "", "", "", "", "", "", ""}, "", "0", {driveSpeedZero}, {"calculate"}),
             errorLine("Calculate", driveSpeedZero, driveSpeedZeroMeaning)},
        // Every failing command is reported, in order; the last one is the manual deceleration point.
        Case{"EveryFailureReported", {"--json", "--multiplier", "3", "--pulses", "10"}, 1,
             jsonLine("", {"", "", "", "", "", "", "", ""}, "10(800,000)", "", {driveSpeedZero, noSetting, noSetting},
                      {"calculate", "recalculate", "decelPoint"}),
             errorLine("Calculate", driveSpeedZero, driveSpeedZeroMeaning) +
                 errorLine("Recalculate with multiplier x10 (item 3)", noSetting,
                           noSettingMeaning + "Recalculate needs a Calculate that succeeded") +
                 errorLine("deceleration point", noSetting, noSettingMeaning + notAsymmetricSCurve)},
        // The multiplier itself selects its item: x50 is item 5.
        Case{"MultiplierByItsValue", example("0", {"--multiplier", "x50"}), 0,
             // A, SV and V of x2 (198, 50, 5000) times 2/50.
             jsonLine(summary0, {"160000 ", "7.920 ", "2.000 ", "200.000 ", "", "", "", ""}, "50(160,000)", "0"),
             ""},
        // A pulse count that is no number is 0: the step says so.
        Case{"DecelPointWithoutPulses", example("3", {"--pulses", "abc", "--multiplier", "X2"}), 1,
             jsonLine(summary3,
                      {"4000000 ", "8000.000 ", "50.000 ", "5000.000 ", "126.263 ", "0.000", "8000.000", "284.091"},
                      "2(4,000,000)", "", {noSetting}, {"decelPoint"},
                      "{\"status\":\"no-pulses\",\"message\":\"none: the pulse count is not a number above 0\"}",
                      finding("pulseCount", "abc", "0", "notANumber")),
             errorLine("deceleration point", noSetting,
                       noSettingMeaning + "the pulse count is 0; an empty text or one that is no number counts as 0")},
        Case{"AboveTheLastMultiplier", {"--json", "--drive", "4000001", "--accel", "1"}, 1,
             jsonLine("", {"", "", "", "", "", "", "", ""}, "", "0", {noSetting}, {"calculate"}),
             errorLine("Calculate", noSetting, noSettingMeaning + "no speed multiplier fits a drive speed above 4000000 PPS")},
        // Full-width digits, stop and signs, as an input method types them, read as ASCII and named.
        Case{"FullWidthDigits", {"--json", "--initial", "１００", "--drive", "１０,０００", "--accel", "０．２"}, 1,
             jsonLine("", {"", "", "", "", "", "", "", ""}, "", "0",
                      {"パラメーターエラー。初速度がドライブ速度より大きいです。"}, {"calculate"}, "",
                      finding("initialSpeed", "１００", "100", "wideForms") + "," +
                          finding("driveSpeed", "１０,０００", "10", "trailingText") + "," +
                          finding("driveSpeed", "１０,０００", "10", "wideForms") + "," +
                          finding("accelTime", "０．２", "0.2", "wideForms")),
             errorLine("Calculate", "パラメーターエラー。初速度がドライブ速度より大きいです。",
                       "parameter error: the initial speed is greater than the drive speed")},
        Case{"FullWidthDigitsCalculate", {"--json", "--initial", "　１００", "--drive", "10000", "--accel", "0.2"}, 0,
             jsonLine(summary0, {"4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "", ""}, "2(4,000,000)", "0",
                      {}, {}, "", finding("initialSpeed", "　１００", "100", "wideForms")),
             ""},
        // Only the number at the start of a field counts; Japanese after it is ignored, and named.
        Case{"JapaneseAfterTheNumber", {"--json", "--initial", "100円", "--drive", "10000ＰＰＳ", "--accel", "0.2秒"}, 0,
             jsonLine(summary0, {"4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "", ""}, "2(4,000,000)", "0",
                      {}, {}, "",
                      finding("initialSpeed", "100円", "100", "trailingText") + "," +
                          finding("driveSpeed", "10000ＰＰＳ", "10000", "trailingText") + "," +
                          finding("accelTime", "0.2秒", "0.2", "trailingText")),
             ""},
        // A field is read to its 78th byte: 77 blanks and "1" of "100" remain.
        Case{"FieldCutAt78Bytes",
             {"--json", "--initial", std::string(77, ' ') + "100", "--drive", "10000", "--accel", "0.2"}, 0,
             jsonLine("初速度:1で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\\n以下のようになります。",
                      {"4000000 ", "199.980 ", "0.500 ", "5000.000 ", "", "", "", ""}, "2(4,000,000)", "0", {}, {}, "",
                      finding("initialSpeed", std::string(77, ' ') + "1", "1", "cut")),
             ""},
        Case{"Exactly78BytesKept",
             {"--json", "--initial", std::string(75, ' ') + "100", "--drive", "10000", "--accel", "0.2"}, 0,
             jsonLine(summary0, {"4000000 ", "198.000 ", "50.000 ", "5000.000 ", "", "", "", ""}, "2(4,000,000)", "0"),
             ""},
        // A character is never split: the three bytes of あ at bytes 77..79 go as a whole, leaving "1" and 76 blanks.
        Case{"CutNeverSplitsACharacter",
             {"--json", "--initial", "1" + std::string(75, ' ') + "あ", "--drive", "10000", "--accel", "0.2"}, 0,
             jsonLine("初速度:1で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\\n以下のようになります。",
                      {"4000000 ", "199.980 ", "0.500 ", "5000.000 ", "", "", "", ""}, "2(4,000,000)", "0", {}, {}, "",
                      finding("initialSpeed", "1" + std::string(75, ' '), "1", "cut")),
             ""}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Usage, PulsecalcTest,
    testing::Values(
        Case{"UnknownOption", {"--bogus"}, 2, "", "pulsecalc: unknown option '--bogus'\n" + usageHint},
        Case{"BadType", {"--type", "4"}, 2, "",
             "pulsecalc: bad --type '4': give 0 to 3, -1, symmetric-trapezoid, symmetric-s-curve, "
             "asymmetric-trapezoid or asymmetric-s-curve\n" +
                 usageHint},
        Case{"MultiplierNine", {"--multiplier", "9"}, 2, "",
             "pulsecalc: bad --multiplier '9': give a multiplier x1, x2, x5, x10, x20, x50, x100, x200 or x500, or an "
             "item index from -1 to 8\n" +
                 usageHint},
        // Only the nine multipliers: x3 is none, and neither is x50 with a blank or sign.
        Case{"MultiplierNotInTheTable", {"--multiplier", "x3"}, 2, "",
             "pulsecalc: bad --multiplier 'x3': give a multiplier x1, x2, x5, x10, x20, x50, x100, x200 or x500, or an "
             "item index from -1 to 8\n" +
                 usageHint},
        Case{"MultiplierWithSign", {"--multiplier", "x+50"}, 2, "",
             "pulsecalc: bad --multiplier 'x+50': give a multiplier x1, x2, x5, x10, x20, x50, x100, x200 or x500, or "
             "an item index from -1 to 8\n" +
                 usageHint},
        Case{"MultiplierWord", {"--multiplier=abc"}, 2, "",
             "pulsecalc: bad --multiplier 'abc': give a multiplier x1, x2, x5, x10, x20, x50, x100, x200 or x500, or "
             "an item index from -1 to 8\n" +
                 usageHint},
        Case{"MissingValue", {"--drive"}, 2, "", "pulsecalc: option --drive needs a value\n" + usageHint},
        Case{"ValueForAFlag", {"--json=1"}, 2, "", "pulsecalc: option --json takes no value\n" + usageHint},
        // A usage error wins over the calculation: nothing is computed or printed.
        Case{"UsageErrorBeforeCalculation", {"--drive", "10000", "--accel", "0.2", "--bogus"}, 2, "",
             "pulsecalc: unknown option '--bogus'\n" + usageHint}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(Pulsecalc, PlainOutputListsTheFields)
{
    const ProgramRun run = runPulsecalc({"--initial", "100", "--drive", "10000", "--accel", "0.2"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "初速度:100で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\n"
                       "以下のようになります。\n\n"
                       "R   4000000 \nA   198.000 \nSV  50.000 \nV   5000.000 \nK   \nAO  \nD   \nL   \n"
                       "倍率  2(4,000,000)\nマニュアル減速点  0\n");
}

TEST(Pulsecalc, HelpIsTheUsageOnStandardOutput)
{
    const ProgramRun run = runPulsecalc({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("usage: pulsecalc --type T", 0), 0u);
    EXPECT_NE(run.out.find("Exit status: 0 no message shown, 1 a message shown, 2 a usage error or\n"
                           "output that could not be written.\n"),
              std::string::npos);
}

// A drive type that names no item still chooses the multiplier; the type's own fields stay empty.
TEST(Pulsecalc, NoDriveTypeStillChoosesTheMultiplier)
{
    const ProgramRun run = runPulsecalc({"--json", "--type", "-1", "--initial", "100", "--drive", "10000", "--accel", "0.2"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, jsonLine("", {"4000000 ", "", "50.000 ", "5000.000 ", "", "", "", ""}, "2(4,000,000)", "0", {},
                                {}, "", finding("driveType", "", "null", "noItem")));
}

// No arguments: the usage on standard error, nothing on standard output, exit 2;
// --version prints the version that the Windows version resource carries too.
TEST(Pulsecalc, NoArgumentsIsUsageAndVersionIsOneLine)
{
    const ProgramRun bare = runPulsecalc({});
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.out, "");
    EXPECT_EQ(bare.err.rfind("usage: pulsecalc --type T", 0), 0u);
    EXPECT_NE(bare.err.find("  --version           print the program's version\n"), std::string::npos);

    const ProgramRun version = runPulsecalc({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "pulsecalc (Veldronix) 1.0.0.1\n");
    EXPECT_EQ(version.err, "");
    EXPECT_EQ(runPulsecalc({"--version=1"}).status, 2);
}

// Arguments far beyond a field's size are cut, not a danger: the program reads only what a field holds.
TEST(Pulsecalc, VeryLongArgumentsAreCut)
{
    const std::string longDigits = "100" + std::string(100000, '0');
    const std::string longJapanese = "0.2" + std::string(30000, ' ') + [] {
        std::string text;
        for (int i = 0; i < 10000; ++i) {
            text += "秒";
        }
        return text;
    }();
    const ProgramRun run = runPulsecalc({"--json", "--initial", longDigits, "--drive", "10000", "--accel", longJapanese});
    // 78 digits of 100000... make the initial speed 1e77, far above the drive speed.
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, errorLine("Calculate", "パラメーターエラー。初速度がドライブ速度より大きいです。",
                                 "parameter error: the initial speed is greater than the drive speed"));
    EXPECT_EQ(run.out, jsonLine("", {"", "", "", "", "", "", "", ""}, "", "0",
                                {"パラメーターエラー。初速度がドライブ速度より大きいです。"}, {"calculate"}, "",
                                finding("initialSpeed", "100" + std::string(75, '0'), "1e+77", "cut") + "," +
                                    finding("accelTime", "0.2" + std::string(75, ' '), "0.2", "cut")));

    // Just below the kernel's limit of one argument (128 KiB).
    const std::string longOption = "--" + std::string(100000, 'x');
    const ProgramRun unknown = runPulsecalc({longOption});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err == "pulsecalc: unknown option '" + longOption + "'\n" + usageHint);
}

// The summary's line break appears in JSON as the escape \n, never as a raw line break:
// the whole object stays on one line.
TEST(Pulsecalc, JsonIsOneLine)
{
    for (const char* type : {"0", "1", "2", "3"}) {
        const ProgramRun run = runPulsecalc(example(type));
        ASSERT_FALSE(run.out.empty());
        EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << type;
        EXPECT_NE(run.out.find("\\n"), std::string::npos) << type;
    }
}

// --rounded lists the input findings before the rounded drive, one line each in
// field order, and only when there are any; they leave the exit status alone.
TEST(Pulsecalc, RoundedListsTheInputFindings)
{
    const ProgramRun run = runPulsecalc({"--type", "2", "--initial", "-0.2", "--drive", "1,000", "--accel",
                                         "0.2 ", "--decel", "abc", "--pulses", "12abc", "--rounded"});
    EXPECT_EQ(run.status, 1); // the deceleration time reads as 0: the check's message, as before
    const std::string lines = "\nInput findings:\n"
                              "  initial speed \"-0.2\" is read as -0.2, below 0\n"
                              "  drive speed \"1,000\" is read as 1: the text after the number is ignored\n"
                              "  time to reach the initial speed \"abc\" is no number and is read as 0\n"
                              "  pulse count \"12abc\" is read as 12: the text after the number is ignored\n"
                              "\nRounded settings: none";
    EXPECT_NE(run.out.find(lines), std::string::npos) << run.out;

    const ProgramRun clean = runPulsecalc({"--initial", "100", "--drive", "10000", "--accel", "0.2", "--rounded"});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out.find("Input findings"), std::string::npos);
    const ProgramRun cut = runPulsecalc({"--type", "-1", "--initial", std::string(79, '1'), "--drive", "1e99",
                                         "--accel", "1", "--rounded"});
    EXPECT_NE(cut.out.find("\nInput findings:\n  initial speed is longer than the field's 78 bytes: only \"" +
                           std::string(78, '1') + "\" is read, as 1.1111111111111111e+77\n"
                           "  drive type: no item is selected, so the drive has no type\n"),
              std::string::npos)
        << cut.out;
}

TEST(Pulsecalc, RoundedIsAFlagOfASingleDrive)
{
    const std::string hint = "try 'pulsecalc --help' for the options\n";
    const ProgramRun valued = runPulsecalc({"--rounded=yes"});
    EXPECT_EQ(valued.status, 2);
    EXPECT_EQ(valued.out, "");
    EXPECT_EQ(valued.err, "pulsecalc: option --rounded takes no value\n" + hint);

    const ProgramRun batch = runPulsecalc({"--csv", "-", "--rounded"});
    EXPECT_EQ(batch.status, 2);
    EXPECT_EQ(batch.err, "pulsecalc: --csv takes the drives from its file: give no other option\n" + hint);

    const ProgramRun help = runPulsecalc({"--help"});
    EXPECT_NE(help.out.find("[--rounded] [--compare] [--json]\n"), std::string::npos);
    EXPECT_NE(help.out.find("  --rounded           also print"), std::string::npos);
    EXPECT_NE(help.out.find("A --rounded or --compare finding warns about the machine's drive and leaves the\n"
                            "status as it is"),
              std::string::npos);
}


} // namespace
