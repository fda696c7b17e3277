// The details window draws a section's form under Wine, in the program's own
// process: the tests' sample form (the product shows none yet) as edits, a
// drop-down list, labels, units and a command button in the layout's order;
// a keystroke reaches the form's controller through the page while the edit
// keeps its text and focus; a choice changes which fields are used; Enter and
// the button run the command, whose requests go to the dialog.
//     veldronix_form_check.exe [SCREENSHOT-FOLDER]
#include "e2e_steps.h"
#include "report/details.h"
#include "support/sample_form.h"
#include "ui/win32/details_window.h"

#include <memory>

using namespace e2e;
using namespace veldronix;

namespace {

enum : int { formField = 2600, formChoice = 2601, formLabel = 2602, command = 2603 };

std::wstring textOf(HWND control)
{
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    return text;
}

// The form's parts of the page in its tab order: "label", "[edit]" ("(greyed)" when
// disabled), "{list: item/item #selected}", a line, "(button)".
std::vector<std::wstring> formParts(HWND page)
{
    std::vector<std::wstring> parts;
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        const std::wstring greyed = IsWindowEnabled(child) ? L"" : L" (greyed)";
        if (id == formLabel || id == details::line) {
            parts.push_back(textOf(child));
        } else if (id == formField) {
            parts.push_back(L"[" + textOf(child) + L"]" + greyed);
        } else if (id == command) {
            parts.push_back(L"(" + textOf(child) + L")" + greyed);
        } else if (id == formChoice) {
            std::wstring items;
            const int count = static_cast<int>(SendMessageW(child, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                wchar_t item[128] = {};
                SendMessageW(child, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
                items += (i > 0 ? L"/" : L"") + std::wstring(item);
            }
            parts.push_back(L"{" + items + L" #" + std::to_wstring(SendMessageW(child, CB_GETCURSEL, 0, 0)) + L"}");
        }
    }
    return parts;
}

std::wstring joined(const std::vector<std::wstring>& parts)
{
    std::wstring text;
    for (const std::wstring& part : parts) {
        text += part + L" | ";
    }
    return text;
}

HWND nthChild(HWND page, int id, int n)
{
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id && n-- == 0) {
            return child;
        }
    }
    return nullptr;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const StandInDialog owner(instance);

    report::DetailsForms forms;
    auto made = std::make_unique<testing_support::SampleForm>();
    testing_support::SampleForm& form = *made;
    forms.add(std::move(made));
    std::vector<DialogRequest> performed;
    win32::DetailsWindow window(
        instance, win32::DetailsRequests{[&](const std::vector<DialogRequest>& requests) {
            performed.insert(performed.end(), requests.begin(), requests.end());
        },
                                    [](bool) {}},
        forms);
    check(window.open(owner.window(), report::makeDetails(std::nullopt, std::nullopt)), L"form: the window opens");
    pumpMessages();
    const HWND page = GetDlgItem(window.window(), details::page);
    expectText(L"form: its parts in the layout's order", joined(formParts(page)),
               L"問い | {最短時間/時間指定 #0} | 最高速度 | [20000] | PPS | 目標時間 | [1.5] (greyed) | 秒 | "
               L"速度 20000 PPS、計算なし | (適用(&P)) | ");

    // Typing at the end of the speed: the controller reads it, the section follows, the edit stays.
    const HWND speed = nthChild(page, formField, 0);
    SetFocus(speed);
    SendMessageW(speed, EM_SETSEL, 5, 5);
    SendMessageW(speed, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"5x"));
    pumpMessages();
    check(form.edits == 1, L"form: a keystroke is one edit read through the page", std::to_wstring(form.edits));
    check(nthChild(page, formField, 0) == speed && GetFocus() == speed, L"form: the edit typed in is kept, focused");
    expectText(L"form: the section follows the edit", joined(formParts(page)),
               L"問い | {最短時間/時間指定 #0} | 最高速度 | [200005x] | PPS | ▲ 「200005x」は数値ではありません。 | "
               L"目標時間 | [1.5] (greyed) | 秒 | 速度 200005x PPS、計算なし | (適用(&P)) | ");

    // The question that uses the target time.
    const HWND question = nthChild(page, formChoice, 0);
    SendMessageW(question, CB_SETCURSEL, 1, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(formChoice, CBN_SELCHANGE), reinterpret_cast<LPARAM>(question));
    pumpMessages();
    check(IsWindowEnabled(nthChild(page, formField, 1)) != FALSE, L"form: the choice makes the time used");

    // Enter in the field (the dialog keys send IDOK), then the button: the command's requests.
    SetFocus(nthChild(page, formField, 0));
    SendMessageW(window.window(), WM_COMMAND, IDOK, 0);
    SendMessageW(nthChild(page, command, 0), BM_CLICK, 0, 0);
    pumpMessages();
    const std::vector<DialogRequest> apply{DialogRequest::write(ControlId::IDC_DRIVE_SPEED, "200005x"),
                                           DialogRequest::press(ControlId::IDC_CALCULATE)};
    check(performed.size() == 4 && std::equal(apply.begin(), apply.end(), performed.begin()) &&
              std::equal(apply.begin(), apply.end(), performed.begin() + 2),
          L"form: Enter and the button each hand the command's requests to the dialog",
          std::to_wstring(performed.size()) + L" requests");
    check(form.commands == std::vector<std::string>{"apply", "apply"}, L"form: the commands run, in order");

    // No speed: the button is greyed, as the layout says.
    SetWindowTextW(nthChild(page, formField, 0), L"");
    pumpMessages();
    check(!IsWindowEnabled(nthChild(page, command, 0)), L"form: the button greyed without a speed");
    if (argc > 1) {
        SetWindowTextW(nthChild(page, formField, 0), L"20000");
        pumpMessages();
        check(captureWindow(window.window(), std::wstring(argv[1]) + L"\\win32-details-form.bmp"),
              L"form: screenshot");
    }
    print(L"win32-form: " + std::to_wstring(passed) + L" passed, " + std::to_wstring(failed) + L" failed");
    return failed == 0 ? 0 : 1;
}
