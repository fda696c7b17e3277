#include "report/plot_scene.h"

#include "report/curve_sampling.h"
#include "report/plot_area.h"
#include "report/scene_document.h"
#include "report/scene_metrics.h"
#include "report/text_measure.h"
#include "report/text_placer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

// The scene's plan: the document's texts (report/scene_document), then the plot
// area with the most parts around it (report/plot_area), the plot's own texts in
// the order of their importance (here, and the ticks' in report/plot_area), each
// where report/text_placer finds room, and last every item in drawing order.
namespace veldronix::report {
namespace {

using namespace detail;

constexpr double labelLift = 8.0;  // a speed's label above its level
constexpr double labelDrop = 16.0; // ... or under it

constexpr SceneColour white = "#ffffff";

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
        DocumentTexts document;
        if (frame == SceneFrame::Document) {
            document = placeDocumentTexts(plot_, width_, height_, placer_);
            region = document.plotRegion;
        }
        const auto [area, parts] = chooseArea(plot_, region);
        if (area.usable()) {
            plotTexts(area, parts, region);
        }
        // Drawing order: the document's texts, then the plot from its grid up to its marks.
        for (SceneText& text : document.texts) {
            scene.items.emplace_back(std::move(text));
        }
        for (SceneRect& swatch : document.swatches) {
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
            ticks_ = placeTickLabels(plot_, area, placer_);
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
        addGridLines(items, plot_, area, ticks_);
        for (SceneText& label : ticks_.texts) {
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
    TickLabels ticks_;
    std::vector<SceneText> bandTexts_;
    std::optional<SceneText> timeTitle_;
    std::optional<SceneText> speedTitle_;
    std::optional<SceneText> markLabel_;
    std::optional<SceneText> driveLabel_;
    std::optional<SceneText> initialLabel_;
};

} // namespace

PlotScene makePlotScene(const PlotModel& plot, double width, double height, SceneFrame frame)
{
    // A canvas of no size, or of none that is a number, has room for nothing.
    const double w = std::isfinite(width) && width > 0.0 ? width : 0.0;
    const double h = std::isfinite(height) && height > 0.0 ? height : 0.0;
    return SceneBuilder(plot, w, h).build(frame);
}

} // namespace veldronix::report
