#pragma once

#include "report/plot_scene.h"
#include "report/scene_metrics.h"
#include "report/text_placer.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace veldronix::report::detail {

// Which texts around the plot area there is room for.
struct Parts {
    bool axisTitles = true;
    bool tickLabels = true;
    bool markLabel = true;
};

// The plot area on the canvas and the data's mapping onto it; points outside
// the axes are drawn at their edge.
struct PlotArea {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double timeMaximum = 1.0;
    double speedMaximum = 1.0;

    double x(double time) const { return within(left + time / timeMaximum * (right - left), left, right); }
    double y(double speed) const { return within(bottom - speed / speedMaximum * (bottom - top), top, bottom); }
    CanvasPoint at(DataPoint p) const { return {x(p.time), y(p.speed)}; }
    bool usable() const { return right - left >= 1.0 && bottom - top >= 1.0; }
};

// The plot area in region with the most parts around it that leave it a readable size.
std::pair<PlotArea, Parts> chooseArea(const PlotModel& plot, const SceneBounds& region);

// The axes' tick labels that found room, and which ticks carry one: every stride-th.
struct TickLabels {
    std::vector<SceneText> texts;
    std::size_t timeStride = 1;
    std::size_t speedStride = 1;
};

// The tick labels of both axes, thinned so that none meets its neighbour.
TickLabels placeTickLabels(const PlotModel& plot, const PlotArea& area, TextPlacer& placer);

// The grid lines at the ticks, thinned like their labels where they would crowd.
void addGridLines(std::vector<SceneItem>& items, const PlotModel& plot, const PlotArea& area, const TickLabels& labels);

} // namespace veldronix::report::detail
