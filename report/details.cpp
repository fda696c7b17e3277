#include "report/details.h"

#include "report/command_status.h"
#include "report/comparison_texts.h"
#include "report/details_units.h"
#include "report/failure_cause.h"
#include "report/texts_ja.h"
#include "report/input_findings.h"
#include "report/profile_report.h"
#include "report/profile_svg.h"
#include "report/rounded_report.h"
#include "core/number_format.h"
#include "core/rounded_profile.h"
#include "core/setting_texts.h"
#include "core/texts_ja.h"

#include <fmt/format.h>

#include <cmath>

namespace veldronix::report {
namespace {

namespace t = texts::ja;

std::string headingOf(const Calculation& calculation)
{
    const auto type = static_cast<std::size_t>(calculation.input.driveType);
    const std::string_view typeItem =
        isKnownDriveType(calculation.input.driveType) ? veldronix::texts::ja::driveTypeItems[type] : t::driveTypeNone;
    const auto index = static_cast<std::size_t>(calculation.multiplierIndex);
    // The index always names an item; the multiplier itself is the fallback of a calculation made by hand.
    const std::string multiplierItem = index < veldronix::texts::ja::multiplierItems.size()
                                           ? std::string(veldronix::texts::ja::multiplierItems[index])
                                           : formatFixedUnsignedZero(calculation.multiplier, 0);
    return fmt::format(t::heading, typeItem, multiplierItem);
}

// The field's text without the right-aligned field's trailing blank.
std::string withoutMargin(std::string text)
{
    if (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

std::string integerText(double rounded)
{
    return std::isfinite(rounded) ? formatFixedUnsignedZero(rounded, 0) : std::string(t::none);
}

void addRegisters(Details& details, const SettingTexts& fields, const RoundedDrive& drive)
{
    for (const RegisterDescription& entry : settingRegisters) {
        const auto rounded = drive.rounded[entry.id];
        if (!rounded) {
            continue;
        }
        DetailsRegister line;
        line.setting = entry.id;
        line.name = std::string(entry.name);
        line.integer = integerText(*rounded);
        line.settingValue = withoutMargin(fields.registers[entry.id]);
        for (const RoundingFinding& finding : drive.findings) {
            line.hasFinding = line.hasFinding || finding.setting == entry.id;
        }
        details.clipboardText += fmt::format(t::clipboardLine, line.name, line.integer);
        details.registers.push_back(std::move(line));
    }
}

// One quantity: requested and real value in the unit's text, and the deviation;
// a speed or a jerk also in the axis's units where it has mechanics.
DetailsQuantity quantityOf(std::string_view label, const Format1& unit, int decimals, const RealQuantity& q,
                           const AxisMechanics* mechanics = nullptr, AxisQuantity kind = AxisQuantity::Speed)
{
    const auto withUnit = [&unit, mechanics, kind, decimals](double value) {
        std::string text = unit(formatReadable(value, decimals));
        return mechanics != nullptr ? withAxisUnits(std::move(text), value, kind, *mechanics) : text;
    };
    DetailsQuantity line;
    line.label = std::string(label);
    line.requested = withUnit(q.requested);
    line.real = q.real ? withUnit(*q.real) : std::string(t::noReal);
    line.deviation =
        q.deviationPercent ? fmt::format(t::deviation, deviationText(*q.deviationPercent)) : std::string(t::none);
    line.marked = !q.real || !q.deviationPercent;
    return line;
}

void addRealDrive(Details& details, DriveType type, const RoundedDrive& drive, const AxisMechanics* mechanics)
{
    const bool asymmetric = isAsymmetric(type);
    auto& lines = details.realDrive;
    lines.push_back(quantityOf(t::labelInitialSpeed, t::speed, roundedSpeedDecimals, drive.initialSpeed, mechanics));
    lines.push_back(quantityOf(t::labelDriveSpeed, t::speed, roundedSpeedDecimals, drive.driveSpeed, mechanics));
    if (drive.accelTime) {
        lines.push_back(quantityOf(asymmetric ? t::labelAccelTime : t::labelRampTime, t::time, roundedTimeDecimals,
                                   *drive.accelTime));
    }
    if (drive.decelTime) {
        lines.push_back(quantityOf(t::labelDecelTime, t::time, roundedTimeDecimals, *drive.decelTime));
    }
    if (drive.accelJerk) {
        lines.push_back(quantityOf(asymmetric ? t::labelAccelJerk : t::labelJerk, t::jerk, roundedJerkDecimals,
                                   *drive.accelJerk, mechanics, AxisQuantity::Jerk));
    }
    if (drive.decelJerk) {
        lines.push_back(quantityOf(t::labelDecelJerk, t::jerk, roundedJerkDecimals, *drive.decelJerk, mechanics,
                                   AxisQuantity::Jerk));
    }
}

void addFindings(Details& details, const SettingTexts& fields, const RoundedDrive& drive)
{
    for (const RoundingFinding& finding : drive.findings) {
        const std::string_view name = describe(finding.setting).name;
        details.findings.push_back(
            {finding.setting, finding.problem,
             fmt::format(t::finding, name, integerText(finding.rounded), withoutMargin(fields.registers[finding.setting]),
                         findingReason(finding, t::findingReasons))});
    }
    if (details.findings.empty()) {
        details.findingsNote = std::string(t::findingsNone);
    }
}

// The plot of the requested drive, the one the dialog's fields and its manual
// deceleration point describe, and the note on where the integers' drive ends.
void addPlot(Details& details, const Calculation& calculation, const RoundedDrive& drive,
             std::optional<double> pulseCount)
{
    // A not-a-number is no positive count either.
    if (!pulseCount || !(*pulseCount > 0.0)) {
        details.plotState = DetailsPlotState::NoPulseCount;
        details.plotNote = std::string(t::noPulseCount);
        return;
    }
    const RoundedProfile profile = computeRoundedProfile(calculation.input, drive, *pulseCount);
    details.plot = makePlotModel(profile.requested, calculation.values.summary, detailsPlotTexts());
    if (!details.plot) {
        details.plotState = DetailsPlotState::NoMotion;
        details.plotNote = profileNote(profile.requested, t::profileNotes);
        return;
    }
    details.plotState = DetailsPlotState::Plotted;
    details.plotNote = realEndNote(profile, t::realEnd, t::profileNotes);
}

void addCopyFormats(Details& details, const Calculation& calculation, const RoundedDrive& drive)
{
    const RegisterCodeTexts& labels = texts::ja::registerCode;
    details.copyFormats = {
        {CopyFormatKind::Lines, std::string(labels.labelLines), details.clipboardText},
        {CopyFormatKind::C, std::string(labels.labelC), registersAsC(calculation, drive)},
        {CopyFormatKind::Json, std::string(labels.labelJson), registersAsJson(calculation, drive)},
    };
}

} // namespace

const PlotTexts& detailsPlotTexts()
{
    static constexpr PlotTexts japanese{
        .title = t::plotTitle,
        .heading = t::plotSubject,
        .shapeLinear = t::shapeLinear,
        .shapeSCurve = t::shapeSCurve,
        .timeAxis = t::timeAxis,
        .speedAxis = t::speedAxis,
        .phaseAccel = t::phaseAccel,
        .phaseConstant = t::phaseConstant,
        .phaseDecel = t::phaseDecel,
        .totalMove = t::totalMove,
        .decelPoint = t::decelPoint,
        .driveSpeed = t::driveSpeedLabel,
        .initialSpeed = t::initialSpeedLabel,
        .phaseTime = t::phaseTime,
        .phasePulses = t::phasePulses,
        .ramp = t::ramp,
        .sCurveRamp = t::sCurveRamp,
        .atSpeed = t::atSpeed,
        .fontFamily = t::fontFamily,
    };
    return japanese;
}

namespace {

Details detailsOf(const std::optional<Calculation>& calculation, std::optional<double> pulseCount,
                  const std::vector<InputFinding>& inputFindings, const AxisMechanics* mechanics)
{
    Details details;
    details.pulseCount = pulseCount;
    if (mechanics != nullptr) {
        details.mechanics = *mechanics;
    }
    if (!calculation) {
        details.heading = std::string(t::notCalculated);
        return details;
    }
    details.calculated = true;
    details.input = calculation->input;
    details.heading = headingOf(*calculation);
    details.registersHeading = std::string(t::registersHeading);
    details.realDriveHeading = std::string(t::realDriveHeading);
    details.findingsHeading = std::string(t::findingsHeading);
    details.plotHeading = std::string(t::plotHeading);

    const RoundedDrive drive = computeRoundedDrive(calculation->input, calculation->multiplier);
    // The value fields' texts, as the dialog shows them, for the registers and the findings.
    const SettingTexts fields = formatSettingTexts(calculation->values);
    addRegisters(details, fields, drive);
    addRealDrive(details, calculation->input.driveType, drive, mechanics);
    addFindings(details, fields, drive);
    addPlot(details, *calculation, drive, pulseCount);
    if (mechanics != nullptr && pulseCount && *pulseCount > 0.0) {
        details.plotDistance = pulseDistanceLine(*pulseCount, *mechanics);
    }
    addCopyFormats(details, *calculation, drive);
    details.comparison = compareMultipliers(*calculation, inputFindings);
    return details;
}

} // namespace

Details makeDetails(const std::optional<Calculation>& calculation, std::optional<double> pulseCount,
                    const AxisMechanics* mechanics)
{
    return detailsOf(calculation, pulseCount, {}, mechanics);
}

Details makeDetails(const CalculatorController& controller, std::optional<double> pulseCount,
                    const AxisMechanics* mechanics)
{
    const auto& reading = controller.lastReading();
    const std::vector<InputFinding> findings = reading ? findInputProblems(*reading) : std::vector<InputFinding>{};
    Details details = detailsOf(controller.lastCalculation(), pulseCount, findings, mechanics);
    details.status = commandStatusLines(controller.lastFailure(), controller.resultFreshness(), t::commandStatus);
    if (const auto& failure = controller.lastFailure()) {
        // Right after the failure's own line, which comes first.
        const std::vector<std::string> causes =
            failureCauseLines(*failure, findings, t::failureCausedByReading, t::inputFindings);
        details.status.insert(details.status.begin() + (details.status.empty() ? 0 : 1), causes.begin(), causes.end());
    }
    for (const InputFinding& finding : findings) {
        details.inputFindings.push_back(inputFindingSentence(finding, t::inputFindings));
    }
    // Right under a finding of the input, "none" would read as if all were well.
    if (!details.inputFindings.empty() && details.findingsNote == t::findingsNone) {
        details.findingsNote = std::string(t::findingsNoneButInput);
    }
    return details;
}

std::optional<std::string> detailsPlotSvg(const Details& details)
{
    if (!details.plot) {
        return std::nullopt;
    }
    return documentSvg(*details.plot);
}

std::string detailsSaveNote(std::string_view fileName, std::optional<io::FileWriteError> error)
{
    if (!error) {
        return fmt::format(t::saved, fileName);
    }
    return fmt::format(t::saveFailed, fileName, fileWriteReason(*error, t::fileWrite));
}

std::string saveDetailsPlotSvg(const Details& details, std::string_view path)
{
    const auto svg = detailsPlotSvg(details);
    if (!svg) {
        return std::string(t::saveNoPlot);
    }
    return detailsSaveNote(path, io::replaceFile(path, *svg));
}

} // namespace veldronix::report
