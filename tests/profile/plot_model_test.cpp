// The plot model: what every front end draws for a velocity profile.
#include "report/plot_model.h"

#include <gtest/gtest.h>

#include <limits>

namespace veldronix {
namespace {

using report::CurveSegment;
using report::PlotPhase;

// The worked drive: type 3, 100 to 10000 PPS, 0.2 s up, 0.3 s down, 10000 pulses.
report::PlotModel workedPlot()
{
    const auto plot = report::makePlotModel(computeVelocityProfile(100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve, 10000),
                                            "summary\nsecond line");
    EXPECT_TRUE(plot);
    return plot.value_or(report::PlotModel{});
}

std::vector<std::string> labelsOf(const report::PlotAxis& axis)
{
    std::vector<std::string> labels;
    for (const auto& tick : axis.ticks) {
        labels.push_back(tick.label);
    }
    return labels;
}

TEST(PlotModel, axesReachTheirLargestValueWithRoundTicks)
{
    struct Case {
        double largest;
        double maximum;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {1.2475, 1.4, {"0", "0.2", "0.4", "0.6", "0.8", "1.0", "1.2", "1.4"}},
        {11200, 12000, {"0", "2000", "4000", "6000", "8000", "10000", "12000"}},
        // A value on a tick ends the axis there.
        {7, 7, {"0", "1", "2", "3", "4", "5", "6", "7"}},
        // Nothing to show: an axis of 1.
        {0, 1, {"0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        {-3, 1, {"0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        {std::numeric_limits<double>::quiet_NaN(), 1, {"0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        // Beyond six decimals and from 10^9 on, labels are scientific.
        {1e-7, 1e-7, {"0", "2.00e-08", "4.00e-08", "6.00e-08", "8.00e-08", "1.00e-07"}},
        {3e12, 3e12, {"0", "5.00e+11", "1.00e+12", "1.50e+12", "2.00e+12", "2.50e+12", "3.00e+12"}},
        // Rounded up the end would be infinite: the axis ends at the value itself, with no tick beyond.
        {1.7e308, 1.7e308, {"0", "5.00e+307", "1.00e+308", "1.50e+308"}},
    };
    for (const Case& c : cases) {
        const report::PlotAxis axis = report::plotAxis("speed (PPS)", c.largest);
        EXPECT_EQ(axis.title, "speed (PPS)");
        EXPECT_DOUBLE_EQ(axis.maximum, c.maximum) << c.largest;
        EXPECT_EQ(labelsOf(axis), c.labels) << c.largest;
    }
}

TEST(PlotModel, workedDriveHasItsTitleAxesAndLabels)
{
    const report::PlotModel plot = workedPlot();
    EXPECT_EQ(plot.title, "Velocity profile: 10000 pulses, 100 PPS to 10000 PPS and back, S-curve ramps");
    EXPECT_EQ(plot.summary, "summary\nsecond line");
    EXPECT_EQ(plot.summaryLines, (std::vector<std::string>{"summary", "second line"}));
    EXPECT_EQ(plot.timeAxis.title, "time (s)");
    EXPECT_DOUBLE_EQ(plot.timeAxis.maximum, 1.4);
    EXPECT_EQ(plot.speedAxis.title, "speed (PPS)");
    EXPECT_DOUBLE_EQ(plot.speedAxis.maximum, 12000);
    EXPECT_EQ(plot.driveSpeedLabel.text, "drive speed 10000 PPS");
    EXPECT_EQ(plot.initialSpeedLabel.text, "initial speed 100 PPS");
    EXPECT_EQ(plot.decelMark.label.text, "deceleration point: 8485 pulses");
    EXPECT_DOUBLE_EQ(plot.decelMark.point.time, 0.9475);
    EXPECT_DOUBLE_EQ(plot.decelMark.point.speed, 10000);
    EXPECT_DOUBLE_EQ(plot.initialLevel, 100);
}

TEST(PlotModel, workedDriveHasItsPhasesAndFigures)
{
    const report::PlotModel plot = workedPlot();
    struct Band {
        PlotPhase phase;
        double start;
        double end;
        std::string name;
    };
    const Band bands[] = {
        {PlotPhase::Accel, 0, 0.2, "acceleration"},
        {PlotPhase::Constant, 0.2, 0.9475, "constant speed"},
        {PlotPhase::Decel, 0.9475, 1.2475, "deceleration"},
    };
    ASSERT_EQ(plot.bands.size(), std::size(bands));
    for (std::size_t i = 0; i < std::size(bands); ++i) {
        EXPECT_EQ(plot.bands[i].phase, bands[i].phase) << i;
        EXPECT_NEAR(plot.bands[i].start, bands[i].start, 1e-12) << i;
        EXPECT_NEAR(plot.bands[i].end, bands[i].end, 1e-12) << i;
        EXPECT_EQ(plot.bands[i].name, bands[i].name) << i;
    }

    struct Row {
        std::optional<PlotPhase> phase;
        std::string name, time, pulses, detail;
    };
    const Row rows[] = {
        {PlotPhase::Accel, "acceleration", "0.200000 s", "1010 pulses", "100 \u2192 10000 PPS, jerk 990000 PPS/s\u00b2"},
        {PlotPhase::Constant, "constant speed", "0.747500 s", "7475 pulses", "at 10000 PPS"},
        {PlotPhase::Decel, "deceleration", "0.300000 s", "1515 pulses", "10000 \u2192 100 PPS, jerk 440000 PPS/s\u00b2"},
        {std::nullopt, "total move", "1.247500 s", "10000 pulses", "deceleration point: 8485 pulses"},
    };
    ASSERT_EQ(plot.rows.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(plot.rows[i].phase, rows[i].phase) << i;
        EXPECT_EQ(plot.rows[i].name, rows[i].name);
        EXPECT_EQ(plot.rows[i].time, rows[i].time);
        EXPECT_EQ(plot.rows[i].pulses, rows[i].pulses);
        EXPECT_EQ(plot.rows[i].detail, rows[i].detail);
    }
}

TEST(PlotModel, workedDriveCurveIsFourParabolasAndThePlateau)
{
    const report::PlotModel plot = workedPlot();
    using Kind = CurveSegment::Kind;
    struct Segment {
        Kind kind;
        double controlTime, controlSpeed, time, speed;
    };
    const Segment segments[] = {
        {Kind::Parabola, 0.05, 100, 0.1, 5050},         {Kind::Parabola, 0.15, 10000, 0.2, 10000},
        {Kind::Line, 0, 0, 0.9475, 10000},              {Kind::Parabola, 1.0225, 10000, 1.0975, 5050},
        {Kind::Parabola, 1.1725, 100, 1.2475, 100},
    };
    EXPECT_DOUBLE_EQ(plot.curve.start.time, 0);
    EXPECT_DOUBLE_EQ(plot.curve.start.speed, 100);
    ASSERT_EQ(plot.curve.segments.size(), std::size(segments));
    for (std::size_t i = 0; i < std::size(segments); ++i) {
        const CurveSegment& s = plot.curve.segments[i];
        EXPECT_EQ(s.kind, segments[i].kind) << i;
        EXPECT_NEAR(s.control.time, segments[i].controlTime, 1e-12) << i;
        EXPECT_NEAR(s.control.speed, segments[i].controlSpeed, 1e-9) << i;
        EXPECT_NEAR(s.to.time, segments[i].time, 1e-12) << i;
        EXPECT_NEAR(s.to.speed, segments[i].speed, 1e-9) << i;
    }
}

TEST(PlotModel, noModelWithoutMotion)
{
    EXPECT_FALSE(report::makePlotModel(computeVelocityProfile(100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve, 1000), ""));
    EXPECT_FALSE(report::makePlotModel(computeVelocityProfile(100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve, 0), ""));
    EXPECT_FALSE(report::makePlotModel(computeVelocityProfile(200, 100, 0.2, 0.3, DriveType::SymmetricTrapezoid, 1000), ""));
}

} // namespace
} // namespace veldronix
