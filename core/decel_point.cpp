#include "core/decel_point.h"

#include <cmath>

namespace veldronix {

double computeManualDecelPoint(double totalPulses, double initialSpeed, double driveSpeed, double decelJerkRate)
{
    // The deceleration outputs (V + SV) x sqrt((V - SV) / J2) pulses; the steps
    // stay in this order so that the last digit matches.
    const double q = (driveSpeed - initialSpeed) / decelJerkRate;
    const double s = std::sqrt(q);
    return totalPulses - ((driveSpeed + initialSpeed) * s);
}

} // namespace veldronix
