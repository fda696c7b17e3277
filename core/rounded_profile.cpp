#include "core/rounded_profile.h"

#include <cmath>

namespace veldronix {

RoundedProfile computeRoundedProfile(const DriveInput& input, const RoundedDrive& drive, double totalPulses)
{
    RoundedProfile profile;
    profile.requested = computeVelocityProfile(input.initialSpeed, input.driveSpeed, input.accelTime, input.decelTime,
                                               input.driveType, totalPulses);

    // The symmetric types decelerate as they accelerate: the profile takes the
    // acceleration time for both and does not look at the other.
    const auto real = [](const std::optional<RealQuantity>& q) { return q ? q->real : std::nullopt; };
    const auto accelTime = real(drive.accelTime);
    const auto decelTime = isAsymmetric(input.driveType) ? real(drive.decelTime) : accelTime;
    // A type that names no item has no ramp times, and its profile says so by its status.
    const bool timesNeeded = isKnownDriveType(input.driveType);
    if (!drive.initialSpeed.real || !drive.driveSpeed.real || (timesNeeded && (!accelTime || !decelTime))) {
        return profile;
    }
    profile.real = computeVelocityProfile(*drive.initialSpeed.real, *drive.driveSpeed.real, accelTime.value_or(0.0),
                                          decelTime.value_or(0.0), input.driveType, totalPulses);

    if (profile.requested.status == ProfileStatus::Complete && profile.real->status == ProfileStatus::Complete) {
        const double early = totalPulses - (profile.requested.decelPoint + profile.real->decel.pulses);
        if (std::isfinite(early)) {
            profile.earlyBy = early;
        }
    }
    return profile;
}

} // namespace veldronix
