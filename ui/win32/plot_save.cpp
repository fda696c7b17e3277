#include "ui/win32/plot_save.h"

#include "io/file_replace.h"
#include "report/texts_ja.h"
#include "report/plot_file.h"
#include "report/plot_scene.h"
#include "ui/win32/file_dialog.h"
#include "ui/win32/png_image.h"

#include <algorithm>

namespace veldronix::win32 {

namespace texts = report::texts::ja;

std::optional<std::string> savePlotAs(HWND owner, const report::Details& shown, const std::wstring& faceName)
{
    if (!shown.plot) {
        return std::string(texts::saveNoPlot);
    }
    const auto& types = report::plotFileTypes();
    const std::string suggested = report::defaultPlotFileName(types.front().format);
    FileDialogRequest request;
    request.save = true;
    for (const report::PlotFileType& type : types) {
        request.filters.emplace_back(type.label, type.pattern);
    }
    request.title = texts::saveTitle;
    request.suggested = suggested;
    request.defaultExtension = L"svg"; // or the chosen type's own
    const std::optional<ChosenFile> chosen = runFileDialog(owner, request);
    if (!chosen) {
        return std::nullopt; // cancelled
    }
    const std::string& path = chosen->path;
    // A name that UTF-8 cannot carry (a lone surrogate) would name another file: nothing is written.
    if (!chosen->faithful) {
        return report::detailsSaveNote(path, io::FileWriteError::CannotCreate);
    }
    const std::size_t chosenType = std::min(chosen->filterIndex, types.size() - 1);
    const report::PlotSaveTarget target = report::plotSaveTarget(path, types[chosenType].format);
    if (target.format == report::PlotFileFormat::Svg) {
        return report::saveDetailsPlotSvg(shown, target.path);
    }
    const report::PlotScene document =
        report::makePlotScene(*shown.plot, report::documentWidth, report::documentHeight, report::SceneFrame::Document);
    const std::optional<std::string> image = pngOfScene(document, faceName, report::plotPngScale);
    return report::detailsSaveNote(target.path, image ? io::replaceFile(target.path, *image)
                                                      : std::optional(io::FileWriteError::WriteFailed));
}

} // namespace veldronix::win32
