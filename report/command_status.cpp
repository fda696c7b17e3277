#include "report/command_status.h"

#include "report/failure_reason.h"

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

} // namespace

std::string failureSentence(const CommandFailure& failure, const CommandStatusTexts& texts)
{
    return texts.failure(commandName(failure.command, texts), failureReason(failure, texts.reasons));
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
