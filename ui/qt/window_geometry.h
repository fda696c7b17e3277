#pragma once

#include "report/window_placement.h"

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace veldronix::qt {

// A top-level window's place against its screen's work area, by report/'s rules
// (report/window_placement.h), in Qt's terms: sizes are a window's own (its
// client area), the frame the window manager adds is reckoned in.

// The work area of the screen the widget is on.
QRect workAreaOf(const QWidget& widget);

// The frame reckoned with before a window was first shown: a common one.
inline constexpr QMargins assumedFrame{8, 32, 8, 8};

// The window manager's frame around a window; before the window was first
// shown it is not known, and room is kept for assumedFrame.
QMargins frameOf(const QWidget& window);

// Sizes window to wanted within the work area and puts it beside dialog, its
// frame never narrower than narrowest (report::placeBeside).
void placeWindowBeside(QWidget& window, const QWidget& dialog, QSize wanted, int narrowest);

// Grows window towards wanted (report::grownToContent): never smaller, away from
// the dialog it stands beside, inside the work area.
void growWindowTo(QWidget& window, const QWidget& dialog, QSize wanted);

// Moves a window about to open inside its screen's work area, its title bar
// on the screen however large it is (report::keptOnScreen).
void keepOnScreen(QWidget& window);

} // namespace veldronix::qt
