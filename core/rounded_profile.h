#pragma once

#include "core/rounded_drive.h"
#include "core/velocity_profile.h"

#include <optional>

namespace veldronix {

// A drive of a given pulse count, as asked for and as the rounded registers run it.
struct RoundedProfile {
    VelocityProfile requested;               // of the input's own speeds and times
    std::optional<VelocityProfile> real;     // of the real speeds and times; none when a finding leaves one unknown
    // Pulses by which the real drive, decelerating from the requested drive's
    // deceleration point, is back at the initial speed before the pulse count
    // ends (it outputs them at the initial speed); negative when the count ends
    // that many pulses before the deceleration is complete. Only when both
    // profiles are complete.
    std::optional<double> earlyBy;
};

// The profiles of a drive of totalPulses pulses: the requested one from the
// input, the real one from the rounded drive of the same input.
RoundedProfile computeRoundedProfile(const DriveInput& input, const RoundedDrive& drive, double totalPulses);

} // namespace veldronix
