#pragma once

#include "controller/dialog_request.h"
#include "report/details.h"
#include "report/details_layout.h"
#include "report/form_controller.h"
#include "report/plot_file.h"

#include <QDialog>

#include <vector>

class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace veldronix::qt {

class DetailsSectionView;

// The details window: the details' layout (with the sections of the forms
// given) drawn with Qt's own widgets, a group per section (its form, its table
// in a table widget, the plot from a scene of the plot's size), in a scroll area
// so that it fits any screen. Modeless; it never shows a message box and never
// touches the main dialog but through the requests it hands out: copy and save
// say how they went in a line of their own.
class CDetailsWindow : public QDialog {
    Q_OBJECT

public:
    explicit CDetailsWindow(report::DetailsForms& forms, QWidget* parent = nullptr);

    // Shows these details in place of the ones shown before.
    void showDetails(report::Details details);
    const report::Details& details() const { return details_; }
    const report::DetailsLayout& shownLayout() const { return layout_; }
    // The views of the sections shown, in layout order.
    const std::vector<DetailsSectionView*>& sectionViews() const { return sections_; }

    // Writes the plot to the file report::plotSaveTarget makes of path and the
    // type chosen; whole or not at all; the line under the sections says how it
    // went. Returns the path written to.
    QString saveTo(const QString& path, report::PlotFileFormat type = report::PlotFileFormat::Svg);

    // Sizes the window to its content within the screen's work area and puts it
    // beside the dialog (see report/window_placement.h), as each time it opens.
    void placeBeside(const QWidget& dialog);
    // The narrowest it is placed, its frame included: a side of the dialog with
    // this much room takes it without covering the dialog.
    int narrowestWidth() const;

signals:
    // What a row chosen or a form's command asks of the dialog, in order.
    void dialogRequested(const std::vector<veldronix::DialogRequest>& requests);
    // The machine file's save (true) or open button: the dialog, which holds the machine, asks for the file.
    void machineFileRequested(bool save);

public slots:
    // Asks for a file name and saves the plot there.
    void savePlot();

public:
    // The line under the sections: what a save or an open did (failed: in the warning colour).
    void showNote(const QString& note, bool failed);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showLayout(report::DetailsLayout layout);
    void showSections();
    DetailsSectionView* addSectionView();
    void copy(const QString& text);
    // The outer size that shows everything without scrolling.
    QSize wantedSize() const;

    report::DetailsForms& forms_;
    report::Details details_;
    report::DetailsLayout layout_;
    QScrollArea* scroll_ = nullptr;
    QLabel* heading_ = nullptr;
    QVBoxLayout* status_ = nullptr;
    QVBoxLayout* column_ = nullptr;
    std::vector<DetailsSectionView*> sections_;
    QLabel* note_ = nullptr;
    bool userSized_ = false; // the user sized it: it keeps the size given
};

} // namespace veldronix::qt
