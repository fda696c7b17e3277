// pulsecalc with an axis and with a machine file of three axes.
#include "cli/program.h"
#include "fuzz/memory_sink.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

struct PulsecalcRun {
    int status = -1;
    std::string out;
    std::string err;
};

PulsecalcRun run(std::vector<std::string_view> arguments)
{
    veldronix::fuzz::MemorySink out;
    veldronix::fuzz::MemorySink err;
    PulsecalcRun result;
    result.status = veldronix::cli::runCommandLine(arguments, out.stream(), err.stream());
    result.out = out.close();
    result.err = err.close();
    return result;
}

bool contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

TEST(MachineRun, leadScrewInUnitsGivesThePpsFieldsAndTheRealDriveInUnits)
{
    const PulsecalcRun r = run({"--type", "0", "--initial", "1", "--drive", "50", "--accel", "0.5", "--pulses", "100",
                       "--in-units", "--pulses-per-rev", "3200", "--travel-per-rev", "5", "--axis", "X", "--json"});
    ASSERT_EQ(r.status, 1) << r.err; // no deceleration point for a symmetric type, as without an axis
    EXPECT_TRUE(contains(r.out, R"("fields":{"initialSpeed":"640","driveSpeed":"32000","accelTime":"0.5","decelTime":"","pulses":"64000"})"));
    EXPECT_TRUE(contains(r.out, R"("axis":{"name":"X","pulsesPerRev":3200,"gear":1,"travelPerRev":5,"unit":"mm","pulsesPerUnit":640})"));
    // (50 - 1) mm/s in 0.5 s: 98 mm/s²; the rounded A gives 97.656.
    EXPECT_TRUE(contains(r.out, R"("inUnits":{"initialSpeed":{"requested":1.000,"real":1.000,"rpm":12.000},"driveSpeed":{"requested":50.000,"real":50.000,"rpm":600.000},"accelRate":{"requested":98.000,"real":97.656},"distance":100.000})"));
    // The plot of the axis's drive, in PPS: 100 mm are 64000 pulses.
    const PulsecalcRun svg = run({"--type", "0", "--initial", "1", "--drive", "50", "--accel", "0.5", "--pulses", "100",
                                  "--in-units", "--pulses-per-rev", "3200", "--travel-per-rev", "5", "--svg", "-"});
    EXPECT_TRUE(svg.out.starts_with("<?xml") && contains(svg.out, "64000")) << svg.err;
}

TEST(MachineRun, threeAxesSaveOpenAndPrintOneBlockEach)
{
    veldronix::testing_support::TempDir dir;
    const std::string file = dir.file("mill.veldronix.json");
    for (const char* name : {"X", "Y", "Z"}) {
        const PulsecalcRun saved = run({"--axis", name, "--type", "3", "--initial", "1", "--drive", "90", "--accel", "0.2",
                               "--decel", "0.3", "--in-units", "--pulses-per-rev", "3200", "--gear", "3", "--unit",
                               "deg", "--save-machine", file});
        ASSERT_EQ(saved.status, 0) << saved.err;
    }
    const std::string written = veldronix::testing_support::readWhole(file);
    EXPECT_EQ(run({"--machine", file, "--save-machine", file}).status, 0);
    EXPECT_EQ(veldronix::testing_support::readWhole(file), written);

    const PulsecalcRun c = run({"--machine", file, "--registers", "c"});
    ASSERT_EQ(c.status, 0) << c.err;
    EXPECT_TRUE(contains(c.out, "#define X_V ") && contains(c.out, "#define Y_V ") && contains(c.out, "#define Z_V "));
    EXPECT_FALSE(contains(c.out, "DRIVE_"));
    const PulsecalcRun json = run({"--machine", file, "--json", "--drive", "2400"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.front(), '[');
    EXPECT_TRUE(contains(json.out, R"("driveSpeed":{"requested":90.000,"real":90.000,"rpm":45.000})"));
    const PulsecalcRun one = run({"--machine", file, "--axis", "Y"});
    EXPECT_TRUE(contains(one.out, "axis Y: 26.666667 pulses/° (3200 pulses/rev, gear 3, 360 °/rev)"));
}

TEST(MachineRun, badFilesAndOptionsWriteNothingOnStandardOutput)
{
    veldronix::testing_support::TempDir dir;
    const std::string bad = dir.write("bad.veldronix.json", "{\"format\": \"veldronix-machine\",\n \"version\": 2}");
    const std::string kept = dir.write("kept.veldronix.json", "not json");
    // Named here: the cases hold views of them.
    const std::string fresh = dir.file("new.json");
    const std::string plot = dir.file("plot.svg");
    const struct {
        std::vector<std::string_view> arguments;
        std::string err;
    } cases[] = {
        {{"--machine", bad}, "pulsecalc: machine file '" + bad +
                                 "', line 2: version: version 2, newer than the version 1 this program reads\n"},
        {{"--machine", bad, "--axis", "X"}, ""},
        {{"--axis", "X", "--drive", "1", "--save-machine", kept},
         "pulsecalc: machine file '" + kept + "', line 1: not JSON\n"},
        {{"--drive", "1", "--save-machine", fresh},
         "pulsecalc: --save-machine needs the axis's name: give --axis NAME\n"},
        {{"--pulses-per-rev", "0", "--travel-per-rev", "5"}, "pulsecalc: bad --pulses-per-rev '0': must be above 0\n"},
        {{"--pulses-per-rev", "3200", "--unit", "deg", "--travel-per-rev", "180"},
         "pulsecalc: bad --travel-per-rev '180': a rotary axis turns 360° per load revolution\n"},
        {{"--machine", bad, "--svg", plot},
         "pulsecalc: --svg plots one axis of a machine file: give --axis NAME\ntry 'pulsecalc --help' for the options\n"},
        {{"--axis", "X\xff", "--drive", "1"}, "pulsecalc: --axis takes a name in UTF-8\ntry 'pulsecalc --help' for the options\n"},
        // Each axis value is an option once, whichever it is.
        {{"--unit", "mm", "--unit", "deg"}, "pulsecalc: option --unit given twice\ntry 'pulsecalc --help' for the options\n"},
        {{"--gear=2", "--gear", "2"}, "pulsecalc: option --gear given twice\ntry 'pulsecalc --help' for the options\n"},
        {{"--unit", "inch"}, "pulsecalc: bad --unit 'inch': give mm or deg\ntry 'pulsecalc --help' for the options\n"},
        {{"--pulses-per-rev", "3200", "--travel-per-rev", "5", "--gear", "x"}, "pulsecalc: bad --gear 'x': not a number\n"},
        {{"--csv", "-", "--gear", "2"},
         "pulsecalc: --csv takes the drives from its file: give no other option\ntry 'pulsecalc --help' for the options\n"},
        {{"--in-units", "--drive", "50"},
         "pulsecalc: --in-units needs the axis's mechanics: --pulses-per-rev and --travel-per-rev (or --unit deg), or "
         "--machine\n"},
        {{"--in-units", "--pulses-per-rev", "3200", "--unit", "deg", "--drive", "fast"},
         "pulsecalc: --in-units reads --drive 'fast' as a number in the axis's units: it is none\n"},
    };
    for (const auto& c : cases) {
        const PulsecalcRun r = run(c.arguments);
        EXPECT_EQ(r.status, 2) << c.err;
        EXPECT_EQ(r.out, "") << c.err;
        if (!c.err.empty()) {
            EXPECT_EQ(r.err, c.err);
        }
    }
    EXPECT_EQ(veldronix::testing_support::readWhole(kept), "not json");
}

// Each axis designed from its own drive type, initial speed, ramps and pulse
// count to end within --time; the latest end and the spread of the ends after.
TEST(MachineRun, everyAxisDesignedToEndWithinTheTime)
{
    veldronix::testing_support::TempDir dir;
    const std::string file = dir.file("mill.veldronix.json");
    for (const std::vector<std::string_view>& axis :
         {std::vector<std::string_view>{"--axis", "X", "--type", "0", "--initial", "640", "--accel", "0.2", "--pulses", "64000"},
          {"--axis", "Y", "--type", "2", "--initial", "100", "--accel", "0.2", "--decel", "0.3", "--pulses", "5000"},
          {"--axis", "Z", "--type", "1", "--initial", "500", "--accel", "0.3"}}) {
        std::vector<std::string_view> saving = axis;
        saving.insert(saving.end(), {"--drive", "1000", "--save-machine", file});
        ASSERT_NE(run(saving).status, 2);
    }
    // Z has no pulse count: the command line gives it to every axis, in place of X's and Y's.
    const PulsecalcRun plain = run({"--machine", file, "--design", "time", "--time", "2.5", "--pulses", "30000"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_TRUE(plain.out.starts_with("axis X\nMove that ends on time: met\n")) << plain.out;
    EXPECT_TRUE(contains(plain.out, "\n\naxis Y\n") && contains(plain.out, "\n\naxis Z\n"));
    EXPECT_TRUE(contains(plain.out, "\nmachine: the latest end 2.5 s (axis X), the spread of the ends ")) << plain.out;

    // Each axis's own pulse count; one that cannot end in time is named on err.
    const PulsecalcRun json = run({"--machine", file, "--axis=X", "--design", "time", "--time", "0.3", "--json"});
    ASSERT_EQ(json.status, 1) << json.err;
    EXPECT_TRUE(json.out.starts_with(R"({"axes":[{"name":"X","design":{"question":"time","met":false,)")) << json.out;
    EXPECT_TRUE(contains(json.out, R"(,"endSpread":0}
)"));
    EXPECT_EQ(json.err, "pulsecalc: axis X: the design is not met: the target time is shorter than the ramps allow\n");

    // Z's missing pulse count is a usage error that names the axis, before anything is printed.
    const PulsecalcRun missing = run({"--machine", file, "--design", "time", "--time", "2.5"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_TRUE(missing.err.starts_with("pulsecalc: axis Z: --design time of drive type 1 needs --pulses\n")) << missing.err;
    EXPECT_EQ(run({"--machine", file, "--axis", "W", "--design", "time", "--time", "1"}).err,
              "pulsecalc: the machine file '" + file + "' has no axis 'W'\n");
}

} // namespace

TEST(MachineRun, aFieldTextThatIsNotUtf8ShowsItsMalformedBytesAsReplacements)
{
    const PulsecalcRun r = run({"--axis", "X", "--initial", "1\xff", "--drive", "10", "--accel", "1", "--json"});
    EXPECT_TRUE(contains(r.out, "\"fields\":{\"initialSpeed\":\"1\xef\xbf\xbd\",")) << r.out;
}

// "--machine=…" taken as --axis's value leaves the design without a machine file.
TEST(MachineRun, aMachineDesignWhoseFileIsAnotherOptionsValueIsAUsageError)
{
    const PulsecalcRun r = run({"--design", "time", "--axis", "--machine=mill.json", "--time", "1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "pulsecalc: option --machine needs a value\ntry 'pulsecalc --help' for the options\n");
}

// --compare with an axis: each speed also in units/s and motor rpm, each jerk in units/s³, in the
// table and as each row's "inUnits"; without mechanics the comparison is the one in PPS.
TEST(MachineRun, theComparisonGivesItsSpeedsAndJerksInTheAxissUnits)
{
    struct Case {
        std::vector<std::string_view> arguments;
        std::vector<std::string_view> plain; // lines or parts of lines of the plain output
        std::vector<std::string_view> json;
        std::size_t inUnits; // objects "inUnits" with figures: the rows' and the run's own
    };
    // 200 steps × 16 microsteps, 5 mm/rev: 640 pulses/mm, 640 and 32000 PPS are 1 and 50 mm/s, 12 and 600 rpm.
    const std::vector<std::string_view> worked = {"--type", "0", "--initial", "640", "--drive", "32000", "--accel",
                                                  "0.1", "--pulses-per-rev", "3200", "--travel-per-rev", "5", "--compare"};
    // A rotary table behind a gear of 3: 3200 × 3 / 360 = 26.667 pulses/°; 237642.586 PPS/s² are 8911.597 °/s³.
    const std::vector<std::string_view> rotary = {"--type", "3", "--initial", "1", "--drive", "90", "--accel", "0.2",
                                                  "--decel", "0.3", "--in-units", "--pulses-per-rev", "3200", "--gear",
                                                  "3", "--unit", "deg", "--compare"};
    const auto json = [](std::vector<std::string_view> arguments) {
        arguments.push_back("--json");
        return arguments;
    };
    const std::vector<Case> cases{
        {worked,
         {"                     multiplier    speed step        R    A   SV     V   initial speed (PPS)  initial speed "
          "(mm/s)  initial speed (rpm)     drive speed (PPS)  drive speed (mm/s)  drive speed (rpm)         ramp time (s)"
          "  largest deviation  findings\n"
          "in use, recommended  5(1,600,000)       5 PPS  1600000  502  128  6400    640.000 (0.0000 %)                "
          " 1.000               12.000  32000.000 (0.0000 %)              50.000            600.000  0.099952 (-0.0478 %)"
          "           0.0478 %  none\n",
          "650.000 (+1.5625 %)                 1.016               12.188  32000.000 (0.0000 %)"},
         {},
         0},
        {json(worked),
         {},
         {R"("index":2,"multiplier":5,)",
          R"("findings":[],"inUnits":{"initialSpeed":{"requested":1.000,"real":1.000,"rpm":12.000},)"
          R"("driveSpeed":{"requested":50.000,"real":50.000,"rpm":600.000}}},{"index":3,)",
          R"("inUnits":{"initialSpeed":{"requested":1.000,"real":1.016,"rpm":12.188},)"},
         8},
        {rotary,
         {"initial speed (°/s)  initial speed (rpm)", "acceleration jerk (PPS/s²)  acceleration jerk (°/s³)",
          "deceleration jerk (PPS/s²)  deceleration jerk (°/s³)  largest deviation",
          "  0.199856 (-0.0721 %)   0.300100 (+0.0334 %)      237642.586 (+0.1303 %)                  8911.597      "
          "105396.290 (-0.0808 %)                  3952.361           1.2500 %  none\n",
          // Where a register has a finding the real speed is none, in PPS and in the axis's units.
          "none                 none                 none"},
         {},
         0},
        {json(rotary),
         {},
         {R"("accelJerk":{"requested":8900.000,"real":8911.597},"decelJerk":{"requested":3955.556,"real":3952.361}}},)",
          R"("inUnits":{"initialSpeed":{"requested":1.000,"real":null,"rpm":null},)"},
         10},
        // An axis without mechanics, and no axis: PPS only.
        {{"--type", "0", "--initial", "640", "--drive", "32000", "--accel", "0.1", "--axis", "X", "--compare"},
         {"initial speed (PPS)     drive speed (PPS)         ramp time (s)"},
         {},
         0},
        {{"--type", "0", "--initial", "640", "--drive", "32000", "--accel", "0.1", "--axis", "X", "--compare", "--json"},
         {},
         {R"("findings":[]}]},"fields":)", R"("inUnits":null)"},
         0},
        {{"--type", "0", "--initial", "640", "--drive", "32000", "--accel", "0.1", "--compare", "--json"},
         {},
         {R"("findings":[]}]}}
)"},
         0},
    };
    for (const Case& c : cases) {
        const PulsecalcRun r = run(c.arguments);
        const std::string shown = std::string(c.arguments[1]) + " " + std::string(c.arguments.back());
        ASSERT_EQ(r.status, 0) << shown << r.err;
        for (const std::string_view part : c.plain) {
            EXPECT_TRUE(contains(r.out, part)) << shown << "\n" << part << "\n" << r.out;
        }
        for (const std::string_view part : c.json) {
            EXPECT_TRUE(contains(r.out, part)) << shown << "\n" << part << "\n" << r.out;
        }
        std::size_t rows = 0;
        for (std::size_t at = r.out.find(R"("inUnits":{"initialSpeed")"); at != std::string::npos;
             at = r.out.find(R"("inUnits":{"initialSpeed")", at + 1)) {
            ++rows;
        }
        EXPECT_EQ(rows, c.inUnits) << shown;
    }
}
