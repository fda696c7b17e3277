#include "ui/qt/app_icon.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QPen>
#include <QPolygon>

namespace veldronix {
namespace {

// Drawn on a 32-pixel grid in colours of the 16-colour palette, without
// smoothing, so that both sizes stay crisp pixel art: a speed profile (ramp up,
// drive speed, ramp down) above the pulse train that produces it.
QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(size / 32.0, size / 32.0);

    painter.setPen(QColor(0, 0, 0));
    painter.setBrush(QColor(0, 0, 128));
    painter.drawRect(1, 1, 29, 29);

    painter.setPen(QPen(QColor(0, 255, 0), 2));
    painter.drawPolyline(QPolygon({QPoint(4, 21), QPoint(10, 7), QPoint(21, 7), QPoint(27, 21)}));

    // Pulses two pixels wide with two-pixel gaps, standing on their base line.
    const QColor yellow(255, 255, 0);
    painter.fillRect(4, 27, 24, 1, yellow);
    for (int x = 4; x < 28; x += 4) {
        painter.fillRect(x, 23, 2, 4, yellow);
    }
    return pixmap;
}

} // namespace

QIcon appIcon()
{
    QIcon icon;
    icon.addPixmap(drawIcon(32));
    icon.addPixmap(drawIcon(16));
    return icon;
}

} // namespace veldronix
