#pragma once

#include "core/drive_input.h"

#include <cstddef>
#include <optional>
#include <string>

namespace veldronix {

// One input field as the controller read it.
struct FieldReading {
    std::string text;          // the field's text, cut to its first 78 bytes
    bool cut = false;          // the field held more than that
    double number = 0.0;       // the number read from text
    std::size_t numberEnd = 0; // bytes of text up to the number's end; 0 when it begins with none
    bool wideForms = false;    // full-width digits, signs, stop or spaces were read as ASCII

    friend bool operator==(const FieldReading&, const FieldReading&) = default;
};

// The drive-type selector as the controller read it.
struct DriveTypeReading {
    std::string text; // the selector's text, cut like a field's
    bool cut = false;
    DriveType type = DriveType::None; // the selected item; None when the text names no item

    friend bool operator==(const DriveTypeReading&, const DriveTypeReading&) = default;
};

// What the last Calculate or Recalculate read from the dialog, so that a report
// can name inputs that were read otherwise than a user may think.
struct InputReading {
    DriveTypeReading driveType;
    FieldReading initialSpeed;
    FieldReading driveSpeed;
    FieldReading accelTime;
    FieldReading decelTime;
    // 出力パルス数 as the controller last read it since (算出 or readPulseCount);
    // none until then.
    std::optional<FieldReading> pulseCount;

    friend bool operator==(const InputReading&, const InputReading&) = default;
};

} // namespace veldronix
