#pragma once

#include "core/drive_input.h"
#include "core/input_field.h"

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

// What the last Calculate or Recalculate read from the dialog, so that a report
// can name inputs that were read otherwise than a user may think.
struct InputReading {
    DriveType driveType = DriveType::None; // the selected item; None when the selector's text names no item
    // Each field as the controller last read it: every field Calculate reads (a
    // selector's text too), and 出力パルス数 once 算出 or readPulseCount read it
    // since; none for a field not read.
    ByField<std::optional<FieldReading>> fields;

    friend bool operator==(const InputReading&, const InputReading&) = default;
};

} // namespace veldronix
