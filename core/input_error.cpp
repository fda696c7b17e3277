#include "core/input_error.h"

#include "core/texts_ja.h"

namespace veldronix {

std::string_view messageFor(InputError error)
{
    switch (error) {
    case InputError::DriveSpeedZero:
        return texts::ja::messageDriveSpeedZero;
    case InputError::AccelTimeZero:
        return texts::ja::messageAccelTimeZero;
    case InputError::InitialAboveDrive:
        return texts::ja::messageInitialAboveDrive;
    case InputError::DecelTimeZero:
        return texts::ja::messageDecelTimeZero;
    case InputError::NoSetting:
        break;
    }
    return texts::ja::messageNoSetting;
}

} // namespace veldronix
