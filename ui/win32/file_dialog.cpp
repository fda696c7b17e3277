#include "ui/win32/file_dialog.h"

#include "io/wide_text.h"

#include <commdlg.h>

#include <algorithm>

namespace veldronix::win32 {

std::optional<ChosenFile> runFileDialog(HWND owner, const FileDialogRequest& request)
{
    std::wstring filter;
    for (const auto& [label, pattern] : request.filters) {
        filter += io::toWide(label) + L'\0' + io::toWide(pattern) + L'\0';
    }
    const std::wstring title = io::toWide(request.title);
    // The longest path the dialog returns, as its documentation allows for OFN_EXPLORER.
    std::wstring file = io::toWide(request.suggested);
    file.resize(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = request.defaultExtension;
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) {
        return std::nullopt;
    }
    file.resize(file.find(L'\0'));
    ChosenFile chosen;
    chosen.path = io::toUtf8(file);
    chosen.faithful = io::toWide(chosen.path) == file;
    const std::size_t filters = std::max<std::size_t>(request.filters.size(), 1);
    chosen.filterIndex = std::clamp<std::size_t>(dialog.nFilterIndex, 1, filters) - 1;
    return chosen;
}

} // namespace veldronix::win32
