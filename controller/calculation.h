#pragma once

#include "core/drive_input.h"
#include "core/setting_values.h"

#include <optional>

namespace veldronix {

// A manual deceleration point as "算出" computed it.
struct ManualDecelPoint {
    double pulses = 0.0;     // the output pulse count it was computed for
    double decelPoint = 0.0; // pulses after which the deceleration starts
};

// The calculation whose values the dialog's fields show: everything a report,
// a plot or a file needs, so that nothing is worked out again from field texts.
struct Calculation {
    DriveInput input;          // exactly as the command read it from the fields
    int multiplierIndex = 0;   // selector index of the multiplier in use
    double multiplier = 1.0;   // the multiplier itself: 1, 2, 5, ... 500
    SettingValues values;      // the setting values the fields show
    // The last manual deceleration point computed since these values were
    // calculated, while its field shows it; none otherwise.
    std::optional<ManualDecelPoint> decelPoint;
    // The multiplier index the last Calculate chose: Recalculate accepts it and
    // every larger one. None in a calculation made without the controller.
    std::optional<int> automaticIndex;
};

} // namespace veldronix
