#include "report/failure_cause.h"

#include "core/number_format.h"

#include <algorithm>

namespace veldronix::report {

std::vector<InputField> fieldsBehind(const CommandFailure& failure)
{
    switch (failure.error) {
    case InputError::DriveSpeedZero:
        return {InputField::DriveSpeed};
    case InputError::AccelTimeZero:
        return {InputField::AccelTime};
    case InputError::InitialAboveDrive:
        return {InputField::InitialSpeed, InputField::DriveSpeed};
    case InputError::DecelTimeZero:
        return {InputField::DecelTime};
    case InputError::NoSetting:
        break;
    }
    if (!failure.reason) {
        return {};
    }
    switch (*failure.reason) {
    case NoSettingReason::NoMultiplierFits:
        return {InputField::DriveSpeed};
    case NoSettingReason::PulseCountZero:
    case NoSettingReason::PulseCountTooSmall:
        return {InputField::PulseCount};
    default:
        return {};
    }
}

std::vector<std::string> failureCauseLines(const CommandFailure& failure, const std::vector<InputFinding>& findings,
                                           const Format3& format, const InputFindingTexts& names)
{
    const std::vector<InputField> behind = fieldsBehind(failure);
    std::vector<std::string> lines;
    std::vector<InputField> named;
    for (const InputFinding& finding : findings) {
        const bool isBehind = std::find(behind.begin(), behind.end(), finding.field) != behind.end();
        const bool alreadyNamed = std::find(named.begin(), named.end(), finding.field) != named.end();
        // Full-width digits alone are read as they show ("１００" is 100): no cause of a message.
        if (!isBehind || alreadyNamed || !finding.read || finding.problem == InputProblem::WideForms) {
            continue;
        }
        named.push_back(finding.field);
        lines.push_back(format(names.fieldNames[finding.field], shownFieldText(finding.text),
                               formatShortest(*finding.read)));
    }
    return lines;
}

} // namespace veldronix::report
