#pragma once

#include "report/plot_model.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace veldronix::report {

// A plot laid out for one canvas: every line, polyline, rectangle, dot and text
// with its place, size and colour, in drawing order. It is the only place where
// plot coordinates are worked out; the SVG writer, Qt's painter and the GDI
// painter replay the items as they stand. Coordinates are pixels, y downwards,
// origin at the canvas's top left corner.

// A colour as "#rrggbb", from plotColours or detailsColours.
using SceneColour = std::string_view;

struct SceneLine {
    CanvasPoint from;
    CanvasPoint to;
    SceneColour colour;
    double width = 1.0;           // px
    std::vector<double> dashes;   // on, off, ... in px; empty: solid
    double opacity = 1.0;
};

// A run of straight pieces through the points: the speed curve, sampled as
// finely as the canvas needs, so that a painter never approximates a curve.
struct ScenePolyline {
    std::vector<CanvasPoint> points;
    SceneColour colour;
    double width = 1.0; // px; joins are round
};

struct SceneRect {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;
    SceneColour fill;
    double fillOpacity = 1.0;
    std::optional<SceneColour> stroke; // a 1-px outline, where there is one
};

// A filled circle: the curve's start and the deceleration point.
struct SceneDot {
    CanvasPoint centre;
    double radius = 3.0; // px
    SceneColour colour;
};

struct SceneText {
    CanvasPoint at;       // the baseline at the anchor, before rotation
    TextAnchor anchor = TextAnchor::Start;
    double rotation = 0.0; // degrees about `at`, clockwise on the screen as SVG's rotate() and
                           // QPainter::rotate() take them: -90 reads upwards
    double size = 12.0;    // font size in px, never below minimumTextSize
    bool bold = false;
    SceneColour colour;
    std::string text;
};

using SceneItem = std::variant<SceneRect, SceneLine, ScenePolyline, SceneDot, SceneText>;

// What a scene holds besides the plot itself.
enum class SceneFrame {
    PlotOnly, // axes, bands, curve, marks: for a window that shows the figures in its own table
    Document, // also the title, the summary lines and the figure rows: a saved file
};

struct PlotScene {
    double width = 0.0;  // px
    double height = 0.0; // px
    std::string fontFamily; // a CSS font-family list, first choice first
    std::string title;      // the document's title (not an item of PlotOnly)
    std::string description; // the summary, for a document's metadata
    SceneColour background;
    std::vector<SceneItem> items; // in drawing order
};

// No text of a scene is smaller than this, whatever the canvas, in px.
inline constexpr double minimumTextSize = 11.0;

// The size of a saved document, in px.
inline constexpr double documentWidth = 960.0;
inline constexpr double documentHeight = 640.0;

// The plot laid out on a canvas of width x height px. Text sizes are fixed (they
// neither shrink below minimumTextSize nor grow with the canvas or the numbers);
// a text that would not fit where it goes is left out or shortened, never drawn
// over the plot. A canvas too small for the plot still gives a valid scene.
PlotScene makePlotScene(const PlotModel& plot, double width, double height, SceneFrame frame);

// The rectangle a text of a scene covers, after its rotation, in px, as the
// scene estimates it when it places the text (report/text_measure.h).
struct SceneBounds {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

SceneBounds textBounds(const SceneText& text);

} // namespace veldronix::report
