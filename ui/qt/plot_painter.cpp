#include "ui/qt/plot_painter.h"

#include "ui/qt/window_texts.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace veldronix::qt {
namespace {

using report::PlotModel;

// Text sizes of the canvas, in its units: as the SVG writes them.
constexpr int tickSize = 12;
constexpr int labelSize = 13;
constexpr int titleSize = 18;

QColor colour(std::string_view hex)
{
    return QColor(QString::fromLatin1(hex.data(), static_cast<qsizetype>(hex.size())));
}

// The texts' fonts: the family given, at a canvas size times a scale that keeps
// a chart's small texts readable when it is drawn smaller than its canvas.
struct TextFonts {
    QFont base;
    double scale = 1.0;

    QFont sized(int pixels, bool bold = false) const
    {
        QFont font(base);
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels * scale))));
        font.setBold(bold);
        return font;
    }
};

// Texts of a chart are drawn at least this many device pixels high, up to half again their canvas size.
constexpr double smallestTextPixels = 11.0;
constexpr double largestTextScale = 1.5;

// A text whose baseline point is at, anchored at its start, middle or end.
void text(QPainter& painter, QPointF at, report::TextAnchor anchor, const QString& content)
{
    const double width = QFontMetricsF(painter.font()).horizontalAdvance(content);
    if (anchor == report::TextAnchor::Middle) {
        at.rx() -= width / 2;
    } else if (anchor == report::TextAnchor::End) {
        at.rx() -= width;
    }
    painter.drawText(at, content);
}

void text(QPainter& painter, const report::PlotLabel& label)
{
    text(painter, QPointF(label.at.x, label.at.y), label.anchor, fromUtf8(label.text));
}

// A dashed pen: dash and gap in canvas units, as the SVG's dash arrays give them.
QPen dashedPen(const QColor& ink, double width, double dash, double gap)
{
    QPen pen(ink, width);
    pen.setDashPattern({dash / width, gap / width});
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QPointF point(const PlotModel& plot, report::DataPoint p)
{
    return {plot.x(p.time), plot.y(p.speed)};
}

void gridAndTicks(QPainter& painter, const PlotModel& plot, const TextFonts& fonts)
{
    painter.setPen(QPen(colour(report::plotColours.grid), 1));
    for (const auto& tick : plot.timeAxis.ticks) {
        const double x = plot.x(tick.value);
        painter.drawLine(QPointF(x, plot.top), QPointF(x, plot.bottom));
    }
    for (const auto& tick : plot.speedAxis.ticks) {
        const double y = plot.y(tick.value);
        painter.drawLine(QPointF(plot.left, y), QPointF(plot.right, y));
    }
    painter.setFont(fonts.sized(tickSize));
    painter.setPen(colour(report::plotColours.tick));
    for (const auto& tick : plot.timeAxis.ticks) {
        text(painter, QPointF(plot.x(tick.value), plot.bottom + 18), report::TextAnchor::Middle, fromUtf8(tick.label));
    }
    for (const auto& tick : plot.speedAxis.ticks) {
        text(painter, QPointF(plot.left - 8, plot.y(tick.value) + 4), report::TextAnchor::End, fromUtf8(tick.label));
    }
}

void bands(QPainter& painter, const PlotModel& plot, const TextFonts& fonts)
{
    painter.setFont(fonts.sized(tickSize, true));
    for (const auto& band : plot.bands) {
        const double x0 = plot.x(band.start);
        const double x1 = plot.x(band.end);
        QColor fill = colour(report::plotColours.fillOf(band.phase));
        fill.setAlphaF(0.8f);
        painter.fillRect(QRectF(x0, plot.top, x1 - x0, plot.bottom - plot.top), fill);
        if (!band.name.empty()) {
            painter.setPen(colour(report::plotColours.inkOf(band.phase)));
            text(painter, QPointF((x0 + x1) / 2, plot.top + 18), report::TextAnchor::Middle, fromUtf8(band.name));
        }
    }
}

void axes(QPainter& painter, const PlotModel& plot, const TextFonts& fonts)
{
    const QColor ink = colour(report::plotColours.ink);
    painter.setPen(QPen(ink, 1.5));
    painter.drawLine(QPointF(plot.left, plot.bottom), QPointF(plot.right, plot.bottom));
    painter.drawLine(QPointF(plot.left, plot.top), QPointF(plot.left, plot.bottom));
    painter.setFont(fonts.sized(labelSize));
    painter.setPen(ink);
    text(painter, QPointF((plot.left + plot.right) / 2, plot.bottom + 40), report::TextAnchor::Middle,
         fromUtf8(plot.timeAxis.title));
    painter.save();
    painter.translate(plot.left - 72, (plot.top + plot.bottom) / 2);
    painter.rotate(-90);
    text(painter, QPointF(0, 0), report::TextAnchor::Middle, fromUtf8(plot.speedAxis.title));
    painter.restore();
}

void curve(QPainter& painter, const PlotModel& plot, const TextFonts& fonts)
{
    const QColor ink = colour(report::plotColours.curve);
    painter.setFont(fonts.sized(tickSize));
    painter.setPen(colour(report::plotColours.ink));
    text(painter, plot.driveSpeedLabel);

    QPainterPath path(point(plot, plot.curve.start));
    for (const auto& segment : plot.curve.segments) {
        if (segment.kind == report::CurveSegment::Kind::Parabola) {
            path.quadTo(point(plot, segment.control), point(plot, segment.to));
        } else {
            path.lineTo(point(plot, segment.to));
        }
    }
    QPen pen(ink, 2.5);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.strokePath(path, pen);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(point(plot, plot.curve.start), 3.5, 3.5);
    painter.setBrush(Qt::NoBrush);

    QColor level = ink;
    level.setAlphaF(0.7f);
    painter.setPen(dashedPen(level, 1, 2, 4));
    const double levelY = plot.y(plot.initialLevel);
    painter.drawLine(QPointF(plot.left, levelY), QPointF(plot.right, levelY));
    painter.setPen(colour(report::plotColours.ink));
    text(painter, plot.initialSpeedLabel);
}

void decelMark(QPainter& painter, const PlotModel& plot, const TextFonts& fonts)
{
    const QColor ink = colour(report::plotColours.mark);
    const double x = plot.x(plot.decelMark.point.time);
    painter.setPen(dashedPen(ink, 1.5, 5, 4));
    painter.drawLine(QPointF(x, plot.top - 6), QPointF(x, plot.bottom));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(x, plot.y(plot.decelMark.point.speed)), 4.5, 4.5);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(fonts.sized(tickSize));
    painter.setPen(ink);
    text(painter, plot.decelMark.label);
}

// Above the chart: the title and the summary's lines.
void heading(QPainter& painter, const PlotModel& plot, const TextFonts& fonts)
{
    painter.setPen(colour(report::plotColours.ink));
    painter.setFont(fonts.sized(titleSize, true));
    text(painter, QPointF(plot.left - 60, 34), report::TextAnchor::Start, fromUtf8(plot.title));
    painter.setFont(fonts.sized(tickSize));
    painter.setPen(colour(report::plotColours.summary));
    double lineY = 56;
    for (const std::string& line : plot.summaryLines) {
        text(painter, QPointF(plot.left - 60, lineY), report::TextAnchor::Start, fromUtf8(line));
        lineY += 16;
    }
}

// Under the chart: a row per phase and the totals, as the SVG lists them.
void figureRows(QPainter& painter, const PlotModel& plot, const TextFonts& fonts)
{
    const QColor ink = colour(report::plotColours.ink);
    double rowY = plot.bottom + 80;
    for (const auto& row : plot.rows) {
        painter.setFont(fonts.sized(tickSize, true));
        if (row.phase) {
            painter.setPen(colour(report::plotColours.inkOf(*row.phase)));
            painter.setBrush(colour(report::plotColours.fillOf(*row.phase)));
            painter.drawRect(QRectF(plot.left - 60, rowY - 11, 14, 14));
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.setPen(ink);
        }
        text(painter, QPointF(plot.left - 38, rowY), report::TextAnchor::Start, fromUtf8(row.name));
        painter.setFont(fonts.sized(tickSize));
        painter.setPen(ink);
        text(painter, QPointF(plot.left + 170, rowY), report::TextAnchor::End, fromUtf8(row.time));
        text(painter, QPointF(plot.left + 300, rowY), report::TextAnchor::End, fromUtf8(row.pulses));
        painter.setPen(row.phase ? ink : colour(report::plotColours.mark));
        text(painter, QPointF(plot.left + 320, rowY), report::TextAnchor::Start, fromUtf8(row.detail));
        rowY += 22;
    }
}

} // namespace

QRectF canvasRegion(const PlotModel& plot, PlotPart part)
{
    if (part == PlotPart::Whole) {
        return {0, 0, plot.width, plot.height};
    }
    // From above the deceleration mark's label to below the time axis's title.
    const double top = plot.top - 34;
    return {0, top, plot.width, plot.bottom + 50 - top};
}

void paintPlot(QPainter& painter, const PlotModel& plot, PlotPart part, const QRectF& target, const QFont& font)
{
    const QRectF region = canvasRegion(plot, part);
    if (region.isEmpty() || target.isEmpty()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(target, Qt::white);
    const double scale = std::min(target.width() / region.width(), target.height() / region.height());
    painter.translate(target.center());
    painter.scale(scale, scale);
    painter.translate(-region.center());
    painter.setClipRect(region);
    TextFonts fonts{font, 1.0};
    if (part == PlotPart::Chart) {
        fonts.scale = std::clamp(smallestTextPixels / (tickSize * scale), 1.0, largestTextScale);
    }
    if (part == PlotPart::Whole) {
        heading(painter, plot, fonts);
    }
    gridAndTicks(painter, plot, fonts);
    bands(painter, plot, fonts);
    axes(painter, plot, fonts);
    curve(painter, plot, fonts);
    decelMark(painter, plot, fonts);
    if (part == PlotPart::Whole) {
        figureRows(painter, plot, fonts);
    }
    painter.restore();
}

QImage plotImage(const PlotModel& plot, const QFont& font)
{
    // Twice the canvas's size, so that the texts stay sharp when the picture is shown larger.
    constexpr int density = 2;
    QImage image(static_cast<int>(std::ceil(plot.width)) * density, static_cast<int>(std::ceil(plot.height)) * density,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPlot(painter, plot, PlotPart::Whole, QRectF(image.rect()), font);
    return image;
}

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void PlotWidget::setPlot(const std::optional<report::PlotModel>& plot)
{
    plot_ = plot;
    setVisible(plot_.has_value());
    updateGeometry();
    update();
}

QSize PlotWidget::sizeHint() const
{
    constexpr int width = 840;
    return {width, heightForWidth(width)};
}

int PlotWidget::heightForWidth(int width) const
{
    if (!plot_) {
        return 0;
    }
    const QRectF region = canvasRegion(*plot_, PlotPart::Chart);
    return static_cast<int>(std::ceil(width * region.height() / region.width()));
}

void PlotWidget::paintEvent(QPaintEvent*)
{
    if (!plot_) {
        return;
    }
    QPainter painter(this);
    paintPlot(painter, *plot_, PlotPart::Chart, QRectF(rect()), font());
}

} // namespace veldronix::qt
