#include "report/plot_scene.h"

#include "report/text_measure.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <initializer_list>

namespace veldronix::report {
namespace {

// Text sizes in px: fixed, whatever the canvas or the figures.
constexpr double tickSize = 12.0;
constexpr double axisTitleSize = 13.0;
constexpr double figureSize = 12.0;
constexpr double titleSize = 18.0;
static_assert(tickSize >= minimumTextSize && figureSize >= minimumTextSize);

// Room kept free along the canvas's edges, and least room between two tick labels.
constexpr double canvasMargin = 8.0;
constexpr double tickGap = 8.0;
// Grid lines closer than this are thinned like their labels.
constexpr double closestGrid = 4.0;

// The baselines around the plot area, from its edges: the time ticks' labels and
// the time axis's title under it, the deceleration point's label over it.
constexpr double timeTickBaseline = 18.0;
constexpr double timeTitleBaseline = 40.0;
constexpr double markLabelBaseline = 12.0;
constexpr double markLineOverhang = 6.0; // the mark's line starts this far above the plot
constexpr double labelLift = 8.0;        // a speed's label above its level
constexpr double labelDrop = 16.0;       // ... or under it

// Lines of the document around the plot.
constexpr double titleBaseline = 34.0;
constexpr double summaryFirstBaseline = 56.0;
constexpr double summaryPitch = 16.0;
constexpr std::size_t summaryMostLines = 4;
constexpr double rowPitch = 22.0;
constexpr double rowsBottomMargin = 44.0;
constexpr double swatchSize = 14.0;
constexpr double columnGap = 16.0;

// The tightest curve step: a sample at least every this many px along the curve.
constexpr double curveStep = 2.0;
constexpr int mostCurveSamples = 2000;

constexpr SceneColour white = "#ffffff";

double within(double value, double low, double high)
{
    return value >= low ? (value <= high ? value : high) : low; // not a number: low
}

bool overlap(const SceneBounds& a, const SceneBounds& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The texts placed so far: a text is taken only where it lies on the canvas
// and clear of every text taken before it.
class TextPlacer {
public:
    explicit TextPlacer(SceneBounds canvas) : canvas_(canvas) {}

    bool take(const SceneText& text)
    {
        if (text.text.empty()) {
            return false;
        }
        const SceneBounds b = textBounds(text);
        const bool onCanvas = b.left >= canvas_.left && b.right <= canvas_.right && b.top >= canvas_.top &&
                              b.bottom <= canvas_.bottom;
        const auto meets = [&b](const SceneBounds& taken) { return overlap(taken, b); };
        if (!onCanvas || std::any_of(taken_.begin(), taken_.end(), meets)) {
            return false;
        }
        taken_.push_back(b);
        return true;
    }

    // The first of the places that can take the text.
    std::optional<SceneText> first(std::initializer_list<SceneText> places)
    {
        for (const SceneText& place : places) {
            if (take(place)) {
                return place;
            }
        }
        return std::nullopt;
    }

private:
    SceneBounds canvas_;
    std::vector<SceneBounds> taken_;
};

SceneLine lineOf(CanvasPoint from, CanvasPoint to, SceneColour colour, double width = 1.0,
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

SceneText textAt(double x, double y, TextAnchor anchor, double size, SceneColour colour, std::string text,
                 bool bold = false)
{
    SceneText t;
    t.at = {x, y};
    t.anchor = anchor;
    t.size = size;
    t.bold = bold;
    t.colour = colour;
    t.text = std::move(text);
    return t;
}

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

// The plot area with the most parts around it that leave it a readable size.
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

// The speed curve through the model's segments: lines as they are, each
// parabola sampled every curveStep px or finer, every segment's end exact.
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

// The time the plateau starts: where the acceleration's band ends, 0 without one.
double plateauStart(const PlotModel& plot)
{
    for (const PlotBand& band : plot.bands) {
        if (band.phase == PlotPhase::Accel) {
            return band.end;
        }
    }
    return 0.0;
}

// Builds a scene: texts are decided first, in the order of their importance,
// then every item is emitted in drawing order.
class SceneBuilder {
public:
    SceneBuilder(const PlotModel& plot, double width, double height)
        : plot_(plot), width_(width), height_(height), placer_({0.0, 0.0, width, height})
    {
    }

    PlotScene build(SceneFrame frame)
    {
        PlotScene scene;
        scene.width = width_;
        scene.height = height_;
        scene.fontFamily = plot_.fontFamily;
        scene.title = plot_.title;
        scene.description = plot_.summary;
        scene.background = white;
        SceneBounds region{canvasMargin, canvasMargin, width_ - canvasMargin, height_ - canvasMargin};
        if (frame == SceneFrame::Document) {
            region = documentTexts();
        }
        const auto [area, parts] = chooseArea(plot_, region);
        if (area.usable()) {
            plotTexts(area, parts, region);
        }
        // Drawing order: the document's texts, then the plot from its grid up to its marks.
        for (SceneText& text : documentItems_) {
            scene.items.emplace_back(std::move(text));
        }
        for (SceneRect& swatch : swatches_) {
            scene.items.emplace_back(swatch);
        }
        if (area.usable()) {
            plotItems(scene.items, area);
        }
        return scene;
    }

private:
    void emit(std::vector<SceneItem>& items, std::optional<SceneText>& text)
    {
        if (text) {
            items.emplace_back(std::move(*text));
        }
    }

    // The title, the summary and the figure rows of a document; the region left
    // for the plot. A canvas too low for them all and a readable plot leaves out
    // the rows, then the summary, then the title.
    SceneBounds documentTexts()
    {
        const double margin = std::round(within(width_ * 0.04, canvasMargin, 40.0));
        const std::size_t summaryLines = std::min(plot_.summaryLines.size(), summaryMostLines);
        const double rowsHeight = rowPitch * (static_cast<double>(plot_.rows.size()) - 1) + rowsBottomMargin;
        struct Shown {
            bool title;
            std::size_t summaryLines;
            bool rows;
        };
        const bool rows = !plot_.rows.empty();
        const Shown choices[] = {
            {true, summaryLines, rows}, {true, summaryLines, false}, {true, 0, false}, {false, 0, false}};
        for (const Shown& shown : choices) {
            const double lines = static_cast<double>(shown.summaryLines);
            const double lastBaseline = lines == 0 ? titleBaseline : summaryFirstBaseline + summaryPitch * (lines - 1);
            const double firstRow = height_ - rowsHeight;
            const SceneBounds region{std::max(canvasMargin, margin - 16.0),
                                     shown.title ? lastBaseline + 30.0 : canvasMargin, width_ - margin,
                                     shown.rows ? firstRow - figureSize * textAscent - 24.0 : height_ - canvasMargin};
            if (region.bottom - region.top < std::max(height_ * 0.45, 120.0) && shown.title) {
                continue;
            }
            if (shown.title) {
                documentHeading(margin, shown.summaryLines);
            }
            if (shown.rows) {
                figureRows(margin, firstRow);
            }
            return region;
        }
        return {};
    }

    void documentHeading(double margin, std::size_t summaryLines)
    {
        const double textRoom = width_ - 2 * margin;
        takeDocumentText(textAt(margin, titleBaseline, TextAnchor::Start, titleSize, plotColours.ink,
                                elideText(plot_.title, titleSize, textRoom), true));
        double lineY = summaryFirstBaseline;
        for (std::size_t i = 0; i < summaryLines; ++i) {
            std::string line = plot_.summaryLines[i];
            if (i + 1 == summaryMostLines && plot_.summaryLines.size() > summaryMostLines) {
                line += ellipsis; // more lines than the document shows
            }
            takeDocumentText(textAt(margin, lineY, TextAnchor::Start, figureSize, plotColours.summary,
                                    elideText(line, figureSize, textRoom)));
            lineY += summaryPitch;
        }
    }

    bool takeDocumentText(SceneText text)
    {
        if (!placer_.take(text)) {
            return false;
        }
        documentItems_.push_back(std::move(text));
        return true;
    }

    // A row per phase and the totals: swatch, name, time, pulses and the detail,
    // in columns as wide as their texts, shortened where the canvas is too narrow.
    void figureRows(double margin, double firstBaseline)
    {
        double nameWidth = 0.0;
        double timeWidth = 0.0;
        double pulsesWidth = 0.0;
        for (const FigureRow& row : plot_.rows) {
            nameWidth = std::max(nameWidth, textWidth(row.name, figureSize));
            timeWidth = std::max(timeWidth, textWidth(row.time, figureSize));
            pulsesWidth = std::max(pulsesWidth, textWidth(row.pulses, figureSize));
        }
        const double nameX = margin + swatchSize + 8.0;
        const double room = width_ - margin - nameX - 3 * columnGap;
        nameWidth = std::min(nameWidth, room * 0.2);
        timeWidth = std::min(timeWidth, room * 0.2);
        pulsesWidth = std::min(pulsesWidth, room * 0.25);
        const double timeEnd = nameX + nameWidth + columnGap + timeWidth;
        const double pulsesEnd = timeEnd + columnGap + pulsesWidth;
        const double detailX = pulsesEnd + columnGap;
        const double detailWidth = width_ - margin - detailX;
        const SceneColour ink = plotColours.ink;
        double rowY = firstBaseline;
        for (const FigureRow& row : plot_.rows) {
            const SceneColour nameInk = row.phase ? plotColours.inkOf(*row.phase) : ink;
            const bool named = takeDocumentText(textAt(nameX, rowY, TextAnchor::Start, figureSize, nameInk,
                                                       elideText(row.name, figureSize, nameWidth + 0.5), true));
            if (row.phase && named) {
                SceneRect swatch;
                swatch.x = margin;
                swatch.y = rowY - 11.0;
                swatch.width = swatchSize;
                swatch.height = swatchSize;
                swatch.fill = plotColours.fillOf(*row.phase);
                swatch.stroke = plotColours.inkOf(*row.phase);
                swatches_.push_back(swatch);
            }
            takeDocumentText(textAt(timeEnd, rowY, TextAnchor::End, figureSize, ink,
                                    elideText(row.time, figureSize, timeWidth + 0.5)));
            takeDocumentText(textAt(pulsesEnd, rowY, TextAnchor::End, figureSize, ink,
                                    elideText(row.pulses, figureSize, pulsesWidth + 0.5)));
            takeDocumentText(textAt(detailX, rowY, TextAnchor::Start, figureSize, row.phase ? ink : plotColours.mark,
                                    elideText(row.detail, figureSize, detailWidth)));
            rowY += rowPitch;
        }
    }

    // Every text of the plot, the most needed first, each where it fits.
    void plotTexts(const PlotArea& area, Parts parts, const SceneBounds& region)
    {
        const SceneColour ink = plotColours.ink;
        const double plotWidth = area.right - area.left;
        const double plotHeight = area.bottom - area.top;
        if (parts.axisTitles) {
            timeTitle_ = placer_.first({textAt((area.left + area.right) / 2, area.bottom + timeTitleBaseline,
                                               TextAnchor::Middle, axisTitleSize, ink,
                                               elideText(plot_.timeAxis.title, axisTitleSize, plotWidth))});
            SceneText speedTitle = textAt(region.left + axisTitleSize * textAscent, (area.top + area.bottom) / 2,
                                          TextAnchor::Middle, axisTitleSize, ink,
                                          elideText(plot_.speedAxis.title, axisTitleSize, plotHeight));
            speedTitle.rotation = -90.0;
            speedTitle_ = placer_.first({speedTitle});
        }
        if (parts.markLabel) {
            markLabel(area);
        }
        speedLabels(area);
        if (parts.tickLabels) {
            tickLabels(area);
        }
        bandNames(area);
    }

    // Over the plot at the deceleration point: centred on it, else starting or
    // ending there, else shortened to the wider side.
    void markLabel(const PlotArea& area)
    {
        const double x = area.x(plot_.decelMark.point.time);
        const double y = area.top - markLabelBaseline;
        const std::string& text = plot_.decelMark.label.text;
        const SceneColour colour = plotColours.mark;
        markLabel_ = placer_.first({textAt(x, y, TextAnchor::Middle, figureSize, colour, text),
                                    textAt(x, y, TextAnchor::Start, figureSize, colour, text),
                                    textAt(x, y, TextAnchor::End, figureSize, colour, text)});
        if (!markLabel_) {
            const double rightRoom = width_ - canvasMargin - x;
            const double leftRoom = x - canvasMargin;
            markLabel_ = placer_.first(
                {rightRoom >= leftRoom
                     ? textAt(x, y, TextAnchor::Start, figureSize, colour, elideText(text, figureSize, rightRoom))
                     : textAt(x, y, TextAnchor::End, figureSize, colour, elideText(text, figureSize, leftRoom))});
        }
    }

    // The drive speed over its plateau and the initial speed by its level, both
    // over the plateau's middle and inside the plot.
    void speedLabels(const PlotArea& area)
    {
        const SceneColour ink = plotColours.ink;
        const double room = area.right - area.left - 8.0;
        const double middle = (area.x(plateauStart(plot_)) + area.x(plot_.decelMark.point.time)) / 2;
        const auto centred = [&](const std::string& text) {
            const double half = textWidth(text, figureSize) / 2 + 4.0;
            return within(middle, std::min(area.left + half, (area.left + area.right) / 2),
                          std::max(area.right - half, (area.left + area.right) / 2));
        };
        const std::string drive = elideText(plot_.driveSpeedLabel.text, figureSize, room);
        const double driveY = area.y(plot_.decelMark.point.speed);
        const auto label = [&](const std::string& text, double y) {
            return textAt(centred(text), y, TextAnchor::Middle, figureSize, ink, text);
        };
        driveLabel_ = placer_.first({label(drive, driveY - labelLift), label(drive, driveY + labelDrop)});
        const std::string initial = elideText(plot_.initialSpeedLabel.text, figureSize, room);
        const double levelY = area.y(plot_.initialLevel);
        const SceneText under = label(initial, levelY + labelDrop);
        const SceneText over = label(initial, levelY - labelLift);
        // Under its level unless that runs into the time axis.
        initialLabel_ =
            levelY + labelDrop + 2.0 < area.bottom - 4.0 ? placer_.first({under, over}) : placer_.first({over});
    }

    void tickLabels(const PlotArea& area)
    {
        const SceneColour colour = plotColours.tick;
        std::vector<double> positions;
        std::vector<double> extents;
        for (const PlotTick& tick : plot_.timeAxis.ticks) {
            positions.push_back(area.x(tick.value));
            extents.push_back(textWidth(tick.label, tickSize));
        }
        timeStride_ = strideOf(positions, extents, tickGap);
        for (std::size_t i = 0; i < positions.size(); i += timeStride_) {
            if (auto label = placer_.first({textAt(positions[i], area.bottom + timeTickBaseline, TextAnchor::Middle,
                                                   tickSize, colour, plot_.timeAxis.ticks[i].label)})) {
                tickTexts_.push_back(std::move(*label));
            }
        }
        positions.clear();
        extents.clear();
        for (const PlotTick& tick : plot_.speedAxis.ticks) {
            positions.push_back(area.y(tick.value));
            extents.push_back(tickSize * (textAscent + textDescent));
        }
        speedStride_ = strideOf(positions, extents, 4.0);
        for (std::size_t i = 0; i < positions.size(); i += speedStride_) {
            // The label's middle at its grid line.
            const double baseline = positions[i] + tickSize * (textAscent - textDescent) / 2;
            if (auto label = placer_.first({textAt(area.left - tickGap, baseline, TextAnchor::End, tickSize, colour,
                                                   plot_.speedAxis.ticks[i].label)})) {
                tickTexts_.push_back(std::move(*label));
            }
        }
    }

    // A band's name at its top, else at its foot: in its middle, else at its
    // left or right end; none where it is wider than the band.
    void bandNames(const PlotArea& area)
    {
        for (const PlotBand& band : plot_.bands) {
            const double x0 = area.x(band.start);
            const double x1 = area.x(band.end);
            if (textWidth(band.name, figureSize) + 8.0 > x1 - x0) {
                continue;
            }
            const SceneColour ink = plotColours.inkOf(band.phase);
            const auto at = [&](double x, double y, TextAnchor anchor) {
                return textAt(x, y, anchor, figureSize, ink, band.name, true);
            };
            const double middle = (x0 + x1) / 2;
            const double top = area.top + 18.0;
            const double foot = area.bottom - 8.0;
            auto name = placer_.first({at(middle, top, TextAnchor::Middle), at(x0 + 4.0, top, TextAnchor::Start),
                                       at(x1 - 4.0, top, TextAnchor::End), at(middle, foot, TextAnchor::Middle),
                                       at(x0 + 4.0, foot, TextAnchor::Start), at(x1 - 4.0, foot, TextAnchor::End)});
            if (name) {
                bandTexts_.push_back(std::move(*name));
            }
        }
    }

    void plotItems(std::vector<SceneItem>& items, const PlotArea& area)
    {
        const SceneColour grid = plotColours.grid;
        const auto gridStride = [](const std::vector<PlotTick>& ticks, double spacing, std::size_t labelStride) {
            return ticks.size() > 1 && spacing / static_cast<double>(ticks.size() - 1) < closestGrid ? labelStride : 1;
        };
        const std::size_t timeGrid = gridStride(plot_.timeAxis.ticks, area.right - area.left, timeStride_);
        for (std::size_t i = 0; i < plot_.timeAxis.ticks.size(); i += timeGrid) {
            const double x = area.x(plot_.timeAxis.ticks[i].value);
            items.emplace_back(lineOf({x, area.top}, {x, area.bottom}, grid));
        }
        const std::size_t speedGrid = gridStride(plot_.speedAxis.ticks, area.bottom - area.top, speedStride_);
        for (std::size_t i = 0; i < plot_.speedAxis.ticks.size(); i += speedGrid) {
            const double y = area.y(plot_.speedAxis.ticks[i].value);
            items.emplace_back(lineOf({area.left, y}, {area.right, y}, grid));
        }
        for (SceneText& label : tickTexts_) {
            items.emplace_back(std::move(label));
        }
        for (const PlotBand& band : plot_.bands) {
            const double x0 = area.x(band.start);
            const double x1 = area.x(band.end);
            SceneRect rect;
            rect.x = x0;
            rect.y = area.top;
            rect.width = x1 - x0;
            rect.height = area.bottom - area.top;
            rect.fill = plotColours.fillOf(band.phase);
            rect.fillOpacity = 0.8;
            items.emplace_back(rect);
        }
        for (SceneText& name : bandTexts_) {
            items.emplace_back(std::move(name));
        }
        const SceneColour ink = plotColours.ink;
        items.emplace_back(lineOf({area.left, area.bottom}, {area.right, area.bottom}, ink, 1.5));
        items.emplace_back(lineOf({area.left, area.top}, {area.left, area.bottom}, ink, 1.5));
        emit(items, timeTitle_);
        emit(items, speedTitle_);

        emit(items, driveLabel_);
        items.emplace_back(curveLine(plot_, area));
        items.emplace_back(SceneDot{area.at(plot_.curve.start), 3.5, plotColours.curve});
        const double levelY = area.y(plot_.initialLevel);
        items.emplace_back(lineOf({area.left, levelY}, {area.right, levelY}, plotColours.curve, 1.0, {2.0, 4.0}, 0.7));
        emit(items, initialLabel_);

        const double markX = area.x(plot_.decelMark.point.time);
        items.emplace_back(lineOf({markX, std::max(0.0, area.top - markLineOverhang)}, {markX, area.bottom},
                                  plotColours.mark, 1.5, {5.0, 4.0}));
        items.emplace_back(SceneDot{area.at(plot_.decelMark.point), 4.5, plotColours.mark});
        emit(items, markLabel_);
    }

    const PlotModel& plot_;
    double width_;
    double height_;
    TextPlacer placer_;
    std::vector<SceneText> documentItems_;
    std::vector<SceneRect> swatches_;
    std::vector<SceneText> tickTexts_;
    std::vector<SceneText> bandTexts_;
    std::optional<SceneText> timeTitle_;
    std::optional<SceneText> speedTitle_;
    std::optional<SceneText> markLabel_;
    std::optional<SceneText> driveLabel_;
    std::optional<SceneText> initialLabel_;
    std::size_t timeStride_ = 1;
    std::size_t speedStride_ = 1;
};

} // namespace

SceneBounds textBounds(const SceneText& text)
{
    const double width = textWidth(text.text, text.size);
    // Along the text from its anchor, and across it from its baseline (down is +).
    const double start = text.anchor == TextAnchor::Middle ? -width / 2 : text.anchor == TextAnchor::End ? -width : 0.0;
    const double across[2] = {-text.size * textAscent, text.size * textDescent};
    const double along[2] = {start, start + width};
    constexpr double degree = 3.14159265358979323846 / 180.0; // in radians
    const double angle = text.rotation * degree;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    SceneBounds bounds{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (const double u : along) {
        for (const double v : across) {
            const double x = text.at.x + u * c - v * s;
            const double y = text.at.y + u * s + v * c;
            bounds = {std::min(bounds.left, x), std::min(bounds.top, y), std::max(bounds.right, x),
                      std::max(bounds.bottom, y)};
        }
    }
    return bounds;
}

PlotScene makePlotScene(const PlotModel& plot, double width, double height, SceneFrame frame)
{
    // A canvas of no size, or of none that is a number, has room for nothing.
    const double w = std::isfinite(width) && width > 0.0 ? width : 0.0;
    const double h = std::isfinite(height) && height > 0.0 ? height : 0.0;
    return SceneBuilder(plot, w, h).build(frame);
}

} // namespace veldronix::report
