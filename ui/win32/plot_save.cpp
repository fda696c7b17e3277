#include "ui/win32/plot_save.h"

#include "io/file_replace.h"
#include "io/wide_text.h"
#include "report/details_style.h"
#include "report/details_texts.h"
#include "report/plot_scene.h"
#include "ui/win32/png_image.h"

#include <commdlg.h>

#include <cwctype>

namespace veldronix::win32 {
namespace {

namespace texts = report::detailsTexts;

bool endsWith(const std::wstring& name, std::wstring_view extension)
{
    if (name.size() < extension.size()) {
        return false;
    }
    for (std::size_t i = 0; i < extension.size(); ++i) {
        if (std::towlower(name[name.size() - extension.size() + i]) != extension[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<std::string> savePlotAs(HWND owner, const report::Details& shown, const std::wstring& faceName)
{
    if (!shown.plot) {
        return std::string(texts::saveNoPlot);
    }
    std::wstring file = io::toWide(report::defaultPlotFileName(report::PlotFileFormat::Svg));
    file.resize(32768, L'\0');
    const std::wstring filter = io::toWide(texts::saveFilterSvg) + L'\0' + L"*.svg" + L'\0' +
                                io::toWide(texts::saveFilterPng) + L'\0' + L"*.png" + L'\0';
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
    const bool png = endsWith(file, L".png") || (dialog.nFilterIndex == 2 && !endsWith(file, L".svg"));
    if (!png) {
        return report::saveDetailsPlotSvg(shown, path);
    }
    const report::PlotScene document =
        report::makePlotScene(*shown.plot, report::documentWidth, report::documentHeight, report::SceneFrame::Document);
    const std::optional<std::string> image = pngOfScene(document, faceName, report::plotPngScale);
    return report::detailsSaveNote(path, image ? io::replaceFile(path, *image)
                                               : std::optional(io::FileWriteError::WriteFailed));
}

} // namespace veldronix::win32
