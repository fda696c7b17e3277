#include "cli/message_meaning.h"

#include "cli/texts_en.h"
#include "core/input_error.h"
#include "core/speed_multiplier.h"
#include "report/failure_reason.h"

#include <fmt/format.h>

namespace veldronix::cli {

std::string multiplierName(int index)
{
    const auto multiplier = multiplierAt(index);
    return multiplier ? fmt::format("x{:.0f}", *multiplier) : std::string();
}

std::string messageMeaning(const CommandFailure& failure)
{
    const std::string reason = report::failureReason(failure, texts::en::failureReasons);
    return failure.error == InputError::NoSetting ? fmt::format(texts::en::meaningNoSetting, reason) : reason;
}

std::string stepLabel(CommandStep step, std::optional<int> multiplierIndex)
{
    switch (step) {
    case CommandStep::Calculate:
        return std::string(texts::en::stepCalculate);
    case CommandStep::Recalculate: {
        const int index = multiplierIndex.value_or(-1);
        if (!multiplierAt(index)) {
            return std::string(texts::en::stepRecalculateNone);
        }
        return fmt::format(texts::en::stepRecalculate, multiplierName(index), index);
    }
    case CommandStep::DecelPoint:
        break;
    }
    return std::string(texts::en::stepDecelPoint);
}

std::string_view jsonStepName(CommandStep step)
{
    switch (step) {
    case CommandStep::Calculate:
        return texts::en::jsonStepCalculate;
    case CommandStep::Recalculate:
        return texts::en::jsonStepRecalculate;
    case CommandStep::DecelPoint:
        break;
    }
    return texts::en::jsonStepDecelPoint;
}

} // namespace veldronix::cli
