#pragma once

#include "controller/dialog_request.h"
#include "report/details_layout.h"

#include <QGroupBox>

#include <optional>
#include <vector>

class QAbstractButton;
class QVBoxLayout;

namespace veldronix::qt {

class DetailsFormView;
class DetailsTableWidget;
class PlotWidget;

// One section of the details: its heading as the group's title, then its form,
// its table or plot (with the plot's phases), its lines and its buttons, each
// button with the label, state and menu the layout gives. Shown again in place
// for the next details with the same sections, so that an update neither
// flickers nor leaves anything of the previous one behind.
class DetailsSectionView : public QGroupBox {
    Q_OBJECT

public:
    explicit DetailsSectionView(QWidget* parent = nullptr);

    // Shows section; plot is the details' plot, for a Plot section.
    void showSection(const report::DetailsSection& section, const std::optional<report::PlotModel>& plot);

    DetailsTableWidget* table() const { return table_; }
    PlotWidget* plot() const { return plot_; }
    DetailsFormView* form() const { return form_; }
    // The button of an action (the first of its kind), null where the section does not offer it.
    QAbstractButton* button(report::SectionAction action) const;

signals:
    // The copy button or its menu: the text to copy.
    void copyRequested(const QString& text);
    void saveRequested();
    // A row chosen, or what the form's command asks of the dialog.
    void dialogRequested(const std::vector<veldronix::DialogRequest>& requests);
    // The form was edited, or one of its commands asked for (a button, Enter in a field).
    void formEdited();
    void formCommandRequested(const QString& command);
    // The machine file's save (true) or open button.
    void machineFileRequested(bool save);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showButtons();
    void updateButtonStates();
    QAbstractButton* makeButton(const report::SectionButton& value);
    void chooseRow(int row);
    int selectedRow() const;

    report::DetailsSection section_;
    DetailsFormView* form_ = nullptr;
    DetailsTableWidget* table_ = nullptr;
    PlotWidget* plot_ = nullptr;
    QVBoxLayout* lines_ = nullptr;
    QWidget* buttonRow_ = nullptr;
    std::vector<QAbstractButton*> buttons_; // one per section_.buttons, in order
};

} // namespace veldronix::qt
