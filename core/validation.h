#pragma once

#include "core/drive_input.h"
#include "core/input_error.h"

#include <optional>

namespace veldronix {

// The four input checks in their fixed order; the first failure wins.
std::optional<InputError> validateDriveInput(const DriveInput& input);

} // namespace veldronix
