// A drive of a pulse count as the velocity-profile suites write it, and its profile.
#pragma once

#include "core/velocity_profile.h"

namespace veldronix::testing_support {

struct Drive {
    double initialSpeed;
    double driveSpeed;
    double accelTime;
    double decelTime;
    DriveType type;
    double pulses;
};

inline VelocityProfile profileOf(const Drive& drive)
{
    return computeVelocityProfile(drive.initialSpeed, drive.driveSpeed, drive.accelTime, drive.decelTime, drive.type,
                                  drive.pulses);
}

} // namespace veldronix::testing_support
