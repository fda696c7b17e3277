#include "report/window_placement.h"

#include <algorithm>

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

} // namespace veldronix::report
