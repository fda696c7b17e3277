#include "report/details.h"

#include "report/comparison_texts.h"
#include "report/details_texts.h"
#include "report/profile_report.h"
#include "report/profile_svg.h"
#include "report/rounded_report.h"
#include "core/number_format.h"
#include "core/rounded_profile.h"
#include "core/setting_texts.h"
#include "core/texts.h"

#include <fmt/format.h>

#include <cmath>

namespace veldronix::report {
namespace {

namespace t = detailsTexts;

constexpr int pulseDecimals = 3; // as the manual deceleration point's field shows them

constexpr FindingReasons japaneseReasons{
    t::reasonZeroInitialSpeed, t::reasonZeroDriveSpeed, t::reasonZeroAccel, t::reasonZeroDecel,
    t::reasonZeroK,            t::reasonZeroL,          t::reasonZeroR,     t::reasonNegative,
    t::reasonAboveMaximum,     t::reasonNotFinite,
};

std::string headingOf(const Calculation& calculation)
{
    const auto type = static_cast<std::size_t>(calculation.input.driveType);
    const std::string_view typeItem =
        isKnownDriveType(calculation.input.driveType) ? veldronix::texts::driveTypeItems[type] : t::driveTypeNone;
    const auto index = static_cast<std::size_t>(calculation.multiplierIndex);
    // The index always names an item; the multiplier itself is the fallback of a calculation made by hand.
    const std::string multiplierItem = index < veldronix::texts::multiplierItems.size()
                                           ? std::string(veldronix::texts::multiplierItems[index])
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

void addRegisters(Details& details, const Calculation& calculation, const RoundedDrive& drive)
{
    const SettingTexts fields = formatSettingTexts(calculation.values);
    for (const RegisterDescription& entry : settingRegisters) {
        const auto rounded = registerValue(drive.rounded, entry.id);
        if (!rounded) {
            continue;
        }
        DetailsRegister line;
        line.setting = entry.id;
        line.name = std::string(entry.name);
        line.integer = integerText(*rounded);
        line.settingValue = withoutMargin(fields.text(entry.id));
        for (const RoundingFinding& finding : drive.findings) {
            line.hasFinding = line.hasFinding || finding.setting == entry.id;
        }
        details.clipboardText += fmt::format(t::clipboardLine, line.name, line.integer);
        details.registers.push_back(std::move(line));
    }
}

// One quantity: requested and real value in the unit's text, and the deviation.
DetailsQuantity quantityOf(std::string_view label, std::string_view unit, int decimals, const RealQuantity& q)
{
    const auto withUnit = [unit](const std::string& figure) { return fmt::format(fmt::runtime(unit), figure); };
    DetailsQuantity line;
    line.label = std::string(label);
    line.requested = withUnit(formatFixedUnsignedZero(q.requested, decimals));
    line.real = q.real ? withUnit(formatFixedUnsignedZero(*q.real, decimals)) : std::string(t::noReal);
    line.deviation =
        q.deviationPercent ? fmt::format(t::deviation, deviationText(*q.deviationPercent)) : std::string(t::none);
    line.marked = !q.real || !q.deviationPercent;
    return line;
}

void addRealDrive(Details& details, DriveType type, const RoundedDrive& drive)
{
    const bool asymmetric = isAsymmetric(type);
    auto& lines = details.realDrive;
    lines.push_back(quantityOf(t::labelInitialSpeed, t::speed, roundedSpeedDecimals, drive.initialSpeed));
    lines.push_back(quantityOf(t::labelDriveSpeed, t::speed, roundedSpeedDecimals, drive.driveSpeed));
    if (drive.accelTime) {
        lines.push_back(quantityOf(asymmetric ? t::labelAccelTime : t::labelRampTime, t::time, roundedTimeDecimals,
                                   *drive.accelTime));
    }
    if (drive.decelTime) {
        lines.push_back(quantityOf(t::labelDecelTime, t::time, roundedTimeDecimals, *drive.decelTime));
    }
    if (drive.accelJerk) {
        lines.push_back(quantityOf(asymmetric ? t::labelAccelJerk : t::labelJerk, t::jerk, roundedJerkDecimals,
                                   *drive.accelJerk));
    }
    if (drive.decelJerk) {
        lines.push_back(quantityOf(t::labelDecelJerk, t::jerk, roundedJerkDecimals, *drive.decelJerk));
    }
}

void addFindings(Details& details, const Calculation& calculation, const RoundedDrive& drive)
{
    const SettingTexts fields = formatSettingTexts(calculation.values);
    for (const RoundingFinding& finding : drive.findings) {
        const std::string_view name = describe(finding.setting).name;
        details.findings.push_back(
            {finding.setting, finding.problem,
             fmt::format(t::finding, name, integerText(finding.rounded), withoutMargin(fields.text(finding.setting)),
                         findingReason(finding, japaneseReasons))});
    }
    if (details.findings.empty()) {
        details.findingsNote = std::string(t::findingsNone);
    }
}

// Why a profile shows no motion, in Japanese.
std::string noMotionNote(const VelocityProfile& profile)
{
    switch (profile.status) {
    case ProfileStatus::Complete:
        return {};
    case ProfileStatus::ShortMove:
        return fmt::format(t::shortMove, figureText(profile.totalPulses), figureText(profile.initialSpeed),
                           figureText(profile.driveSpeed), figureText(profile.rampPulses));
    case ProfileStatus::NoPulses:
        return std::string(t::noPulseCount);
    case ProfileStatus::UnknownDriveType:
        return std::string(t::unknownDriveType);
    case ProfileStatus::SpeedsReversed:
        return std::string(t::speedsReversed);
    case ProfileStatus::NoDriveSpeed:
        return std::string(t::noDriveSpeed);
    case ProfileStatus::NegativeSpeed:
        return fmt::format(t::negativeSpeed, figureText(profile.initialSpeed));
    case ProfileStatus::BadRampTime:
        return std::string(t::badRampTime);
    case ProfileStatus::NoJerk:
        return std::string(t::noJerk);
    case ProfileStatus::NotFinite:
        break;
    }
    return std::string(t::notFinite);
}

// Under the plot: how the integers' drive ends from the plotted deceleration point.
std::string realEndNote(const RoundedProfile& profile)
{
    if (!profile.real) {
        return std::string(t::realUnknown);
    }
    if (profile.real->status != ProfileStatus::Complete) {
        return fmt::format(t::realNoMotion, noMotionNote(*profile.real));
    }
    if (!profile.earlyBy) {
        return {};
    }
    const std::string decelPoint = formatFixedUnsignedZero(profile.requested.decelPoint, pulseDecimals);
    const std::string early = formatFixedUnsignedZero(*profile.earlyBy, pulseDecimals);
    if (early.find_first_not_of("0.") == std::string::npos) {
        return fmt::format(t::endsExactly, decelPoint);
    }
    if (*profile.earlyBy > 0.0) {
        return fmt::format(t::endsEarly, decelPoint, early);
    }
    return fmt::format(t::endsLate, decelPoint, formatFixedUnsignedZero(-*profile.earlyBy, pulseDecimals));
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
        details.plotNote = noMotionNote(profile.requested);
        return;
    }
    details.plotState = DetailsPlotState::Plotted;
    details.plotNote = realEndNote(profile);
}

void addCopyFormats(Details& details, const Calculation& calculation, const RoundedDrive& drive)
{
    const RegisterCodeTexts& labels = japaneseRegisterCodeTexts;
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
        t::plotTitle,  t::plotSubject,   t::shapeLinear,   t::shapeSCurve,     t::timeAxis,
        t::speedAxis,  t::phaseAccel,    t::phaseConstant, t::phaseDecel,      t::totalMove,
        t::decelPoint, t::driveSpeedLabel, t::initialSpeedLabel, t::phaseTime, t::phasePulses,
        t::ramp,       t::sCurveRamp,    t::atSpeed,       t::fontFamily,
    };
    return japanese;
}

Details makeDetails(const std::optional<Calculation>& calculation, std::optional<double> pulseCount)
{
    Details details;
    if (!calculation) {
        details.heading = std::string(t::notCalculated);
        return details;
    }
    details.calculated = true;
    details.heading = headingOf(*calculation);
    details.registersHeading = std::string(t::registersHeading);
    details.realDriveHeading = std::string(t::realDriveHeading);
    details.findingsHeading = std::string(t::findingsHeading);
    details.plotHeading = std::string(t::plotHeading);

    const RoundedDrive drive = computeRoundedDrive(calculation->input, calculation->multiplier);
    addRegisters(details, *calculation, drive);
    addRealDrive(details, calculation->input.driveType, drive);
    addFindings(details, *calculation, drive);
    addPlot(details, *calculation, drive, pulseCount);
    addCopyFormats(details, *calculation, drive);
    details.comparison = compareMultipliers(*calculation);
    return details;
}

std::optional<std::string> detailsPlotSvg(const Details& details)
{
    if (!details.plot) {
        return std::nullopt;
    }
    return plotSvg(*details.plot);
}

namespace {

// Why a save failed, for the line under the plot; the file at the path is as it was.
std::string_view saveFailureReason(io::FileWriteError error)
{
    switch (error) {
    case io::FileWriteError::CannotCreate:
        return t::saveCannotCreate;
    case io::FileWriteError::WriteFailed:
        return t::saveWriteFailed;
    case io::FileWriteError::CannotReplace:
        return t::saveCannotReplace;
    case io::FileWriteError::IsDirectory:
        return t::saveIsFolder;
    case io::FileWriteError::IsDevice:
        return t::saveIsDevice;
    case io::FileWriteError::IsFifo:
        return t::saveIsFifo;
    case io::FileWriteError::IsSocket:
        return t::saveIsSocket;
    case io::FileWriteError::NotAFile:
        return t::saveNotAFile;
    case io::FileWriteError::TooManyLinks:
        return t::saveTooManyLinks;
    }
    return t::saveCannotReplace;
}

} // namespace

std::string detailsSaveNote(std::string_view fileName, std::optional<io::FileWriteError> error)
{
    if (!error) {
        return fmt::format(t::saved, fileName);
    }
    return fmt::format(t::saveFailed, fileName, saveFailureReason(*error));
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
