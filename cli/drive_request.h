#pragma once

#include "core/drive_input.h"
#include "core/setting_texts.h"

#include <optional>
#include <string>
#include <vector>

namespace veldronix::cli {

// One drive as typed into the dialog's fields: texts exactly as given, an
// omitted field being the empty text.
struct DriveRequest {
    int driveType = 0;                  // selector index, -1 for a text that names no item; the dialog opens on 0
    std::string initialSpeed;
    std::string driveSpeed;
    std::string accelTime;
    std::string decelTime;
    std::optional<int> multiplierIndex; // -1..8: select it, then Recalculate
    std::optional<std::string> pulses;  // type it, then compute the deceleration point
};

// The dialog's fields after the commands of a request have run.
struct DriveOutcome {
    SettingTexts fields;    // the summary and the eight value fields
    std::string multiplier; // the multiplier selector's text, "" when none is selected
    std::string decelPoint;
    std::vector<std::string> errors; // the messages shown, in order
    // The multiplier of the values the fields show: Recalculate's when it succeeded,
    // else Calculate's; none when neither succeeded.
    std::optional<double> shownMultiplier;
};

// Runs Calculate on a fresh controller, then Recalculate and the deceleration
// point where the request asks for them; each runs even when an earlier one failed.
DriveOutcome runDrive(const DriveRequest& request);

// The input that the controller reads from the fields of a request.
DriveInput fieldInput(const DriveRequest& request);

} // namespace veldronix::cli
