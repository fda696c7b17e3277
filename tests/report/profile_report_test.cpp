// pulsecalc --pulses: the motion added after the dialog's fields, as its users see it.
#include "support/program_run.h"

#include "report/profile_report.h"

#include <cmath>
#include <limits>

namespace veldronix {
namespace {

using testing_support::ProgramRun;
using testing_support::runPulsecalc;

const std::string noSetting = "エラー: パラメーターエラー。設定値を求めることができません。\n";

std::vector<std::string> drive(const std::string& type, const std::string& pulses, std::vector<std::string> more = {})
{
    std::vector<std::string> arguments{"--type", type,   "--initial", "100",    "--drive", "10000",
                                       "--accel", "0.2", "--decel",   "0.3", "--pulses", pulses};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

// What follows the dialog's last field line in the plain output.
std::string profileSection(const std::string& out)
{
    const std::size_t lead = out.find("\n\nvelocity profile: ");
    return lead == std::string::npos ? std::string() : out.substr(lead + 2);
}

struct PlainCase {
    const char* name;
    std::vector<std::string> arguments;
    int status; // the dialog's own: the profile never changes it
    std::string section;
};

void PrintTo(const PlainCase& c, std::ostream* os)
{
    *os << c.name;
}

class PlainProfile : public testing::TestWithParam<PlainCase> {};

TEST_P(PlainProfile, followsTheDialogsFields)
{
    const PlainCase& c = GetParam();
    const ProgramRun run = runPulsecalc(c.arguments);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(profileSection(run.out), c.section);
}

const std::string table2020 = "phase               time (s)     pulses\n"
                              "acceleration        0.200000   1010.000\n"
                              "constant speed      0.798000   7980.000\n"
                              "deceleration        0.200000   1010.000\n"
                              "total move          1.198000  10000.000\n"
                              "deceleration point             8990.000\n";
const std::string table2525 = "phase               time (s)     pulses\n"
                              "acceleration        0.200000   1010.000\n"
                              "constant speed      0.747500   7475.000\n"
                              "deceleration        0.300000   1515.000\n"
                              "total move          1.247500  10000.000\n"
                              "deceleration point             8485.000\n";

// Figures worked by hand in velocity_profile_test.cpp. Types 0 to 2 keep the
// dialog's refusal of their deceleration point (exit 1); the profile is shown all the same.
INSTANTIATE_TEST_SUITE_P(
    Pulsecalc, PlainProfile,
    testing::Values(
        PlainCase{"SymmetricTrapezoid", drive("0", "10000"), 1,
                  "velocity profile: 10000 pulses, 100 PPS to 10000 PPS and back, linear ramps\n" + table2020},
        PlainCase{"SymmetricSCurve", drive("1", "10000"), 1,
                  "velocity profile: 10000 pulses, 100 PPS to 10000 PPS and back, S-curve ramps\n" + table2020},
        PlainCase{"AsymmetricTrapezoid", drive("2", "10000"), 1,
                  "velocity profile: 10000 pulses, 100 PPS to 10000 PPS and back, linear ramps\n" + table2525},
        PlainCase{"AsymmetricSCurve", drive("3", "10000"), 0,
                  "velocity profile: 10000 pulses, 100 PPS to 10000 PPS and back, S-curve ramps\n" + table2525},
        PlainCase{"ShortMove", drive("3", "1000"), 1,
                  "velocity profile: the move is too short: 1000 pulses cannot reach 10000 PPS and return to "
                  "100 PPS, which takes 2525 pulses\n"},
        PlainCase{"ShortMoveSymmetric", drive("1", "2019.5"), 1,
                  "velocity profile: the move is too short: 2019.5 pulses cannot reach 10000 PPS and return to "
                  "100 PPS, which takes 2020 pulses\n"},
        // Exactly the ramps' pulses: the drive touches the drive speed and turns back.
        PlainCase{"Boundary", drive("2", "2525"), 1,
                  "velocity profile: 2525 pulses, 100 PPS to 10000 PPS and back, linear ramps\n"
                  "phase               time (s)    pulses\n"
                  "acceleration        0.200000  1010.000\n"
                  "constant speed      0.000000     0.000\n"
                  "deceleration        0.300000  1515.000\n"
                  "total move          0.500000  2525.000\n"
                  "deceleration point            1010.000\n"},
        PlainCase{"EqualSpeeds", {"--initial", "500", "--drive", "500", "--accel", "1", "--pulses", "1000"}, 1,
                  "velocity profile: 1000 pulses, 500 PPS to 500 PPS and back, linear ramps\n"
                  "phase               time (s)    pulses\n"
                  "acceleration        0.000000     0.000\n"
                  "constant speed      2.000000  1000.000\n"
                  "deceleration        0.000000     0.000\n"
                  "total move          2.000000  1000.000\n"
                  "deceleration point            1000.000\n"},
        PlainCase{"EqualSpeedsSCurve", {"--type", "1", "--initial", "5", "--drive", "5", "--accel", "1", "--pulses", "9"},
                  1, "velocity profile: none: an S-curve between equal speeds has no jerk (K is infinite)\n"},
        PlainCase{"NoItemNamed", drive("-1", "10000"), 1,
                  "velocity profile: none: the drive type names no item, so the ramps have no shape\n"},
        // The pulse count is read as the dialog reads it: "abc" is 0, and so is an empty text.
        PlainCase{"PulsesNotANumber", drive("3", "abc"), 1,
                  "velocity profile: none: the pulse count is not a number above 0\n"},
        PlainCase{"PulsesEmpty", drive("0", ""), 1, "velocity profile: none: the pulse count is not a number above 0\n"},
        PlainCase{"NegativeInitialSpeed",
                  {"--initial", "-5", "--drive", "100", "--accel", "1", "--pulses", "1000"}, 1,
                  "velocity profile: none: the initial speed -5 PPS is below 0\n"},
        PlainCase{"NegativeAccelTime", {"--initial", "5", "--drive", "100", "--accel", "-1", "--pulses", "1000"}, 1,
                  "velocity profile: none: a ramp time is 0 or below\n"},
        PlainCase{"PulsesOverflow", drive("3", "1e999"), 0,
                  "velocity profile: none: a figure of the motion is infinite or not a number\n"},
        // The field holds 78 bytes: 77 blanks and the "1" of "10000" remain, as for the deceleration point.
        PlainCase{"PulsesCutLikeTheField", drive("2", std::string(77, ' ') + "10000"), 1,
                  "velocity profile: the move is too short: 1 pulses cannot reach 10000 PPS and return to 100 PPS, "
                  "which takes 2525 pulses\n"},
        // A failed Calculate shows no motion at all.
        PlainCase{"CalculateFailed", {"--drive", "10000", "--pulses", "10000"}, 1, ""},
        PlainCase{"NoPulsesNoProfile", {"--drive", "10000", "--accel", "0.2"}, 0, ""}),
    [](const testing::TestParamInfo<PlainCase>& info) { return std::string(info.param.name); });

// The whole plain output of one drive: the dialog's lines byte for byte as before, then the profile.
TEST(PulsecalcProfile, plainOutputKeepsTheDialogsLines)
{
    const ProgramRun run = runPulsecalc(drive("3", "10000"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "初速度:100で、ドライブ速度:10000までを0.200秒でS字加速し、\n"
                       "初速度まで0.300秒でS字減速する場合の設定値は以下のようになります。\n\n"
                       "R   4000000 \nA   8000.000 \nSV  50.000 \nV   5000.000 \nK   126.263 \nAO  0.000\n"
                       "D   8000.000\nL   284.091\n倍率  2(4,000,000)\nマニュアル減速点  8485.000\n\n"
                       "velocity profile: 10000 pulses, 100 PPS to 10000 PPS and back, S-curve ramps\n" +
                           table2525);
}

// The profile describes the drive as typed, whatever multiplier is selected afterwards.
TEST(PulsecalcProfile, recalculateLeavesTheMotionAlone)
{
    for (const char* multiplier : {"3", "0", "-1"}) {
        const ProgramRun run = runPulsecalc(drive("3", "10000", {"--multiplier", multiplier}));
        EXPECT_EQ(profileSection(run.out),
                  "velocity profile: 10000 pulses, 100 PPS to 10000 PPS and back, S-curve ramps\n" + table2525)
            << multiplier;
    }
}

TEST(PulsecalcProfile, jsonAddsOneObjectAfterTheErrors)
{
    struct JsonCase {
        std::vector<std::string> arguments;
        std::string tail;
    };
    const JsonCase cases[] = {
        {drive("0", "10000", {"--json"}),
         "\"errors\":[\"パラメーターエラー。設定値を求めることができません。\"],\"errorSteps\":[\"decelPoint\"],"
         "\"inputFindings\":[],\"profile\":{\"status\":\"complete\","
         "\"shape\":\"linear\",\"pulses\":10000.000,\"initialSpeed\":100.000,\"driveSpeed\":10000.000,"
         "\"accel\":{\"time\":0.200000,\"pulses\":1010.000},\"constant\":{\"time\":0.798000,\"pulses\":7980.000},"
         "\"decel\":{\"time\":0.200000,\"pulses\":1010.000},\"totalTime\":1.198000,\"decelPoint\":8990.000}}\n"},
        {drive("1", "1000", {"--json"}),
         "\"profile\":{\"status\":\"short-move\",\"message\":\"the move is too short: 1000 pulses cannot reach "
         "10000 PPS and return to 100 PPS, which takes 2020 pulses\",\"pulses\":1000.000,\"rampPulses\":2020.000}}\n"},
        // Infinite figures are no JSON numbers: the status and the note say it instead.
        {drive("3", "1e999", {"--json"}),
         "\"profile\":{\"status\":\"not-finite\",\"message\":\"none: a figure of the motion is infinite or not a "
         "number\"}}\n"},
        // A speed typed as -0 is 0, in JSON too.
        {{"--json", "--initial", "-0", "--drive", "10000", "--accel", "0.2", "--pulses", "1e4"},
         "\"profile\":{\"status\":\"complete\",\"shape\":\"linear\",\"pulses\":10000.000,\"initialSpeed\":0.000,"
         "\"driveSpeed\":10000.000,\"accel\":{\"time\":0.200000,\"pulses\":1000.000},\"constant\":{\"time\":0.800000,"
         "\"pulses\":8000.000},\"decel\":{\"time\":0.200000,\"pulses\":1000.000},\"totalTime\":1.200000,"
         "\"decelPoint\":9000.000}}\n"},
        {drive("-1", "5", {"--json"}),
         "\"profile\":{\"status\":\"unknown-drive-type\",\"message\":\"none: the drive type names no item, so the "
         "ramps have no shape\"}}\n"},
    };
    for (const JsonCase& c : cases) {
        const ProgramRun run = runPulsecalc(c.arguments);
        ASSERT_GE(run.out.size(), c.tail.size());
        EXPECT_EQ(run.out.substr(run.out.size() - c.tail.size()), c.tail) << c.arguments[1];
        EXPECT_EQ(run.out.find('\n'), run.out.size() - 1);
    }
}

TEST(ProfileOutput, figuresInSentencesDropTrailingZeros)
{
    const std::pair<double, const char*> cases[] = {
        {2525.0, "2525"}, {0.5, "0.5"},       {1010.0000000000001, "1010"}, {-0.0, "0"},
        {-0.0001, "0"},   {0.0005, "0.001"},  {1e20, "100000000000000000000"}, {-5.25, "-5.25"},
        {std::nan(""), "nan"}, {-std::numeric_limits<double>::infinity(), "-inf"}, {100.9, "100.9"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(report::figureText(value), text) << value;
    }
}

} // namespace
} // namespace veldronix
