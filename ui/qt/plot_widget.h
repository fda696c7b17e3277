#pragma once

#include "report/plot_scene.h"

#include <QWidget>

#include <optional>

namespace veldronix::qt {

// The velocity profile as a window shows it: the plot alone (its figures are in
// a table beside it), laid out by report::makePlotScene for the widget's size
// and laid out again whenever that size changes.
class PlotWidget : public QWidget {
    Q_OBJECT

public:
    explicit PlotWidget(QWidget* parent = nullptr);

    void setPlot(const std::optional<report::PlotModel>& plot);
    const std::optional<report::PlotModel>& plot() const { return plot_; }
    // The scene drawn last, for the widget's present size; none without a plot.
    const std::optional<report::PlotScene>& scene() const { return scene_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();

    std::optional<report::PlotModel> plot_;
    std::optional<report::PlotScene> scene_;
};

} // namespace veldronix::qt
