#include "report/command_status.h"

#include "core/number_format.h"
#include "core/speed_multiplier.h"

#include <fmt/format.h>

namespace veldronix::report {
namespace {

std::string_view commandName(Command command, const CommandStatusTexts& texts)
{
    switch (command) {
    case Command::Calculate:
        return texts.calculate;
    case Command::Recalculate:
        return texts.recalculate;
    case Command::ComputeDecelPoint:
        break;
    }
    return texts.computeDecelPoint;
}

// A multiplier item as the sentence names it: "50"; its index where it names none.
std::string multiplierText(int index)
{
    const auto multiplier = multiplierAt(index);
    return multiplier ? formatFixedUnsignedZero(*multiplier, 0) : std::to_string(index);
}

std::string noSettingReason(const CommandFailure& failure, const CommandStatusTexts& texts)
{
    switch (failure.reason.value_or(NoSettingReason::NothingCalculated)) {
    case NoSettingReason::NothingCalculated:
        return std::string(failure.command == Command::ComputeDecelPoint ? texts.nothingCalculatedForDecelPoint
                                                                         : texts.nothingCalculated);
    case NoSettingReason::NoMultiplierFits:
        return std::string(texts.noMultiplierFits);
    case NoSettingReason::SmallerMultiplier:
        return fmt::format(fmt::runtime(texts.smallerMultiplier), multiplierText(failure.selectedMultiplierIndex),
                           multiplierText(failure.autoMultiplierIndex));
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

std::string reasonOf(const CommandFailure& failure, const CommandStatusTexts& texts)
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

} // namespace

std::string failureSentence(const CommandFailure& failure, const CommandStatusTexts& texts)
{
    return fmt::format(fmt::runtime(texts.failure), commandName(failure.command, texts), reasonOf(failure, texts));
}

std::vector<std::string> commandStatusLines(const std::optional<CommandFailure>& failure,
                                            const ResultFreshness& freshness, const CommandStatusTexts& texts)
{
    std::vector<std::string> lines;
    if (failure) {
        lines.push_back(failureSentence(*failure, texts));
    }
    if (freshness.valuesStale) {
        lines.emplace_back(texts.valuesStale);
    }
    if (freshness.decelPointStale) {
        lines.emplace_back(texts.decelPointStale);
    }
    return lines;
}

std::string staleFieldNote(ControlId field, const ResultFreshness& freshness, const CommandStatusTexts& texts)
{
    if (!isStale(field, freshness)) {
        return {};
    }
    return std::string(field == ControlId::IDC_DECEL_POINT ? texts.decelPointStale : texts.valuesStale);
}

} // namespace veldronix::report
