#pragma once

#include "controller/command_failure.h"
#include "report/input_findings.h"

#include <string>
#include <string_view>
#include <vector>

namespace veldronix::report {

// The fields whose reading a failure follows from: a zero check the field it
// checks, 初速度がドライブ速度より大きい both speeds, no multiplier the drive
// speed, a pulse count of 0 or too small the pulse count; none for the others.
std::vector<InputField> fieldsBehind(const CommandFailure& failure);

// One line for each field behind the failure that was read otherwise than
// typed, in field order: the field, its text and the number read, in the
// format given ({0} the field, {1} its text, {2} the number), e.g.
// "ドライブ速度「1,000」を1と読んだため、このメッセージになりました。".
// A field with several findings has one line; full-width digits read as the
// number they show are no cause.
std::vector<std::string> failureCauseLines(const CommandFailure& failure, const std::vector<InputFinding>& findings,
                                           const Format3& format, const InputFindingTexts& names);

} // namespace veldronix::report
