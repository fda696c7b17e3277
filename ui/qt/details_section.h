#pragma once

#include "report/details_layout.h"

#include <QGroupBox>

#include <optional>
#include <vector>

class QAbstractButton;
class QVBoxLayout;

namespace veldronix::qt {

class DetailsTableWidget;
class PlotWidget;

// One section of the details: its heading as the group's title, then its
// table or plot (with the plot's phases), its lines and its buttons. Shown
// again in place for the next details with the same sections, so that an
// update neither flickers nor leaves anything of the previous one behind.
class DetailsSectionView : public QGroupBox {
    Q_OBJECT

public:
    explicit DetailsSectionView(QWidget* parent = nullptr);

    // Shows section; plot is the details' plot, for a Plot section.
    void showSection(const report::DetailsSection& section, const std::optional<report::PlotModel>& plot);

    DetailsTableWidget* table() const { return table_; }
    PlotWidget* plot() const { return plot_; }
    // The button of an action, null where the section does not offer it.
    QAbstractButton* button(report::SectionAction action) const;

signals:
    void actionTriggered(report::SectionAction action);
    // A row of a ChooseRow table was chosen: the selector index it stands for.
    void rowChosen(int selectorIndex);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseCurrentRow();

    DetailsTableWidget* table_ = nullptr;
    PlotWidget* plot_ = nullptr;
    QVBoxLayout* lines_ = nullptr;
    QWidget* buttonRow_ = nullptr;
    std::vector<std::pair<report::SectionAction, QAbstractButton*>> buttons_;
    std::vector<int> rowIndices_;
};

} // namespace veldronix::qt
