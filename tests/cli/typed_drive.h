#pragma once

#include "cli/drive_request.h"

#include <optional>
#include <string>

namespace veldronix::cli {

// A drive as a user types it into the dialog: the drive type's item, the four
// texts, then the multiplier item and the pulse count where the drive has them.
inline DriveRequest typedDrive(int type, std::string initial, std::string drive, std::string accel, std::string decel,
                               std::optional<int> multiplier, std::optional<std::string> pulses)
{
    DriveRequest request;
    request.items[InputField::DriveType] = type;
    request.texts[InputField::InitialSpeed] = std::move(initial);
    request.texts[InputField::DriveSpeed] = std::move(drive);
    request.texts[InputField::AccelTime] = std::move(accel);
    request.texts[InputField::DecelTime] = std::move(decel);
    request.items[InputField::Multiplier] = multiplier;
    request.texts[InputField::PulseCount] = std::move(pulses);
    return request;
}

} // namespace veldronix::cli
