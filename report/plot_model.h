#pragma once

#include "core/velocity_profile.h"
#include "report/text_format.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix::report {

// What the plot of a velocity profile shows: its data in the profile's units
// (time s, speed PPS) and its texts, decided once so that every drawing of a
// profile says the same. Where each part goes on a canvas is the plot's scene's
// to decide (report/plot_scene.h), for the canvas's size.

// A point of the motion.
struct DataPoint {
    double time = 0.0;  // s
    double speed = 0.0; // PPS
};

// A point on a canvas, in px, y downwards.
struct CanvasPoint {
    double x = 0.0;
    double y = 0.0;
};

// Which phase a band or a row of figures belongs to; a front end gives each its colours.
enum class PlotPhase { Accel, Constant, Decel };

// Where a text's point is: its start, its middle or its end.
enum class TextAnchor { Start, Middle, End };

// A text the plot shows by its curve or mark; the scene places it.
struct PlotLabel {
    std::string text;
};

struct PlotTick {
    double value = 0.0; // in the axis's unit
    std::string label;
};

// An axis from 0 to maximum, with a grid line and a label at each tick.
struct PlotAxis {
    std::string title;
    double maximum = 1.0;
    std::vector<PlotTick> ticks;
};

// A phase shaded over the plot's height, from start to end (s).
struct PlotBand {
    PlotPhase phase = PlotPhase::Accel;
    double start = 0.0;
    double end = 0.0;
    std::string name; // shown in the band where the band is wide enough
};

// A piece of the speed curve from where the previous one ended.
struct CurveSegment {
    enum class Kind {
        Line,     // straight to `to`
        Parabola, // a quadratic Bezier: speed quadratic in time, `control` where its end tangents meet
    };
    Kind kind = Kind::Line;
    DataPoint control; // of a Parabola only
    DataPoint to;
};

struct PlotCurve {
    DataPoint start; // marked with a dot: the initial speed at time 0
    std::vector<CurveSegment> segments;
};

// The deceleration point: drawn as a vertical line down to the time axis at its
// time, a dot where it leaves the plateau, and its label above the plot.
struct DecelMark {
    DataPoint point;
    PlotLabel label;
};

// A row of the figures under the plot; a phase's row has its swatch and colours,
// the totals row (no phase) shows the deceleration point in the mark's colour.
struct FigureRow {
    std::optional<PlotPhase> phase;
    std::string name;
    std::string time;   // "0.200000 s"
    std::string pulses; // "1010 pulses"
    std::string detail; // the speeds of the phase, or the deceleration point
};

// The colours of every drawing of a plot, as "#rrggbb": the curve, the
// deceleration mark, each phase's band (drawn at 80 % opacity) and its texts,
// the grid, the axes and texts, the tick labels, the summary.
struct PlotColours {
    std::string_view curve = "#1d4ed8";
    std::string_view mark = "#c2410c";
    std::array<std::string_view, 3> phaseFill = {"#dbeafe", "#dcfce7", "#fef3c7"}; // by PlotPhase
    std::array<std::string_view, 3> phaseInk = {"#1e40af", "#166534", "#92400e"};  // by PlotPhase
    std::string_view grid = "#e5e7eb";
    std::string_view ink = "#111827";
    std::string_view tick = "#374151";
    std::string_view summary = "#4b5563";

    std::string_view fillOf(PlotPhase phase) const { return phaseFill[static_cast<std::size_t>(phase)]; }
    std::string_view inkOf(PlotPhase phase) const { return phaseInk[static_cast<std::size_t>(phase)]; }
};

inline constexpr PlotColours plotColours{};

// The texts a plot is made with: {fmt} format strings whose "{}" stand for
// figures (see figureText) or texts, filled in order. The command line's plot
// is English (englishPlotTexts), the dialogs' details are Japanese.
struct PlotTexts {
    Format1 title;          // the profile's heading
    Format4 heading;        // the pulse count, the initial and the drive speed, the ramps' shape
    std::string_view shapeLinear;
    std::string_view shapeSCurve;
    std::string_view timeAxis;
    std::string_view speedAxis;
    std::string_view phaseAccel;
    std::string_view phaseConstant;
    std::string_view phaseDecel;
    std::string_view totalMove;
    Format1 decelPoint;     // the pulses before the deceleration begins
    Format1 driveSpeed;     // a speed
    Format1 initialSpeed;   // a speed
    Format1 phaseTime;      // a time already written with its decimals
    Format1 phasePulses;    // a pulse count
    Format2 ramp;           // from one speed to the other
    Format3 sCurveRamp;     // the same with the jerk
    Format1 atSpeed;        // the constant phase's speed
    std::string_view fontFamily;     // the fonts a drawing asks for, first choice first
};

// The plot's texts in English, as pulsecalc --svg writes them.
const PlotTexts& englishPlotTexts();

struct PlotModel {
    std::string fontFamily; // the fonts the texts are drawn in, as a CSS font-family list

    std::string title;                     // the heading over everything
    std::string summary;                   // the dialog's summary line, any text
    std::vector<std::string> summaryLines; // the summary split at its line breaks

    PlotAxis timeAxis;  // horizontal, s
    PlotAxis speedAxis; // vertical, PPS
    std::vector<PlotBand> bands; // only phases that take time, in order
    PlotCurve curve;
    double initialLevel = 0.0; // a dashed level across the plot at the initial speed
    PlotLabel driveSpeedLabel;
    PlotLabel initialSpeedLabel;
    DecelMark decelMark;
    std::vector<FigureRow> rows; // the three phases, then the totals
};

// The plot of a Complete profile, summary shown under its title, in the given
// texts (English when none are given); none for a profile without motion.
std::optional<PlotModel> makePlotModel(const VelocityProfile& profile, std::string_view summary,
                                       const PlotTexts& texts = englishPlotTexts());

// The tick label of value on an axis whose ticks are step apart: fixed decimals
// as the step needs, or scientific notation where fixed would be unreadable.
std::string tickText(double value, double step);

// An axis from 0 past largest, ticks at 1, 2 or 5 times a power of ten, about 8 of them.
PlotAxis plotAxis(std::string_view title, double largest);

} // namespace veldronix::report
