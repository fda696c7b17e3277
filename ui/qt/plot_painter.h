#pragma once

#include "report/plot_model.h"

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QWidget>

class QPainter;

namespace veldronix::qt {

// Which part of a plot's canvas is drawn.
enum class PlotPart {
    Whole, // everything the saved SVG shows: title, summary, chart and the figures' rows
    Chart, // the chart alone (axes, bands, curve, marks), for a window that lists the figures itself
};

// The canvas region a part covers, in the model's canvas units.
QRectF canvasRegion(const report::PlotModel& plot, PlotPart part);

// Draws the part of the plot into target (device pixels), scaled evenly to fit
// and centred, in the given font's family at the canvas's text sizes.
void paintPlot(QPainter& painter, const report::PlotModel& plot, PlotPart part, const QRectF& target,
               const QFont& font);

// The whole plot as an image of the canvas's size, on white: the PNG the
// details window saves.
QImage plotImage(const report::PlotModel& plot, const QFont& font);

// A chart that fills its widget, drawn from a plot model; empty without one.
class PlotWidget : public QWidget {
    Q_OBJECT

public:
    explicit PlotWidget(QWidget* parent = nullptr);

    void setPlot(const std::optional<report::PlotModel>& plot);
    const std::optional<report::PlotModel>& plot() const { return plot_; }

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<report::PlotModel> plot_;
};

} // namespace veldronix::qt
