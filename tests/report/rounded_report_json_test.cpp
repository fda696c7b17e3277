// pulsecalc --rounded --json end to end: the member "rounded" after the others,
// worked by hand (beside each case); JSON's null where a figure is unknown.
#include "rounded_output.h"

#include <gtest/gtest.h>

#include <string>

namespace veldronix::testing_support {

INSTANTIATE_TEST_SUITE_P(
    Json, RoundedOutput,
    testing::Values(
        // The asymmetric S-curve, M = 2: K = 126.263 -> 126, L = 284.091 -> 284; real jerks 125e6 / 126 and
        // 125e6 / 284, times 2 sqrt(9900 x 126 / 125e6) and 2 sqrt(9900 x 284 / 125e6). Over 10000 pulses the
        // requested deceleration of 10100 x 0.15 = 1515 pulses starts at 8485; the real one is
        // 10100 x sqrt(0.0224928) = 1514.758 pulses, so the drive is back at 100 PPS 0.242 pulses early.
        RoundedCase{"AsymmetricSCurveOverAPulseCount",
                    {"--json", "--type", "3", "--initial", "100", "--drive", "10000", "--accel", "0.2", "--decel",
                     "0.3", "--pulses", "10000"},
                    "\"rounded\":{\"multiplier\":2,"
                    "\"settings\":{\"R\":4000000,\"A\":8000,\"SV\":50,\"V\":5000,\"K\":126,\"AO\":0,\"D\":8000,\"L\":284},"
                    "\"real\":{"
                    "\"initialSpeed\":{\"requested\":100.000,\"real\":100.000,\"deviation\":0.0000},"
                    "\"driveSpeed\":{\"requested\":10000.000,\"real\":10000.000,\"deviation\":0.0000},"
                    "\"accelTime\":{\"requested\":0.200000,\"real\":0.199792,\"deviation\":-0.1041},"
                    "\"decelTime\":{\"requested\":0.300000,\"real\":0.299952,\"deviation\":-0.0160},"
                    "\"accelJerk\":{\"requested\":990000.000,\"real\":992063.492,\"deviation\":0.2084},"
                    "\"decelJerk\":{\"requested\":440000.000,\"real\":440140.845,\"deviation\":0.0320}},"
                    "\"findings\":[],"
                    "\"profile\":{\"status\":\"complete\",\"shape\":\"s-curve\",\"pulses\":10000.000,"
                    "\"initialSpeed\":100.000,\"driveSpeed\":10000.000,"
                    "\"accel\":{\"time\":0.199792,\"pulses\":1008.949},"
                    "\"constant\":{\"time\":0.747629,\"pulses\":7476.293},"
                    "\"decel\":{\"time\":0.299952,\"pulses\":1514.758},"
                    "\"totalTime\":1.247373,\"decelPoint\":8485.242},"
                    "\"requestedDecelPoint\":8485.000,\"earlyBy\":0.242}"},
        // 1e-320 s overflows the rates: A and D are infinite, SV is 0 / 500; JSON gets null, never inf.
        RoundedCase{"OverflowIsNullNotInf",
                    {"--json", "--type", "2", "--drive", "4000000", "--accel", "1e-320", "--decel", "1e-320",
                     "--multiplier", "8"},
                    "\"rounded\":{\"multiplier\":500,"
                    "\"settings\":{\"R\":16000,\"A\":null,\"SV\":0,\"V\":8000,\"D\":null},"
                    "\"real\":{"
                    "\"initialSpeed\":{\"requested\":0.000,\"real\":null,\"deviation\":null},"
                    "\"driveSpeed\":{\"requested\":4000000.000,\"real\":4000000.000,\"deviation\":0.0000},"
                    "\"accelTime\":{\"requested\":0.000000,\"real\":null,\"deviation\":null},"
                    "\"decelTime\":{\"requested\":0.000000,\"real\":null,\"deviation\":null}},"
                    "\"findings\":["
                    "{\"register\":\"A\",\"problem\":\"not-finite\",\"settingValue\":null,\"rounded\":null,"
                    "\"message\":\"A = inf (setting value inf): not a finite number, which no register holds\"},"
                    "{\"register\":\"SV\",\"problem\":\"zero\",\"settingValue\":0.000,\"rounded\":0,"
                    "\"message\":\"SV = 0 (setting value 0.000): an initial speed of 0 outputs no pulse, so the "
                    "drive cannot start\"},"
                    "{\"register\":\"D\",\"problem\":\"not-finite\",\"settingValue\":null,\"rounded\":null,"
                    "\"message\":\"D = inf (setting value inf): not a finite number, which no register holds\"}]}"},
        // An overflowing initial speed (-1e400 is -inf) passes the checks; every figure from it is unknown.
        RoundedCase{"InfiniteInitialSpeed",
                    {"--json", "--type", "0", "--initial", "-1e400", "--drive", "100", "--accel", "1"},
                    "\"rounded\":{\"multiplier\":1,"
                    "\"settings\":{\"R\":8000000,\"A\":null,\"SV\":null,\"V\":100},"
                    "\"real\":{"
                    "\"initialSpeed\":{\"requested\":null,\"real\":null,\"deviation\":null},"
                    "\"driveSpeed\":{\"requested\":100.000,\"real\":100.000,\"deviation\":0.0000},"
                    "\"accelTime\":{\"requested\":1.000000,\"real\":null,\"deviation\":null}},"
                    "\"findings\":["
                    "{\"register\":\"A\",\"problem\":\"not-finite\",\"settingValue\":null,\"rounded\":null,"
                    "\"message\":\"A = inf (setting value inf): not a finite number, which no register holds\"},"
                    "{\"register\":\"SV\",\"problem\":\"not-finite\",\"settingValue\":null,\"rounded\":null,"
                    "\"message\":\"SV = -inf (setting value -inf): not a finite number, which no register holds\"}]}"},
        RoundedCase{"NothingCalculated", {"--json", "--drive", "5000000", "--accel", "1"}, "\"rounded\":null"}),
    roundedCaseName);

// A finding is a warning about the machine's drive, not a failed calculation.
TEST(RoundedReport, FindingsLeaveTheExitStatusAlone)
{
    const ProgramRun run = runPulsecalc({"--rounded", "--type", "0", "--initial", "0.4", "--drive", "1000", "--accel", "1"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("  SV = 0 (setting value 0.400): "), std::string::npos);
}

} // namespace veldronix::testing_support
