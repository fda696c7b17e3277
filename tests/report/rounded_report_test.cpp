// pulsecalc --rounded end to end, as plain text: the figures are worked by hand (beside each
// case); the rest of the output must be exactly what the program prints without
// the option, with the same messages and exit status.
#include "rounded_output.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veldronix::testing_support {

TEST_P(RoundedOutput, AddsItsPartAndChangesNothingElse)
{
    const RoundedCase& c = GetParam();
    const ProgramRun without = runPulsecalc(c.arguments);
    std::vector<std::string> arguments = c.arguments;
    arguments.push_back("--rounded");
    const ProgramRun with = runPulsecalc(arguments);
    EXPECT_EQ(with.status, without.status);
    EXPECT_EQ(with.err, without.err);
    const bool json = c.arguments.front() == "--json";
    if (json) {
        ASSERT_GE(without.out.size(), 2u);
        EXPECT_EQ(with.out, without.out.substr(0, without.out.size() - 2) + "," + c.added + "}\n");
    } else {
        EXPECT_EQ(with.out, without.out + c.added);
    }
}

const std::string tiesSection = "\n"
                                "Rounded settings, multiplier 2\n"
                                "R   4000000\n"
                                "A   130\n"
                                "SV  167\n"
                                "V   6173\n"
                                "\n"
                                "Real drive of the rounded settings\n"
                                "initial speed      requested 333.000 PPS, real 334.000 PPS, deviation +0.3003 %\n"
                                "drive speed        requested 12345.000 PPS, real 12346.000 PPS, deviation +0.0081 %\n"
                                "acceleration time  requested 0.370000 s, real 0.369600 s, deviation -0.1081 %\n"
                                "\n"
                                "Findings: none\n";

// 100 -> 10000 PPS in 0.2 s at M = 2: A = 9900 / 0.2 x 0.008 / 2 = 198, SV 50 and V 5000, all whole:
// the real drive is the requested one.
const std::string wholeSection = "\n"
                                 "Rounded settings, multiplier 2\n"
                                 "R   4000000\n"
                                 "A   198\n"
                                 "SV  50\n"
                                 "V   5000\n"
                                 "\n"
                                 "Real drive of the rounded settings\n"
                                 "initial speed      requested 100.000 PPS, real 100.000 PPS, deviation 0.0000 %\n"
                                 "drive speed        requested 10000.000 PPS, real 10000.000 PPS, deviation 0.0000 %\n"
                                 "acceleration time  requested 0.200000 s, real 0.200000 s, deviation 0.0000 %\n"
                                 "\n"
                                 "Findings: none\n";

INSTANTIATE_TEST_SUITE_P(
    Plain, RoundedOutput,
    testing::Values(
        // M = 2: SV 166.5 and V 6172.5 are ties and go up (334 and 12346 PPS, +1/333 and +1/12345);
        // A = 12012 / 0.37 x 0.008 / 2 = 129.859 -> 130, 12012 / (130 x 125 x 2) = 0.3696 s (-0.04 / 0.37).
        RoundedCase{"TrapezoidWithTies", {"--type", "0", "--initial", "333", "--drive", "12345", "--accel", "0.37"},
                    tiesSection},
        // The same over 20000 pulses: each real ramp is (334 + 12346) / 2 x 0.3696 = 2343.264 pulses, the
        // constant phase 20000 - 2 x 2343.264 = 15313.472 pulses at 12346 PPS = 1.240359 s. The requested
        // ramps are (333 + 12345) / 2 x 0.37 = 2345.43, so the requested point 17654.57 plus the real
        // 2343.264 pulses of deceleration end 2.166 pulses before the 20000th.
        RoundedCase{"TrapezoidOverAPulseCount",
                    {"--type", "0", "--initial", "333", "--drive", "12345", "--accel", "0.37", "--pulses", "20000"},
                    tiesSection + "\n"
                                  "Real drive of the rounded settings over the pulse count\n"
                                  "velocity profile: 20000 pulses, 334 PPS to 12346 PPS and back, linear ramps\n"
                                  "phase               time (s)     pulses\n"
                                  "acceleration        0.369600   2343.264\n"
                                  "constant speed      1.240359  15313.472\n"
                                  "deceleration        0.369600   2343.264\n"
                                  "total move          1.979559  20000.000\n"
                                  "deceleration point            17656.736\n"
                                  "The requested drive's deceleration point 17654.570 brings the rounded drive back "
                                  "to the initial speed 2.166 pulses before the end; it outputs them at the initial "
                                  "speed.\n"},
        // 50 -> 7000 PPS, M = 1: D = 6950 / 0.7 x 0.008 = 79.43 -> 79, a real deceleration of
        // 6950 / 9875 = 0.703797 s and (50 + 7000) / 2 x 0.703797 = 2480.886 pulses against the
        // requested 3525 x 0.7 = 2467.5: from the requested point the count ends 13.386 pulses early.
        // A = 6950 / 0.3 x 0.008 = 185.33 -> 185: 6950 / 23125 = 0.300541 s, 1059.405 pulses.
        RoundedCase{"AsymmetricTrapezoidEndsBeforeTheInitialSpeed",
                    {"--type", "2", "--initial", "50", "--drive", "7000", "--accel", "0.3", "--decel", "0.7",
                     "--pulses", "10000"},
                    "\n"
                    "Rounded settings, multiplier 1\n"
                    "R   8000000\n"
                    "A   185\n"
                    "SV  50\n"
                    "V   7000\n"
                    "D   79\n"
                    "\n"
                    "Real drive of the rounded settings\n"
                    "initial speed      requested 50.000 PPS, real 50.000 PPS, deviation 0.0000 %\n"
                    "drive speed        requested 7000.000 PPS, real 7000.000 PPS, deviation 0.0000 %\n"
                    "acceleration time  requested 0.300000 s, real 0.300541 s, deviation +0.1802 %\n"
                    "deceleration time  requested 0.700000 s, real 0.703797 s, deviation +0.5425 %\n"
                    "\n"
                    "Findings: none\n"
                    "\n"
                    "Real drive of the rounded settings over the pulse count\n"
                    "velocity profile: 10000 pulses, 50 PPS to 7000 PPS and back, linear ramps\n"
                    "phase               time (s)     pulses\n"
                    "acceleration        0.300541   1059.405\n"
                    "constant speed      0.922816   6459.709\n"
                    "deceleration        0.703797   2480.886\n"
                    "total move          1.927154  10000.000\n"
                    "deceleration point             7519.114\n"
                    "The requested drive's deceleration point 7532.500 leaves the rounded drive 13.386 pulses "
                    "short of its deceleration: the pulse count ends before it is back at the initial speed.\n"},
        // The larger multiplier 10 is the one used: A = 39.6 -> 40, 9900 / (40 x 125 x 10) = 0.198 s, -1 %.
        RoundedCase{"LargerMultiplier",
                    {"--type", "0", "--initial", "100", "--drive", "10000", "--accel", "0.2", "--multiplier", "3"},
                    "\n"
                    "Rounded settings, multiplier 10\n"
                    "R   800000\n"
                    "A   40\n"
                    "SV  10\n"
                    "V   1000\n"
                    "\n"
                    "Real drive of the rounded settings\n"
                    "initial speed      requested 100.000 PPS, real 100.000 PPS, deviation 0.0000 %\n"
                    "drive speed        requested 10000.000 PPS, real 10000.000 PPS, deviation 0.0000 %\n"
                    "acceleration time  requested 0.200000 s, real 0.198000 s, deviation -1.0000 %\n"
                    "\n"
                    "Findings: none\n"},
        // V = 5000.00005 -> 5000: the drive speed is 1e-6 % low, which prints as 0.0000, not -0.0000.
        RoundedCase{"TinyDeviationHasNoSign",
                    {"--type", "0", "--initial", "100", "--drive", "10000.0001", "--accel", "0.2"},
                    wholeSection},
        // A refused multiplier leaves the fields at Calculate's M = 2, where 198, 50 and 5000 are whole.
        RoundedCase{"RefusedMultiplierKeepsTheShownOne",
                    {"--type", "0", "--initial", "100", "--drive", "10000", "--accel", "0.2", "--multiplier", "0"},
                    wholeSection},
        // M = 1: SV 0.4 -> 0; J = 4 x 7999.6 / 1e-4 = 319984000, K = 62.5e6 / J = 0.195 -> 0.
        RoundedCase{"ValuesThatRoundToZero",
                    {"--type", "1", "--initial", "0.4", "--drive", "8000", "--accel", "0.01", "--pulses", "5000"},
                    "\n"
                    "Rounded settings, multiplier 1\n"
                    "R   8000000\n"
                    "A   8000\n"
                    "SV  0\n"
                    "V   8000\n"
                    "K   0\n"
                    "AO  0\n"
                    "\n"
                    "Real drive of the rounded settings\n"
                    "initial speed      requested 0.400 PPS, real: none (see the findings)\n"
                    "drive speed        requested 8000.000 PPS, real 8000.000 PPS, deviation 0.0000 %\n"
                    "acceleration time  requested 0.010000 s, real: none (see the findings)\n"
                    "acceleration jerk  requested 319984000.000 PPS/s², real: none (see the findings)\n"
                    "\n"
                    "Findings:\n"
                    "  SV = 0 (setting value 0.400): an initial speed of 0 outputs no pulse, so the drive cannot "
                    "start\n"
                    "  K = 0 (setting value 0.195): the acceleration jerk is 62500000 x multiplier / K, so a K of 0 "
                    "gives no acceleration\n"
                    "\n"
                    "Real drive of the rounded settings over the pulse count: none, see the findings\n"},
        // M = 1: A = 7999.5 / 1e-4 x 0.008 = 639960, far above what the register holds.
        RoundedCase{"AccelerationAboveTheMaximum",
                    {"--type", "0", "--initial", "0.5", "--drive", "8000", "--accel", "1e-4"},
                    "\n"
                    "Rounded settings, multiplier 1\n"
                    "R   8000000\n"
                    "A   639960\n"
                    "SV  1\n"
                    "V   8000\n"
                    "\n"
                    "Real drive of the rounded settings\n"
                    "initial speed      requested 0.500 PPS, real 1.000 PPS, deviation +100.0000 %\n"
                    "drive speed        requested 8000.000 PPS, real 8000.000 PPS, deviation 0.0000 %\n"
                    "acceleration time  requested 0.000100 s, real: none (see the findings)\n"
                    "\n"
                    "Findings:\n"
                    "  A = 639960 (setting value 639960.000): above the register's maximum of 8000\n"},
        // Equal speeds of an S-curve: K and L are infinite; the times cannot follow from them.
        RoundedCase{"InfiniteJerkSettings",
                    {"--type", "3", "--initial", "5", "--drive", "5", "--accel", "1", "--decel", "1"},
                    "\n"
                    "Rounded settings, multiplier 1\n"
                    "R   8000000\n"
                    "A   8000\n"
                    "SV  5\n"
                    "V   5\n"
                    "K   inf\n"
                    "AO  0\n"
                    "D   8000\n"
                    "L   inf\n"
                    "\n"
                    "Real drive of the rounded settings\n"
                    "initial speed      requested 5.000 PPS, real 5.000 PPS, deviation 0.0000 %\n"
                    "drive speed        requested 5.000 PPS, real 5.000 PPS, deviation 0.0000 %\n"
                    "acceleration time  requested 1.000000 s, real: none (see the findings)\n"
                    "deceleration time  requested 1.000000 s, real: none (see the findings)\n"
                    "acceleration jerk  requested 0.000 PPS/s², real: none (see the findings)\n"
                    "deceleration jerk  requested 0.000 PPS/s², real: none (see the findings)\n"
                    "\n"
                    "Findings:\n"
                    "  K = inf (setting value inf): not a finite number, which no register holds\n"
                    "  L = inf (setting value inf): not a finite number, which no register holds\n"},
        // 100 -> 10000 PPS, M = 2, 100 pulses: far too few for two ramps of 10100 / 2 x 0.2 = 1010 pulses.
        RoundedCase{"ShortMove",
                    {"--type", "0", "--initial", "100", "--drive", "10000", "--accel", "0.2", "--pulses", "100"},
                    wholeSection +
                    "\n"
                    "Real drive of the rounded settings over the pulse count\n"
                    "velocity profile: the move is too short: 100 pulses cannot reach 10000 PPS and return to "
                    "100 PPS, which takes 2020 pulses\n"},
        // 4688 pulses: the requested ramps need 2 x 6339 x 0.37 = 4690.86, the real ones 2 x 6340 x 0.3696
        // = 4686.528, leaving 1.472 pulses at 12346 PPS (0.000119 s) and a deceleration point of 2344.736.
        RoundedCase{"OnlyTheRealDriveFits",
                    {"--type", "0", "--initial", "333", "--drive", "12345", "--accel", "0.37", "--pulses", "4688"},
                    tiesSection + "\n"
                                  "Real drive of the rounded settings over the pulse count\n"
                                  "velocity profile: 4688 pulses, 334 PPS to 12346 PPS and back, linear ramps\n"
                                  "phase               time (s)    pulses\n"
                                  "acceleration        0.369600  2343.264\n"
                                  "constant speed      0.000119     1.472\n"
                                  "deceleration        0.369600  2343.264\n"
                                  "total move          0.739319  4688.000\n"
                                  "deceleration point            2344.736\n"
                                  "The requested drive has no deceleration point to compare with; its velocity "
                                  "profile above says why.\n"},
        // Nothing calculated: the section says so, the messages and the exit status stay.
        RoundedCase{"NothingCalculated", {"--accel", "0.2"},
                    "\nRounded settings: none, no setting values were calculated\n"}),
    roundedCaseName);

std::string roundedCaseName(const testing::TestParamInfo<RoundedCase>& info)
{
    return info.param.name;
}

} // namespace veldronix::testing_support
