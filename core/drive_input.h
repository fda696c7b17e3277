#pragma once

#include <cstdint>

namespace veldronix {

// Index of the item selected in the drive-type selector; any value other than
// 0..3 (normally -1) means the selector's text names no item.
enum class DriveType : std::int32_t {
    None = -1,
    SymmetricTrapezoid = 0,
    SymmetricSCurve = 1,
    AsymmetricTrapezoid = 2,
    AsymmetricSCurve = 3,
};

// The asymmetric types have a deceleration time of their own.
constexpr bool isAsymmetric(DriveType type)
{
    return type == DriveType::AsymmetricTrapezoid || type == DriveType::AsymmetricSCurve;
}

// The S-curve types fix A (and D) at 8000 and derive K (and L) from the jerk.
constexpr bool isSCurve(DriveType type)
{
    return type == DriveType::SymmetricSCurve || type == DriveType::AsymmetricSCurve;
}

// True for the four types that have formulas.
constexpr bool isKnownDriveType(DriveType type)
{
    const auto value = static_cast<std::int32_t>(type);
    return value >= 0 && value <= 3;
}

// One calculation request, as read from the dialog's fields.
struct DriveInput {
    double initialSpeed = 0.0; // PPS; the drive starts and ends at this speed
    double driveSpeed = 0.0;   // PPS; constant speed after the acceleration
    double accelTime = 0.0;    // s; from the initial speed to the drive speed
    double decelTime = 0.0;    // s; back to the initial speed (asymmetric types only)
    DriveType driveType = DriveType::None;
};

} // namespace veldronix
