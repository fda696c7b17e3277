// Inputs at the ends of the double range, as the profile fuzzer reaches them: a
// complete profile of them still gives figures that hold, a JSON text that
// parses and a plot that any SVG reader takes (checked by the fuzzers' checkers).
#include "report/profile_report.h"
#include "report/profile_svg.h"
#include "core/velocity_profile.h"
#include "fuzz/markup_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
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
    // Found by fuzz_profile: a time axis ending at its largest value, which is no multiple
    // of its step, drew a last tick one step beyond it, at "inf".
    {"hugePulses", 0, 1, 1, 1, DriveType::AsymmetricSCurve, huge, ProfileStatus::Complete},
    {"tickBeyondTheAxisEnd", 0x0.000000219c8p-1022, 0x1.0010000000001p-1007, 0x1.999a214cccccdp+24,
     0x1.a79fec99f1ae3p-6, DriveType::AsymmetricTrapezoid, 0x1.f68db8b439581p+16, ProfileStatus::Complete},
    {"hugeSpeedOverflowsTheJerk", 0, huge, 1, 1, DriveType::SymmetricSCurve, huge, ProfileStatus::NotFinite},
    {"hugeTimesShortMove", 0, 1, 1e300, 1e300, DriveType::AsymmetricTrapezoid, 1, ProfileStatus::ShortMove},
    {"negativeZeroInitial", -0.0, 10000, 0.2, 0, DriveType::SymmetricTrapezoid, 1e4, ProfileStatus::Complete},
    {"nanPulses", 0, 1, 1, 1, DriveType::SymmetricTrapezoid, std::nan(""), ProfileStatus::NoPulses},
    {"nanSpeed", std::nan(""), 1, 1, 1, DriveType::SymmetricTrapezoid, 1, ProfileStatus::NotFinite},
    {"infiniteAccel", 0, 1, INFINITY, 1, DriveType::SymmetricTrapezoid, 1, ProfileStatus::NotFinite},
};

TEST(ProfileReportExtremes, textsStayWellFormed)
{
    for (const EdgeCase& c : edgeCases) {
        SCOPED_TRACE(c.name);
        const VelocityProfile p = computeVelocityProfile(c.initial, c.drive, c.accel, c.decel, c.type, c.pulses);
        EXPECT_EQ(static_cast<int>(p.status), static_cast<int>(c.status));
        EXPECT_EQ(fuzz::jsonProblem(report::profileJson(p)), "");
        const auto svg = report::profileSvg(p, "summary <&>\xff");
        EXPECT_EQ(svg.has_value(), p.status == ProfileStatus::Complete);
        if (svg) {
            EXPECT_EQ(fuzz::svgProblem(*svg), "");
            EXPECT_TRUE(std::isfinite(p.totalTime) && p.decelPoint >= 0.0 && p.decelPoint <= c.pulses);
        }
    }
}

} // namespace

namespace {

// The points of the plot's speed curve.
std::string curveOf(const std::string& svg)
{
    const std::size_t start = svg.find("<polyline points=\"") + 18;
    return svg.substr(start, svg.find('"', start) - start);
}

struct CurveCase {
    std::string_view name;
    double speed; // initial and drive speed alike: one constant phase
    double pulses;
    std::string_view curve;
};

// Found by fuzz_profile: a drive speed above the largest double / 1.12 made the
// speed axis's headroom infinite and every y "-inf"; one a little lower rounded
// the axis's end up to infinity and laid the curve flat on the time axis.
// The plot area is 90 px from the top without a summary; its left edge follows
// the widest speed label, its right one the last time label.
const CurveCase curveCases[] = {
    {"headroomOverflows", 1.7e308, 1, "123,90 872.02,90"},
    {"axisEndOverflows", 1.5e308, 1, "123,128.57 850.62,128.57"},
    {"subnormalTotalTime", 1, 2e-323, "77,150 887,150"},
    {"ordinary", 1000, 1000, "86,150 910,150"},
};

TEST(ProfileSvgExtremes, curveStaysInThePlot)
{
    for (const CurveCase& c : curveCases) {
        SCOPED_TRACE(c.name);
        const VelocityProfile p =
            computeVelocityProfile(c.speed, c.speed, 1, 1, DriveType::SymmetricTrapezoid, c.pulses);
        ASSERT_EQ(static_cast<int>(p.status), static_cast<int>(ProfileStatus::Complete));
        const auto svg = report::profileSvg(p, "");
        ASSERT_TRUE(svg.has_value());
        EXPECT_EQ(fuzz::svgProblem(*svg), "");
        EXPECT_EQ(curveOf(*svg), c.curve);
    }
}

} // namespace
