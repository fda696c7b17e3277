// pulsecalc --compare and --registers, run as a user runs them: what goes to
// standard output, what to standard error, and the exit status. The content of
// the comparison and of the code is tested in tests/report.
#include "support/program_run.h"
#include "veldronix/version.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using veldronix::testing_support::ProgramRun;
using veldronix::testing_support::runPulsecalc;

const std::vector<std::string> drive80000 = {"--type", "0", "--initial", "1000", "--drive", "80000", "--accel", "0.1"};

std::vector<std::string> with(std::vector<std::string> arguments, const std::vector<std::string>& more)
{
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

// 1000 -> 80000 PPS takes x10 (80000 belongs to the lower multiplier): six rows, A = 6320 / M (see
// DriveSpeed80000 in tests/report/multiplier_comparison_test.cpp). After the fields, aligned, figures
// to the right.
TEST(PulsecalcCompare, printsTheTableAfterTheResults)
{
    const ProgramRun plain = runPulsecalc(drive80000);
    const ProgramRun run = runPulsecalc(with(drive80000, {"--compare"}));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string section =
        "\nComparison of the multipliers\n"
        "                     multiplier   speed step       R    A   SV     V  initial speed (PPS)     drive speed (PPS)"
        "         ramp time (s)  largest deviation  findings\n"
        "in use, recommended  10(800,000)      10 PPS  800000  632  100  8000  1000.000 (0.0000 %)  80000.000 (0.0000 %)"
        "   0.100000 (0.0000 %)           0.0000 %  none\n"
        "                     20(400,000)      20 PPS  400000  316   50  4000  1000.000 (0.0000 %)  80000.000 (0.0000 %)"
        "   0.100000 (0.0000 %)           0.0000 %  none\n"
        "                     50(160,000)      50 PPS  160000  126   20  1600  1000.000 (0.0000 %)  80000.000 (0.0000 %)"
        "  0.100317 (+0.3175 %)           0.3175 %  none\n"
        "                     100(80,000)     100 PPS   80000   63   10   800  1000.000 (0.0000 %)  80000.000 (0.0000 %)"
        "  0.100317 (+0.3175 %)           0.3175 %  none\n"
        "                     200(40,000)     200 PPS   40000   32    5   400  1000.000 (0.0000 %)  80000.000 (0.0000 %)"
        "  0.098750 (-1.2500 %)           1.2500 %  none\n"
        "                     500(16,000)     500 PPS   16000   13    2   160  1000.000 (0.0000 %)  80000.000 (0.0000 %)"
        "  0.097231 (-2.7692 %)           2.7692 %  none\n"
        "The recommended multiplier: of those without findings whose deviations are all known, the one with the "
        "smallest largest deviation (the largest absolute deviation, compared as printed); the smaller multiplier "
        "when equal; none when no multiplier qualifies.\n"
        "Recommended: multiplier 10(800,000)\n";
    EXPECT_EQ(run.out, plain.out + section);

    // After --rounded's section when both are asked for.
    const ProgramRun both = runPulsecalc(with(drive80000, {"--compare", "--rounded"}));
    EXPECT_EQ(both.out, runPulsecalc(with(drive80000, {"--rounded"})).out + section);
}

// 16000 -> 4,000,000 PPS takes x500, the largest: one row. A = 3,984,000 x 0.008 / 500 = 63.744 -> 64,
// 3,984,000 / (64 x 125 x 500) = 0.996 s (-0.4 %).
TEST(PulsecalcCompare, jsonHasTheMemberComparisonOnlyWhenAskedFor)
{
    const std::vector<std::string> drive = {"--type", "0", "--initial", "16000", "--drive", "4000000", "--accel", "1",
                                            "--json"};
    const ProgramRun without = runPulsecalc(drive);
    const ProgramRun run = runPulsecalc(with(drive, {"--compare"}));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(without.out.find("\"comparison\""), std::string::npos);
    ASSERT_TRUE(without.out.ends_with("}\n"));
    EXPECT_EQ(run.out,
              without.out.substr(0, without.out.size() - 2) +
                  R"j(,"comparison":{"recommended":8,"rows":[{"index":8,"multiplier":500,"item":"500(16,000)",)j"
                  R"("speedStep":500,"inUse":true,"largestDeviation":0.4000,"settings":{"R":16000,"A":64,"SV":32,)"
                  R"("V":8000},"real":{"initialSpeed":{"requested":16000.000,"real":16000.000,"deviation":0.0000},)"
                  R"("driveSpeed":{"requested":4000000.000,"real":4000000.000,"deviation":0.0000},"accelTime":)"
                  R"({"requested":1.000000,"real":0.996000,"deviation":-0.4000}},"findings":[]}]}})"
                  "\n");

    // Nothing calculated: null, and in the plain output a line that says so.
    const ProgramRun failed = runPulsecalc({"--type", "0", "--drive", "0", "--compare", "--json"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.out.ends_with(",\"comparison\":null}\n")) << failed.out;
    const ProgramRun failedPlain = runPulsecalc({"--type", "0", "--drive", "0", "--compare"});
    EXPECT_TRUE(failedPlain.out.ends_with(
        "\nComparison of the multipliers: none, no setting values were calculated\n"))
        << failedPlain.out;
}

struct RegistersCase {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    std::string out;
    std::string err;
};

TEST(PulsecalcRegisters, printsOnlyTheRegistersInTheFormatAsked)
{
    const std::string sCurve = "--type=3 --initial=100 --drive=10000 --accel=0.2 --decel=0.3";
    const std::string version(veldronix::version::text);
    const std::string notCalculated = "pulsecalc: no registers printed: the drive's settings could not be calculated\n";
    const RegistersCase cases[] = {
        {"lines", {"--type=3", "--initial=100", "--drive=10000", "--accel=0.2", "--decel=0.3", "--registers=lines"}, 0,
         "R=4000000\nA=8000\nSV=50\nV=5000\nK=126\nAO=0\nD=8000\nL=284\n", ""},
        {"c", {"--type=3", "--initial=100", "--drive=10000", "--accel=0.2", "--decel=0.3", "--registers", "c"}, 0,
         "/* Veldronix " + version +
             ": asymmetric-s-curve drive, 100 PPS to 10000 PPS, acceleration 0.2 s, deceleration 0.3 s, "
             "multiplier 2 */\n#define DRIVE_R 4000000\n#define DRIVE_A 8000\n#define DRIVE_SV 50\n"
             "#define DRIVE_V 5000\n#define DRIVE_K 126\n#define DRIVE_AO 0\n#define DRIVE_D 8000\n#define DRIVE_L 284\n",
         ""},
        {"json", {"--type=3", "--initial=100", "--drive=10000", "--accel=0.2", "--decel=0.3", "--registers=json"}, 0,
         R"({"version":")" + version +
             R"(","driveType":"asymmetric-s-curve","multiplier":2,"registers":{"R":4000000,"A":8000,"SV":50,)"
             R"("V":5000,"K":126,"AO":0,"D":8000,"L":284},"findings":[]})"
             "\n",
         ""},
        // Recalculate refused (x1 is below the automatic x2): its message, and the registers still shown.
        {"refusedRecalculate",
         {"--type=0", "--initial=100", "--drive=10000", "--accel=0.2", "--multiplier=x1", "--registers=lines"}, 1,
         "R=4000000\nA=198\nSV=50\nV=5000\n",
         "エラー: Recalculate with multiplier x1 (item 0): パラメーターエラー。設定値を求めることができません。 "
         "(parameter error: the setting values cannot be determined: multiplier x1 is smaller than x2, the one "
         "Calculate chose)\n"},
        // Recalculated with x5: its registers.
        {"recalculated",
         {"--type=0", "--initial=100", "--drive=10000", "--accel=0.2", "--multiplier=x5", "--registers=lines"}, 0,
         "R=1600000\nA=79\nSV=20\nV=2000\n", ""},
        {"nothingCalculated", {"--type=0", "--drive=0", "--registers=c"}, 1, "",
         "エラー: Calculate: パラメーターエラー。ドライブ速度が0です。 (parameter error: the drive speed is 0; an "
         "empty text or one that is no number counts as 0)\n" +
             notCalculated},
        {"noMultiplierFits", {"--type=0", "--drive=4000001", "--accel=1", "--registers=json"}, 1, "",
         "エラー: Calculate: パラメーターエラー。設定値を求めることができません。 (parameter error: the setting "
         "values cannot be determined: no speed multiplier fits a drive speed above 4000000 PPS)\n" +
             notCalculated},
    };
    for (const RegistersCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = runPulsecalc(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
}

} // namespace
