// Inputs at the ends of the double range that the profile fuzzer reaches: a
// complete profile of them still gives figures that hold, a JSON text that
// parses and a plot that any SVG reader takes.
#include "cli/profile_output.h"
#include "cli/profile_svg.h"
#include "core/velocity_profile.h"
#include "fuzz/markup_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string_view>

namespace {

using namespace veldronix;

constexpr double denormMin = std::numeric_limits<double>::denorm_min();
constexpr double huge = std::numeric_limits<double>::max();

struct EdgeCase {
    std::string_view name;
    double initial, drive, accel, decel;
    DriveType type;
    double pulses;
    ProfileStatus status;
};

const EdgeCase edgeCases[] = {
    // One speed throughout: no ramps, a total time of a subnormal's size; the plot's axes have no step.
    {"subnormalPulses", 1, 1, 1, 0, DriveType::SymmetricTrapezoid, denormMin, ProfileStatus::Complete},
    {"subnormalTimeTooShortToPlot", 1, 1, 1, 1, DriveType::AsymmetricTrapezoid, 4 * denormMin,
     ProfileStatus::Complete},
    // A speed of a subnormal's size takes longer than any double can say.
    {"subnormalDriveSpeedTakesForever", 0, denormMin, 1, 0, DriveType::SymmetricTrapezoid, 1, ProfileStatus::NotFinite},
    {"smallDriveSpeed", 0, 1e-300, 1, 0, DriveType::SymmetricTrapezoid, 1e-300, ProfileStatus::Complete},
    {"subnormalRampOverflowsTheJerk", 0, 1, denormMin, denormMin, DriveType::AsymmetricSCurve, 1, ProfileStatus::NotFinite},
    {"shortRamp", 0, 1, 1e-150, 1e-150, DriveType::AsymmetricSCurve, 1, ProfileStatus::Complete},
    {"hugePulses", 0, 1, 1, 1, DriveType::AsymmetricSCurve, huge, ProfileStatus::Complete},
    {"hugeSpeedOverflowsTheJerk", 0, huge, 1, 1, DriveType::SymmetricSCurve, huge, ProfileStatus::NotFinite},
    {"hugeTimesShortMove", 0, 1, 1e300, 1e300, DriveType::AsymmetricTrapezoid, 1, ProfileStatus::ShortMove},
    {"negativeZeroInitial", -0.0, 10000, 0.2, 0, DriveType::SymmetricTrapezoid, 1e4, ProfileStatus::Complete},
    {"nanPulses", 0, 1, 1, 1, DriveType::SymmetricTrapezoid, std::nan(""), ProfileStatus::NoPulses},
    {"nanSpeed", std::nan(""), 1, 1, 1, DriveType::SymmetricTrapezoid, 1, ProfileStatus::NotFinite},
    {"infiniteAccel", 0, 1, INFINITY, 1, DriveType::SymmetricTrapezoid, 1, ProfileStatus::NotFinite},
};

TEST(FuzzRegressionProfile, extremeInputsKeepTheirTextsWellFormed)
{
    for (const EdgeCase& c : edgeCases) {
        SCOPED_TRACE(c.name);
        const VelocityProfile p = computeVelocityProfile(c.initial, c.drive, c.accel, c.decel, c.type, c.pulses);
        EXPECT_EQ(static_cast<int>(p.status), static_cast<int>(c.status));
        EXPECT_EQ(fuzz::jsonProblem(cli::profileJson(p)), "");
        const auto svg = cli::profileSvg(p, "summary <&>\xff");
        EXPECT_EQ(svg.has_value(), p.status == ProfileStatus::Complete);
        if (svg) {
            EXPECT_EQ(fuzz::svgProblem(*svg), "");
            EXPECT_TRUE(std::isfinite(p.totalTime) && p.decelPoint >= 0.0 && p.decelPoint <= c.pulses);
        }
    }
}

} // namespace
