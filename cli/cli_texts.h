#pragma once

#include <string_view>

// The command-line front end's own texts: usage (at most 79 columns a line, so
// that it fits an 80-column terminal) and the messages of its options, batches
// and plot files. The reports' texts are in report/report_texts.h and the
// calculation's in core/texts.h.
namespace veldronix::cli::texts {

inline constexpr std::string_view usage =
    "usage: pulsecalc --type T --initial TEXT --drive TEXT --accel TEXT\n"
    "                 [--decel TEXT] [--multiplier ITEM]\n"
    "                 [--pulses TEXT [--svg FILE]] [--rounded] [--compare] [--json]\n"
    "       pulsecalc --type T ... --registers lines|c|json\n"
    "       pulsecalc --csv FILE\n"
    "       pulsecalc --help | --version\n"
    "\n"
    "Computes the settings of a pulse-train drive controller (16 MHz base clock)\n"
    "exactly as the Veldronix dialog does. Each option is one of the dialog's\n"
    "fields; an omitted field is empty.\n"
    "\n"
    "  --type T            drive type: 0 symmetric-trapezoid, 1 symmetric-s-curve,\n"
    "                      2 asymmetric-trapezoid, 3 asymmetric-s-curve, -1 none\n"
    "  --initial TEXT      initial speed (PPS)\n"
    "  --drive TEXT        drive speed (PPS)\n"
    "  --accel TEXT        time to reach the drive speed (s)\n"
    "  --decel TEXT        time to reach the initial speed (s), asymmetric types\n"
    "  --multiplier ITEM   then select that multiplier item and recalculate: the\n"
    "                      multiplier itself, x1 x2 x5 x10 x20 x50 x100 x200 x500,\n"
    "                      or the item's index -1 to 8 (0 is x1, 5 is x50)\n"
    "  --pulses TEXT       then compute the manual deceleration point of this\n"
    "                      pulse count, and show the velocity profile of a drive\n"
    "                      of that many pulses: the time (s) and pulses of the\n"
    "                      acceleration, constant-speed and deceleration phases,\n"
    "                      the total move time and the deceleration point, for\n"
    "                      every drive type\n"
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
    "                      multiplierShown,decelPoint,errors added; an empty\n"
    "                      multiplier or pulses cell leaves that step out\n"
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
    "': give a multiplier x1, x2, x5, x10, x20, x50, x100, x200 or x500, or an item index from -1 to 8";
inline constexpr std::string_view csvHeaderHint = "expected type,initial,drive,accel,decel[,multiplier[,pulses]]";
inline constexpr std::string_view csvNoHeader =
    "the CSV input has no header row: expected type,initial,drive,accel,decel[,multiplier[,pulses]]";
inline constexpr std::string_view csvReadFailed = "cannot read the CSV input";
// {fmt} format strings: the file's path, then the system's reason.
inline constexpr std::string_view csvCannotOpen = "cannot open CSV file '{}': {}";
// How many rows showed a message, of how many, and the line of the first.
inline constexpr std::string_view batchSummary = "pulsecalc: {} of {} rows showed a message; the first is on line {}\n";
inline constexpr std::string_view csvWriteFailed = "cannot write the CSV output";
inline constexpr std::string_view csvWithDriveOption = "--csv takes the drives from its file: give no other option";

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

// What each message means, in English.
inline constexpr std::string_view meaningDriveSpeedZero =
    "parameter error: the drive speed is 0; an empty text or one that is no number counts as 0";
inline constexpr std::string_view meaningAccelTimeZero =
    "parameter error: the time to reach the drive speed (--accel) is 0";
inline constexpr std::string_view meaningInitialAboveDrive =
    "parameter error: the initial speed is greater than the drive speed";
inline constexpr std::string_view meaningDecelTimeZero =
    "parameter error: the time to reach the initial speed (--decel) is 0; the asymmetric types need it";
// The setting values cannot be determined, and why in this step.
inline constexpr std::string_view meaningNoSetting = "parameter error: the setting values cannot be determined: {}";
inline constexpr std::string_view whyNoMultiplier = "no speed multiplier fits a drive speed above 4000000 PPS";
inline constexpr std::string_view whyNoCalculation = "Recalculate needs a Calculate that succeeded";
inline constexpr std::string_view whyNoItem = "no multiplier item is selected";
inline constexpr std::string_view whySmallerMultiplier = "multiplier {} is smaller than {}, the one Calculate chose";
inline constexpr std::string_view whyNotAsymmetricSCurve =
    "the manual deceleration point is computed only for an asymmetric S-curve drive (type 3) whose settings "
    "were calculated";
inline constexpr std::string_view whyPulsesZero =
    "the pulse count is 0; an empty text or one that is no number counts as 0";
inline constexpr std::string_view whyPulsesTooFew =
    "decelerating from the drive speed to the initial speed takes at least as many pulses as the pulse count, "
    "so no deceleration point lies above 0";

// The axis and the machine file; each follows "pulsecalc: ".
inline constexpr std::string_view unitBadValue = "bad --unit '{}': give mm or deg";
inline constexpr std::string_view optionTwice = "option {} given twice";
inline constexpr std::string_view svgWithAxis = "--svg plots a drive in PPS: give it without the axis options";
// {0} the option, {1} what is wrong with its text.
inline constexpr std::string_view axisOptionBad = "bad {0} '{1}': {2}";
inline constexpr std::string_view inUnitsNeedsMechanics =
    "--in-units needs the axis's mechanics: --pulses-per-rev and --travel-per-rev (or --unit deg), or --machine";
inline constexpr std::string_view inUnitsNotANumber = "--in-units reads {0} '{1}' as a number in the axis's units: it is none";
inline constexpr std::string_view saveMachineNeedsName = "--save-machine needs the axis's name: give --axis NAME";
inline constexpr std::string_view machineNoAxis = "the machine file '{0}' has no axis '{1}'";
inline constexpr std::string_view machineFileName = "'{}'";

} // namespace veldronix::cli::texts
