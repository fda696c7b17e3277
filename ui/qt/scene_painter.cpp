#include "ui/qt/scene_painter.h"

#include "ui/qt/window_texts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <variant>

namespace veldronix::qt {
namespace {

QColor colourOf(report::SceneColour hex)
{
    return QColor(QString::fromLatin1(hex.data(), static_cast<qsizetype>(hex.size())));
}

QPointF pointOf(report::CanvasPoint point)
{
    return {point.x, point.y};
}

// The scene's CSS font list as Qt's families, first choice first; the generic
// family stays the font's style hint, which Qt applies when no name is found.
QFont fontOf(const report::PlotScene& scene, const report::SceneText& text)
{
    QFont font;
    QStringList families;
    for (const QString& name : fromUtf8(scene.fontFamily).split(u',', Qt::SkipEmptyParts)) {
        const QString family = name.trimmed().remove(u'"').remove(u'\'');
        if (family == QLatin1String("sans-serif")) {
            font.setStyleHint(QFont::SansSerif);
        } else if (!family.isEmpty()) {
            families << family;
        }
    }
    font.setFamilies(families);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(text.size))));
    font.setBold(text.bold);
    return font;
}

class ItemPainter {
public:
    ItemPainter(QPainter& painter, const report::PlotScene& scene) : painter_(painter), scene_(scene) {}

    void operator()(const report::SceneRect& rect) const
    {
        QColor fill = colourOf(rect.fill);
        fill.setAlphaF(static_cast<float>(rect.fillOpacity));
        painter_.setPen(rect.stroke ? QPen(colourOf(*rect.stroke), 1.0) : QPen(Qt::NoPen));
        painter_.setBrush(fill);
        painter_.drawRect(QRectF(rect.x, rect.y, rect.width, rect.height));
    }

    void operator()(const report::SceneLine& line) const
    {
        QColor ink = colourOf(line.colour);
        ink.setAlphaF(static_cast<float>(line.opacity));
        QPen pen(ink, line.width);
        if (!line.dashes.empty() && line.width > 0) {
            // Qt's dashes are in pen widths, the scene's in pixels.
            QList<qreal> pattern;
            for (const double dash : line.dashes) {
                pattern << dash / line.width;
            }
            if (pattern.size() % 2 != 0) {
                pattern << pattern; // an odd list repeats, as in SVG
            }
            pen.setDashPattern(pattern);
            pen.setCapStyle(Qt::FlatCap);
        }
        painter_.setPen(pen);
        painter_.drawLine(pointOf(line.from), pointOf(line.to));
    }

    void operator()(const report::ScenePolyline& polyline) const
    {
        if (polyline.points.empty()) {
            return;
        }
        QPainterPath path(pointOf(polyline.points.front()));
        for (const report::CanvasPoint& point : polyline.points) {
            path.lineTo(pointOf(point));
        }
        QPen pen(colourOf(polyline.colour), polyline.width);
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        painter_.strokePath(path, pen);
    }

    void operator()(const report::SceneDot& dot) const
    {
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(colourOf(dot.colour));
        painter_.drawEllipse(pointOf(dot.centre), dot.radius, dot.radius);
    }

    void operator()(const report::SceneText& text) const
    {
        const QString content = fromUtf8(text.text);
        const QFont font = fontOf(scene_, text);
        double shift = 0.0; // from the anchor to the text's start, along its baseline
        if (text.anchor != report::TextAnchor::Start) {
            const double width = QFontMetricsF(font).horizontalAdvance(content);
            shift = text.anchor == report::TextAnchor::Middle ? -width / 2 : -width;
        }
        painter_.save();
        painter_.setFont(font);
        painter_.setPen(colourOf(text.colour));
        painter_.translate(pointOf(text.at));
        painter_.rotate(text.rotation);
        painter_.drawText(QPointF(shift, 0.0), content);
        painter_.restore();
    }

private:
    QPainter& painter_;
    const report::PlotScene& scene_;
};

} // namespace

void paintScene(QPainter& painter, const report::PlotScene& scene)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRectF(0, 0, scene.width, scene.height),
                     scene.background.empty() ? QColor(Qt::white) : colourOf(scene.background));
    const ItemPainter paint(painter, scene);
    for (const report::SceneItem& item : scene.items) {
        std::visit(paint, item);
    }
    painter.restore();
}

QImage sceneImage(const report::PlotScene& scene, int scale)
{
    // Sizes past any screen's or a saved file's are cut, never cast out of range.
    const auto pixels = [scale](double length) {
        return (length >= 1.0 ? static_cast<int>(std::ceil(std::min(length, 8192.0))) : 1) * scale;
    };
    QImage image(pixels(scene.width), pixels(scene.height), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paintScene(painter, scene);
    return image;
}

} // namespace veldronix::qt
