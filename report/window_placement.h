#pragma once

#include "report/details_layout.h"

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

// Where a window opened beside `beside` stands once it has grown to show what
// a later command fills it with: never smaller than it is; wider only away from
// `beside` (a window at its right grows towards the work area's right edge, one
// at its left towards the left edge, its edge beside it kept), not at all in
// width where it already covers some of it; as tall as wanted up to the work
// area's height, raised where it would pass the work area's bottom.
ScreenRect grownToContent(const ScreenRect& workArea, const ScreenRect& beside, const ScreenRect& window,
                          int wantedWidth, int wantedHeight);

// Where a window opens on its screen: where it fits, moved only as far as it
// takes to lie inside workArea; one taller than the work area has its top at
// the work area's top, one wider its left edge at the left edge, so that its
// title bar, and with it the means to move it, is always on the screen.
ScreenRect keptOnScreen(const ScreenRect& workArea, const ScreenRect& window);

// Whether the details window grows at all when it shows `after` in place of
// `before`: for a new shape of what it shows (other sections, a plot where there
// was none), never for longer texts (a long figure scrolls in its table or wraps), and
// never once the user has sized it or it is maximised.
bool growsToContent(const DetailsLayout& before, const DetailsLayout& after, bool userSized);

} // namespace veldronix::report
