#pragma once

#include "core/rounded_drive.h"
#include "core/setting_register.h"

#include <cstring>
#include <optional>

// Bit-for-bit comparisons of doubles and of the rounded drive, for the fuzz
// targets and the suites that check one computation against another: 0 and -0
// differ, and a NaN equals only the same NaN.
namespace veldronix::fuzz {

inline bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline bool sameBits(const std::optional<double>& a, const std::optional<double>& b)
{
    return a.has_value() == b.has_value() && (!a || sameBits(*a, *b));
}

inline bool sameQuantity(const std::optional<RealQuantity>& a, const std::optional<RealQuantity>& b)
{
    return a.has_value() == b.has_value() &&
           (!a || (sameBits(a->requested, b->requested) && sameBits(a->real, b->real) &&
                   sameBits(a->deviationPercent, b->deviationPercent)));
}

// The same registers, findings and real quantities.
inline bool sameDrive(const RoundedDrive& a, const RoundedDrive& b)
{
    for (const RegisterDescription& entry : settingRegisters) {
        if (!sameBits(a.rounded[entry.id], b.rounded[entry.id])) {
            return false;
        }
    }
    if (a.findings.size() != b.findings.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.findings.size(); ++i) {
        if (a.findings[i].setting != b.findings[i].setting || a.findings[i].problem != b.findings[i].problem ||
            !sameBits(a.findings[i].rounded, b.findings[i].rounded)) {
            return false;
        }
    }
    return sameQuantity(a.initialSpeed, b.initialSpeed) && sameQuantity(a.driveSpeed, b.driveSpeed) &&
           sameQuantity(a.accelTime, b.accelTime) && sameQuantity(a.decelTime, b.decelTime) &&
           sameQuantity(a.accelJerk, b.accelJerk) && sameQuantity(a.decelJerk, b.decelJerk);
}

} // namespace veldronix::fuzz
