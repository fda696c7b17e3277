// The placed plot scene: what every drawing of a velocity profile replays, laid
// out for canvases from a phone's corner to a full-HD screen.
#include "report/plot_scene.h"

#include "report/details.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

namespace veldronix {
namespace {

using report::PlotScene;
using report::SceneFrame;
using report::SceneText;

report::PlotModel plotOf(double initial, double drive, double accel, double decel, DriveType type, double pulses,
                         const report::PlotTexts& texts = report::englishPlotTexts())
{
    const auto plot = report::makePlotModel(computeVelocityProfile(initial, drive, accel, decel, type, pulses),
                                            "summary line\nsecond line", texts);
    EXPECT_TRUE(plot);
    return plot.value_or(report::PlotModel{});
}

std::vector<SceneText> textsOf(const PlotScene& scene)
{
    std::vector<SceneText> texts;
    for (const auto& item : scene.items) {
        if (const auto* text = std::get_if<SceneText>(&item)) {
            texts.push_back(*text);
        }
    }
    return texts;
}

const report::ScenePolyline& curveOf(const PlotScene& scene)
{
    for (const auto& item : scene.items) {
        if (const auto* line = std::get_if<report::ScenePolyline>(&item)) {
            return *line;
        }
    }
    static const report::ScenePolyline none;
    ADD_FAILURE() << "no curve";
    return none;
}

bool inside(const PlotScene& scene, report::CanvasPoint p)
{
    return p.x >= 0 && p.x <= scene.width && p.y >= 0 && p.y <= scene.height;
}

// What is wrong with a scene for its canvas: a text too small, outside the
// canvas or over another text; a point that is off the canvas or no number.
std::string sceneProblem(const PlotScene& scene)
{
    const auto texts = textsOf(scene);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const SceneText& t = texts[i];
        const report::SceneBounds b = report::textBounds(t);
        if (t.size < report::minimumTextSize) {
            return "text smaller than 11 px: " + t.text;
        }
        if (!(b.left >= 0 && b.top >= 0 && b.right <= scene.width && b.bottom <= scene.height)) {
            return "text off the canvas: " + t.text;
        }
        for (std::size_t j = 0; j < i; ++j) {
            const report::SceneBounds o = report::textBounds(texts[j]);
            if (b.left < o.right && o.left < b.right && b.top < o.bottom && o.top < b.bottom) {
                return "texts overlap: " + t.text + " / " + texts[j].text;
            }
        }
    }
    for (const auto& item : scene.items) {
        bool onCanvas = true;
        if (const auto* line = std::get_if<report::SceneLine>(&item)) {
            onCanvas = inside(scene, line->from) && inside(scene, line->to);
        } else if (const auto* poly = std::get_if<report::ScenePolyline>(&item)) {
            for (const auto& p : poly->points) {
                onCanvas = onCanvas && inside(scene, p);
            }
        } else if (const auto* rect = std::get_if<report::SceneRect>(&item)) {
            onCanvas = inside(scene, {rect->x, rect->y}) && rect->width >= 0 && rect->height >= 0 &&
                       inside(scene, {rect->x + rect->width, rect->y + rect->height});
        } else if (const auto* dot = std::get_if<report::SceneDot>(&item)) {
            onCanvas = inside(scene, dot->centre);
        }
        if (!onCanvas) {
            return "an item off the canvas (item " + std::to_string(item.index()) + ")";
        }
    }
    return {};
}

struct Canvas {
    double width;
    double height;
};
const Canvas canvases[] = {{200, 120}, {390, 260}, {640, 400}, {960, 640}, {1280, 720}, {1920, 1080}};

// Every drive type, English and Japanese texts, a pulse count of 1e300 and figures
// far from the ordinary: on every canvas, in both frames, a scene with readable
// texts that neither leave the canvas nor lie over each other, the same sizes everywhere.
TEST(PlotScene, textsAreReadableOnTheCanvasAndApartAtEverySize)
{
    const report::PlotModel plots[] = {
        plotOf(100, 10000, 0.2, 0.3, DriveType::SymmetricTrapezoid, 10000),
        plotOf(100, 10000, 0.2, 0.3, DriveType::SymmetricSCurve, 10000),
        plotOf(100, 10000, 0.2, 0.3, DriveType::AsymmetricTrapezoid, 10000, report::detailsPlotTexts()),
        plotOf(100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve, 10000, report::detailsPlotTexts()),
        plotOf(100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve, 1e300, report::detailsPlotTexts()),
        plotOf(1e-300, 0.0025, 7e-3, 3.3, DriveType::AsymmetricTrapezoid, 1e300),
        plotOf(0, 1e300, 1e-10, 1e-10, DriveType::SymmetricTrapezoid, 1e300),
        plotOf(500, 500, 1, 1, DriveType::SymmetricTrapezoid, 1000, report::detailsPlotTexts()),
        plotOf(100, 10000, 0.001, 1, DriveType::AsymmetricTrapezoid, 5060),
    };
    for (const report::PlotModel& plot : plots) {
        for (const Canvas canvas : canvases) {
            for (const SceneFrame frame : {SceneFrame::PlotOnly, SceneFrame::Document}) {
                const PlotScene scene = report::makePlotScene(plot, canvas.width, canvas.height, frame);
                SCOPED_TRACE(plot.title.substr(0, 60) + " on " + std::to_string(canvas.width) + "x" +
                             std::to_string(canvas.height) + (frame == SceneFrame::Document ? " document" : ""));
                EXPECT_EQ(sceneProblem(scene), "");
                std::set<double> sizes;
                for (const SceneText& text : textsOf(scene)) {
                    sizes.insert(text.size);
                }
                EXPECT_TRUE(std::includes(std::set<double>{12, 13, 18}.begin(), std::set<double>{12, 13, 18}.end(),
                                          sizes.begin(), sizes.end()));
                EXPECT_GE(curveOf(scene).points.size(), 2u);
            }
        }
    }
}

// On a canvas that has the room, every text of the plot is there as the model
// words it; a small one thins the ticks' labels but keeps each axis's 0; a
// canvas of no size, or of none that is a number, still gives a valid scene.
TEST(PlotScene, roomyCanvasShowsEveryTextSmallOneThinsItsLabels)
{
    const report::PlotModel plot = plotOf(100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve, 10000);
    const auto shownAt = [&plot](double width, double height, SceneFrame frame) {
        std::multiset<std::string> shown;
        for (const SceneText& text : textsOf(report::makePlotScene(plot, width, height, frame))) {
            shown.insert(text.text);
        }
        return shown;
    };
    std::multiset<std::string> expected = {
        "time (s)", "speed (PPS)", "acceleration", "constant speed", "deceleration", "drive speed 10000 PPS",
        "initial speed 100 PPS", "deceleration point: 8485 pulses"};
    for (const auto* axis : {&plot.timeAxis, &plot.speedAxis}) {
        for (const auto& tick : axis->ticks) {
            expected.insert(tick.label);
        }
    }
    EXPECT_EQ(shownAt(960, 400, SceneFrame::PlotOnly), expected);
    // The document adds the title, the summary's two lines and four rows of name, time, pulses, detail.
    EXPECT_EQ(shownAt(report::documentWidth, report::documentHeight, SceneFrame::Document).size(),
              expected.size() + 1 + 2 + 4 * 4);
    const auto small = shownAt(200, 120, SceneFrame::PlotOnly);
    EXPECT_LT(small.size(), expected.size());
    EXPECT_EQ(small.count("0"), 2u);
    for (const Canvas tiny : {Canvas{0, 0}, Canvas{40, 20}, Canvas{NAN, 100}, Canvas{-5, INFINITY}}) {
        const PlotScene scene = report::makePlotScene(plot, tiny.width, tiny.height, SceneFrame::Document);
        EXPECT_EQ(sceneProblem(scene), "") << tiny.width;
        EXPECT_TRUE(std::isfinite(scene.width) && std::isfinite(scene.height));
    }
}

// The curve passes exactly through each segment's end and is sampled finely between.
TEST(PlotScene, curveIsExactAtSegmentEndsAndFineBetween)
{
    for (const DriveType type : {DriveType::SymmetricTrapezoid, DriveType::AsymmetricSCurve}) {
        const report::PlotModel plot = plotOf(100, 10000, 0.2, 0.3, type, 10000);
        for (const Canvas canvas : canvases) {
            const PlotScene scene = report::makePlotScene(plot, canvas.width, canvas.height, SceneFrame::PlotOnly);
            const auto& points = curveOf(scene).points;
            ASSERT_GE(points.size(), 4u);
            const report::SceneDot* start = nullptr;
            const report::SceneDot* mark = nullptr;
            for (const auto& item : scene.items) {
                if (const auto* dot = std::get_if<report::SceneDot>(&item)) {
                    (start ? mark : start) = dot;
                }
            }
            ASSERT_TRUE(start && mark);
            // Starts at the start's dot, ends at the initial speed again, passes the deceleration point.
            EXPECT_EQ(points.front().x, start->centre.x);
            EXPECT_EQ(points.front().y, start->centre.y);
            EXPECT_EQ(points.back().y, start->centre.y);
            std::size_t plateauEnd = 0;
            for (std::size_t i = 0; i < points.size(); ++i) {
                if (points[i].x == mark->centre.x && points[i].y == mark->centre.y) {
                    plateauEnd = i;
                }
            }
            ASSERT_NE(plateauEnd, 0u);
            // The plateau is one straight piece at the mark's height.
            EXPECT_EQ(points[plateauEnd - 1].y, mark->centre.y);
            if (isSCurve(type)) {
                // Parabolas: no step longer than 2 px, and through each half ramp's middle speed.
                for (std::size_t i = 1; i < points.size(); ++i) {
                    if (i != plateauEnd) {
                        EXPECT_LE(std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y), 2.0 + 1e-9);
                    }
                }
                const double middleY = (start->centre.y + mark->centre.y) / 2;
                const auto through = std::count_if(points.begin(), points.end(), [middleY](report::CanvasPoint p) {
                    return std::fabs(p.y - middleY) < 1e-9;
                });
                EXPECT_EQ(through, 2);
            } else {
                EXPECT_EQ(points.size(), 4u);
            }
        }
    }
}

// Where the deceleration point lies decides how its label keeps to the canvas;
// a band too narrow for its name shows none.
TEST(PlotScene, labelsKeepToTheCanvasNearItsEdges)
{
    struct Case {
        double accelTime;
        double decelTime;
        double pulses;
        report::TextAnchor anchor;
        std::set<std::string> bandNames;
    };
    const Case cases[] = {
        {0.2, 0.3, 10000, report::TextAnchor::Middle, {"acceleration", "constant speed", "deceleration"}},
        {0.2, 0.001, 10000, report::TextAnchor::End, {"acceleration", "constant speed"}},
        {0.001, 1, 5060, report::TextAnchor::Start, {"deceleration"}},
    };
    for (const Case& c : cases) {
        const report::PlotModel plot = plotOf(100, 10000, c.accelTime, c.decelTime, DriveType::AsymmetricTrapezoid, c.pulses);
        std::set<std::string> bandNames;
        std::optional<report::TextAnchor> anchor;
        for (const SceneText& text : textsOf(report::makePlotScene(plot, 960, 400, SceneFrame::PlotOnly))) {
            if (text.bold) {
                bandNames.insert(text.text);
            }
            if (text.text == plot.decelMark.label.text) {
                anchor = text.anchor;
            }
        }
        EXPECT_EQ(anchor, c.anchor) << plot.decelMark.label.text;
        EXPECT_EQ(bandNames, c.bandNames) << plot.decelMark.label.text;
    }
}

// Figures of 301 digits are shortened with an ellipsis, never pushed off the
// canvas: the title, the mark's label, the plateau's and the totals' times and pulses, the
// totals' detail.
TEST(PlotScene, longFiguresAreShortened)
{
    const report::PlotModel plot = plotOf(100, 10000, 0.2, 0.3, DriveType::AsymmetricSCurve, 1e300);
    const auto texts = textsOf(report::makePlotScene(plot, report::documentWidth, report::documentHeight,
                                                     SceneFrame::Document));
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const SceneText& t) { return t.text.ends_with("\u2026"); }),
              7);
}

} // namespace
} // namespace veldronix
