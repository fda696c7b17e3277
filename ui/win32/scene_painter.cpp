#include "ui/win32/scene_painter.h"

#include "io/wide_text.h"
#include "ui/win32/gdi_handles.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace veldronix::win32 {
namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 0;
}

// Coordinates of a scene are finite and on the canvas; the clamp only keeps a
// hostile value from reaching GDI+ as one it cannot draw.
Gdiplus::REAL real(double value)
{
    return std::isfinite(value) ? static_cast<Gdiplus::REAL>(std::clamp(value, -1e6, 1e6)) : 0.0F;
}

Gdiplus::PointF pointOf(const report::CanvasPoint& point)
{
    return {real(point.x), real(point.y)};
}

Gdiplus::Color colour(report::SceneColour hex, double opacity = 1.0)
{
    const COLORREF rgb = colourOf(hex);
    const auto alpha = static_cast<BYTE>(std::lround(std::clamp(std::isfinite(opacity) ? opacity : 1.0, 0.0, 1.0) * 255));
    return Gdiplus::Color(alpha, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

class Replay {
public:
    Replay(Gdiplus::Graphics& graphics, const std::wstring& faceName, HDC screen)
        : graphics_(graphics), faceName_(faceName), screen_(screen)
    {
    }

    void operator()(const report::SceneRect& rect) const
    {
        const Gdiplus::SolidBrush fill(colour(rect.fill, rect.fillOpacity));
        graphics_.FillRectangle(&fill, real(rect.x), real(rect.y), real(rect.width), real(rect.height));
        if (rect.stroke) {
            const Gdiplus::Pen outline(colour(*rect.stroke), 1.0F);
            graphics_.DrawRectangle(&outline, real(rect.x), real(rect.y), real(rect.width), real(rect.height));
        }
    }

    void operator()(const report::SceneLine& line) const
    {
        Gdiplus::Pen pen(colour(line.colour, line.opacity), real(line.width));
        if (!line.dashes.empty() && line.width > 0) {
            // GDI+'s dashes are in pen widths, the scene's in pixels; an odd list repeats, as in SVG.
            std::vector<Gdiplus::REAL> pattern;
            for (const double dash : line.dashes) {
                pattern.push_back(std::max(0.01F, real(dash / line.width)));
            }
            if (pattern.size() % 2 != 0) {
                pattern.insert(pattern.end(), pattern.begin(), pattern.end());
            }
            pen.SetDashPattern(pattern.data(), static_cast<INT>(pattern.size()));
        }
        graphics_.DrawLine(&pen, pointOf(line.from), pointOf(line.to));
    }

    void operator()(const report::ScenePolyline& polyline) const
    {
        if (polyline.points.size() < 2) {
            return;
        }
        std::vector<Gdiplus::PointF> points;
        points.reserve(polyline.points.size());
        for (const report::CanvasPoint& point : polyline.points) {
            points.push_back(pointOf(point));
        }
        Gdiplus::Pen pen(colour(polyline.colour), real(polyline.width));
        pen.SetLineJoin(Gdiplus::LineJoinRound);
        pen.SetStartCap(Gdiplus::LineCapRound);
        pen.SetEndCap(Gdiplus::LineCapRound);
        graphics_.DrawLines(&pen, points.data(), static_cast<INT>(std::min<std::size_t>(points.size(), 1000000)));
    }

    void operator()(const report::SceneDot& dot) const
    {
        const Gdiplus::SolidBrush fill(colour(dot.colour));
        const Gdiplus::REAL r = std::max(0.5F, real(dot.radius));
        const Gdiplus::PointF centre = pointOf(dot.centre);
        graphics_.FillEllipse(&fill, centre.X - r, centre.Y - r, 2 * r, 2 * r);
    }

    void operator()(const report::SceneText& text) const
    {
        // The font as GDI finds it for the face (the system's substitutes
        // included), its em as high as the scene's size in the scene's pixels.
        LOGFONTW face{};
        face.lfHeight = -std::max(1L, std::lround(std::clamp(std::isfinite(text.size) ? text.size : 12.0, 1.0, 1000.0)));
        face.lfWeight = text.bold ? FW_BOLD : FW_NORMAL;
        face.lfCharSet = DEFAULT_CHARSET;
        faceName_.copy(face.lfFaceName, LF_FACESIZE - 1);
        const Gdiplus::Font font(screen_, &face);
        if (font.GetLastStatus() != Gdiplus::Ok) {
            return;
        }
        Gdiplus::FontFamily family;
        font.GetFamily(&family);
        const INT style = font.GetStyle();
        const Gdiplus::REAL emHeight = family.GetEmHeight(style);
        // From the top of the line GDI+ draws to its baseline.
        const Gdiplus::REAL ascent =
            emHeight > 0 ? font.GetSize() * static_cast<Gdiplus::REAL>(family.GetCellAscent(style)) / emHeight : 0.0F;
        const std::wstring wide = io::toWide(text.text);
        const INT length = static_cast<INT>(std::min<std::size_t>(wide.size(), 100000));
        const Gdiplus::StringFormat& typographic = *Gdiplus::StringFormat::GenericTypographic();
        Gdiplus::REAL shift = 0.0F; // from the anchor to the text's start, along its baseline
        if (text.anchor != report::TextAnchor::Start) {
            Gdiplus::RectF bounds;
            graphics_.MeasureString(wide.c_str(), length, &font, Gdiplus::PointF(0.0F, 0.0F), &typographic, &bounds);
            shift = text.anchor == report::TextAnchor::Middle ? -bounds.Width / 2 : -bounds.Width;
        }
        const Gdiplus::GraphicsState saved = graphics_.Save();
        const Gdiplus::PointF at = pointOf(text.at);
        graphics_.TranslateTransform(at.X, at.Y);
        graphics_.RotateTransform(real(text.rotation)); // clockwise on the screen, as the scene turns it
        const Gdiplus::SolidBrush ink(colour(text.colour));
        graphics_.DrawString(wide.c_str(), length, &font, Gdiplus::PointF(shift, -ascent), &typographic, &ink);
        graphics_.Restore(saved);
    }

private:
    Gdiplus::Graphics& graphics_;
    const std::wstring& faceName_;
    HDC screen_;
};

} // namespace

COLORREF colourOf(std::string_view hex)
{
    if (hex.size() != 7 || hex.front() != '#') {
        return RGB(0, 0, 0);
    }
    const auto byte = [hex](std::size_t at) { return static_cast<BYTE>(hexDigit(hex[at]) * 16 + hexDigit(hex[at + 1])); };
    return RGB(byte(1), byte(3), byte(5));
}

void paintScene(Gdiplus::Graphics& graphics, const report::PlotScene& scene, const std::wstring& faceName)
{
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    // Pixels are squares between whole coordinates, as in SVG and Qt: a rectangle's
    // edges fall on pixels' edges, a 1 px line on a whole coordinate covers two halves.
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    const Gdiplus::SolidBrush background(colour(scene.background.empty() ? report::SceneColour("#ffffff") : scene.background));
    graphics.FillRectangle(&background, 0.0F, 0.0F, real(scene.width), real(scene.height));
    const WindowContext screen(nullptr); // for the fonts GDI maps from their faces
    const Replay replay(graphics, faceName, screen.dc());
    for (const report::SceneItem& item : scene.items) {
        std::visit(replay, item);
    }
}

} // namespace veldronix::win32
