#pragma once

#include "report/comparison_texts.h"
#include "report/file_write_reason.h"
#include "report/text_sets.h"

#include <string_view>

// The texts of the reports beyond the dialog's fields: the velocity profile, its
// plot and the rounded drive, in English for every front end.
namespace veldronix::report::texts::en {

// The texts are {fmt} format strings: "{}" stands for a figure (see figureText) or
// a text, filled in order.
// The velocity profile of a drive with --pulses: its heading, or why it has no motion.
inline constexpr std::string_view profileLead = "velocity profile: {}";
// The pulse count, the initial and the drive speed, the ramps' shape.
inline constexpr std::string_view profileHeading = "{} pulses, {} PPS to {} PPS and back, {}";
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

// Why a drive shows no motion; the short move names its figures: {0} the pulse
// count, {1} the initial speed, {2} the drive speed, {3} the pulses the two ramps need.
inline constexpr std::string_view profileShortMove =
    "the move is too short: {0} pulses cannot reach {2} PPS and return to {1} PPS, which takes {3} pulses";
inline constexpr std::string_view profileNoPulses = "none: the pulse count is not a number above 0";
inline constexpr std::string_view profileUnknownType = "none: the drive type names no item, so the ramps have no shape";
inline constexpr std::string_view profileSpeedsReversed = "none: the initial speed is above the drive speed";
inline constexpr std::string_view profileNoDriveSpeed = "none: the drive speed is 0";
inline constexpr std::string_view profileNegativeSpeed = "none: the initial speed {0} PPS is below 0"; // {0} the speed
inline constexpr std::string_view profileBadRampTime = "none: a ramp time is 0 or below";
inline constexpr std::string_view profileNoJerk = "none: an S-curve between equal speeds has no jerk (K is infinite)";
inline constexpr std::string_view profileNotFinite = "none: a figure of the motion is infinite or not a number";

// The plot of --svg FILE: speed over time.
// The profile's heading.
inline constexpr std::string_view svgTitle = "Velocity profile: {}";
inline constexpr std::string_view svgTimeAxis = "time (s)";
inline constexpr std::string_view svgSpeedAxis = "speed (PPS)";
inline constexpr std::string_view svgDecelPoint = "deceleration point: {} pulses";
inline constexpr std::string_view svgDriveSpeed = "drive speed {} PPS";
inline constexpr std::string_view svgInitialSpeed = "initial speed {} PPS";
// A phase's time, already written with its decimals.
inline constexpr std::string_view svgPhaseTime = "{} s";
inline constexpr std::string_view svgPhasePulses = "{} pulses";
// A ramp from one speed to the other; an S-curve's with its jerk.
inline constexpr std::string_view svgRamp = "{} \u2192 {} PPS";
inline constexpr std::string_view svgSCurveRamp = "{} \u2192 {} PPS, jerk {} PPS/s\u00b2";
inline constexpr std::string_view svgAtSpeed = "at {} PPS";
inline constexpr std::string_view svgFontFamily = "DejaVu Sans, Helvetica, Arial, sans-serif";

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
// A quantity of the real drive: {0} the requested value, {1} the real one, {2}
// the unit with its leading blank, {3} the deviation in percent.
inline constexpr std::string_view quantityDeviation = "requested {0}{2}, real {1}{2}, deviation {3} %";
inline constexpr std::string_view quantityNoDeviation = "requested {0}{2}, real {1}{2}, deviation: none";
// Without a real value: {0} the requested value, {1} the unit.
inline constexpr std::string_view quantityNoReal = "requested {0}{1}, real: none (see the findings)";
inline constexpr std::string_view findingsNone = "Findings: none";
inline constexpr std::string_view findingsHeading = "Findings:";
// A finding: the register, its rounded value, its setting value and the reason.
inline constexpr std::string_view finding = "{} = {} (setting value {}): {}";
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
inline constexpr std::string_view reasonAboveMaximum = "above the register's maximum of {0}";
inline constexpr std::string_view reasonNotFinite = "not a finite number, which no register holds";
// With --pulses: the velocity profile of the real drive and its end with the requested deceleration point.
inline constexpr std::string_view realProfileHeading = "Real drive of the rounded settings over the pulse count";
inline constexpr std::string_view realProfileUnknown = ": none, see the findings";
// Where the rounded drive ends from the requested drive's deceleration point
// ({0}) and by how many pulses ({1}).
inline constexpr std::string_view endsEarly =
    "The requested drive's deceleration point {} brings the rounded drive back to the initial speed {} pulses "
    "before the end; it outputs them at the initial speed.";
inline constexpr std::string_view endsLate =
    "The requested drive's deceleration point {} leaves the rounded drive {} pulses short of its deceleration: "
    "the pulse count ends before it is back at the initial speed.";
inline constexpr std::string_view endsExactly =
    "The requested drive's deceleration point {} still ends the rounded drive at the initial speed.";
inline constexpr std::string_view requestedNoDecelPoint =
    "The requested drive has no deceleration point to compare with; its velocity profile above says why.";

// Why a file was not written (pulsecalc --svg), after the file's name.
inline constexpr FileWriteTexts fileWrite{
    .cannotCreate = "cannot create a file in its folder",
    .writeFailed = "writing failed",
    .cannotReplace = "cannot take that name: a folder or a file that may not be replaced is in the way",
    .isFolder = "it is a folder, not a file; it was left as it was",
    .isDevice = "it is a device, not a file; it was left as it was",
    .isFifo = "it is a FIFO (named pipe), not a file; it was left as it was",
    .isSocket = "it is a socket, not a file; it was left as it was",
    .notAFile = "it is not a regular file; it was left as it was",
    .tooManyLinks = "its symbolic links go round in a circle or nest too deep",
    .otherwise = "cannot write the file",
};

// The fields read otherwise than a user may mean, in --rounded's plain output.
inline constexpr std::string_view inputFindingsHeading = "Input findings:";

// The sets of the sentences made by one function in every language.
inline constexpr InputFindingTexts inputFindings{
    .fieldNames = {{"drive type", "initial speed", "drive speed", "time to reach the drive speed",
                    "time to reach the initial speed", "multiplier", "pulse count"}},
    .negative = "{0} \"{1}\" is read as {2}, below 0",
    .notANumber = "{0} \"{1}\" is no number and is read as 0",
    .trailingText = "{0} \"{1}\" is read as {2}: the text after the number is ignored",
    .cut = "{0} is longer than the field's 78 bytes: only \"{1}\" is read, as {2}",
    .noItem = "{0} \"{1}\" names no item, so the drive has no type",
    .noItemEmpty = "{0}: no item is selected, so the drive has no type",
    .wideForms = "{0} \"{1}\" is read as {2}: its full-width digits and signs are read as ASCII",
};
inline constexpr ProfileNoteTexts profileNotes{
    .shortMove = profileShortMove,
    .noPulses = profileNoPulses,
    .unknownDriveType = profileUnknownType,
    .speedsReversed = profileSpeedsReversed,
    .noDriveSpeed = profileNoDriveSpeed,
    .negativeSpeed = profileNegativeSpeed,
    .badRampTime = profileBadRampTime,
    .noJerk = profileNoJerk,
    .notFinite = profileNotFinite,
};
// The plain output says a real drive's absence in its heading and its lack of
// motion in its own profile lines, so it asks only for the ends.
inline constexpr RealEndTexts realEnd{
    .realUnknown = realProfileUnknown,
    .realNoMotion = "{0}",
    .requestedNoDecelPoint = requestedNoDecelPoint,
    .endsEarly = endsEarly,
    .endsLate = endsLate,
    .endsExactly = endsExactly,
};
inline constexpr FindingReasons findingReasons{
    .zeroInitialSpeed = reasonZeroInitialSpeed,
    .zeroDriveSpeed = reasonZeroDriveSpeed,
    .zeroAccel = reasonZeroAccel,
    .zeroDecel = reasonZeroDecel,
    .zeroK = reasonZeroK,
    .zeroL = reasonZeroL,
    .zeroR = reasonZeroR,
    .negative = reasonNegative,
    .aboveMaximum = reasonAboveMaximum,
    .notFinite = reasonNotFinite,
};

inline constexpr DesignSearchTexts designSearch{
    .cutLatest = "The ramp windows hold too many settings to try them all: this is the latest end among the first {0} tried.",
    .cutNone = "The ramp windows hold too many settings to try them all: none of the first {0} tried ends by the target.",
};

// The comparison of the multipliers (--compare).
inline constexpr ComparisonTexts comparison{
    .heading = "Comparison of the multipliers",
    .notCalculated = ": none, no setting values were calculated",
    .columnMark = "",
    .markInUse = "in use",
    .markRecommended = "recommended",
    .markInUseRecommended = "in use, recommended",
    .columnMultiplier = "multiplier",
    .columnSpeedStep = "speed step",
    .speedStep = "{} PPS",
    .columnInitialSpeed = "initial speed (PPS)",
    .columnDriveSpeed = "drive speed (PPS)",
    .columnRampTime = "ramp time (s)",
    .columnAccelTime = "acceleration time (s)",
    .columnDecelTime = "deceleration time (s)",
    .columnJerk = "jerk (PPS/s²)",
    .columnAccelJerk = "acceleration jerk (PPS/s²)",
    .columnDecelJerk = "deceleration jerk (PPS/s²)",
    .columnInUnits = "{} ({})",
    .nameInitialSpeed = "initial speed",
    .nameDriveSpeed = "drive speed",
    .nameJerk = "jerk",
    .nameAccelJerk = "acceleration jerk",
    .nameDecelJerk = "deceleration jerk",
    .realWithDeviation = "{} ({} %)",
    .realNoDeviation = "{} (no deviation)",
    .columnLargestDeviation = "largest deviation",
    .largestDeviation = "{} %",
    .none = "none",
    .columnFindings = "findings",
    .findingsNone = "none",
    .findingZero = "{} is 0",
    .findingNegative = "{} is negative",
    .findingAboveMaximum = "{} is above {}",
    .findingNotFinite = "{} is not finite",
    .findingSeparator = ", ",
    .rule = "The recommended multiplier: of those without findings whose deviations are all known, the one with the "
            "smallest largest deviation (the largest absolute deviation, compared as printed); the smaller multiplier "
            "when equal; none when no multiplier qualifies.",
    .recommendation = "Recommended: multiplier {}",
    .noRecommendation = "Recommended: none; every multiplier has a finding or a deviation that cannot be worked out.",
    .recommendationWithheld = "Recommended: none; {}, so no multiplier's deviations mean anything.",
    .inputFindings = inputFindings,
    .chooseHint = "",
    .chooseButton = "",
};

// The drive in the axis's units, after the fields in pulsecalc's plain output.
inline constexpr std::string_view unitMillimetre = "mm";
inline constexpr std::string_view unitDegree = "°";
inline constexpr std::string_view unknownFigure = "-";
// {0} the axis's name.
inline constexpr std::string_view axisWithoutMechanics = "\naxis {0}: no mechanics, every figure in PPS\n";
// {0} the name, {1} pulses per unit, {2} the unit, {3} pulses per motor rev, {4} the gear, {5} travel per load rev.
inline constexpr std::string_view axisHeading =
    "\naxis {0}: {1} pulses/{2} ({3} pulses/rev, gear {4}, {5} {2}/rev)\n";
inline constexpr std::string_view labelAccelRate = "acceleration";
inline constexpr std::string_view labelDecelRate = "deceleration";
// {0} the label, {1} PPS, {2} units/s, {3} the unit, {4} rpm, then the real drive: {5} PPS, {6} units/s, {7} rpm.
inline constexpr std::string_view axisSpeedLine =
    "  {0}: {1} PPS = {2} {3}/s = {4} rpm; real {5} PPS = {6} {3}/s = {7} rpm\n";
// {0} the label, {1} PPS/s, {2} units/s², {3} the unit, then the real drive's {4} PPS/s and {5} units/s².
inline constexpr std::string_view axisRateLine = "  {0}: {1} PPS/s = {2} {3}/s²; real {4} PPS/s = {5} {3}/s²\n";
inline constexpr std::string_view axisJerkLine = "  {0}: {1} PPS/s² = {2} {3}/s³; real {4} PPS/s² = {5} {3}/s³\n";
// {0} the pulse count, {1} the distance, {2} the unit.
inline constexpr std::string_view axisDistanceLine = "  pulse count: {0} pulses = {1} {2}\n";

// Opening and saving a machine file, for pulsecalc.
inline constexpr MachineFileTexts machineFile{
    .message = "machine file {0}{1}: {2}",
    .atLine = ", line {0}",
    .inMember = "{0}: {1}",
    .cannotRead = "cannot be read: {0}",
    .tooLarge = "larger than 16 MB",
    .notJson = "not JSON",
    .notUtf8 = "text that is not UTF-8",
    .tooDeep = "nested deeper than 64 levels",
    .duplicateMember = "the member \"{0}\" given twice",
    .notMachineFile = "not a Veldronix machine file",
    .otherFormat = "a \"{0}\" file, not a Veldronix machine file",
    .newerVersion = "version {0}, newer than the version 1 this program reads",
    .missingMember = "missing",
    .unknownMember = "no member of a machine file",
    .wrongType = "must be a {0}",
    .numberOutOfRange = "the number {0} is out of range",
    .textTooLong = "longer than the 78 bytes a field takes",
    .nulCharacter = "a NUL character, which no field takes",
    .badValue = "{0} is not one of its values",
    .notANumber = "not a number",
    .notPositive = "must be above 0",
    .outOfRange = "must be from 0.000001 to 1000000000",
    .rotaryNot360 = "a rotary axis turns 360° per load revolution",
    .nameEmpty = "the axis name is empty",
    .nameNotUtf8 = "the axis name is not UTF-8",
    .nameControlCharacter = "the axis name holds a control character",
    .duplicateAxis = "the axis name \"{0}\" is taken by an earlier axis",
    .noAxes = "no axis",
    .cannotWrite = "cannot be written: {0}",
};

} // namespace veldronix::report::texts::en
