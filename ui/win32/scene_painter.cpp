#include "ui/win32/scene_painter.h"

#include "io/wide_text.h"
#include "ui/win32/gdi_handles.h"

#include <algorithm>
#include <climits>
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

int rounded(double value)
{
    // Coordinates of a scene are finite and on the canvas; the clamp only keeps a
    // hostile value from overflowing the conversion.
    if (!std::isfinite(value)) {
        return 0;
    }
    return static_cast<int>(std::lround(std::clamp(value, -1e6, 1e6)));
}

POINT pointOf(const report::CanvasPoint& point)
{
    return POINT{rounded(point.x), rounded(point.y)};
}

// GDI draws no transparency: a part drawn at an opacity is the colour mixed
// with the scene's background, which is what lies under every item drawn so.
COLORREF mixed(COLORREF ink, COLORREF background, double opacity)
{
    const double a = std::clamp(opacity, 0.0, 1.0);
    const auto channel = [a](int front, int back) {
        return static_cast<BYTE>(std::lround(front * a + back * (1.0 - a)));
    };
    return RGB(channel(GetRValue(ink), GetRValue(background)), channel(GetGValue(ink), GetGValue(background)),
               channel(GetBValue(ink), GetBValue(background)));
}

PenHandle pen(COLORREF colour, double width, const std::vector<double>& dashes)
{
    LOGBRUSH brush{BS_SOLID, colour, 0};
    const DWORD thickness = static_cast<DWORD>(std::max(1, rounded(width)));
    const DWORD ends = PS_ENDCAP_FLAT | PS_JOIN_ROUND;
    if (dashes.empty()) {
        return PenHandle(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | ends, thickness, &brush, 0, nullptr));
    }
    std::vector<DWORD> style;
    for (const double dash : dashes) {
        style.push_back(static_cast<DWORD>(std::max(1, rounded(dash))));
    }
    return PenHandle(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | ends, thickness, &brush,
                                  static_cast<DWORD>(style.size()), style.data()));
}

class Replay {
public:
    Replay(HDC dc, const report::PlotScene& scene, const std::wstring& faceName)
        : dc_(dc), background_(colourOf(scene.background)), faceName_(faceName)
    {
    }

    void operator()(const report::SceneRect& rect) const
    {
        const RECT area{rounded(rect.x), rounded(rect.y), rounded(rect.x + rect.width), rounded(rect.y + rect.height)};
        const BrushHandle fill(CreateSolidBrush(mixed(colourOf(rect.fill), background_, rect.fillOpacity)));
        FillRect(dc_, &area, fill.get());
        if (rect.stroke) {
            const BrushHandle outline(CreateSolidBrush(colourOf(*rect.stroke)));
            FrameRect(dc_, &area, outline.get());
        }
    }

    void operator()(const report::SceneLine& line) const
    {
        const PenHandle ink = pen(mixed(colourOf(line.colour), background_, line.opacity), line.width, line.dashes);
        const Selection use(dc_, ink.get());
        const POINT ends[2] = {pointOf(line.from), pointOf(line.to)};
        Polyline(dc_, ends, 2);
    }

    void operator()(const report::ScenePolyline& polyline) const
    {
        if (polyline.points.size() < 2) {
            return;
        }
        std::vector<POINT> points;
        points.reserve(polyline.points.size());
        for (const report::CanvasPoint& point : polyline.points) {
            points.push_back(pointOf(point));
        }
        const PenHandle ink = pen(colourOf(polyline.colour), polyline.width, {});
        const Selection use(dc_, ink.get());
        Polyline(dc_, points.data(), static_cast<int>(std::min<std::size_t>(points.size(), INT_MAX)));
    }

    void operator()(const report::SceneDot& dot) const
    {
        const BrushHandle fill(CreateSolidBrush(colourOf(dot.colour)));
        const Selection useBrush(dc_, fill.get());
        const Selection usePen(dc_, GetStockObject(NULL_PEN));
        const POINT centre = pointOf(dot.centre);
        const int r = std::max(1, rounded(dot.radius));
        Ellipse(dc_, centre.x - r, centre.y - r, centre.x + r + 1, centre.y + r + 1);
    }

    void operator()(const report::SceneText& text) const
    {
        LOGFONTW face{};
        face.lfHeight = -std::max(1, rounded(text.size)); // the character height, as a CSS font size is
        face.lfWeight = text.bold ? FW_BOLD : FW_NORMAL;
        face.lfEscapement = rounded(text.rotation * 10.0); // tenths of a degree, counter-clockwise
        face.lfOrientation = face.lfEscapement;
        face.lfCharSet = DEFAULT_CHARSET;
        face.lfQuality = CLEARTYPE_QUALITY;
        faceName_.copy(face.lfFaceName, LF_FACESIZE - 1);
        const FontHandle font(CreateFontIndirectW(&face));
        const Selection use(dc_, font.get());
        UINT align = TA_BASELINE | TA_NOUPDATECP;
        switch (text.anchor) {
        case report::TextAnchor::Start:
            align |= TA_LEFT;
            break;
        case report::TextAnchor::Middle:
            align |= TA_CENTER;
            break;
        case report::TextAnchor::End:
            align |= TA_RIGHT;
            break;
        }
        SetTextAlign(dc_, align);
        SetTextColor(dc_, colourOf(text.colour));
        const std::wstring wide = io::toWide(text.text);
        const POINT at = pointOf(text.at);
        ExtTextOutW(dc_, at.x, at.y, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
    }

private:
    HDC dc_;
    COLORREF background_;
    const std::wstring& faceName_;
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

void paintScene(HDC dc, const report::PlotScene& scene, const std::wstring& faceName)
{
    const RECT canvas{0, 0, rounded(scene.width), rounded(scene.height)};
    const BrushHandle background(CreateSolidBrush(colourOf(scene.background)));
    FillRect(dc, &canvas, background.get());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const Replay replay(dc, scene, faceName);
    for (const report::SceneItem& item : scene.items) {
        std::visit(replay, item);
    }
    SetBkMode(dc, oldMode);
}

} // namespace veldronix::win32
