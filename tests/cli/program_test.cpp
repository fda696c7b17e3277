// pulsecalc's body writes only to the streams it is given, as the options
// fuzzer relies on: usage errors and messages to the one, results to the other.
#include "cli/texts_en.h"
#include "cli/program.h"
#include "cli/usage.h"
#include "core/input_field.h"
#include "fuzz/memory_sink.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>

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
     "エラー: Calculate: パラメーターエラー。ドライブ速度が0です。 (parameter error: the drive speed is 0; an empty text "
     "or one that is no number counts as 0)\n"},
    {"missingCsv", {"--csv", "/nonexistent-folder-of-veldronix/in.csv"}, 2, "",
     "pulsecalc: cannot open CSV file '/nonexistent-folder-of-veldronix/in.csv': No such file or directory\n"
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
    const std::string usage = veldronix::cli::usage();
    EXPECT_EQ(run({"-h"}).out, usage);
    // Every input field and axis value has its paragraph, under its own option.
    for (const veldronix::InputFieldDescription& field : veldronix::inputRows) {
        EXPECT_NE(usage.find("\n  " + std::string(field.option) + " "), std::string::npos) << field.option;
    }
    // Every line fits an 80-column terminal (the text is ASCII: a byte is a column).
    std::string_view rest = usage;
    for (std::size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
        EXPECT_LE(end, 79u) << rest.substr(0, end);
        for (const char c : rest.substr(0, end)) {
            EXPECT_TRUE(c >= ' ' && c <= '~') << rest.substr(0, end);
        }
        rest.remove_prefix(end + 1);
    }
    EXPECT_TRUE(rest.empty());
    const ProgramRun bare = run({});
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.out, "");
    EXPECT_EQ(bare.err, usage);
}

// A stream on a disk that is full: every write fails with ENOSPC.
std::FILE* fullDisk()
{
    cookie_io_functions_t functions{};
    functions.write = [](void*, const char*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    return fopencookie(nullptr, "w", functions);
}

// A stream that takes nothing (a full disk) is one line on standard error and
// exit 2, for every kind of output: the plain and JSON result, help, the version.
TEST(RunCommandLine, standardOutputThatFailsIsExitTwo)
{
    const std::vector<std::vector<std::string_view>> commandLines = {
        {"--drive", "10000", "--accel", "0.2"},
        {"--drive", "10000", "--accel", "0.2", "--json"},
        {"--drive", "0", "--json"},
        {"--help"},
        {"--version"},
        {"--type", "3", "--drive", "10000", "--accel", "0.2", "--decel", "0.3", "--pulses", "10000", "--svg", "-"},
    };
    for (const auto& arguments : commandLines) {
        SCOPED_TRACE(arguments.front());
        std::FILE* full = fullDisk();
        ASSERT_NE(full, nullptr);
        veldronix::fuzz::MemorySink err;
        const int status = veldronix::cli::runCommandLine(arguments, full, err.stream());
        std::fclose(full);
        const std::string text(err.close());
        EXPECT_EQ(status, 2);
        EXPECT_TRUE(text.ends_with("pulsecalc: cannot write the standard output: No space left on device\n")) << text;
        EXPECT_EQ(text.find("standard output"), text.rfind("standard output")) << "one line only";
    }
}

} // namespace
