#pragma once

#include "controller/command_failure.h"
#include "controller/result_fields.h"
#include "core/control_id.h"
#include "report/texts_ja.h"
#include "report/text_sets.h"

#include <optional>
#include <string>
#include <vector>

namespace veldronix::report {

// Why a command failed, in one sentence of the given texts, from the failure
// value (never from the message shown).
std::string failureSentence(const CommandFailure& failure, const CommandStatusTexts& texts);

// The details' status lines: the last command's failure, then the results on
// show that no longer belong to the calculation; empty when there is neither.
std::vector<std::string> commandStatusLines(const std::optional<CommandFailure>& failure,
                                            const ResultFreshness& freshness, const CommandStatusTexts& texts);

// The tooltip of a result field that no longer belongs to the calculation (the
// summary, a value field or マニュアル減速点); empty when it does, or for any
// other control. The dialogs call it with controller.resultFreshness() after
// every command, in the dialog's Japanese.
std::string staleFieldNote(ControlId field, const ResultFreshness& freshness,
                           const CommandStatusTexts& texts = texts::ja::commandStatus);

} // namespace veldronix::report
