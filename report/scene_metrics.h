#pragma once

#include "report/plot_scene.h"

#include <cstddef>
#include <utility>
#include <vector>

// The fixed measures of a plot's scene and its plainest item, shared by the files
// that place its parts.
namespace veldronix::report::detail {

// Text sizes in px: fixed, whatever the canvas or the figures.
inline constexpr double tickSize = 12.0;
inline constexpr double axisTitleSize = 13.0;
inline constexpr double figureSize = 12.0;
inline constexpr double titleSize = 18.0;
static_assert(tickSize >= minimumTextSize && figureSize >= minimumTextSize);

// Room kept free along the canvas's edges, and least room between two tick labels.
inline constexpr double canvasMargin = 8.0;
inline constexpr double tickGap = 8.0;
// Grid lines closer than this are thinned like their labels.
inline constexpr double closestGrid = 4.0;

// The baselines around the plot area, from its edges: the time ticks' labels and
// the time axis's title under it, the deceleration point's label over it.
inline constexpr double timeTickBaseline = 18.0;
inline constexpr double timeTitleBaseline = 40.0;
inline constexpr double markLabelBaseline = 12.0;
inline constexpr double markLineOverhang = 6.0; // the mark's line starts this far above the plot

// value clamped to [low, high]; not a number gives low.
inline double within(double value, double low, double high)
{
    return value >= low ? (value <= high ? value : high) : low;
}

inline SceneLine lineOf(CanvasPoint from, CanvasPoint to, SceneColour colour, double width = 1.0,
                        std::vector<double> dashes = {}, double opacity = 1.0)
{
    SceneLine line;
    line.from = from;
    line.to = to;
    line.colour = colour;
    line.width = width;
    line.dashes = std::move(dashes);
    line.opacity = opacity;
    return line;
}

} // namespace veldronix::report::detail
