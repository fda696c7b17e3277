// pulsecalc's body writes only to the streams it is given, as the options
// fuzzer relies on: usage errors and messages to the one, results to the other.
#include "cli/cli_texts.h"
#include "cli/program.h"
#include "fuzz/memory_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs pulsecalc's body in this process, its streams kept in memory.
ProgramRun run(std::vector<std::string_view> arguments)
{
    veldronix::fuzz::MemorySink out;
    veldronix::fuzz::MemorySink err;
    ProgramRun result;
    result.status = veldronix::cli::runCommandLine(arguments, out.stream(), err.stream());
    result.out = out.close();
    result.err = err.close();
    return result;
}

struct StreamCase {
    std::string_view name;
    std::vector<std::string_view> arguments;
    int status;
    std::string_view outStart; // the start of standard output
    std::string_view err;      // standard error exactly
};

const StreamCase streamCases[] = {
    {"unknownOption", {"--colour"}, 2, "",
     "pulsecalc: unknown option '--colour'\ntry 'pulsecalc --help' for the options\n"},
    {"flagWithValue", {"--json=yes"}, 2, "", "pulsecalc: option --json takes no value\ntry 'pulsecalc --help' for the options\n"},
    {"csvWithDriveOption", {"--csv", "x.csv", "--json"}, 2, "",
     "pulsecalc: --csv takes the drives from its file: give no other option\ntry 'pulsecalc --help' for the options\n"},
    {"help", {"--json", "--help"}, 0, "usage: pulsecalc --type T", ""},
    {"drive", {"--type", "0", "--initial", "1000", "--drive", "10000", "--accel", "0.2"}, 0,
     "初速度:1000で、ドライブ速度:10000までを0.200秒で直線加速/減速する場合の設定値は", ""},
    {"driveWithMessage", {"--type", "0", "--drive", "0", "--json"}, 1, "{\"summary\":\"\"",
     "エラー: パラメーターエラー。ドライブ速度が0です。\n"},
    {"missingCsv", {"--csv", "/nonexistent-folder-of-veldronix/in.csv"}, 2, "",
     "pulsecalc: cannot open CSV file '/nonexistent-folder-of-veldronix/in.csv'\n"
     "try 'pulsecalc --help' for the options\n"},
};

TEST(RunCommandLine, eachTextGoesToItsOwnStream)
{
    for (const StreamCase& c : streamCases) {
        SCOPED_TRACE(c.name);
        const ProgramRun result = run(c.arguments);
        EXPECT_EQ(result.status, c.status);
        EXPECT_TRUE(result.out.starts_with(c.outStart)) << result.out;
        EXPECT_EQ(result.err, c.err);
        if (c.outStart.empty()) {
            EXPECT_EQ(result.out, "");
        }
    }
}

TEST(RunCommandLine, helpIsTheUsageTextExactly)
{
    EXPECT_EQ(run({"-h"}).out, veldronix::cli::texts::usage);
}

} // namespace
