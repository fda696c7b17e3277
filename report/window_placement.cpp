#include "report/window_placement.h"

#include <algorithm>
#include <vector>

namespace veldronix::report {

ScreenRect placeBeside(const ScreenRect& workArea, const ScreenRect& beside, int wantedWidth, int wantedHeight,
                       int narrowest)
{
    const int widest = std::min(wantedWidth, workArea.width);
    narrowest = std::clamp(narrowest, 1, std::max(1, widest));
    const int height = std::clamp(wantedHeight, 1, std::max(1, workArea.height));
    const int workRight = workArea.x + workArea.width; // the first pixel past it
    const int besideRight = beside.x + beside.width;
    // The room on each side of the other window, within the work area.
    const int rightRoom = std::max(0, workRight - besideRight);
    const int leftRoom = std::max(0, beside.x - workArea.x);

    int width = widest;
    int x = 0;
    if (rightRoom >= narrowest) {
        width = std::min(widest, rightRoom);
        x = besideRight;
    } else if (leftRoom >= narrowest) {
        width = std::min(widest, leftRoom);
        x = beside.x - width;
    } else if (rightRoom >= leftRoom) {
        // At the work area's right edge, reaching as little into the other window as it can.
        width = narrowest;
        x = workRight - width;
    } else {
        width = narrowest;
        x = workArea.x;
    }
    x = std::clamp(x, workArea.x, std::max(workArea.x, workRight - width));
    const int y = std::clamp(beside.y, workArea.y, std::max(workArea.y, workArea.y + workArea.height - height));
    return {x, y, width, height};
}

ScreenRect grownToContent(const ScreenRect& workArea, const ScreenRect& beside, const ScreenRect& window,
                          int wantedWidth, int wantedHeight)
{
    const int workRight = workArea.x + workArea.width;
    const int workBottom = workArea.y + workArea.height;
    const int windowRight = window.x + window.width;
    int x = window.x;
    int width = window.width;
    if (window.x >= beside.x + beside.width) {
        width = std::max(window.width, std::min(wantedWidth, workRight - window.x));
    } else if (windowRight <= beside.x) {
        width = std::max(window.width, std::min(wantedWidth, windowRight - workArea.x));
        x = windowRight - width;
    }
    const int height = std::max(window.height, std::min(wantedHeight, workArea.height));
    const int y = height > window.height ? std::max(workArea.y, std::min(window.y, workBottom - height)) : window.y;
    return {x, y, width, height};
}

ScreenRect keptOnScreen(const ScreenRect& workArea, const ScreenRect& window)
{
    // Clamped from the far edge first, so that the near one wins where the window is larger.
    const auto along = [](int start, int length, int areaStart, int areaLength) {
        return std::max(areaStart, std::min(start, areaStart + areaLength - length));
    };
    return {along(window.x, window.width, workArea.x, workArea.width),
            along(window.y, window.height, workArea.y, workArea.height), window.width, window.height};
}

namespace {

// What a window shows, apart from its texts.
struct Shape {
    SectionKind kind;
    bool plotted;
    bool form;

    friend bool operator==(const Shape&, const Shape&) = default;
};

std::vector<Shape> shapeOf(const DetailsLayout& layout)
{
    std::vector<Shape> shape;
    for (const DetailsSection& section : layout.sections) {
        shape.push_back({section.kind, section.plotted, section.form.has_value()});
    }
    return shape;
}

} // namespace

bool growsToContent(const DetailsLayout& before, const DetailsLayout& after, bool userSized)
{
    return !userSized && shapeOf(before) != shapeOf(after);
}

} // namespace veldronix::report
