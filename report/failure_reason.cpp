#include "report/failure_reason.h"

#include "core/number_format.h"
#include "core/speed_multiplier.h"

namespace veldronix::report {
namespace {

// A multiplier item as the sentence names it; its index where it names none,
// which a refused Recalculate never gives (it names two items of the selector).
std::string multiplierText(int index, const FailureReasonTexts& texts)
{
    const auto multiplier = multiplierAt(index);
    return multiplier ? texts.multiplier(formatFixedUnsignedZero(*multiplier, 0)) : std::to_string(index);
}

std::string noSettingReason(const CommandFailure& failure, const FailureReasonTexts& texts)
{
    switch (failure.reason.value_or(NoSettingReason::NothingCalculated)) {
    case NoSettingReason::NothingCalculated:
        return std::string(failure.command == Command::ComputeDecelPoint ? texts.nothingCalculatedForDecelPoint
                                                                         : texts.nothingCalculated);
    case NoSettingReason::NoMultiplierFits:
        return std::string(texts.noMultiplierFits);
    case NoSettingReason::SmallerMultiplier:
        return texts.smallerMultiplier(multiplierText(failure.selectedMultiplierIndex, texts),
                                       multiplierText(failure.autoMultiplierIndex, texts));
    case NoSettingReason::NoMultiplierSelected:
        return std::string(texts.noMultiplierSelected);
    case NoSettingReason::NotAsymmetricSCurve:
        return std::string(texts.notAsymmetricSCurve);
    case NoSettingReason::PulseCountZero:
        return std::string(texts.pulseCountZero);
    case NoSettingReason::PulseCountTooSmall:
        break;
    }
    return std::string(texts.pulseCountTooSmall);
}

} // namespace

std::string failureReason(const CommandFailure& failure, const FailureReasonTexts& texts)
{
    switch (failure.error) {
    case InputError::DriveSpeedZero:
        return std::string(texts.driveSpeedZero);
    case InputError::AccelTimeZero:
        return std::string(texts.accelTimeZero);
    case InputError::InitialAboveDrive:
        return std::string(texts.initialAboveDrive);
    case InputError::DecelTimeZero:
        return std::string(texts.decelTimeZero);
    case InputError::NoSetting:
        break;
    }
    return noSettingReason(failure, texts);
}

} // namespace veldronix::report
