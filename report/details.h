#pragma once

#include "controller/calculation.h"
#include "controller/calculator_controller.h"
#include "core/axis.h"
#include "core/rounded_drive.h"
#include "core/setting_register.h"
#include "io/file_replace.h"
#include "report/multiplier_comparison.h"
#include "report/plot_model.h"
#include "report/register_code.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix::report {

// What the details window shows of the calculation the dialog's fields show:
// the integers to write into the registers, the drive those integers really
// give, and the velocity profile of the pulse count. Made once from the
// controller's calculation, so that every front end (both dialogs, the web
// page) shows the same; every text is Japanese, from report/texts_ja.h,
// and the front ends only lay the texts out.

// One register the drive type uses.
struct DetailsRegister {
    SettingRegister setting = SettingRegister::R;
    std::string name;         // the controller's letter: "R"
    std::string integer;      // the integer to write: "4000000", "126"; "なし" where it is not finite
    std::string settingValue; // the value field's text without its margin: "4000000", "126.263"
    bool hasFinding = false;  // the integer cannot be written as it stands (see the findings)
};

// One quantity of the real drive beside the requested one.
struct DetailsQuantity {
    std::string label;     // "初速度", "ドライブ速度", "加速時間", ...
    std::string requested; // with its unit: "100.000 PPS", "0.200000 秒"
    std::string real;      // with its unit, or the text that there is none
    std::string deviation; // "+0.0000 %", or the text that there is none
    bool marked = false;   // no real value, or no finite deviation: shown so that it cannot be missed
};

// A register whose rounded value cannot be written as it stands, with its reason.
struct DetailsFinding {
    SettingRegister setting = SettingRegister::R;
    RoundingProblem problem = RoundingProblem::Zero;
    std::string text; // one sentence: the register, its integer, its setting value and why
};

// What the velocity-profile part shows.
enum class DetailsPlotState {
    NotCalculated, // no calculation: nothing to plot
    NoPulseCount,  // 出力パルス数 holds no positive number: a line asks for one
    NoMotion,      // the pulse count gives no motion (a move too short, ...): note says why
    Plotted,       // plot holds the model
};

// One way to copy the integers: its label in the copy button's chooser, and the text.
struct CopyFormat {
    CopyFormatKind kind = CopyFormatKind::Lines;
    std::string label;
    std::string text;
};

struct Details {
    bool calculated = false; // false: only heading is filled, and says that nothing is calculated
    std::string heading;     // the drive type and the multiplier of the values shown
    // Lines of their own under the heading, calculated or not: why the last command
    // failed, results shown that no longer belong to the calculation.
    std::vector<std::string> status;

    std::string registersHeading;           // "整数の設定値"
    std::vector<DetailsRegister> registers; // in register order, the drive type's registers only
    std::string clipboardText;              // one line per register, "R=4000000\nA=8000\n..."

    std::string realDriveHeading;
    std::vector<DetailsQuantity> realDrive; // speeds, times, and the jerks of an S-curve
    std::string findingsHeading;            // "確認事項"
    // What the fields' texts were read as where that may not be what was meant
    // (a text that is no number, one cut short, ...): shown before the findings.
    std::vector<std::string> inputFindings;
    std::vector<DetailsFinding> findings;   // empty: findingsNote says there are none
    std::string findingsNote;

    std::string plotHeading; // "速度プロファイル"
    DetailsPlotState plotState = DetailsPlotState::NotCalculated;
    std::optional<PlotModel> plot; // Plotted only; its texts are Japanese
    std::string plotNote;          // the line shown instead of a plot, or under it
    std::string plotDistance;      // the pulse count as the axis's distance; empty without mechanics

    // What the copy button offers, the plain lines (clipboardText) first and the
    // default, then the registers as a C snippet and as a JSON object.
    std::vector<CopyFormat> copyFormats;
    // The multipliers side by side (see comparisonSection for its table).
    std::optional<MultiplierComparison> comparison;

    // What the details are of, for the forms that start from it: the drive as the
    // calculation read it (none: not calculated) and the number in 出力パルス数.
    std::optional<DriveInput> input;
    std::optional<double> pulseCount;
    // The current axis's mechanics the details were made with: the comparison
    // and the move design also show their figures in its units; none: in PPS only.
    std::optional<AxisMechanics> mechanics;
};

// The details of the calculation the fields show now (none: nothing is
// calculated) for the number in 出力パルス数 (none or not above 0: no plot).
// With the current axis's mechanics the speeds and jerks of the real drive are
// also shown in its units (rpm for speeds), and the pulse count as a distance.
Details makeDetails(const std::optional<Calculation>& calculation, std::optional<double> pulseCount,
                    const AxisMechanics* mechanics = nullptr);

// The same for the controller's calculation, with its status (the last
// command's failure, stale results) and the findings of what it read. A window
// calls controller.readPulseCount() for pulseCount, which also notes the field
// for the findings.
Details makeDetails(const CalculatorController& controller, std::optional<double> pulseCount,
                    const AxisMechanics* mechanics = nullptr);

// The plot of the details as a standalone SVG document, for the save button;
// none where there is no plot.
std::optional<std::string> detailsPlotSvg(const Details& details);

// The Japanese texts the details' plot is made with.
const PlotTexts& detailsPlotTexts();

// The line a window shows after saving to fileName (its name as the user knows
// it): saved, or not saved and why (error from io::replaceFile).
// Why a save failed, in Japanese, for the line under the plot and the machine
// file's message; the file at the path is as it was.
std::string_view saveFailureReason(io::FileWriteError error);
std::string detailsSaveNote(std::string_view fileName, std::optional<io::FileWriteError> error);

// Writes the plot as SVG to path (UTF-8) through io::replaceFile, whole or not
// at all, and gives the line to show: saved, not saved and why, or that there
// is no plot to save (then nothing is written).
std::string saveDetailsPlotSvg(const Details& details, std::string_view path);

} // namespace veldronix::report
