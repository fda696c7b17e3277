#pragma once

#include "report/details.h"
#include "report/plot_file.h"

#include <QString>

#include <optional>

class QWidget;

namespace veldronix::qt {

// The file the user chose in Qt's own chooser (the same on every desktop, whose
// name filter always comes back): its name and the type of the filter chosen;
// none when cancelled.
struct PlotFileChoice {
    QString name;
    report::PlotFileFormat type = report::PlotFileFormat::Svg;
};
std::optional<PlotFileChoice> choosePlotFile(QWidget* parent);

// How a save went: the file written to, the line to show, and whether it failed.
struct PlotSaveResult {
    QString path;
    QString note;
    bool failed = false;
};

// Writes the details' plot to the file report::plotSaveTarget makes of chosen
// and type: the report's SVG, or its document's scene drawn as PNG at
// report::plotPngScale; whole or not at all (io::replaceFile).
PlotSaveResult savePlotFile(const report::Details& details, const QString& chosen, report::PlotFileFormat type);

} // namespace veldronix::qt
