#include "cli/message_meaning.h"

#include "cli/cli_texts.h"
#include "core/input_error.h"
#include "core/speed_multiplier.h"

#include <fmt/format.h>


namespace veldronix::cli {
namespace {

std::string noSettingReason(const CommandFailure& failure)
{
    switch (failure.reason.value_or(NoSettingReason::NothingCalculated)) {
    case NoSettingReason::NoMultiplierFits:
        return std::string(texts::whyNoMultiplier);
    case NoSettingReason::NothingCalculated:
        // 算出 names what it needs, which a Calculate of another type does not give either.
        return std::string(failure.command == Command::ComputeDecelPoint ? texts::whyNotAsymmetricSCurve
                                                                         : texts::whyNoCalculation);
    case NoSettingReason::NoMultiplierSelected:
        return std::string(texts::whyNoItem);
    case NoSettingReason::SmallerMultiplier:
        return fmt::format(texts::whySmallerMultiplier, multiplierName(failure.selectedMultiplierIndex),
                           multiplierName(failure.autoMultiplierIndex));
    case NoSettingReason::NotAsymmetricSCurve:
        return std::string(texts::whyNotAsymmetricSCurve);
    case NoSettingReason::PulseCountZero:
        return std::string(texts::whyPulsesZero);
    case NoSettingReason::PulseCountTooSmall:
        break;
    }
    return std::string(texts::whyPulsesTooFew);
}

} // namespace

std::string multiplierName(int index)
{
    const auto multiplier = multiplierAt(index);
    return multiplier ? fmt::format("x{:.0f}", *multiplier) : std::string();
}

std::string messageMeaning(const CommandFailure& failure)
{
    switch (failure.error) {
    case InputError::DriveSpeedZero:
        return std::string(texts::meaningDriveSpeedZero);
    case InputError::AccelTimeZero:
        return std::string(texts::meaningAccelTimeZero);
    case InputError::InitialAboveDrive:
        return std::string(texts::meaningInitialAboveDrive);
    case InputError::DecelTimeZero:
        return std::string(texts::meaningDecelTimeZero);
    case InputError::NoSetting:
        break;
    }
    return fmt::format(texts::meaningNoSetting, noSettingReason(failure));
}

std::string stepLabel(CommandStep step, std::optional<int> multiplierIndex)
{
    switch (step) {
    case CommandStep::Calculate:
        return std::string(texts::stepCalculate);
    case CommandStep::Recalculate: {
        const int index = multiplierIndex.value_or(-1);
        if (!multiplierAt(index)) {
            return std::string(texts::stepRecalculateNone);
        }
        return fmt::format(texts::stepRecalculate, multiplierName(index), index);
    }
    case CommandStep::DecelPoint:
        break;
    }
    return std::string(texts::stepDecelPoint);
}

std::string_view jsonStepName(CommandStep step)
{
    switch (step) {
    case CommandStep::Calculate:
        return texts::jsonStepCalculate;
    case CommandStep::Recalculate:
        return texts::jsonStepRecalculate;
    case CommandStep::DecelPoint:
        break;
    }
    return texts::jsonStepDecelPoint;
}

} // namespace veldronix::cli
