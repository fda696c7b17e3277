#include "core/input_error.h"

#include "core/texts.h"

namespace veldronix {

std::string_view messageFor(InputError error)
{
    switch (error) {
    case InputError::DriveSpeedZero:
        return texts::messageDriveSpeedZero;
    case InputError::AccelTimeZero:
        return texts::messageAccelTimeZero;
    case InputError::InitialAboveDrive:
        return texts::messageInitialAboveDrive;
    case InputError::DecelTimeZero:
        return texts::messageDecelTimeZero;
    case InputError::NoSetting:
        break;
    }
    return texts::messageNoSetting;
}

} // namespace veldronix
