#include "core/decel_point.h"

#include <cmath>

namespace veldronix {

double sCurveRampPulses(double initialSpeed, double driveSpeed, double jerkRate)
{
    // The steps stay in this order (quotient, root, then the product) so that
    // the last digit matches.
    const double q = (driveSpeed - initialSpeed) / jerkRate;
    const double s = std::sqrt(q);
    return (driveSpeed + initialSpeed) * s;
}

double computeManualDecelPoint(double totalPulses, double initialSpeed, double driveSpeed, double decelJerkRate)
{
    return totalPulses - sCurveRampPulses(initialSpeed, driveSpeed, decelJerkRate);
}

} // namespace veldronix
