#include "ui/qt/app_icon.h"

#include "ui/qt/icon_pixels.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace veldronix::qt {
namespace {

// The palette file: one colour a line, its character then RRGGBB; '#' starts a comment.
QHash<QChar, QRgb> readPalette(const QString& text)
{
    QHash<QChar, QRgb> colours;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const QStringList parts = trimmed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok = false;
        const uint rgb = parts.size() == 2 && parts[0].size() == 1 ? parts[1].toUInt(&ok, 16) : 0;
        if (ok) {
            colours.insert(parts[0][0], qRgba(qRed(rgb), qGreen(rgb), qBlue(rgb), 255));
        }
    }
    return colours;
}

// One image of the pixel files: a row a line, '.' transparent; a character
// missing from the palette shows transparent rather than failing the program.
QPixmap readImage(const QString& text, const QHash<QChar, QRgb>& colours, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QStringList rows = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (int y = 0; y < size && y < rows.size(); ++y) {
        const QString& row = rows[y];
        for (int x = 0; x < size && x < row.size(); ++x) {
            const auto colour = colours.constFind(row[x]);
            if (colour != colours.constEnd()) {
                image.setPixel(x, y, *colour);
            }
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

QIcon appIcon()
{
    const QHash<QChar, QRgb> colours = readPalette(QString::fromUtf8(iconPixels::palette));
    QIcon icon;
    icon.addPixmap(readImage(QString::fromUtf8(iconPixels::image32), colours, 32));
    icon.addPixmap(readImage(QString::fromUtf8(iconPixels::image16), colours, 16));
    return icon;
}

} // namespace veldronix::qt
