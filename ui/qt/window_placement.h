#pragma once

#include <QRect>
#include <QSize>

namespace veldronix::qt {

// Where a window opens beside another, in outer (frame) coordinates of one
// screen: inside workArea; beside `beside`, right or left, where the room
// there takes it at least `narrowest` wide; otherwise at the side with more
// room, as narrow as it may be, so that it covers as little of `beside` as it
// can. It is never larger than `wanted` nor than the work area (its content
// scrolls), and its top is level with `beside` where the height allows.
QRect placeBeside(const QRect& workArea, const QRect& beside, QSize wanted, int narrowest);

} // namespace veldronix::qt
