#include "report/plot_area.h"

#include "report/text_measure.h"

#include <algorithm>
#include <cmath>

namespace veldronix::report::detail {
namespace {

double widestLabel(const PlotAxis& axis, double size)
{
    double widest = 0.0;
    for (const PlotTick& tick : axis.ticks) {
        widest = std::max(widest, textWidth(tick.label, size));
    }
    return widest;
}

// The plot area in region with room for the parts around it, its edges on
// whole pixels so that its lines are crisp.
PlotArea areaIn(const PlotModel& plot, const SceneBounds& region, Parts parts)
{
    PlotArea area;
    area.timeMaximum = plot.timeAxis.maximum;
    area.speedMaximum = plot.speedAxis.maximum;
    const double titleRoom = parts.axisTitles ? axisTitleSize * (textAscent + textDescent) + 6.0 : 0.0;
    const double tickRoom = parts.tickLabels ? widestLabel(plot.speedAxis, tickSize) + tickGap : 0.0;
    area.left = std::ceil(region.left + titleRoom + tickRoom + 2.0);
    const bool timeLabels = parts.tickLabels && !plot.timeAxis.ticks.empty();
    const double lastTickHalf = timeLabels ? textWidth(plot.timeAxis.ticks.back().label, tickSize) / 2 : 0.0;
    area.right = std::floor(region.right - std::max(lastTickHalf, 6.0));
    area.top = std::ceil(region.top + (parts.markLabel ? markLabelBaseline + tickSize * textAscent + 2.0
                                                       : markLineOverhang + 2.0));
    area.bottom = std::floor(region.bottom - (parts.axisTitles ? timeTitleBaseline + axisTitleSize * textDescent + 1.0
                                              : parts.tickLabels ? timeTickBaseline + tickSize * textDescent + 1.0
                                                                 : 4.0));
    return area;
}

// The least k such that labels at every k-th position, each reaching half of
// its extent either side, stay gap apart.
std::size_t strideOf(const std::vector<double>& positions, const std::vector<double>& extents, double gap)
{
    const std::size_t count = positions.size();
    for (std::size_t k = 1; k < count; ++k) {
        bool clear = true;
        for (std::size_t i = 0; i + k < count && clear; i += k) {
            clear = std::fabs(positions[i + k] - positions[i]) >= (extents[i] + extents[i + k]) / 2 + gap;
        }
        if (clear) {
            return k;
        }
    }
    return std::max<std::size_t>(count, 1);
}

} // namespace

std::pair<PlotArea, Parts> chooseArea(const PlotModel& plot, const SceneBounds& region)
{
    const Parts choices[] = {{true, true, true}, {false, true, true}, {false, false, false}};
    for (const Parts& parts : choices) {
        const PlotArea area = areaIn(plot, region, parts);
        if (area.right - area.left >= 80.0 && area.bottom - area.top >= 32.0) {
            return {area, parts};
        }
    }
    return {areaIn(plot, region, choices[2]), choices[2]};
}

TickLabels placeTickLabels(const PlotModel& plot, const PlotArea& area, TextPlacer& placer)
{
    TickLabels labels;
    const SceneColour colour = plotColours.tick;
    std::vector<double> positions;
    std::vector<double> extents;
    for (const PlotTick& tick : plot.timeAxis.ticks) {
        positions.push_back(area.x(tick.value));
        extents.push_back(textWidth(tick.label, tickSize));
    }
    labels.timeStride = strideOf(positions, extents, tickGap);
    for (std::size_t i = 0; i < positions.size(); i += labels.timeStride) {
        if (auto label = placer.first({textAt(positions[i], area.bottom + timeTickBaseline, TextAnchor::Middle,
                                              tickSize, colour, plot.timeAxis.ticks[i].label)})) {
            labels.texts.push_back(std::move(*label));
        }
    }
    positions.clear();
    extents.clear();
    for (const PlotTick& tick : plot.speedAxis.ticks) {
        positions.push_back(area.y(tick.value));
        extents.push_back(tickSize * (textAscent + textDescent));
    }
    labels.speedStride = strideOf(positions, extents, 4.0);
    for (std::size_t i = 0; i < positions.size(); i += labels.speedStride) {
        // The label's middle at its grid line.
        const double baseline = positions[i] + tickSize * (textAscent - textDescent) / 2;
        if (auto label = placer.first({textAt(area.left - tickGap, baseline, TextAnchor::End, tickSize, colour,
                                              plot.speedAxis.ticks[i].label)})) {
            labels.texts.push_back(std::move(*label));
        }
    }
    return labels;
}

void addGridLines(std::vector<SceneItem>& items, const PlotModel& plot, const PlotArea& area, const TickLabels& labels)
{
    const SceneColour grid = plotColours.grid;
    const auto gridStride = [](const std::vector<PlotTick>& ticks, double spacing, std::size_t labelStride) {
        return ticks.size() > 1 && spacing / static_cast<double>(ticks.size() - 1) < closestGrid ? labelStride : 1;
    };
    const std::size_t timeGrid = gridStride(plot.timeAxis.ticks, area.right - area.left, labels.timeStride);
    for (std::size_t i = 0; i < plot.timeAxis.ticks.size(); i += timeGrid) {
        const double x = area.x(plot.timeAxis.ticks[i].value);
        items.emplace_back(lineOf({x, area.top}, {x, area.bottom}, grid));
    }
    const std::size_t speedGrid = gridStride(plot.speedAxis.ticks, area.bottom - area.top, labels.speedStride);
    for (std::size_t i = 0; i < plot.speedAxis.ticks.size(); i += speedGrid) {
        const double y = area.y(plot.speedAxis.ticks[i].value);
        items.emplace_back(lineOf({area.left, y}, {area.right, y}, grid));
    }
}

} // namespace veldronix::report::detail
