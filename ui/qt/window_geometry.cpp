#include "ui/qt/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace veldronix::qt {
namespace {

report::ScreenRect screenRectOf(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QRect rectOf(const report::ScreenRect& rect)
{
    return {rect.x, rect.y, rect.width, rect.height};
}

// The window's outer rectangle once it stands at outer, its own size kept within its limits.
void setOuterGeometry(QWidget& window, const QRect& outer, const QMargins& frame)
{
    window.resize(outer.size().shrunkBy(frame).expandedTo(window.minimumSizeHint()));
    window.move(outer.topLeft());
}

} // namespace

QRect workAreaOf(const QWidget& widget)
{
    const QScreen* screen = widget.screen() != nullptr ? widget.screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 720);
}

QMargins frameOf(const QWidget& window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    return frame.isNull() && !window.testAttribute(Qt::WA_WState_Created) ? assumedFrame : frame;
}

void placeWindowBeside(QWidget& window, const QWidget& dialog, QSize wanted, int narrowest)
{
    const QMargins frame = frameOf(window);
    QSize outer = wanted.grownBy(frame);
    outer.setWidth(std::max(outer.width(), narrowest));
    const report::ScreenRect placed = report::placeBeside(screenRectOf(workAreaOf(dialog)),
                                                          screenRectOf(dialog.frameGeometry()), outer.width(),
                                                          outer.height(), narrowest);
    const QRect rect = rectOf(placed);
    window.resize(rect.size().shrunkBy(frame));
    window.move(rect.topLeft());
}

void growWindowTo(QWidget& window, const QWidget& dialog, QSize wanted)
{
    const QMargins frame = frameOf(window);
    const QSize outer = wanted.grownBy(frame);
    const report::ScreenRect now = screenRectOf(window.frameGeometry());
    const report::ScreenRect grown = report::grownToContent(
        screenRectOf(workAreaOf(window)), screenRectOf(dialog.frameGeometry()), now, outer.width(), outer.height());
    if (grown != now) {
        setOuterGeometry(window, rectOf(grown), frame);
    }
}

void keepOnScreen(QWidget& window)
{
    const QMargins frame = frameOf(window);
    const report::ScreenRect outer = screenRectOf(QRect(window.pos(), window.size().grownBy(frame)));
    const report::ScreenRect kept = report::keptOnScreen(screenRectOf(workAreaOf(window)), outer);
    if (kept != outer) {
        window.move(kept.x, kept.y);
    }
}

} // namespace veldronix::qt
