#include "ui/qt/window_placement.h"

#include <algorithm>

namespace veldronix::qt {

QRect placeBeside(const QRect& workArea, const QRect& beside, QSize wanted, int narrowest)
{
    const int widest = std::min(wanted.width(), workArea.width());
    narrowest = std::clamp(narrowest, 1, std::max(1, widest));
    const int height = std::clamp(wanted.height(), 1, std::max(1, workArea.height()));
    // The room on each side of the other window, within the work area.
    const int rightRoom = std::max(0, workArea.right() - beside.right());
    const int leftRoom = std::max(0, beside.left() - workArea.left());

    int width = widest;
    int x = 0;
    if (rightRoom >= narrowest) {
        width = std::min(widest, rightRoom);
        x = beside.right() + 1;
    } else if (leftRoom >= narrowest) {
        width = std::min(widest, leftRoom);
        x = beside.left() - width;
    } else if (rightRoom >= leftRoom) {
        // At the work area's right edge, reaching as little into the other window as it can.
        width = narrowest;
        x = workArea.right() + 1 - width;
    } else {
        width = narrowest;
        x = workArea.left();
    }
    x = std::clamp(x, workArea.left(), workArea.right() + 1 - width);
    const int y = std::clamp(beside.top(), workArea.top(), workArea.bottom() + 1 - height);
    return {x, y, width, height};
}

} // namespace veldronix::qt
