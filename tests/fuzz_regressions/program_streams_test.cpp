// pulsecalc's body writes only to the streams it is given, as the options
// fuzzer relies on: usage errors and messages to the one, results to the other.
#include "cli/cli_texts.h"
#include "cli/program.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

ProgramRun run(std::vector<std::string_view> arguments)
{
    char* outData = nullptr;
    char* errData = nullptr;
    std::size_t outSize = 0;
    std::size_t errSize = 0;
    std::FILE* out = open_memstream(&outData, &outSize);
    std::FILE* err = open_memstream(&errData, &errSize);
    ProgramRun result;
    result.status = veldronix::cli::runCommandLine(arguments, out, err);
    std::fclose(out);
    std::fclose(err);
    result.out.assign(outData, outSize);
    result.err.assign(errData, errSize);
    std::free(outData);
    std::free(errData);
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

TEST(ProgramStreams, eachTextGoesToItsOwnStream)
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

TEST(ProgramStreams, helpIsTheUsageTextExactly)
{
    EXPECT_EQ(run({"-h"}).out, veldronix::cli::texts::usage);
}

} // namespace
