#include "report/curve_sampling.h"

#include <algorithm>
#include <cmath>

namespace veldronix::report::detail {
namespace {

// The tightest curve step: a sample at least every this many px along the curve.
constexpr double curveStep = 2.0;
constexpr int mostCurveSamples = 2000;

} // namespace

ScenePolyline curveLine(const PlotModel& plot, const PlotArea& area)
{
    ScenePolyline line;
    line.colour = plotColours.curve;
    line.width = 2.5;
    const auto add = [&line](CanvasPoint p) {
        if (line.points.empty() || p.x != line.points.back().x || p.y != line.points.back().y) {
            line.points.push_back(p);
        }
    };
    DataPoint from = plot.curve.start;
    add(area.at(from));
    for (const CurveSegment& segment : plot.curve.segments) {
        if (segment.kind == CurveSegment::Kind::Parabola) {
            const CanvasPoint a = area.at(from);
            const CanvasPoint c = area.at(segment.control);
            const CanvasPoint b = area.at(segment.to);
            // The curve moves at most twice its longer control leg per unit of its parameter.
            const double fastest = 2 * std::max(std::hypot(c.x - a.x, c.y - a.y), std::hypot(b.x - c.x, b.y - c.y));
            const int samples = static_cast<int>(within(std::ceil(fastest / curveStep), 1.0, mostCurveSamples));
            for (int i = 1; i < samples; ++i) {
                const double t = static_cast<double>(i) / samples;
                const double u = 1.0 - t;
                add(area.at({u * u * from.time + 2 * u * t * segment.control.time + t * t * segment.to.time,
                             u * u * from.speed + 2 * u * t * segment.control.speed + t * t * segment.to.speed}));
            }
        }
        add(area.at(segment.to));
        from = segment.to;
    }
    if (line.points.size() == 1) {
        line.points.push_back(line.points.front()); // a curve of no length is still a line
    }
    return line;
}

} // namespace veldronix::report::detail
