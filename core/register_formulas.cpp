#include "core/register_formulas.h"

#include <cmath>

namespace veldronix {

double rangeRegister(double multiplier)
{
    return rangeTimesMultiplier / multiplier;
}

double speedRegister(double speed, double multiplier)
{
    return speed / multiplier;
}

double speedOfRegister(double speedRegister, double multiplier)
{
    return speedRegister * multiplier;
}

double linearRateRegister(double speedChange, double rampTime, double multiplier)
{
    return ((speedChange / rampTime) * rateUnitInverse) / multiplier;
}

double linearRampTime(double speedChange, double rateRegister, double multiplier)
{
    // With an integer register and multiplier the product is exact.
    return speedChange / ((rateRegister * rateUnit) * multiplier);
}

double sCurveJerk(double speedChange, double rampTime)
{
    return (speedChange * 4.0) / (rampTime * rampTime);
}

double sCurveRampTime(double speedChange, double jerk)
{
    // speedChange = jerk x T^2 / 4, solved for T.
    return 2.0 * std::sqrt(speedChange / jerk);
}

double jerkRegister(double jerk, double multiplier)
{
    return (jerkTimesRegister / jerk) * multiplier;
}

double jerkOfRegister(double jerkRegister, double multiplier)
{
    return (jerkTimesRegister * multiplier) / jerkRegister;
}

} // namespace veldronix
