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
                                      "end among the first 1447501 tried.\n\n  multiplier"))
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

namespace {

// The lead screw of 640 pulses per mm given on the command line: --in-units
// reads the limits in mm/s, mm/s², mm/s³ and the distance in mm into the
// design of their PPS equivalents; the output gives each speed, rate, jerk and
// the pulse count in both, "design" itself as in pulses. The rotary table of
// gear 3 reads °/s. The axis's own mistakes are usage errors.
TEST(DesignCommandLine, limitsInTheAxisUnitsGiveTheDesignOfTheirPulses)
{
    const std::vector<std::string_view> screw = {"--pulses-per-rev", "3200", "--travel-per-rev=5"};
    struct Case {
        std::vector<std::string_view> inPulses;
        std::vector<std::string_view> inUnits; // with --in-units and the axis
        std::vector<std::string_view> axis;
        std::vector<std::string_view> lines;   // of the plain output in units
    };
    const std::vector<Case> cases = {
        {{"--type", "0", "--initial", "640", "--pulses", "64000", "--max-speed", "32000", "--max-accel", "320000"},
         {"--type", "0", "--initial", "1", "--pulses", "100", "--max-speed", "50", "--max-accel", "500"},
         screw,
         {"  drive speed         32000 PPS, at most 32000; 50.000 mm/s, 600.000 rpm, at most 50.000\n",
          "  acceleration        320000 PPS/s, at most 320000; 500.000 mm/s2, at most 500.000\n",
          "  pulse count         64000; 100.000 mm\n"}},
        {{"--type", "3", "--initial", "640", "--pulses", "64000", "--max-speed", "32000", "--max-jerk", "3200000",
          "--max-decel-jerk", "1600000"},
         {"--type", "3", "--initial", "1", "--pulses", "100", "--max-speed", "50", "--max-jerk", "5000",
          "--max-decel-jerk", "2500"},
         screw,
         {"mm/s3, at most 5000.000\n", "mm/s3, at most 2500.000\n"}},
        {{"--type", "0", "--initial", "96", "--pulses", "9600", "--max-speed", "9600", "--max-accel", "96000"},
         {"--type", "0", "--initial", "3.6", "--pulses", "360", "--max-speed", "360", "--max-accel", "3600"},
         {"--pulses-per-rev", "3200", "--gear", "3", "--unit", "deg"},
         {"; 360.000 °/s, 180.000 rpm, at most 360.000\n", "  pulse count         9600; 360.000 °\n"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string_view> pulses = {"--design", "fastest"};
        pulses.insert(pulses.end(), c.inPulses.begin(), c.inPulses.end());
        std::vector<std::string_view> units = {"--design", "fastest", "--in-units"};
        units.insert(units.end(), c.inUnits.begin(), c.inUnits.end());
        units.insert(units.end(), c.axis.begin(), c.axis.end());
        std::vector<std::string_view> pulsesWithAxis = pulses;
        pulsesWithAxis.insert(pulsesWithAxis.end(), c.axis.begin(), c.axis.end());

        const DesignRun plain = run(pulses);
        const DesignRun inUnits = run(units);
        ASSERT_EQ(inUnits.status, 0) << inUnits.err;
        // The same figures in pulses, whichever unit they were given in.
        EXPECT_EQ(inUnits.out, run(pulsesWithAxis).out);
        for (const std::string_view line : c.lines) {
            EXPECT_NE(inUnits.out.find(line), std::string::npos) << line << "\n" << inUnits.out;
        }
        EXPECT_EQ(plain.out.find(" mm"), std::string::npos);

        pulses.push_back("--json");
        units.push_back("--json");
        const std::string json = run(pulses).out;
        const std::string withUnits = run(units).out;
        // {"design":{...}} in pulses, then "inUnits" beside it.
        ASSERT_EQ(withUnits.compare(0, json.size() - 2, json, 0, json.size() - 2), 0) << withUnits;
        EXPECT_EQ(withUnits.compare(json.size() - 2, 11, ",\"inUnits\":"), 0) << withUnits;
    }

    struct Refused {
        std::vector<std::string_view> arguments;
        std::string_view message;
    };
    const std::vector<Refused> refused = {
        {{"--design", "fastest", "--type", "0", "--initial", "1", "--in-units"},
         "--in-units needs the axis's mechanics: --pulses-per-rev and --travel-per-rev (or --unit deg), or --machine"},
        {{"--design", "fastest", "--type", "0", "--initial", "fast", "--in-units", "--pulses-per-rev", "3200",
          "--travel-per-rev", "5"},
         "--in-units reads --initial 'fast' as a number in the axis's units: it is none"},
        {{"--design", "fastest", "--type", "0", "--pulses-per-rev", "0", "--travel-per-rev", "5"},
         "bad --pulses-per-rev '0': must be above 0"},
        {{"--design", "fastest", "--type", "0", "--pulses-per-rev", "3200", "--travel-per-rev", "1e300"},
         "bad --travel-per-rev '1e300': must be from 0.000001 to 1000000000"},
        {{"--design", "fastest", "--unit", "inch"}, "bad --unit 'inch': give mm or deg"},
        {{"--design", "fastest", "--gear", "2", "--gear=3"}, "option --gear given twice"},
        {{"--design", "fastest", "--in-units=yes"}, "option --in-units takes no value"},
    };
    for (const Refused& r : refused) {
        const DesignRun result = run(r.arguments);
        EXPECT_EQ(result.status, 2) << r.message;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "pulsecalc: " + std::string(r.message) + std::string(hint));
    }
}

} // namespace
