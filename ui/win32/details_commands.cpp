// What the details window's buttons and keys do: copy, save, choose a row, and
// a form's edits and commands, which go to its controller; what they ask of the
// main dialog goes to it as requests.
#include "ui/win32/details_window.h"

#include "io/wide_text.h"
#include "report/texts_ja.h"
#include "ui/win32/clipboard.h"
#include "ui/win32/plot_save.h"

namespace veldronix::win32 {

// Enter where no button has the focus: in the table whose rows are chosen it
// chooses the selected row, in a form's field it runs the field's command.
void DetailsWindow::onEnter()
{
    const HWND focus = GetFocus();
    if (page_.isChooseTable(focus)) {
        chooseRow();
    } else if (const std::string command = page_.enterCommandOf(focus); !command.empty()) {
        runFormCommand(page_.formOf(focus), command);
    }
}

void DetailsWindow::copyRegisters(std::string_view text)
{
    // A failed copy clears the line rather than claim a copy.
    setStatus(putOnClipboard(window_, text) ? report::texts::ja::copied : std::string_view());
}

// The button's menu under it, its first choice in bold as the click's own.
void DetailsWindow::chooseCopyFormat(HWND button)
{
    const std::vector<report::ButtonChoice>* found = page_.menuOf(button);
    if (found == nullptr || found->empty()) {
        return;
    }
    const std::vector<report::ButtonChoice> choices = *found; // the page is made again by what follows
    const HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < choices.size(); ++i) {
        AppendMenuW(menu, MF_STRING, i + 1, io::toWide(choices[i].label).c_str());
    }
    SetMenuDefaultItem(menu, 1, FALSE);
    RECT below{};
    GetWindowRect(button, &below);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY,
                                                         below.left, below.bottom, 0, window_, nullptr));
    DestroyMenu(menu);
    if (chosen >= 1 && chosen <= choices.size() && window_ != nullptr) {
        copyRegisters(choices[chosen - 1].text);
    }
}

void DetailsWindow::chooseRow()
{
    std::vector<DialogRequest> requests = page_.chosenRowRequests();
    if (!requests.empty() && requests_.perform) {
        // The dialog recalculates and updates this window, which makes its parts again.
        requests_.perform(requests);
    }
}

void DetailsWindow::savePlot()
{
    // The plot the user sees now, whatever the main dialog does while the file is chosen.
    const report::Details shown = details_;
    const std::optional<std::string> note = savePlotAs(window_, shown, fonts_.face);
    if (note && window_ != nullptr) { // none: cancelled, or the window went while the file was chosen
        setStatus(*note);
    }
}

// A field or choice of a form changed: its controller reads the form, and the
// section shows what it holds now (the edit being typed in stays as it is).
void DetailsWindow::editForm(const std::string& form)
{
    DetailsPage::Form view(page_, form);
    forms_.edit(form, view);
    showLayout(forms_.layout(details_));
}

void DetailsWindow::runFormCommand(const std::string& form, const std::string& command)
{
    DetailsPage::Form view(page_, form);
    const std::vector<DialogRequest> requests = forms_.command(form, command, view);
    showLayout(forms_.layout(details_));
    // Even none: what the command changed (an axis's mechanics) shows in the details made afresh.
    if (requests_.perform) {
        requests_.perform(requests);
    }
}

void DetailsWindow::setStatus(std::string_view text)
{
    currentStatus_ = std::string(text);
    SetWindowTextW(status_, io::toWide(text).c_str());
    layOut(); // a long line (a deep folder's name) wraps and takes more room
}

} // namespace veldronix::win32
