#include "report/text_placer.h"

#include "report/text_measure.h"

#include <algorithm>
#include <cmath>

namespace veldronix::report {
namespace detail {
namespace {

bool overlap(const SceneBounds& a, const SceneBounds& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

bool TextPlacer::take(const SceneText& text)
{
    if (text.text.empty()) {
        return false;
    }
    const SceneBounds b = textBounds(text);
    const bool onCanvas =
        b.left >= canvas_.left && b.right <= canvas_.right && b.top >= canvas_.top && b.bottom <= canvas_.bottom;
    const auto meets = [&b](const SceneBounds& taken) { return overlap(taken, b); };
    if (!onCanvas || std::any_of(taken_.begin(), taken_.end(), meets)) {
        return false;
    }
    taken_.push_back(b);
    return true;
}

std::optional<SceneText> TextPlacer::first(std::initializer_list<SceneText> places)
{
    for (const SceneText& place : places) {
        if (take(place)) {
            return place;
        }
    }
    return std::nullopt;
}

SceneText textAt(double x, double y, TextAnchor anchor, double size, SceneColour colour, std::string text, bool bold)
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

} // namespace detail

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

} // namespace veldronix::report
