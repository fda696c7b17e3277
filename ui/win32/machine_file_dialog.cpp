#include "ui/win32/machine_file_dialog.h"

#include "report/machine_session.h"

namespace veldronix::win32 {

std::optional<ChosenFile> chooseMachineFile(HWND owner, bool save, std::string_view suggested)
{
    const report::MachineFileDialog rule = report::machineFileDialog();
    FileDialogRequest request;
    request.save = save;
    request.filters = {{rule.filter, rule.pattern}};
    request.title = save ? rule.saveTitle : rule.openTitle;
    request.suggested = save ? suggested : std::string_view();
    return runFileDialog(owner, request);
}

} // namespace veldronix::win32
