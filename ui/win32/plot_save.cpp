#include "ui/win32/plot_save.h"

#include "io/file_replace.h"
#include "io/wide_text.h"
#include "report/texts_ja.h"
#include "report/plot_file.h"
#include "report/plot_scene.h"
#include "ui/win32/png_image.h"

#include <commdlg.h>

#include <algorithm>
#include <array>

namespace veldronix::win32 {
namespace {

namespace texts = report::texts::ja;

// The Save As dialog's filters: each type's label and pattern, in the order of report::plotFileTypes.
std::wstring filterOf(const std::array<report::PlotFileType, 2>& types)
{
    std::wstring filter;
    for (const report::PlotFileType& type : types) {
        filter += io::toWide(type.label) + L'\0' + io::toWide(type.pattern) + L'\0';
    }
    return filter;
}

} // namespace

std::optional<std::string> savePlotAs(HWND owner, const report::Details& shown, const std::wstring& faceName)
{
    if (!shown.plot) {
        return std::string(texts::saveNoPlot);
    }
    const auto& types = report::plotFileTypes();
    std::wstring file = io::toWide(report::defaultPlotFileName(types.front().format));
    file.resize(32768, L'\0');
    const std::wstring filter = filterOf(types);
    const std::wstring title = io::toWide(texts::saveTitle);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = L"svg"; // or the chosen type's own
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) {
        return std::nullopt; // cancelled
    }
    file.resize(file.find(L'\0'));
    const std::string path = io::toUtf8(file);
    // A name that UTF-8 cannot carry (a lone surrogate) would name another file: nothing is written.
    if (io::toWide(path) != file) {
        return report::detailsSaveNote(path, io::FileWriteError::CannotCreate);
    }
    const std::size_t chosenType = std::clamp<std::size_t>(dialog.nFilterIndex, 1, types.size()) - 1;
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
