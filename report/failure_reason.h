#pragma once

#include "controller/command_failure.h"
#include "report/text_format.h"

#include <string>
#include <string_view>

namespace veldronix::report {

// Why a command failed, one sentence per cause, in one language: the details'
// Japanese (report/texts_ja.h) or pulsecalc's English (cli/texts_en.h).
struct FailureReasonTexts {
    // The input errors; a blank or a text that is no number reads as 0.
    std::string_view driveSpeedZero;
    std::string_view accelTimeZero;
    std::string_view initialAboveDrive;
    std::string_view decelTimeZero;
    // No setting values: no calculation before Recalculate, or before 算出.
    std::string_view nothingCalculated;
    std::string_view nothingCalculatedForDecelPoint;
    std::string_view noMultiplierFits;
    Format2 smallerMultiplier; // {0} the multiplier selected, {1} the one Calculate chose
    Format1 multiplier;        // a multiplier as smallerMultiplier names it ({0} its number: "50")
    std::string_view noMultiplierSelected;
    std::string_view notAsymmetricSCurve;
    std::string_view pulseCountZero;
    std::string_view pulseCountTooSmall;
};

// The sentence that says why the command failed, from the failure value alone.
std::string failureReason(const CommandFailure& failure, const FailureReasonTexts& texts);

} // namespace veldronix::report
