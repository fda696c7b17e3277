// pulsecalc --design: its command line, its outputs and exit statuses.
#include "cli/program.h"
#include "fuzz/memory_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

struct DesignRun {
    int status = -1;
    std::string out;
    std::string err;
};

DesignRun run(std::vector<std::string_view> arguments)
{
    veldronix::fuzz::MemorySink out;
    veldronix::fuzz::MemorySink err;
    DesignRun result;
    result.status = veldronix::cli::runCommandLine(arguments, out.stream(), err.stream());
    result.out = out.close();
    result.err = err.close();
    return result;
}

constexpr std::string_view hint = "\ntry 'pulsecalc --help' for the options\n";

// The checks in the order they are made: each option as it is read, then the
// question, the type, and the options of the table in its order.
TEST(DesignCommandLine, usageErrorsSayWhatIsWrong)
{
    struct Case {
        std::vector<std::string_view> arguments;
        std::string_view message;
    };
    const std::vector<Case> cases = {
        {{"--design"}, "option --design needs a value"},
        {{"--design", "slowest", "--type", "0"}, "bad --design 'slowest': give fastest or time"},
        {{"--design=fastest", "--design", "time"}, "option --design given twice"},
        {{"--design", "time", "--drive", "5"}, "unknown option '--drive' for --design"},
        {{"--design", "time", "--json=1"}, "option --json takes no value"},
        {{"--design", "time", "--time", "1s"}, "bad --time '1s': give a number"},
        {{"--design", "time", "--time", ""}, "bad --time '': give a number"},
        {{"--design", "time", "--time", "1", "--time=2"}, "option --time given twice"},
        {{"--design", "time", "--initial", "100"}, "--design needs --type: 0 to 3 or the type's name"},
        {{"--design", "time", "--type", "-1"}, "bad --type '-1' for --design: give 0 to 3, symmetric-trapezoid, "
                                               "symmetric-s-curve, asymmetric-trapezoid or asymmetric-s-curve"},
        {{"--design", "time", "--type", "0", "--pulses", "10", "--accel", "1", "--time", "1"},
         "--design time of drive type 0 needs --initial"},
        {{"--design", "time", "--type", "0", "--initial", "1", "--pulses", "10", "--max-speed", "5"},
         "--max-speed belongs to --design fastest, not to --design time"},
        {{"--design", "fastest", "--type", "0", "--initial", "1", "--pulses", "10", "--max-speed", "5", "--accel", "1"},
         "--accel belongs to --design time, not to --design fastest"},
        {{"--design", "fastest", "--type", "0", "--initial", "1", "--pulses", "10", "--max-speed", "5"},
         "--design fastest of drive type 0 needs --max-accel"},
        {{"--design", "fastest", "--type", "0", "--initial", "1", "--pulses", "10", "--max-speed", "5", "--max-accel",
          "9", "--max-decel", "9"},
         "--max-decel is no limit or time of drive type 0"},
        {{"--design", "fastest", "--type", "asymmetric-s-curve", "--initial", "1", "--pulses", "10", "--max-speed", "5",
          "--max-jerk", "9"},
         "--design fastest of drive type 3 needs --max-decel-jerk"},
        {{"--design", "time", "--type", "1", "--initial", "1", "--pulses", "10", "--accel", "1", "--decel", "1",
          "--time", "1"},
         "--decel is no limit or time of drive type 1"},
    };
    for (const Case& c : cases) {
        const DesignRun r = run(c.arguments);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "pulsecalc: " + std::string(c.message) + std::string(hint));
    }
}

// The worked example of the fastest trapezoid (its working is in the core's tests).
TEST(DesignCommandLine, plainOutputOfTheFastestMove)
{
    const DesignRun r = run({"--design", "fastest", "--type", "0", "--initial", "100", "--pulses", "10000",
                             "--max-speed", "20000", "--max-accel", "100000"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Fastest move within the limits: met\n"
                     "Decided by: the drive speed limit\n"
                     "\n"
                     "  multiplier          x5\n"
                     "  R                   1600000\n"
                     "  A                   160\n"
                     "  SV                  20\n"
                     "  V                   4000\n"
                     "\n"
                     "Real move\n"
                     "  initial speed       100 PPS, at most 100\n"
                     "  drive speed         20000 PPS, at most 20000\n"
                     "  acceleration        100000 PPS/s, at most 100000\n"
                     "  deceleration        100000 PPS/s, at most 100000\n"
                     "  accel time          0.199 s\n"
                     "  decel time          0.199 s\n"
                     "  constant speed      0.300005 s, 6000.1 pulses\n"
                     "  move time           0.698005 s\n"
                     "\n"
                     "Fields to type, then press Calculate\n"
                     "  initial speed       100\n"
                     "  drive speed         20000\n"
                     "  accel time          0.199\n"
                     "  pulse count         10000\n"
                     "  multiplier          x5 (Calculate chooses it)\n");
}

TEST(DesignCommandLine, jsonAndExitStatusOfBothOutcomes)
{
    const DesignRun met = run({"--design=time", "--type=0", "--initial=100", "--pulses=10000", "--accel=0.2",
                               "--time=1", "--json"});
    EXPECT_EQ(met.status, 0);
    EXPECT_EQ(met.err, "");
    EXPECT_EQ(met.out,
              "{\"design\":{\"question\":\"time\",\"met\":true,\"multiplier\":2,\"registers\":{\"R\":4000000,\"A\":249,"
              "\"SV\":20,\"V\":6245,\"K\":null,\"AO\":null,\"D\":null,\"L\":null},\"decelPoint\":null,"
              "\"decelPointExact\":null,\"real\":{\"initialSpeed\":40,\"driveSpeed\":12490,\"accelTime\":0.2,"
              "\"decelTime\":0.2,\"moveTime\":1,\"accelRate\":62250,\"decelRate\":62250,\"constantTime\":0.6,"
              "\"constantPulses\":7494},\"timeMargin\":0,\"binding\":\"onTime\",\"invalidInput\":null,"
              "\"reason\":\"the move ends no later than the target time\",\"fields\":{\"initialSpeed\":\"40\","
              "\"driveSpeed\":\"12490\",\"accelTime\":\"0.2\",\"decelTime\":\"\",\"pulseCount\":\"10000\","
              "\"multiplier\":\"x2\",\"recalculate\":false}}}\n");
    // A number the design cannot use is its answer, not a usage error: exit 1, the reason on standard error.
    const DesignRun invalid = run({"--design", "fastest", "--type", "0", "--initial", "100", "--pulses", "1e300",
                                   "--max-speed", "nan", "--max-accel", "1e999", "--json"});
    EXPECT_EQ(invalid.status, 1);
    EXPECT_EQ(invalid.out,
              "{\"design\":{\"question\":\"fastest\",\"met\":false,\"multiplier\":null,\"registers\":null,"
              "\"decelPoint\":null,\"decelPointExact\":null,\"real\":null,\"timeMargin\":null,"
              "\"binding\":\"invalidInput\",\"invalidInput\":\"maxSpeed\",\"reason\":\"the drive speed limit "
              "(--max-speed) is no usable number\",\"fields\":null}}\n");
    EXPECT_EQ(invalid.err, "pulsecalc: the design is not met: the drive speed limit (--max-speed) is no usable number\n");
    const DesignRun missed = run({"--design", "time", "--type", "0", "--initial", "100", "--pulses", "10000",
                                  "--accel", "0.2", "--time", "0.2"});
    EXPECT_EQ(missed.status, 1);
    EXPECT_TRUE(missed.out.starts_with("Move that ends on time: not met\n"
                                       "Not met: the target time is shorter than the ramps allow\n\n"
                                       "The settings that end earliest:\n"))
        << missed.out;
    EXPECT_EQ(missed.err, "pulsecalc: the design is not met: the target time is shorter than the ramps allow\n");
}

// Ramps of tens of seconds hold millions of registers within 1 %: the search
// stops at its bound, the plain output says so under the reason, the JSON adds
// "searchCut" (no other design's JSON has it), and a design on time exits 0.
TEST(DesignCommandLine, aSearchCutAtItsBoundIsSaid)
{
    const std::vector<std::string_view> question = {"--design", "time", "--type", "3", "--initial", "100", "--pulses",
                                                    "100000", "--accel", "25.6", "--decel", "31.2", "--time", "409.6"};
    const DesignRun plain = run(question);
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.err, "");
    EXPECT_TRUE(plain.out.starts_with("Move that ends on time: met\n"
                                      "Decided by: the move ends no later than the target time\n"
                                      "The ramp windows hold too many settings to try them all: this is the latest "
                                      "end among the first 133335 tried.\n\n  multiplier"))
        << plain.out;
    std::vector<std::string_view> json = question;
    json.push_back("--json");
    const DesignRun cut = run(json);
    EXPECT_EQ(cut.status, 0);
    EXPECT_NE(cut.out.find("\"reason\":\"the move ends no later than the target time\",\"searchCut\":true,\"fields\":{"),
              std::string::npos)
        << cut.out;
}

} // namespace
