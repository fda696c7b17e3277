#pragma once

#include <string_view>

namespace veldronix {

// Every failure the user is told about; each has exactly one message.
enum class InputError {
    DriveSpeedZero,
    AccelTimeZero,
    InitialAboveDrive,
    DecelTimeZero,
    NoSetting, // no multiplier fits, a refused multiplier, any failed deceleration point
};

// The message box text of an error (UTF-8).
std::string_view messageFor(InputError error);

} // namespace veldronix
