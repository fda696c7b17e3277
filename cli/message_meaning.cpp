#include "cli/message_meaning.h"

#include "cli/cli_texts.h"
#include "core/input_error.h"
#include "core/speed_multiplier.h"

#include <fmt/format.h>

#include <array>

namespace veldronix::cli {
namespace {

std::string noSettingReason(CommandStep step, const StepState& state)
{
    switch (step) {
    case CommandStep::Calculate:
        return std::string(texts::whyNoMultiplier);
    case CommandStep::Recalculate:
        if (state.autoMultiplierIndex < 0) {
            return std::string(texts::whyNoCalculation);
        }
        if (state.chosenMultiplierIndex < 0) {
            return std::string(texts::whyNoItem);
        }
        return fmt::format(texts::whySmallerMultiplier, multiplierName(state.chosenMultiplierIndex),
                           multiplierName(state.autoMultiplierIndex));
    case CommandStep::DecelPoint:
        break;
    }
    if (!state.decelJerkStored) {
        return std::string(texts::whyNotAsymmetricSCurve);
    }
    if (state.pulseCount == 0.0) {
        return std::string(texts::whyPulsesZero);
    }
    return std::string(texts::whyPulsesTooFew);
}

} // namespace

std::string multiplierName(int index)
{
    const auto multiplier = multiplierAt(index);
    return multiplier ? fmt::format("x{:.0f}", *multiplier) : std::string();
}

std::string messageMeaning(CommandStep step, std::string_view message, const StepState& state)
{
    static constexpr std::array<std::pair<InputError, std::string_view>, 4> inputChecks = {{
        {InputError::DriveSpeedZero, texts::meaningDriveSpeedZero},
        {InputError::AccelTimeZero, texts::meaningAccelTimeZero},
        {InputError::InitialAboveDrive, texts::meaningInitialAboveDrive},
        {InputError::DecelTimeZero, texts::meaningDecelTimeZero},
    }};
    for (const auto& [error, meaning] : inputChecks) {
        if (message == messageFor(error)) {
            return std::string(meaning);
        }
    }
    return fmt::format(texts::meaningNoSetting, noSettingReason(step, state));
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
