#pragma once

#include <string_view>

// The command-line front end's own texts; the calculation's texts come from the core.
namespace veldronix::cli::texts {

inline constexpr std::string_view usage =
    "usage: pulsecalc --type T --initial TEXT --drive TEXT --accel TEXT [--decel TEXT]\n"
    "                 [--multiplier INDEX] [--pulses TEXT [--svg FILE]]\n"
    "                 [--rounded] [--json]\n"
    "       pulsecalc --csv FILE\n"
    "\n"
    "Computes the settings of a pulse-train drive controller (16 MHz base clock)\n"
    "exactly as the Veldronix dialog does. Each option is one of the dialog's fields;\n"
    "an omitted field is empty.\n"
    "\n"
    "  --type T            drive type: 0 symmetric-trapezoid, 1 symmetric-s-curve,\n"
    "                      2 asymmetric-trapezoid, 3 asymmetric-s-curve, -1 none\n"
    "  --initial TEXT      initial speed (PPS)\n"
    "  --drive TEXT        drive speed (PPS)\n"
    "  --accel TEXT        time to reach the drive speed (s)\n"
    "  --decel TEXT        time to reach the initial speed (s), asymmetric types\n"
    "  --multiplier INDEX  then select multiplier item INDEX (-1 to 8) and recalculate:\n"
    "                      0 1, 1 2, 2 5, 3 10, 4 20, 5 50, 6 100, 7 200, 8 500\n"
    "  --pulses TEXT       then compute the manual deceleration point of this pulse count,\n"
    "                      and show the velocity profile of a drive of that many pulses:\n"
    "                      the time (s) and pulses of the acceleration, constant-speed and\n"
    "                      deceleration phases, the total move time and the deceleration\n"
    "                      point, for every drive type\n"
    "  --svg FILE          write a plot of that profile's speed over time to FILE (SVG);\n"
    "                      a move too short to reach the drive speed gets no plot\n"
    "  --rounded           also print each setting value rounded to the nearest integer\n"
    "                      (halves away from zero), the drive those integers really give\n"
    "                      with the multiplier shown (speeds, times and S-curve jerks\n"
    "                      beside the requested ones, with the deviation in percent)\n"
    "                      and every register that cannot take its rounded value;\n"
    "                      with --pulses also the phases of that drive, its deceleration\n"
    "                      point, and where it ends if it decelerates from the requested\n"
    "                      drive's deceleration point\n"
    "  --json              print one JSON object with the exact field texts\n"
    "  --csv FILE          run one drive per row of a CSV file ('-' for standard input)\n"
    "                      with the header type,initial,drive,accel,decel[,multiplier[,pulses]]\n"
    "                      and print the rows with summary,R,A,SV,V,K,AO,D,L,multiplier,\n"
    "                      decelPoint,errors added; an empty multiplier or pulses cell\n"
    "                      leaves that step out\n"
    "  --help              print this text\n"
    "\n"
    "Exit status: 0 no message shown, 1 a message shown, 2 a usage error.\n"
    "A plot that --svg cannot write counts as a message shown.\n"
    "A --rounded finding warns about the machine's drive and leaves the status as it is.\n";

// The batch mode's messages; a row's message starts with "line N: ".
inline constexpr std::string_view typeHint =
    ": give 0 to 3, -1, symmetric-trapezoid, symmetric-s-curve, asymmetric-trapezoid or asymmetric-s-curve";
inline constexpr std::string_view multiplierHint = ": give an item index from -1 to 8 or leave it empty";
inline constexpr std::string_view csvHeaderHint = "expected type,initial,drive,accel,decel[,multiplier[,pulses]]";
inline constexpr std::string_view csvNoHeader =
    "the CSV input has no header row: expected type,initial,drive,accel,decel[,multiplier[,pulses]]";
inline constexpr std::string_view csvReadFailed = "cannot read the CSV input";
inline constexpr std::string_view csvWriteFailed = "cannot write the CSV output";
inline constexpr std::string_view csvWithDriveOption = "--csv takes the drives from its file: give no other option";

inline constexpr std::string_view usageHint = "try 'pulsecalc --help' for the options";

// Labels of the plain output: the dialog's own field labels.
inline constexpr std::string_view labelMultiplier = "倍率";
inline constexpr std::string_view labelDecelPoint = "マニュアル減速点";
inline constexpr std::string_view labelError = "エラー";

// The velocity profile of a drive with --pulses. "{}" stands for a figure, filled in order.
inline constexpr std::string_view profileLead = "velocity profile: ";
inline constexpr std::string_view profileHeading = "{} pulses, {} PPS to {} PPS and back, ";
inline constexpr std::string_view shapeLinear = "linear ramps";
inline constexpr std::string_view shapeSCurve = "S-curve ramps";
inline constexpr std::string_view columnPhase = "phase";
inline constexpr std::string_view columnTime = "time (s)";
inline constexpr std::string_view columnPulses = "pulses";
inline constexpr std::string_view phaseAccel = "acceleration";
inline constexpr std::string_view phaseConstant = "constant speed";
inline constexpr std::string_view phaseDecel = "deceleration";
inline constexpr std::string_view labelTotalMove = "total move";
inline constexpr std::string_view labelProfileDecelPoint = "deceleration point";

// Why a drive shows no motion; the short move names its figures: the pulse
// count, the drive speed, the initial speed, the pulses the two ramps need.
inline constexpr std::string_view profileShortMove =
    "the move is too short: {} pulses cannot reach {} PPS and return to {} PPS, which takes {} pulses";
inline constexpr std::string_view profileNoPulses = "none: the pulse count is not a number above 0";
inline constexpr std::string_view profileUnknownType = "none: the drive type names no item, so the ramps have no shape";
inline constexpr std::string_view profileSpeedsReversed = "none: the initial speed is above the drive speed";
inline constexpr std::string_view profileNoDriveSpeed = "none: the drive speed is 0";
inline constexpr std::string_view profileNegativeSpeed = "none: the initial speed {} PPS is below 0";
inline constexpr std::string_view profileBadRampTime = "none: a ramp time is 0 or below";
inline constexpr std::string_view profileNoJerk = "none: an S-curve between equal speeds has no jerk (K is infinite)";
inline constexpr std::string_view profileNotFinite = "none: a figure of the motion is infinite or not a number";

// The plot of --svg FILE: speed over time.
inline constexpr std::string_view svgTitle = "Velocity profile: ";
inline constexpr std::string_view svgTimeAxis = "time (s)";
inline constexpr std::string_view svgSpeedAxis = "speed (PPS)";
inline constexpr std::string_view svgDecelPoint = "deceleration point: {} pulses";
inline constexpr std::string_view svgDriveSpeed = "drive speed {} PPS";
inline constexpr std::string_view svgInitialSpeed = "initial speed {} PPS";
inline constexpr std::string_view svgSeconds = " s";
inline constexpr std::string_view svgPhasePulses = "{} pulses";
inline constexpr std::string_view svgRampUp = "{} \u2192 {} PPS";
inline constexpr std::string_view svgAtSpeed = "at {} PPS";
inline constexpr std::string_view svgJerk = "jerk {} PPS/s\u00b2";

// What goes wrong with --svg; each follows "pulsecalc: ".
inline constexpr std::string_view svgNeedsPulses = "--svg needs --pulses: the plot shows the motion of a pulse count";
inline constexpr std::string_view svgNeedsFile = "--svg needs a file name";
inline constexpr std::string_view svgTwice = "option --svg given twice";
// A path goes between a lead and "': ".
inline constexpr std::string_view svgNoPlot = "no plot written to '";
inline constexpr std::string_view svgNotCalculated = "the drive's settings could not be calculated";
inline constexpr std::string_view svgCannotWrite = "cannot write the plot '";
inline constexpr std::string_view pathEnd = "': ";
inline constexpr std::string_view fileCannotCreate = "cannot create a file in its folder";
inline constexpr std::string_view fileWriteFailed = "writing failed";
inline constexpr std::string_view fileCannotReplace = "cannot take that name: a folder or a file that may not be replaced is in the way";

// The status names of the JSON output, in the order of ProfileStatus.
inline constexpr std::string_view profileStatusNames[] = {
    "complete", "short-move", "no-pulses", "unknown-drive-type", "speeds-reversed", "no-drive-speed",
    "negative-speed", "bad-ramp-time", "no-jerk", "not-finite"};

// The --rounded part of the output.
inline constexpr std::string_view roundedHeading = "Rounded settings, multiplier ";
inline constexpr std::string_view roundedNothing = "Rounded settings: none, no setting values were calculated";
inline constexpr std::string_view realDriveHeading = "Real drive of the rounded settings";
inline constexpr std::string_view labelInitialSpeed = "initial speed";
inline constexpr std::string_view labelDriveSpeed = "drive speed";
inline constexpr std::string_view labelAccelTime = "acceleration time";
inline constexpr std::string_view labelDecelTime = "deceleration time";
inline constexpr std::string_view labelAccelJerk = "acceleration jerk";
inline constexpr std::string_view labelDecelJerk = "deceleration jerk";
inline constexpr std::string_view unitSpeed = " PPS";
inline constexpr std::string_view unitTime = " s";
inline constexpr std::string_view unitJerk = " PPS/s²";
inline constexpr std::string_view requestedPrefix = "requested ";
inline constexpr std::string_view realPrefix = ", real ";
inline constexpr std::string_view deviationPrefix = ", deviation ";
inline constexpr std::string_view deviationUnit = " %";
inline constexpr std::string_view realNone = ", real: none (see the findings)";
inline constexpr std::string_view deviationNone = ", deviation: none";
inline constexpr std::string_view findingsNone = "Findings: none";
inline constexpr std::string_view findingsHeading = "Findings:";
// A finding reads "SV = 0 (setting value 0.400): " and its reason.
inline constexpr std::string_view findingSettingValue = " (setting value ";
inline constexpr std::string_view reasonZeroInitialSpeed = "an initial speed of 0 outputs no pulse, so the drive cannot start";
inline constexpr std::string_view reasonZeroDriveSpeed = "a drive speed of 0 outputs no pulse, so the drive does not move";
inline constexpr std::string_view reasonZeroAccel = "an acceleration of 0 never reaches the drive speed";
inline constexpr std::string_view reasonZeroDecel = "a deceleration of 0 never returns to the initial speed";
inline constexpr std::string_view reasonZeroK =
    "the acceleration jerk is 62500000 x multiplier / K, so a K of 0 gives no acceleration";
inline constexpr std::string_view reasonZeroL =
    "the deceleration jerk is 62500000 x multiplier / L, so an L of 0 gives no deceleration";
inline constexpr std::string_view reasonZeroR = "the register cannot be 0";
inline constexpr std::string_view reasonNegative = "the register holds no negative value";
inline constexpr std::string_view reasonAboveMaximum = "above the register's maximum of ";
inline constexpr std::string_view reasonNotFinite = "not a finite number, which no register holds";
// With --pulses: the velocity profile of the real drive and its end with the requested deceleration point.
inline constexpr std::string_view realProfileHeading = "Real drive of the rounded settings over the pulse count";
inline constexpr std::string_view realProfileUnknown = ": none, see the findings";
// "The requested drive's deceleration point 8485.000 brings ..."
inline constexpr std::string_view requestedDecelPointPrefix = "The requested drive's deceleration point ";
inline constexpr std::string_view endsEarlyPrefix = " brings the rounded drive back to the initial speed ";
inline constexpr std::string_view endsEarlySuffix = " pulses before the end; it outputs them at the initial speed.";
inline constexpr std::string_view endsLatePrefix = " leaves the rounded drive ";
inline constexpr std::string_view endsLateSuffix =
    " pulses short of its deceleration: the pulse count ends before it is back at the initial speed.";
inline constexpr std::string_view endsExactly = " still ends the rounded drive at the initial speed.";
inline constexpr std::string_view requestedNoDecelPoint =
    "The requested drive has no deceleration point to compare with; its velocity profile above says why.";

} // namespace veldronix::cli::texts
