// The built pulsecalc run on a file and on standard input, as a user runs it.
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <sys/wait.h>

namespace veldronix::cli {
namespace {

using testing_support::readWhole;
using testing_support::TempDir;

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& path)
{
    return "'" + path + "'";
}

class PulsecalcCsv : public ::testing::Test {
protected:
    std::string write(const std::string& name, std::string_view text) { return directory_.write(name, text); }

    // Runs the shell command line `prefix pulsecalc arguments`.
    RunResult run(const std::string& prefix, const std::string& arguments)
    {
        const std::string out = directory_.file("out");
        const std::string err = directory_.file("err");
        const std::string command = prefix + quoted(VELDRONIX_PULSECALC_PATH) + " " + arguments + " >" + quoted(out) +
                                    " 2>" + quoted(err);
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readWhole(out), readWhole(err)};
    }

    TempDir directory_;
};

const std::string input = "type,initial,drive,accel,decel,multiplier,pulses\r\n"
                          "0,１００,10000,0.2,,,\r\n"
                          "bogus,100,10000,0.2,,,\r\n";
const std::string expected =
    "type,initial,drive,accel,decel,multiplier,pulses,summary,R,A,SV,V,K,AO,D,L,multiplierShown,decelPoint,errors,"
    "inputFindings\r\n"
    "0,１００,10000,0.2,,,,\"初速度:100で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は\n"
    "以下のようになります。\",\"4000000 \",\"198.000 \",\"50.000 \",\"5000.000 \",,,,,\"2(4,000,000)\",0,,"
    "\"initial speed \"\"１００\"\" is read as 100: its full-width digits and signs are read as ASCII\"\r\n"
    "bogus,100,10000,0.2,,,,,,,,,,,,,,,\"line 3: unknown type 'bogus': give 0 to 3, -1, symmetric-trapezoid, "
    "symmetric-s-curve, asymmetric-trapezoid or asymmetric-s-curve\",\r\n";

TEST_F(PulsecalcCsv, FileAndStandardInputGiveTheSameRows)
{
    const auto file = write("drives.csv", input);
    const RunResult fromFile = run("", "--csv " + quoted(file));
    EXPECT_EQ(fromFile.out, expected);
    EXPECT_EQ(fromFile.err, "pulsecalc: 1 of 2 rows showed a message; the first is on line 3\n");
    EXPECT_EQ(fromFile.status, 1);

    const RunResult fromPipe = run("cat " + quoted(file) + " | ", "--csv -");
    EXPECT_EQ(fromPipe.out, expected);
    EXPECT_EQ(fromPipe.status, 1);

    const RunResult redirected = run("", "--csv=- <" + quoted(file));
    EXPECT_EQ(redirected.out, expected);
}

TEST_F(PulsecalcCsv, CleanBatchExitsZero)
{
    const auto file = write("good.csv", "type,initial,drive,accel,decel\n0,100,10000,0.2,\n");
    const RunResult result = run("", "--csv " + quoted(file));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out.substr(0, 108), "type,initial,drive,accel,decel,summary,R,A,SV,V,K,AO,D,L,multiplierShown,"
                                         "decelPoint,errors,inputFindings\r\n0,");
}

TEST_F(PulsecalcCsv, UsageErrorsExitTwo)
{
    const auto file = write("drives.csv", input);
    const std::string hint = "\ntry 'pulsecalc --help' for the options\n";
    const struct {
        std::string arguments;
        std::string err;
    } cases[] = {
        {"--csv " + quoted(directory_.file("missing.csv")),
         "pulsecalc: cannot open CSV file '" + directory_.file("missing.csv") + "': No such file or directory"},
        {"--csv " + quoted(directory_.path()), "pulsecalc: cannot read the CSV input: Is a directory"},
        {"--csv " + quoted(file) + " --type 0", "pulsecalc: --csv takes the drives from its file: give no other option"},
        {"--json --csv " + quoted(file), "pulsecalc: --csv takes the drives from its file: give no other option"},
        {"--csv " + quoted(file) + " --csv " + quoted(file), "pulsecalc: option --csv given twice"},
        {"--csv", "pulsecalc: option --csv needs a value"},
        {"--csv - </dev/null",
         "pulsecalc: the CSV input has no header row: expected type,initial,drive,accel,decel[,multiplier[,pulses]]"},
    };
    for (const auto& c : cases) {
        const RunResult result = run("", c.arguments);
        EXPECT_EQ(result.status, 2) << c.arguments;
        EXPECT_EQ(result.err, c.err + hint) << c.arguments;
        EXPECT_EQ(result.out, "") << c.arguments;
    }
}

} // namespace
} // namespace veldronix::cli
