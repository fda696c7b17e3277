#include "ui/win32/machine_file_dialog.h"

#include "io/wide_text.h"
#include "report/machine_session.h"

#include <commdlg.h>

#include <utility>

namespace veldronix::win32 {

std::optional<ChosenMachineFile> chooseMachineFile(HWND owner, bool save, std::string_view suggested)
{
    const report::MachineFileDialog rule = report::machineFileDialog();
    const std::wstring filter = io::toWide(rule.filter) + L'\0' + io::toWide(rule.pattern) + L'\0';
    const std::wstring title = io::toWide(save ? rule.saveTitle : rule.openTitle);
    std::wstring file = save ? io::toWide(suggested) : std::wstring();
    file.resize(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) {
        return std::nullopt;
    }
    file.resize(file.find(L'\0'));
    std::string path = io::toUtf8(file);
    const bool faithful = io::toWide(path) == file;
    return ChosenMachineFile{std::move(path), faithful};
}

} // namespace veldronix::win32
