#pragma once

#include "report/details.h"
#include "report/details_layout.h"

#include <QDialog>

#include <vector>

class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace veldronix::qt {

class DetailsSectionView;

// The details window: report::detailsLayout of the details drawn with Qt's own
// widgets, a group per section (its table in a table widget, the plot from a
// scene of the plot's size), in a scroll area so that it fits any screen.
// Modeless; it never shows a message box and never touches the main dialog:
// copy and save say how they went in a line of their own.
class CDetailsWindow : public QDialog {
    Q_OBJECT

public:
    explicit CDetailsWindow(QWidget* parent = nullptr);

    // Shows these details in place of the ones shown before.
    void showDetails(report::Details details);
    const report::Details& details() const { return details_; }
    const report::DetailsLayout& shownLayout() const { return layout_; }
    // The views of the sections shown, in layout order.
    const std::vector<DetailsSectionView*>& sectionViews() const { return sections_; }

    // Writes the plot to path: PNG for a name ending in .png, SVG for .svg;
    // another name gets the extension of the filter chosen (PNG when it names
    // PNG, SVG otherwise). Whole or not at all; the line under the sections says
    // how it went. Returns the path written to.
    QString saveTo(const QString& path, const QString& filter = {});

    // Sizes the window to its content within the screen's work area and puts it
    // beside the dialog (see report/window_placement.h).
    void placeBeside(const QWidget& dialog);

signals:
    // A row of the multiplier comparison was chosen: the multiplier's selector index.
    void rowChosen(int selectorIndex);

public slots:
    // Puts the integers on the clipboard as plain text lines (the copy button's
    // click; its menu offers the details' other formats).
    void copyRegisters();
    // Asks for a file name and saves the plot there.
    void savePlot();

private:
    void showSections();
    // Gives the section's copy button the details' formats as its menu.
    void offerCopyFormats(DetailsSectionView& view);
    void copy(const QString& text);
    void showNote(const QString& note, bool failed);
    void onAction(report::SectionAction action);
    // The outer size that shows everything without scrolling.
    QSize wantedSize() const;
    // Grows the window, never shrinks it, towards wantedSize within the work area.
    void growToContent();

    report::Details details_;
    report::DetailsLayout layout_;
    QScrollArea* scroll_ = nullptr;
    QLabel* heading_ = nullptr;
    QVBoxLayout* status_ = nullptr;
    QVBoxLayout* column_ = nullptr;
    std::vector<DetailsSectionView*> sections_;
    QLabel* note_ = nullptr;
};

} // namespace veldronix::qt
