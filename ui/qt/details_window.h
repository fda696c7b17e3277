#pragma once

#include "report/details.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

namespace veldronix::qt {

class PlotWidget;

// The details window: what the controller will really do with the values the
// main dialog shows (the integers to write, the drive they give, the findings
// and the velocity profile), laid out from report::Details. Modeless; it never
// shows a message box and never touches the main dialog: copy and save say how
// they went in a line of their own.
class CDetailsWindow : public QDialog {
    Q_OBJECT

public:
    explicit CDetailsWindow(QWidget* parent = nullptr);

    // Shows these details in place of the ones shown before.
    void showDetails(report::Details details);
    const report::Details& details() const { return details_; }

    // Writes the plot to path: PNG for a name ending in .png, SVG for .svg;
    // another name gets the extension of the filter chosen (PNG when it names
    // PNG, SVG otherwise). Whole or not at all; the line under the buttons says
    // how it went. Returns the path written to.
    QString saveTo(const QString& path, const QString& filter = {});

public slots:
    // Puts the integers on the clipboard as plain text lines.
    void copyRegisters();
    // Asks for a file name and saves the plot there.
    void savePlot();

private:
    void showRegisters();
    void showRealDrive();
    void showFindings();
    void showPlot();
    void showNote(const QString& note, bool failed);

    report::Details details_;
    QLabel* heading_ = nullptr;
    QGroupBox* registersGroup_ = nullptr;
    QTableWidget* registers_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QGroupBox* realDriveGroup_ = nullptr;
    QTableWidget* realDrive_ = nullptr;
    QLabel* findingsHeading_ = nullptr;
    QVBoxLayout* findings_ = nullptr;
    QGroupBox* plotGroup_ = nullptr;
    PlotWidget* plot_ = nullptr;
    QTableWidget* phases_ = nullptr;
    QLabel* plotNote_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QLabel* note_ = nullptr;
};

} // namespace veldronix::qt
