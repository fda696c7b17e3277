#pragma once

namespace veldronix::report {

// A window's rectangle on the screen in pixels, its frame included: x, y its top
// left corner. Toolkit-free, so that every desktop front end places its details
// window by the same rule.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// Where a window opens beside another, in the coordinates of one screen: inside
// workArea; beside `beside`, right or left, where the room there takes it at
// least `narrowest` wide; otherwise at the side with more room, as narrow as it
// may be, so that it covers as little of `beside` as it can. It is never larger
// than wanted nor than the work area (its content scrolls), and its top is level
// with `beside` where the height allows.
ScreenRect placeBeside(const ScreenRect& workArea, const ScreenRect& beside, int wantedWidth, int wantedHeight,
                       int narrowest);

} // namespace veldronix::report
