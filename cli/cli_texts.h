#pragma once

#include <string_view>

// The command-line front end's own texts: usage and the messages of its options,
// batches and plot files. The reports' texts are in report/report_texts.h and the
// calculation's in core/texts.h.
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

// What goes wrong with --svg; each follows "pulsecalc: ".
inline constexpr std::string_view svgNeedsPulses = "--svg needs --pulses: the plot shows the motion of a pulse count";
inline constexpr std::string_view svgNeedsFile = "--svg needs a file name";
inline constexpr std::string_view svgTwice = "option --svg given twice";
// {fmt} format strings: the file's path, then why.
inline constexpr std::string_view svgNoPlot = "no plot written to '{}': {}";
inline constexpr std::string_view svgCannotWrite = "cannot write the plot '{}': {}";
inline constexpr std::string_view svgNotCalculated = "the drive's settings could not be calculated";
inline constexpr std::string_view fileCannotCreate = "cannot create a file in its folder";
inline constexpr std::string_view fileWriteFailed = "writing failed";
inline constexpr std::string_view fileCannotReplace = "cannot take that name: a folder or a file that may not be replaced is in the way";

} // namespace veldronix::cli::texts
