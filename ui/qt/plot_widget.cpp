#include "ui/qt/plot_widget.h"

#include "ui/qt/scene_painter.h"

#include <QPainter>

namespace veldronix::qt {

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent)
{
    // The scene paints every pixel: nothing of the previous picture shows through.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PlotWidget::setPlot(const std::optional<report::PlotModel>& plot)
{
    plot_ = plot;
    setVisible(plot_.has_value());
    layOut();
    update();
}

QSize PlotWidget::sizeHint() const
{
    return {640, 300};
}

QSize PlotWidget::minimumSizeHint() const
{
    // Smaller than this the scene would leave out most of its texts.
    return {240, 200};
}

void PlotWidget::resizeEvent(QResizeEvent* event)
{
    layOut();
    QWidget::resizeEvent(event);
}

void PlotWidget::layOut()
{
    if (!plot_) {
        scene_.reset();
        return;
    }
    scene_ = report::makePlotScene(*plot_, width(), height(), report::SceneFrame::PlotOnly);
}

void PlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!scene_) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    paintScene(painter, *scene_);
}

} // namespace veldronix::qt
