#include "core/velocity_profile.h"

#include "core/decel_point.h"
#include "core/setting_values.h"

#include <cmath>
#include <initializer_list>

namespace veldronix {
namespace {

VelocityProfile refused(VelocityProfile profile, ProfileStatus status)
{
    profile.status = status;
    return profile;
}

// Pulses of a ramp between the two speeds over rampTime: the mean speed times
// the time, for a linear ramp and for an S-curve alike.
double linearRampPulses(double initialSpeed, double driveSpeed, double rampTime)
{
    return (initialSpeed + driveSpeed) / 2.0 * rampTime;
}

bool allFinite(std::initializer_list<double> values)
{
    for (const double value : values) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return true;
}

} // namespace

VelocityProfile computeVelocityProfile(double initialSpeed, double driveSpeed, double accelTime, double decelTime,
                                       DriveType driveType, double totalPulses)
{
    VelocityProfile profile;
    profile.initialSpeed = initialSpeed;
    profile.driveSpeed = driveSpeed;
    profile.totalPulses = totalPulses;

    // The checks run in a fixed order, so that one input always gets the same reason.
    if (!isKnownDriveType(driveType)) {
        return refused(profile, ProfileStatus::UnknownDriveType);
    }
    profile.shape = isSCurve(driveType) ? RampShape::SCurve : RampShape::Linear;
    if (std::isnan(totalPulses) || totalPulses <= 0.0) {
        return refused(profile, ProfileStatus::NoPulses);
    }
    if (!allFinite({totalPulses, initialSpeed, driveSpeed})) {
        return refused(profile, ProfileStatus::NotFinite);
    }
    if (initialSpeed > driveSpeed) {
        return refused(profile, ProfileStatus::SpeedsReversed);
    }
    if (initialSpeed < 0.0) {
        return refused(profile, ProfileStatus::NegativeSpeed);
    }
    if (driveSpeed <= 0.0) {
        return refused(profile, ProfileStatus::NoDriveSpeed);
    }
    const double decelRampTime = isAsymmetric(driveType) ? decelTime : accelTime;
    if (!allFinite({accelTime, decelRampTime})) {
        return refused(profile, ProfileStatus::NotFinite);
    }
    if (accelTime <= 0.0 || decelRampTime <= 0.0) {
        return refused(profile, ProfileStatus::BadRampTime);
    }
    const bool equalSpeeds = initialSpeed == driveSpeed;
    if (profile.shape == RampShape::SCurve && equalSpeeds) {
        return refused(profile, ProfileStatus::NoJerk);
    }

    double accelPulses = 0.0;
    double decelPulses = 0.0;
    double decelPoint = 0.0;
    if (equalSpeeds) {
        // Nothing to ramp: the drive starts at its drive speed and stops from it.
        accelTime = 0.0;
        decelTime = 0.0;
        decelPoint = totalPulses;
    } else if (profile.shape == RampShape::Linear) {
        decelTime = decelRampTime;
        accelPulses = linearRampPulses(initialSpeed, driveSpeed, accelTime);
        decelPulses = linearRampPulses(initialSpeed, driveSpeed, decelTime);
        decelPoint = totalPulses - decelPulses;
    } else {
        decelTime = decelRampTime;
        const double speedChange = driveSpeed - initialSpeed;
        profile.accelJerk = sCurveJerk(speedChange, accelTime);
        profile.decelJerk = sCurveJerk(speedChange, decelTime);
        // An overflowing 4 x speed change would give an infinite jerk and ramps of no pulses.
        if (!allFinite({profile.accelJerk, profile.decelJerk}) || profile.accelJerk <= 0.0 ||
            profile.decelJerk <= 0.0) {
            return refused(profile, ProfileStatus::NotFinite);
        }
        accelPulses = sCurveRampPulses(initialSpeed, driveSpeed, profile.accelJerk);
        decelPulses = sCurveRampPulses(initialSpeed, driveSpeed, profile.decelJerk);
        decelPoint = computeManualDecelPoint(totalPulses, initialSpeed, driveSpeed, profile.decelJerk);
    }

    const double rampPulses = accelPulses + decelPulses;
    // Measured from the deceleration point, so that the three phases add up to it
    // and a constant phase is never negative.
    const double constantPulses = decelPoint - accelPulses;
    if (!allFinite({accelPulses, decelPulses, rampPulses, decelPoint, constantPulses})) {
        return refused(profile, ProfileStatus::NotFinite);
    }
    if (constantPulses < 0.0) {
        profile.rampPulses = rampPulses;
        return refused(profile, ProfileStatus::ShortMove);
    }
    const double constantTime = constantPulses / driveSpeed;
    const double totalTime = accelTime + constantTime + decelTime;
    if (!allFinite({constantTime, totalTime})) {
        return refused(profile, ProfileStatus::NotFinite);
    }
    profile.rampPulses = rampPulses;
    profile.accel = {accelTime, accelPulses};
    profile.constant = {constantTime, constantPulses};
    profile.decel = {decelTime, decelPulses};
    profile.totalTime = totalTime;
    profile.decelPoint = decelPoint;
    profile.status = ProfileStatus::Complete;
    return profile;
}

} // namespace veldronix
