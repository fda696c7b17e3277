#pragma once

#include "core/input_field.h"
#include "report/failure_reason.h"

#include <array>
#include <cstdint>
#include <string_view>

// The command-line front end's own texts: usage (at most 79 columns a line, so
// that it fits an 80-column terminal) and the messages of its options, batches
// and plot files. The reports' texts are in report/texts_en.h and the
// calculation's in core/texts_ja.h.
namespace veldronix::cli::texts::en {

// The usage: its head, a paragraph per field of the dialog (in the order of
// inputFields, so that a new field is a new row), the options of the outputs,
// a paragraph per value of the axis (axisRows), then the other options.
inline constexpr std::string_view usageHead =
    "usage: pulsecalc --type T --initial TEXT --drive TEXT --accel TEXT\n"
    "                 [--decel TEXT] [--multiplier ITEM]\n"
    "                 [--pulses TEXT [--svg FILE]] [--rounded] [--compare] [--json]\n"
    "       pulsecalc --type T ... --registers lines|c|json\n"
    "       pulsecalc --type T ... --pulses-per-rev N [--gear N]\n"
    "                 [--travel-per-rev N] [--unit mm|deg] [--axis NAME]\n"
    "                 [--in-units] [--save-machine FILE]\n"
    "       pulsecalc --machine FILE [--axis NAME] [--type T ...]\n"
    "       pulsecalc --design fastest --type T --initial PPS --pulses N\n"
    "                 --max-speed PPS [--max-accel PPS/S] [--max-decel PPS/S]\n"
    "                 [--max-jerk PPS/S2] [--max-decel-jerk PPS/S2] [--json]\n"
    "       pulsecalc --design time --type T --initial PPS --pulses N\n"
    "                 --accel S [--decel S] --time S [--json]\n"
    "       pulsecalc --design ... --pulses-per-rev N [--gear N]\n"
    "                 [--travel-per-rev N] [--unit mm|deg] [--in-units]\n"
    "       pulsecalc --csv FILE [--in-units]\n"
    "       pulsecalc --help | --version\n"
    "\n"
    "Computes the settings of a pulse-train drive controller (16 MHz base clock)\n"
    "exactly as the Veldronix dialog does. Each drive option is one of the\n"
    "dialog's fields; an omitted field is empty.\n"
    "\n";
inline constexpr ByInputRow<std::string_view> fieldUsage{{
    "  --type T            drive type: 0 symmetric-trapezoid, 1 symmetric-s-curve,\n"
    "                      2 asymmetric-trapezoid, 3 asymmetric-s-curve, -1 none\n",
    "  --initial TEXT      initial speed (PPS)\n",
    "  --drive TEXT        drive speed (PPS)\n",
    "  --accel TEXT        time to reach the drive speed (s)\n",
    "  --decel TEXT        time to reach the initial speed (s), asymmetric types\n",
    "  --multiplier ITEM   then select that multiplier item and recalculate: the\n"
    "                      multiplier itself, x1 x2 x5 x10 x20 x50 x100 x200 x500,\n"
    "                      or the item's index -1 to 8 (0 is x1, 5 is x50)\n",
    "  --pulses TEXT       then compute the manual deceleration point of this\n"
    "                      pulse count, and show the velocity profile of a drive\n"
    "                      of that many pulses: the time (s) and pulses of the\n"
    "                      acceleration, constant-speed and deceleration phases,\n"
    "                      the total move time and the deceleration point, for\n"
    "                      every drive type\n",
    "  --axis NAME         the axis's name, as its outputs and the machine file\n"
    "                      show it\n",
    "  --pulses-per-rev N  pulses per motor revolution after microstepping (200 x\n"
    "                      16: 3200): each figure is then also shown in the axis's\n"
    "                      units (mm or deg) and speeds in the motor's rpm\n",
    "  --gear N            motor revolutions per load revolution (1 if not given)\n",
    "  --travel-per-rev N  mm (deg) per load revolution; 360 on a rotary axis,\n"
    "                      which may leave it out\n",
    "  --unit mm|deg       a linear axis (mm, if not given) or a rotary one (deg)\n",
}};
inline constexpr std::string_view usageOutputs =
    "  --svg FILE          write a plot of that profile's speed over time to FILE\n"
    "                      (SVG); a move too short to reach the drive speed gets\n"
    "                      no plot. A symbolic link is followed; a folder, device,\n"
    "                      FIFO or socket is refused; a replaced file keeps its\n"
    "                      permissions. '-' writes the plot to standard output,\n"
    "                      and nothing else goes there\n"
    "  --rounded           also print each setting value rounded to the nearest\n"
    "                      integer (halves away from zero), the drive those\n"
    "                      integers really give with the multiplier shown (speeds,\n"
    "                      times and S-curve jerks beside the requested ones, with\n"
    "                      the deviation in percent) and every register that\n"
    "                      cannot take its rounded value; with --pulses also the\n"
    "                      phases of that drive, its deceleration point, and where\n"
    "                      it ends if it decelerates from the requested drive's\n"
    "                      deceleration point. Before them, the input findings:\n"
    "                      each field read otherwise than it may be meant (below\n"
    "                      0, no number, text after the number, cut at 78 bytes,\n"
    "                      a drive type that names no item)\n"
    "  --compare           also print every multiplier that Recalculate accepts\n"
    "                      side by side, each with the values shown rounded as\n"
    "                      --rounded rounds them: its speed step, the integers,\n"
    "                      the drive they really give with the deviations, the\n"
    "                      largest deviation and the findings; the recommended\n"
    "                      multiplier and the rule that picks it\n"
    "  --registers FORMAT  print only the rounded registers of the values shown,\n"
    "                      as the details window copies them: lines (R=4000000\n"
    "                      ...), c (#define lines) or json; nothing when no\n"
    "                      settings were calculated\n"
    "  --json              print one JSON object with the exact field texts; its\n"
    "                      member errorSteps names the step of each of its errors,\n"
    "                      inputFindings lists the input findings\n"
    "  --csv FILE          run one drive per row of a CSV file ('-' for standard\n"
    "                      input) with the header\n"
    "                      type,initial,drive,accel,decel[,multiplier[,pulses]]\n"
    "                      and print the rows with summary,R,A,SV,V,K,AO,D,L,\n"
    "                      multiplierShown,decelPoint,errors,inputFindings added;\n"
    "                      an empty multiplier or pulses cell leaves that step out;\n"
    "                      the axis's columns axis,pulsesPerRev,gear,travelPerRev,\n"
    "                      unit may follow in any order, and with mechanics a row\n"
    "                      also gets pulsesPerUnit,initialSpeedReal,\n"
    "                      initialSpeedRpm,driveSpeedReal,driveSpeedRpm,distance\n"
    "                      (with --in-units its speed and pulses cells are in the\n"
    "                      axis's units)\n";
inline constexpr std::string_view usageTail =
    "  --in-units          read --initial and --drive in mm/s (deg/s) and --pulses\n"
    "                      in mm (deg) of the axis\n"
    "  --machine FILE      run the axes of a machine file (*.veldronix.json), or\n"
    "                      the one --axis names; options given replace its values\n"
    "  --save-machine FILE write the run's axis into FILE, keeping its other axes\n"
    "  --design fastest    the integer settings of the shortest move of N pulses\n"
    "                      within the motor's limits: the initial speed, the drive\n"
    "                      speed, the acceleration (--max-accel; type 2 also\n"
    "                      --max-decel) or the jerk (--max-jerk; type 3 also\n"
    "                      --max-decel-jerk, and for the S-curves --max-accel\n"
    "                      optionally as the highest acceleration)\n"
    "  --design time       the integer settings whose ramps are within 1 % of\n"
    "                      --accel (and --decel) and whose move of N pulses ends\n"
    "                      latest, no later than --time seconds\n"
    "                      Both print the registers, the real move and the field\n"
    "                      texts that give them; exit status 0 met, 1 not met.\n"
    "                      With an axis's mechanics each speed, rate, jerk and\n"
    "                      the pulse count also in its units; --in-units reads\n"
    "                      the limits in mm/s, mm/s2, mm/s3 and --pulses in mm\n"
    "  --help              print this text\n"
    "  --version           print the program's version\n"
    "\n"
    "Each message on standard error names the step that showed it (Calculate,\n"
    "Recalculate, deceleration point) and says in English what it means.\n"
    "Exit status: 0 no message shown, 1 a message shown, 2 a usage error or\n"
    "output that could not be written.\n"
    "A plot that --svg cannot write counts as a message shown.\n"
    "A --rounded or --compare finding warns about the machine's drive and leaves the\n"
    "status as it is, as an input finding does; --registers without calculated\n"
    "settings counts as a message shown.\n";

// --version: the program's name and the product's version.
inline constexpr std::string_view versionLine = "pulsecalc (Veldronix) {}\n";

// The batch mode's messages; a row's message starts with "line N: ".
inline constexpr std::string_view typeHint =
    ": give 0 to 3, -1, symmetric-trapezoid, symmetric-s-curve, asymmetric-trapezoid or asymmetric-s-curve";
inline constexpr std::string_view multiplierHint =
    ": give a multiplier x1, x2, x5, x10, x20, x50, x100, x200 or x500, an item index from -1 to 8, or leave it empty";
inline constexpr std::string_view multiplierOptionHint =
    ": give a multiplier x1, x2, x5, x10, x20, x50, x100, x200 or x500, or an item index from -1 to 8";
inline constexpr std::string_view csvHeaderHint = "expected type,initial,drive,accel,decel[,multiplier[,pulses]]";
inline constexpr std::string_view csvNoHeader =
    "the CSV input has no header row: expected type,initial,drive,accel,decel[,multiplier[,pulses]]";
inline constexpr std::string_view csvHeaderAxisHint =
    "expected type,initial,drive,accel,decel[,multiplier[,pulses]], then any of the axis's columns "
    "axis,pulsesPerRev,gear,travelPerRev,unit, each once";
// A row's axis: {0} the column, {1} the cell, {2} what is wrong with it.
inline constexpr std::string_view batchBadUnit = "bad {0} '{1}': give mm or deg, or leave it empty for mm";
inline constexpr std::string_view batchBadMechanics = "bad {0} '{1}': {2}";
inline constexpr std::string_view batchInUnitsNeedsColumns =
    "--csv --in-units reads the speeds and pulses in the axis's units: the header needs the axis's columns "
    "pulsesPerRev and travelPerRev (or unit)";
inline constexpr std::string_view batchInUnitsNeedsMechanics =
    "--in-units reads the speeds and pulses in the axis's units: give the row's pulsesPerRev and travelPerRev "
    "(or unit deg)";
inline constexpr std::string_view batchInUnitsNotANumber =
    "--in-units reads {0} '{1}' as a number in the axis's units: it is none";
inline constexpr std::string_view csvReadFailed = "cannot read the CSV input";
// {fmt} format strings: the file's path, then the system's reason.
inline constexpr std::string_view csvCannotOpen = "cannot open CSV file '{}': {}";
// How many rows showed a message, of how many, and the line of the first.
inline constexpr std::string_view batchSummary = "pulsecalc: {} of {} rows showed a message; the first is on line {}\n";
inline constexpr std::string_view csvWriteFailed = "cannot write the CSV output";
inline constexpr std::string_view csvWithDriveOption = "--csv takes the drives from its file: give no other option";

// The options' usage errors; each follows "pulsecalc: ". {fmt} format strings:
// the option or the value given, then a hint where there is one.
inline constexpr std::string_view optionUnknown = "unknown option '{}'";
inline constexpr std::string_view optionTakesNoValue = "option {} takes no value";
inline constexpr std::string_view optionNeedsValue = "option {} needs a value";
inline constexpr std::string_view csvTwice = "option --csv given twice";
inline constexpr std::string_view typeBadOption = "bad --type '{}'{}";
inline constexpr std::string_view multiplierBadOption = "bad --multiplier '{}'{}";

inline constexpr std::string_view usageHint = "try 'pulsecalc --help' for the options";
// Standard output that cannot be written (a full disk, a closed stream); {} is the system's reason.
inline constexpr std::string_view outputFailed = "pulsecalc: cannot write the standard output: {}\n";

// Labels of the plain output: the dialog's own field labels.
inline constexpr std::string_view labelMultiplier = "倍率";
inline constexpr std::string_view labelDecelPoint = "マニュアル減速点";
inline constexpr std::string_view labelError = "エラー";

// What goes wrong with --svg; each follows "pulsecalc: ".
inline constexpr std::string_view svgNeedsPulses = "--svg needs --pulses: the plot shows the motion of a pulse count";
inline constexpr std::string_view svgNeedsFile = "--svg needs a file name";
inline constexpr std::string_view svgTwice = "option --svg given twice";
// {fmt} format strings: the file's path, then why.
inline constexpr std::string_view svgNoPlot = "no plot written to {}: {}"; // where ('FILE' or standard output), why
inline constexpr std::string_view svgFileTarget = "'{}'";
inline constexpr std::string_view svgCannotWrite = "cannot write the plot '{}': {}";
inline constexpr std::string_view svgNotCalculated = "the drive's settings could not be calculated";
inline constexpr std::string_view svgStandardOutput = "standard output";
inline constexpr std::string_view svgStdoutAlone = "--svg - writes the plot to standard output, where nothing else "
                                                   "may go: give no --json, --rounded, --compare or --registers";

// What goes wrong with --registers; each follows "pulsecalc: ".
inline constexpr std::string_view registersTwice = "option --registers given twice";
// {fmt} format string: the value given.
inline constexpr std::string_view registersBadFormat = "bad --registers '{}': give lines, c or json";
inline constexpr std::string_view registersAlone =
    "--registers prints only the registers on standard output: give no --json, --rounded or --compare";
inline constexpr std::string_view registersNotCalculated =
    "pulsecalc: no registers printed: the drive's settings could not be calculated\n";

// A message of the dialog on standard error: the step that showed it, the exact
// message, then what it means in English.
inline constexpr std::string_view messageLine = "{}: {}: {} ({})\n";
// The steps, as a message names them and as JSON's errorSteps does.
inline constexpr std::string_view stepCalculate = "Calculate";
inline constexpr std::string_view stepRecalculate = "Recalculate with multiplier {} (item {})"; // x50, 5
inline constexpr std::string_view stepRecalculateNone = "Recalculate with no multiplier item (item -1)";
inline constexpr std::string_view stepDecelPoint = "deceleration point";
inline constexpr std::string_view jsonStepCalculate = "calculate";
inline constexpr std::string_view jsonStepRecalculate = "recalculate";
inline constexpr std::string_view jsonStepDecelPoint = "decelPoint";

inline constexpr std::string_view whyNotAsymmetricSCurve =
    "the manual deceleration point is computed only for an asymmetric S-curve drive (type 3) whose settings "
    "were calculated";
// What each message means, in English: an input error's whole meaning, or why
// the setting values cannot be determined in this step (after meaningNoSetting).
inline constexpr report::FailureReasonTexts failureReasons{
    .driveSpeedZero = "parameter error: the drive speed is 0; an empty text or one that is no number counts as 0",
    .accelTimeZero = "parameter error: the time to reach the drive speed (--accel) is 0",
    .initialAboveDrive = "parameter error: the initial speed is greater than the drive speed",
    .decelTimeZero =
        "parameter error: the time to reach the initial speed (--decel) is 0; the asymmetric types need it",
    .nothingCalculated = "Recalculate needs a Calculate that succeeded",
    // The deceleration point names what it needs, which a Calculate of another type does not give either.
    .nothingCalculatedForDecelPoint = whyNotAsymmetricSCurve,
    .noMultiplierFits = "no speed multiplier fits a drive speed above 4000000 PPS",
    .smallerMultiplier = "multiplier {} is smaller than {}, the one Calculate chose",
    .multiplier = "x{}",
    .noMultiplierSelected = "no multiplier item is selected",
    .notAsymmetricSCurve = whyNotAsymmetricSCurve,
    .pulseCountZero = "the pulse count is 0; an empty text or one that is no number counts as 0",
    .pulseCountTooSmall = "decelerating from the drive speed to the initial speed takes at least as many pulses as "
                          "the pulse count, so no deceleration point lies above 0",
};
// The setting values cannot be determined, and why in this step.
inline constexpr std::string_view meaningNoSetting = "parameter error: the setting values cannot be determined: {}";

// --design: what goes wrong with its command line, each following "pulsecalc: ".
inline constexpr std::string_view designFastestName = "fastest";
inline constexpr std::string_view designTimeName = "time";
// {fmt} format strings: the option as given, then its value where it has one.
inline constexpr std::string_view designUnknownOption = "unknown option '{}' for --design";
inline constexpr std::string_view designTakesNoValue = "option {} takes no value";
inline constexpr std::string_view designNeedsValue = "option {} needs a value";
inline constexpr std::string_view designGivenTwice = "option {} given twice";
inline constexpr std::string_view designBadNumber = "bad {} '{}': give a number";
inline constexpr std::string_view designBadQuestion = "bad --design '{}': give fastest or time";
inline constexpr std::string_view designBadType =
    "bad --type '{}' for --design: give 0 to 3, symmetric-trapezoid, symmetric-s-curve, asymmetric-trapezoid or "
    "asymmetric-s-curve";
inline constexpr std::string_view designNeedsType = "--design needs --type: 0 to 3 or the type's name";
// The option, the question it belongs to, the question asked.
inline constexpr std::string_view designOtherQuestion =
    "{} belongs to --design {}, not to --design {}";
// The option, the drive type.
inline constexpr std::string_view designNotForType = "{} is no limit or time of drive type {}";
// The question, the drive type, the option missing.
inline constexpr std::string_view designMissing =
    "--design {} of drive type {} needs {}";

// --design's plain output.
inline constexpr std::string_view designFastestTitle = "Fastest move within the limits";
inline constexpr std::string_view designTimeTitle = "Move that ends on time";
inline constexpr std::string_view designMet = "met";
inline constexpr std::string_view designNotMet = "not met";
inline constexpr std::string_view designDecidedBy = "Decided by: ";
inline constexpr std::string_view designWhyNot = "Not met: ";
inline constexpr std::string_view designNoSettings = "No integer settings make this move.\n";
inline constexpr std::string_view designEarliest = "The settings that end earliest:\n";
inline constexpr std::string_view designRealMove = "Real move";
inline constexpr std::string_view designFieldsHeading = "Fields to type, then press Calculate";
inline constexpr std::string_view designLabelMultiplier = "multiplier";
inline constexpr std::string_view designLabelDecelPoint = "deceleration point";
inline constexpr std::string_view designLabelInitial = "initial speed";
inline constexpr std::string_view designLabelDrive = "drive speed";
inline constexpr std::string_view designLabelAccelRate = "acceleration";
inline constexpr std::string_view designLabelDecelRate = "deceleration";
inline constexpr std::string_view designLabelAccelJerk = "accel jerk";
inline constexpr std::string_view designLabelDecelJerk = "decel jerk";
inline constexpr std::string_view designLabelPeakAccel = "peak accel";
inline constexpr std::string_view designLabelPeakDecel = "peak decel";
inline constexpr std::string_view designLabelAccelTime = "accel time";
inline constexpr std::string_view designLabelDecelTime = "decel time";
inline constexpr std::string_view designLabelConstant = "constant speed";
inline constexpr std::string_view designLabelMoveTime = "move time";
inline constexpr std::string_view designLabelPulses = "pulse count";
// {fmt} format strings of a line's value: the value, then its limit, wish or target.
inline constexpr std::string_view designSpeed = "{} PPS";
inline constexpr std::string_view designRate = "{} PPS/s";
inline constexpr std::string_view designJerk = "{} PPS/s2";
inline constexpr std::string_view designSeconds = "{} s";
inline constexpr std::string_view designAtMost = ", at most {}";
// With the axis's mechanics, after a line's value in pulses: "; " and the same
// in the axis's units ({0} the figure, {1} the unit, {2} a speed's motor rpm),
// then its limit in them as designAtMost writes it.
inline constexpr std::string_view designInUnits = "; {}{}";
inline constexpr std::string_view designSpeedUnits = "{0} {1}/s, {2} rpm";
inline constexpr std::string_view designRateUnits = "{0} {1}/s2";
inline constexpr std::string_view designJerkUnits = "{0} {1}/s3";
inline constexpr std::string_view designDistanceUnits = "{0} {1}";
inline constexpr std::string_view designWanted = ", wanted {} ({} %)";
inline constexpr std::string_view designConstant = "{} s, {} pulses";
inline constexpr std::string_view designTargetMet = ", target {}: {} s to spare";
inline constexpr std::string_view designTargetMissed = ", target {}: misses by {} s";
inline constexpr std::string_view designDecelPointLine = "{} (exactly {})";
inline constexpr std::string_view designCalculateChooses = " (Calculate chooses it)";
inline constexpr std::string_view designRecalculate = " (select it and press Recalculate)";
// On standard error when a design is not met: the reason.
inline constexpr std::string_view designNotMetLine = "pulsecalc: the design is not met: {}\n";

// What decides a design, or why none meets the question, by DesignOutcome.
inline constexpr std::array<std::string_view, 13> designOutcomeTexts = {
    "the drive speed limit",
    "register V's 8000 at this multiplier",
    "the move is too short to reach the drive speed limit",
    "the move ends no later than the target time",
    "{} is no usable number",
    "the initial speed is below 1 PPS, the lowest speed of any multiplier",
    "no drive speed above the initial speed is within the drive speed limit",
    "the acceleration limit is below 125 PPS/s, one step of register A or D",
    "the jerk limit needs a register K or L larger than 2^36",
    "the ramps alone take more pulses than the move has",
    "no register gives a ramp within 1 % of the time wanted",
    "the target time is shorter than the ramps allow",
    "the speed needed is above 4,000,000 PPS",
};
// The options of the inputs a design finds unusable, by DesignInput; the drive type is --type.
inline constexpr std::array<std::string_view, 12> designInputOptions = {
    "the initial speed (--initial)",         "the drive speed limit (--max-speed)",
    "the acceleration limit (--max-accel)",  "the deceleration limit (--max-decel)",
    "the jerk limit (--max-jerk)",           "the deceleration's jerk limit (--max-decel-jerk)",
    "the highest acceleration (--max-accel)", "the acceleration time (--accel)",
    "the deceleration time (--decel)",        "the pulse count (--pulses), a whole number from 1 to 2^50,",
    "the target time (--time)",               "the drive type (--type)",
};
// JSON's word of each DesignInput's option.
inline constexpr std::array<std::string_view, 12> designInputJson = {
    "initial", "maxSpeed", "maxAccel", "maxDecel", "maxJerk", "maxDecelJerk",
    "maxAccel", "accel", "decel", "pulses", "time", "type",
};

// The axis and the machine file; each follows "pulsecalc: ".
inline constexpr std::string_view unitBadValue = "bad --unit '{}': give mm or deg";
inline constexpr std::string_view optionTwice = "option {} given twice";
inline constexpr std::string_view svgWithAxis = "--svg plots one axis of a machine file: give --axis NAME";
// {0} the option, {1} its text, {2} what is wrong with it.
inline constexpr std::string_view axisOptionBad = "bad {0} '{1}': {2}";
inline constexpr std::string_view inUnitsNeedsMechanics =
    "--in-units needs the axis's mechanics: --pulses-per-rev and --travel-per-rev (or --unit deg), or --machine";
inline constexpr std::string_view inUnitsNotANumber = "--in-units reads {0} '{1}' as a number in the axis's units: it is none";
inline constexpr std::string_view axisNameNotUtf8 = "--axis takes a name in UTF-8";
inline constexpr std::string_view saveMachineNeedsName = "--save-machine needs the axis's name: give --axis NAME";
inline constexpr std::string_view machineNoAxis = "the machine file '{0}' has no axis '{1}'";
inline constexpr std::string_view machineFileName = "'{}'";
// --machine FILE --design: {0} the axis's name, {1} what is wrong with its design's command line.
inline constexpr std::string_view machineDesignAxis = "axis {0}: {1}";
// Before each axis's design: {0} a blank line between axes, {1} the name.
inline constexpr std::string_view machineDesignHeading = "{0}axis {1}\n";
// {0} the latest end (s), {1} its axis, {2} the spread of the ends (s), {3} the axis that ends first.
inline constexpr std::string_view machineDesignSummary =
    "\nmachine: the latest end {0} s (axis {1}), the spread of the ends {2} s (axis {3} ends first)\n";
inline constexpr std::string_view machineDesignNoEnd = "\nmachine: no axis has a move, so no move ends\n";
// {0} the axis's name, {1} why its design is not met.
inline constexpr std::string_view machineDesignNotMet = "pulsecalc: axis {0}: the design is not met: {1}\n";

} // namespace veldronix::cli::texts::en
