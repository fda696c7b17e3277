#pragma once

#include "report/details_layout.h"

#include <QLabel>
#include <QTableWidget>

#include <vector>

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

// A table of the details, read-only: every column as wide as its widest text,
// never a cell cut (report::DetailsColumn), as tall as its rows (the window
// scrolls, not the table) and never wider than the window gives it (it
// scrolls sideways instead).
class DetailsTableWidget : public QTableWidget {
    Q_OBJECT

public:
    explicit DetailsTableWidget(QWidget* parent = nullptr);

    void showTable(const report::DetailsTable& table);

    // The least width that shows the key columns whole, the table's frame included.
    int keyColumnsWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int heightForRows() const;
    std::vector<int> columnWidths() const;

    report::TableWidths widths_;
};

} // namespace veldronix::qt
