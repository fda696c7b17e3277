#include "ui/qt/plot_save.h"

#include "io/file_replace.h"
#include "report/texts_ja.h"
#include "report/plot_scene.h"
#include "ui/qt/scene_painter.h"
#include "ui/qt/window_texts.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>

namespace veldronix::qt {
namespace {

namespace t = report::texts::ja;

std::string pngOf(const report::PlotModel& plot)
{
    // The saved document's scene, larger so that its texts stay sharp when shown larger.
    const report::PlotScene scene =
        report::makePlotScene(plot, report::documentWidth, report::documentHeight, report::SceneFrame::Document);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    sceneImage(scene, report::plotPngScale).save(&buffer, "PNG");
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

std::optional<PlotFileChoice> choosePlotFile(QWidget* parent)
{
    QFileDialog chooser(parent, fromUtf8(t::saveTitle));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters;
    for (const report::PlotFileType& type : report::plotFileTypes()) {
        filters << fromUtf8(type.label);
    }
    chooser.setNameFilters(filters);
    chooser.selectFile(fromUtf8(report::defaultPlotFileName(report::plotFileTypes().front().format)));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const qsizetype chosenType = std::max<qsizetype>(0, filters.indexOf(chooser.selectedNameFilter()));
    return PlotFileChoice{chooser.selectedFiles().constFirst(),
                          report::plotFileTypes()[static_cast<std::size_t>(chosenType)].format};
}

PlotSaveResult savePlotFile(const report::Details& details, const QString& chosen, report::PlotFileFormat type)
{
    const report::PlotSaveTarget target = report::plotSaveTarget(chosen.toStdString(), type);
    const QString path = QString::fromStdString(target.path);
    if (!details.plot) {
        return {path, fromUtf8(t::saveNoPlot), true};
    }
    const std::string contents = target.format == report::PlotFileFormat::Png
                                     ? pngOf(*details.plot)
                                     : report::detailsPlotSvg(details).value_or(std::string());
    const auto error = io::replaceFile(target.path, contents);
    const QString shownName = QDir::toNativeSeparators(path);
    return {path, fromUtf8(report::detailsSaveNote(shownName.toStdString(), error)), error.has_value()};
}

} // namespace veldronix::qt
