#include "ui/win32/calc_dialog.h"

#include "core/field_text.h"
#include "core/texts_ja.h"
#include "resource.h"
#include "ui/win32/about_dialog.h"
#include "io/wide_text.h"
#include "report/axis_form.h"
#include "report/command_status.h"
#include "report/details_style.h"
#include "report/texts_ja.h"
#include "report/dialog_keys.h"
#include "report/machine_file_message.h"
#include "report/move_design_form.h"
#include "report/units_form.h"
#include "ui/win32/machine_file_dialog.h"
#include "ui/win32/result_field.h"
#include "ui/win32/scene_painter.h"
#include "ui/win32/screen_geometry.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

namespace veldronix::win32 {
namespace {

IconHandle loadIcon(HINSTANCE instance, int widthMetric, int heightMetric)
{
    return IconHandle(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                                    GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), 0)));
}

std::string readWindowText(HWND target)
{
    const int wanted = GetWindowTextLengthW(target);
    std::wstring buffer(wanted > 0 ? static_cast<std::size_t>(wanted) + 1 : 1, L'\0');
    const int length = GetWindowTextW(target, buffer.data(), static_cast<int>(buffer.size()));
    return io::toUtf8(std::wstring_view(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0));
}

} // namespace

CCalcDialog::CCalcDialog(HINSTANCE instance, std::wstring title)
    : instance_(instance),
      title_(std::move(title)),
      icon_(loadIcon(instance, SM_CXICON, SM_CYICON)),
      smallIcon_(loadIcon(instance, SM_CXSMICON, SM_CYSMICON)),
      details_(instance,
               DetailsRequests{[this](const std::vector<DialogRequest>& requests) { perform(requests); },
                               [this](bool save) { chooseMachineFile(save); }},
               forms_),
      misreadBrush_(CreateSolidBrush(colourOf(report::detailsColours.misread)))
{
    forms_.add(std::make_unique<report::AxisForm>(machine_, *this, controller_));
    forms_.add(std::make_unique<report::UnitsForm>(machine_));
    forms_.add(std::make_unique<report::MoveDesignForm>(machine_));
}

INT_PTR CCalcDialog::run()
{
    return runModal(instance_, IDD_MAIN, nullptr);
}

std::string CCalcDialog::readText(ControlId field)
{
    // The whole text: the controller cuts it, and so knows what was cut.
    return readWindowText(control(field));
}

void CCalcDialog::writeText(ControlId field, std::string_view text)
{
    const HWND target = control(field);
    SetWindowTextW(target, io::toWide(text).c_str());
    UpdateWindow(target);
}

int CCalcDialog::selectedIndex(ControlId selector)
{
    return static_cast<int>(SendMessageW(control(selector), CB_GETCURSEL, 0, 0));
}

void CCalcDialog::setSelectedIndex(ControlId selector, int index)
{
    SendMessageW(control(selector), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CCalcDialog::showError(std::string_view message)
{
    // The failure is the controller's already: the result fields and the details
    // show it while the box is open, not only once it has closed.
    followCommand();
    MessageBoxW(window(), io::toWide(message).c_str(), title_.c_str(), MB_ICONHAND | MB_OK);
}

INT_PTR CCalcDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORSTATIC:
        return onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLOREDIT:
        return onEditColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == TTN_GETDISPINFOW) {
            return fieldTips_.onGetDispInfo(*reinterpret_cast<NMTTDISPINFOW*>(lParam)) ? TRUE : FALSE;
        }
        return FALSE;
    case WM_INITDIALOG:
        return onInitDialog();
    case WM_COMMAND:
        return onCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_SYSCOMMAND:
        return onSysCommand(wParam);
    case WM_PAINT:
        return onPaint();
    case WM_QUERYDRAGICON:
        return onQueryDragIcon();
    default:
        return FALSE;
    }
}

INT_PTR CCalcDialog::onInitDialog()
{
    // The items come from the core, the one source of every front end's selectors,
    // and are in place before the first drive type is selected.
    fillSelector(ControlId::IDC_DRIVE_TYPE, texts::ja::driveTypeItems);
    fillSelector(ControlId::IDC_MULTIPLIER, texts::ja::multiplierItems);
    addSystemMenuItems();
    std::vector<ControlId> tipped(resultFields.begin(), resultFields.end());
    for (const InputFieldDescription& field : inputFields) {
        tipped.push_back(field.control);
    }
    fieldTips_.attach(window(), instance_, tipped, [this](ControlId field) {
        return std::find(resultFields.begin(), resultFields.end(), field) != resultFields.end()
                   ? report::staleFieldNote(field, controller_.resultFreshness(), report::texts::ja::commandStatus)
                   : findingNote(field);
    });
    drawFiguresByRule(window(), resultFields);
    SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    caption_ = readWindowText(window());
    setSelectedIndex(ControlId::IDC_DRIVE_TYPE, 0);
    controller_.reset();
    // Before it is first shown: a dialog taller than the work area (a small
    // screen at a high DPI) opens at its top, its title bar on the screen.
    keepOnScreen(window());
    return TRUE; // the focus goes to the first tab stop, the drive type
}

void CCalcDialog::fillSelector(ControlId selector, const auto& items)
{
    const HWND box = control(selector);
    for (const std::string_view text : items) {
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(io::toWide(text).c_str()));
    }
}

// After the separator: the details window, then the About box, the last item.
void CCalcDialog::addSystemMenuItems()
{
    const HMENU menu = GetSystemMenu(window(), FALSE);
    std::array<wchar_t, 256> about{};
    if (menu == nullptr || LoadStringW(instance_, IDS_ABOUTBOX, about.data(), static_cast<int>(about.size())) <= 0) {
        return;
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    std::array<wchar_t, 256> details{};
    if (LoadStringW(instance_, IDS_DETAILS, details.data(), static_cast<int>(details.size())) > 0) {
        AppendMenuW(menu, MF_STRING, IDM_DETAILS, details.data());
    }
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about.data());
}

report::Details CCalcDialog::currentDetails()
{
    return report::makeDetails(controller_, controller_.readPulseCount(), machine_.mechanics());
}

void CCalcDialog::openDetails()
{
    details_.open(window(), currentDetails());
}

// A stale result keeps its text, drawn greyed so that it does not pass for a current one.
INT_PTR CCalcDialog::onControlColour(HDC dc, HWND control)
{
    if (!veldronix::isStale(static_cast<ControlId>(GetDlgCtrlID(control)), controller_.resultFreshness())) {
        return FALSE; // the dialog's own colours
    }
    SetTextColor(dc, colourOf(report::detailsColours.stale));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

// An input field whose text was read otherwise than typed: the warning colour
// on a pale red, as the details mark a finding.
INT_PTR CCalcDialog::onEditColour(HDC dc, HWND edit)
{
    // A drop-down's edit part asks through the drop-down, under a number of its own.
    const HWND field = GetParent(edit) == window() ? edit : GetParent(edit);
    if (findingNote(static_cast<ControlId>(GetDlgCtrlID(field))).empty() || misreadBrush_.get() == nullptr) {
        return FALSE; // the dialog's own colours
    }
    SetTextColor(dc, colourOf(report::detailsColours.warning));
    SetBkColor(dc, colourOf(report::detailsColours.misread));
    return reinterpret_cast<INT_PTR>(misreadBrush_.get());
}

std::string CCalcDialog::findingNote(ControlId field) const
{
    const auto found = std::find_if(findings_.begin(), findings_.end(),
                                    [field](const report::FieldFinding& finding) { return finding.control == field; });
    return found != findings_.end() ? found->note : std::string();
}

// The marks follow what the controller last read; a field it read as typed loses its mark.
void CCalcDialog::showFindings()
{
    std::vector<report::FieldFinding> findings = report::fieldFindings(controller_, report::texts::ja::inputFindings);
    if (findings == findings_) {
        return;
    }
    findings_ = std::move(findings);
    for (const InputFieldDescription& field : inputFields) {
        RedrawWindow(control(field.control), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

// The details window shows the state each command leaves, whether it succeeded or not;
// the result fields are drawn again, greyed or not, and the input fields marked
// as the controller read them.
void CCalcDialog::followCommand()
{
    for (const ControlId field : resultFields) {
        InvalidateRect(control(field), nullptr, TRUE);
    }
    showFindings();
    if (details_.isOpen()) {
        details_.update(currentDetails());
    }
}

INT_PTR CCalcDialog::onCommand(int identifier, int notification)
{
    switch (identifier) {
    case IDOK: // Enter where no button has the focus (on a button, the button's own command comes)
        pressEnter();
        return TRUE;
    case IDCANCEL: // Esc and the close box: the only ways to end the program
        end(identifier);
        return TRUE;
    default:
        break;
    }
    // The details' plot is of the number in 出力パルス数 as it stands, typed or not yet used by 算出.
    if (static_cast<ControlId>(identifier) == ControlId::IDC_PULSE_COUNT && notification == EN_CHANGE) {
        followCommand();
        return TRUE;
    }
    if (notification != BN_CLICKED) {
        return FALSE;
    }
    switch (static_cast<ControlId>(identifier)) {
    case ControlId::IDC_CALCULATE:
        controller_.onCalculate();
        followCommand();
        return TRUE;
    case ControlId::IDC_RECALCULATE:
        controller_.onRecalculate();
        followCommand();
        return TRUE;
    case ControlId::IDC_COMPUTE_DECEL_POINT:
        controller_.onComputeDecelPoint();
        followCommand();
        return TRUE;
    default:
        return FALSE;
    }
}

// What the details ask of the dialog (a comparison row chosen, a form applied),
// done as the user would do it: typed, selected, pressed.
void CCalcDialog::perform(const std::vector<DialogRequest>& requests)
{
    performRequests(requests, *this, [this](ControlId button) { onCommand(toInt(button), BN_CLICKED); });
    // What a form changed beside the dialog's fields (an axis's mechanics) shows too.
    followCommand();
}

// The machine file's save or open: the common file dialog over the details, then the file.
void CCalcDialog::chooseMachineFile(bool save)
{
    const HWND owner = details_.isOpen() ? details_.window() : window();
    const std::optional<ChosenFile> chosen =
        win32::chooseMachineFile(owner, save, report::suggestedMachineFileName(machine_));
    if (!chosen) {
        return; // cancelled
    }
    if (!chosen->faithful) {
        // A name UTF-8 cannot carry would name another file: nothing is read or written.
        io::MachineFileError error{};
        error.problem = save ? io::MachineFileProblem::CannotWrite : io::MachineFileProblem::CannotRead;
        if (save) {
            error.writeError = io::FileWriteError::CannotCreate;
        }
        showMachineOutcome({report::machineFileMessage(report::MachineSession::baseName(chosen->path), error), true, {}});
        return;
    }
    showMachineOutcome(save ? report::saveMachine(machine_, chosen->path, *this, controller_.lastCalculation())
                            : report::openMachine(machine_, chosen->path));
}

// What a save or an open did, and the file's name in the title; an open puts its first axis into the dialog.
void CCalcDialog::showMachineOutcome(const report::MachineFileOutcome& outcome)
{
    perform(outcome.requests);
    SetWindowTextW(window(), io::toWide(report::machineWindowTitle(caption_, machine_.fileName())).c_str());
    details_.showNote(outcome.note);
}

// Enter confirms what was typed: it presses the button report::enterButton names
// for the field or selector that has the focus, and never ends the program.
void CCalcDialog::pressEnter()
{
    HWND focus = GetFocus();
    // The edit part of a drop-down is the drop-down's child.
    if (focus != nullptr && GetParent(focus) != window() && IsChild(window(), focus)) {
        focus = GetParent(focus);
    }
    if (focus == nullptr || GetParent(focus) != window()) {
        return;
    }
    if (const std::optional<ControlId> button = report::enterButton(static_cast<ControlId>(GetDlgCtrlID(focus)))) {
        onCommand(toInt(*button), BN_CLICKED);
    }
}

INT_PTR CCalcDialog::onSysCommand(WPARAM command)
{
    // The low four bits of a system command are the system's own.
    switch (command & 0xFFF0) {
    case IDM_ABOUTBOX: {
        CAboutDialog about;
        about.run(instance_, window());
        return TRUE;
    }
    case IDM_DETAILS:
        openDetails();
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CCalcDialog::onPaint()
{
    if (!IsIconic(window())) {
        return FALSE;
    }
    const PaintContext paint(window());
    SendMessageW(window(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.dc()), 0);
    RECT client{};
    GetClientRect(window(), &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.dc(), x, y, icon_.get());
    return TRUE;
}

INT_PTR CCalcDialog::onQueryDragIcon() const
{
    return reinterpret_cast<INT_PTR>(icon_.get());
}

} // namespace veldronix::win32
