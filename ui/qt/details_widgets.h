#pragma once

#include "report/details_layout.h"

#include <QLabel>
#include <QTableWidget>

namespace veldronix::qt {

// A line of the details: wrapped to the width it is given, never wider; a text
// that cannot be wrapped into it (a figure of 300 digits) is cut at the edge
// and shown whole in its tooltip. A warning (its text starts with the
// finding mark) is drawn in the warning colour.
class DetailsLineLabel : public QLabel {
    Q_OBJECT

public:
    explicit DetailsLineLabel(const report::DetailsLine& line, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateToolTip();
};

// A table of the details, read-only: columns as wide as their texts up to a
// limit, a longer text elided with the whole text in its tooltip, as tall as
// its rows (the window scrolls, not the table) and never wider than the window
// gives it (it scrolls sideways instead).
class DetailsTableWidget : public QTableWidget {
    Q_OBJECT

public:
    explicit DetailsTableWidget(QWidget* parent = nullptr);

    void showTable(const report::DetailsTable& table);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int heightForRows() const;
};

} // namespace veldronix::qt
