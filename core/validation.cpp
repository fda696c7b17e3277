#include "core/validation.h"

namespace veldronix {

std::optional<InputError> validateDriveInput(const DriveInput& input)
{
    // Only exact zero fails (-0.0 compares equal); negative values pass on purpose.
    if (input.driveSpeed == 0.0) {
        return InputError::DriveSpeedZero;
    }
    if (input.accelTime == 0.0) {
        return InputError::AccelTimeZero;
    }
    if (input.initialSpeed > input.driveSpeed) {
        return InputError::InitialAboveDrive;
    }
    if (isAsymmetric(input.driveType) && input.decelTime == 0.0) {
        return InputError::DecelTimeZero;
    }
    return std::nullopt;
}

} // namespace veldronix
