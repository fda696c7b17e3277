#pragma once

#include <string_view>

// The command-line front end's own texts; the calculation's texts come from the core.
namespace veldronix::cli::texts {

inline constexpr std::string_view usage =
    "usage: pulsecalc --type T --initial TEXT --drive TEXT --accel TEXT [--decel TEXT]\n"
    "                 [--multiplier INDEX] [--pulses TEXT] [--json]\n"
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
    "  --pulses TEXT       then compute the manual deceleration point of this pulse count\n"
    "  --json              print one JSON object with the exact field texts\n"
    "  --help              print this text\n"
    "\n"
    "Exit status: 0 no message shown, 1 a message shown, 2 a usage error.\n";

inline constexpr std::string_view usageHint = "try 'pulsecalc --help' for the options";

// Labels of the plain output: the dialog's own field labels.
inline constexpr std::string_view labelMultiplier = "倍率";
inline constexpr std::string_view labelDecelPoint = "マニュアル減速点";
inline constexpr std::string_view labelError = "エラー";

} // namespace veldronix::cli::texts
