#include "ui/win32/plot_painter.h"

#include "io/wide_text.h"
#include "ui/win32/gdi_handles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix::win32 {
namespace {

using report::PlotModel;

// A colour of the shared plot model, "#rrggbb".
COLORREF colour(std::string_view hex)
{
    const auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 0;
    };
    const auto channel = [&](std::size_t at) {
        return static_cast<BYTE>(hex.size() > at + 1 ? digit(hex[at]) * 16 + digit(hex[at + 1]) : 0);
    };
    return RGB(channel(1), channel(3), channel(5));
}

const report::PlotColours& colours = report::plotColours;
constexpr COLORREF white = RGB(0xff, 0xff, 0xff);

// Pixels between a text and what it labels.
constexpr int textGap = 4;

SIZE textSize(HDC dc, const std::wstring& text)
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// Writes text with its baseline at y, its anchor at x; kept inside [minX, maxX] where it fits.
void label(HDC dc, double x, double y, report::TextAnchor anchor, const std::wstring& text, int minX, int maxX)
{
    const int width = textSize(dc, text).cx;
    double start = anchor == report::TextAnchor::Start ? x
                   : anchor == report::TextAnchor::End ? x - width
                                                       : x - width / 2.0;
    start = std::max(static_cast<double>(minX), std::min(start, static_cast<double>(maxX - width)));
    SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    TextOutW(dc, static_cast<int>(std::lround(start)), static_cast<int>(std::lround(y)), text.c_str(),
             static_cast<int>(text.size()));
}

// Where the model's canvas and data land in the window's plot rectangle.
class Placement {
public:
    Placement(const PlotModel& plot, const RECT& inner) : plot_(plot), inner_(inner) {}

    double x(double time) const
    {
        return inner_.left + time / plot_.timeAxis.maximum * (inner_.right - inner_.left);
    }
    double y(double speed) const
    {
        return inner_.bottom - speed / plot_.speedAxis.maximum * (inner_.bottom - inner_.top);
    }
    POINT point(report::DataPoint p) const { return {round(x(p.time)), round(y(p.speed))}; }
    // A point given on the model's canvas, by its place relative to the canvas's plot area.
    double canvasX(double cx) const
    {
        return inner_.left + (cx - plot_.left) / (plot_.right - plot_.left) * (inner_.right - inner_.left);
    }
    double canvasY(double cy) const
    {
        return inner_.top + (cy - plot_.top) / (plot_.bottom - plot_.top) * (inner_.bottom - inner_.top);
    }
    const RECT& inner() const { return inner_; }

    static LONG round(double value)
    {
        // Far outside the window (a degenerate model): clamped so that GDI gets sane numbers.
        return static_cast<LONG>(std::lround(std::clamp(value, -30000.0, 30000.0)));
    }

private:
    const PlotModel& plot_;
    RECT inner_;
};

void line(HDC dc, LONG x1, LONG y1, LONG x2, LONG y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void dot(HDC dc, POINT centre, int radius, COLORREF colour)
{
    const BrushHandle brush(CreateSolidBrush(colour));
    const PenHandle pen(CreatePen(PS_SOLID, 1, colour));
    const Selection useBrush(dc, brush.get());
    const Selection usePen(dc, pen.get());
    Ellipse(dc, centre.x - radius, centre.y - radius, centre.x + radius + 1, centre.y + radius + 1);
}

// Grid lines with their tick labels; labels that would run into each other are thinned out.
void grid(HDC dc, const PlotModel& plot, const Placement& at, const RECT& area)
{
    const RECT& inner = at.inner();
    const PenHandle pen(CreatePen(PS_SOLID, 1, colour(colours.grid)));
    const Selection usePen(dc, pen.get());
    SetTextColor(dc, colour(colours.tick));
    const TEXTMETRICW metrics = [&] {
        TEXTMETRICW m{};
        GetTextMetricsW(dc, &m);
        return m;
    }();

    std::vector<std::wstring> timeLabels;
    int widest = 0;
    for (const report::PlotTick& tick : plot.timeAxis.ticks) {
        timeLabels.push_back(io::toWide(tick.label));
        widest = std::max(widest, static_cast<int>(textSize(dc, timeLabels.back()).cx));
    }
    const std::size_t count = plot.timeAxis.ticks.size();
    const double spacing = count > 1 ? (inner.right - inner.left) / static_cast<double>(count - 1) : 1e9;
    const std::size_t every = spacing > widest + 8 ? 1 : static_cast<std::size_t>(std::ceil((widest + 8) / spacing));
    for (std::size_t i = 0; i < count; ++i) {
        const LONG x = Placement::round(at.x(plot.timeAxis.ticks[i].value));
        line(dc, x, inner.top, x, inner.bottom);
        if (i % every == 0) {
            label(dc, x, inner.bottom + textGap + metrics.tmAscent, report::TextAnchor::Middle, timeLabels[i],
                  area.left, area.right);
        }
    }
    const std::size_t speedCount = plot.speedAxis.ticks.size();
    const double speedSpacing =
        speedCount > 1 ? (inner.bottom - inner.top) / static_cast<double>(speedCount - 1) : 1e9;
    const std::size_t speedEvery =
        speedSpacing > metrics.tmHeight ? 1 : static_cast<std::size_t>(std::ceil(metrics.tmHeight / speedSpacing));
    for (std::size_t i = 0; i < speedCount; ++i) {
        const LONG y = Placement::round(at.y(plot.speedAxis.ticks[i].value));
        line(dc, inner.left, y, inner.right, y);
        if (i % speedEvery == 0) {
            label(dc, inner.left - textGap, y + metrics.tmAscent / 2.0, report::TextAnchor::End,
                  io::toWide(plot.speedAxis.ticks[i].label), area.left, area.right);
        }
    }
}

// The phases shaded under everything else.
void bandFills(HDC dc, const PlotModel& plot, const Placement& at)
{
    const RECT& inner = at.inner();
    for (const report::PlotBand& band : plot.bands) {
        const RECT shade{Placement::round(at.x(band.start)), inner.top, Placement::round(at.x(band.end)), inner.bottom};
        // The model's bands are drawn at 80 % opacity; on the white canvas that is this colour.
        const COLORREF fill = phaseFill(band.phase);
        const auto over = [](BYTE c) { return static_cast<BYTE>((c * 4 + 255) / 5); };
        const BrushHandle brush(CreateSolidBrush(RGB(over(GetRValue(fill)), over(GetGValue(fill)), over(GetBValue(fill)))));
        FillRect(dc, &shade, brush.get());
    }
}

// The phases' names at the top of their bands.
void bandNames(HDC dc, const PlotModel& plot, const Placement& at, const PlotFonts& fonts)
{
    const RECT& inner = at.inner();
    const Selection useFont(dc, fonts.bold);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    for (const report::PlotBand& band : plot.bands) {
        const LONG left = Placement::round(at.x(band.start));
        const LONG right = Placement::round(at.x(band.end));
        const std::wstring name = io::toWide(band.name);
        // The model leaves out a name that does not fit its band; the window's font may need more room still.
        if (!name.empty() && textSize(dc, name).cx + 6 <= right - left) {
            SetTextColor(dc, phaseInk(band.phase));
            label(dc, (left + right) / 2.0, inner.top + textGap + metrics.tmAscent, report::TextAnchor::Middle, name,
                  left, right);
        }
    }
}

void axes(HDC dc, const PlotModel& plot, const Placement& at, const RECT& area, const PlotFonts& fonts)
{
    const RECT& inner = at.inner();
    const PenHandle pen(CreatePen(PS_SOLID, 1, colour(colours.ink)));
    const Selection usePen(dc, pen.get());
    line(dc, inner.left, inner.bottom, inner.right + 1, inner.bottom);
    line(dc, inner.left, inner.top, inner.left, inner.bottom + 1);
    SetTextColor(dc, colour(colours.ink));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    label(dc, (inner.left + inner.right) / 2.0, area.bottom - metrics.tmDescent - 1, report::TextAnchor::Middle,
          io::toWide(plot.timeAxis.title), area.left, area.right);
    // Turned a quarter to the left, the text runs upwards from its start, its top towards the window's edge.
    const Selection useVertical(dc, fonts.vertical);
    const std::wstring title = io::toWide(plot.speedAxis.title);
    const int length = textSize(dc, title).cx;
    const int middle = (inner.top + inner.bottom) / 2;
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    TextOutW(dc, area.left + 1, std::min<LONG>(area.bottom, middle + length / 2), title.c_str(),
             static_cast<int>(title.size()));
}

// A quadratic piece of the curve as the cubic Bezier GDI draws: the same parabola.
void parabolaTo(HDC dc, POINT from, POINT control, POINT to)
{
    const auto third = [](LONG end, LONG c) { return static_cast<LONG>(std::lround(end + 2.0 * (c - end) / 3.0)); };
    const POINT cubic[3] = {{third(from.x, control.x), third(from.y, control.y)},
                            {third(to.x, control.x), third(to.y, control.y)},
                            to};
    PolyBezierTo(dc, cubic, 3);
}

void curve(HDC dc, const PlotModel& plot, const Placement& at, const RECT& area)
{
    const RECT& inner = at.inner();
    {
        const PenHandle level(CreatePen(PS_DOT, 1, colour(colours.curve)));
        const Selection usePen(dc, level.get());
        const LONG y = Placement::round(at.y(plot.initialLevel));
        line(dc, inner.left, y, inner.right, y);
    }
    {
        const PenHandle pen(CreatePen(PS_SOLID, 2, colour(colours.curve)));
        const Selection usePen(dc, pen.get());
        POINT current = at.point(plot.curve.start);
        MoveToEx(dc, current.x, current.y, nullptr);
        for (const report::CurveSegment& segment : plot.curve.segments) {
            const POINT to = at.point(segment.to);
            if (segment.kind == report::CurveSegment::Kind::Parabola) {
                parabolaTo(dc, current, at.point(segment.control), to);
            } else {
                LineTo(dc, to.x, to.y);
            }
            current = to;
        }
    }
    dot(dc, at.point(plot.curve.start), 3, colour(colours.curve));
    SetTextColor(dc, colour(colours.ink));
    for (const report::PlotLabel* speed : {&plot.driveSpeedLabel, &plot.initialSpeedLabel}) {
        label(dc, at.canvasX(speed->at.x), at.canvasY(speed->at.y), speed->anchor, io::toWide(speed->text),
              inner.left + 2, std::max<LONG>(inner.left + 2, area.right));
    }
}

void decelMark(HDC dc, const PlotModel& plot, const Placement& at, const RECT& area)
{
    const RECT& inner = at.inner();
    const report::DecelMark& mark = plot.decelMark;
    const LONG x = Placement::round(at.x(mark.point.time));
    {
        const PenHandle pen(CreatePen(PS_DASH, 1, colour(colours.mark)));
        const Selection usePen(dc, pen.get());
        line(dc, x, inner.top - textGap, x, inner.bottom);
    }
    dot(dc, at.point(mark.point), 4, colour(colours.mark));
    SetTextColor(dc, colour(colours.mark));
    label(dc, x, inner.top - textGap - 2, mark.label.anchor, io::toWide(mark.label.text), area.left + 2,
          area.right - 2);
}

} // namespace

COLORREF phaseFill(report::PlotPhase phase)
{
    return colour(colours.fillOf(phase));
}

COLORREF phaseInk(report::PlotPhase phase)
{
    return colour(colours.inkOf(phase));
}

COLORREF decelMarkColour()
{
    return colour(colours.mark);
}

void paintPlot(HDC dc, const RECT& area, const PlotModel& plot, const PlotFonts& fonts)
{
    const BrushHandle background(CreateSolidBrush(white));
    FillRect(dc, &area, background.get());
    const Selection useFont(dc, fonts.text);
    SetBkMode(dc, TRANSPARENT);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);

    // Room for the speed axis's title and its widest tick label on the left,
    // the tick labels and the time axis's title below, the deceleration point's label above.
    int widestSpeed = 0;
    for (const report::PlotTick& tick : plot.speedAxis.ticks) {
        widestSpeed = std::max(widestSpeed, static_cast<int>(textSize(dc, io::toWide(tick.label)).cx));
    }
    const RECT inner{area.left + metrics.tmHeight + 2 * textGap + widestSpeed + textGap,
                     area.top + metrics.tmHeight + 3 * textGap,
                     area.right - 2 * metrics.tmAveCharWidth,
                     area.bottom - 2 * metrics.tmHeight - 3 * textGap};
    if (inner.right - inner.left < 20 || inner.bottom - inner.top < 20 || !(plot.timeAxis.maximum > 0.0) ||
        !(plot.speedAxis.maximum > 0.0)) {
        return; // no room to draw anything readable
    }
    const Placement at(plot, inner);
    bandFills(dc, plot, at);
    grid(dc, plot, at, area);
    bandNames(dc, plot, at, fonts);
    axes(dc, plot, at, area, fonts);
    curve(dc, plot, at, area);
    decelMark(dc, plot, at, area);
}

} // namespace veldronix::win32
