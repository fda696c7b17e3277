#include "ui/win32/details_window.h"

#include "io/wide_text.h"
#include "report/texts_ja.h"
#include "report/window_placement.h"
#include "ui/win32/details_ids.h"
#include "ui/win32/text_metrics.h"
#include "ui/win32/window_class.h"

#include <commctrl.h>

#include <utility>

namespace veldronix::win32 {
namespace {

namespace texts = report::texts::ja;

constexpr const wchar_t* windowClassName = L"VeldronixDetails";

} // namespace

DetailsWindow::DetailsWindow(HINSTANCE instance, DetailsRequests requests, report::DetailsForms& forms)
    : instance_(instance), requests_(std::move(requests)), forms_(forms)
{
}

DetailsWindow::~DetailsWindow()
{
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

bool DetailsWindow::registerClasses() const
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!DetailsPage::registerClass(instance_)) {
        return false;
    }
    return registerWindowClass(instance_, windowClassName, &DetailsWindow::windowProc, GetSysColorBrush(COLOR_BTNFACE));
}

bool DetailsWindow::open(HWND owner, report::Details details)
{
    details_ = std::move(details);
    if (window_ != nullptr) {
        showLayout(forms_.layout(details_));
        SetForegroundWindow(window_);
        SetActiveWindow(window_);
        return true;
    }
    if (!registerClasses()) {
        return false;
    }
    // Made for the owner's monitor, where it opens; a move to another one makes it again.
    dpi_ = dpiOf(owner);
    fonts_ = DetailsFonts::of(owner, dpi_);
    // Owned by the main dialog: above it, minimised and destroyed with it, no task-bar button of its own.
    const std::wstring caption = io::toWide(texts::windowCaption);
    CreateWindowExW(WS_EX_CONTROLPARENT, windowClassName, caption.c_str(),
                    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN,
                    CW_USEDEFAULT, CW_USEDEFAULT, dpi_.px(narrowestDetailsWidth), dpi_.px(lowestDetailsHeight), owner,
                    nullptr, instance_, this);
    if (window_ == nullptr) {
        return false;
    }
    dialogKeys_.attach(window_);
    layout_ = forms_.layout(details_);
    page_.show(layout_, details_, close_);
    placeNearOwner(owner);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    return true;
}

void DetailsWindow::update(report::Details details)
{
    if (window_ == nullptr) {
        return;
    }
    details_ = std::move(details);
    currentStatus_.clear(); // what became of a copy or save belongs to the values shown before
    SetWindowTextW(status_, L"");
    showLayout(forms_.layout(details_));
}

// The layout shown in place of the one before; the window grows for a new shape of it.
void DetailsWindow::showLayout(report::DetailsLayout layout)
{
    const bool grows = report::growsToContent(layout_, layout, userSized_ || IsZoomed(window_));
    layout_ = std::move(layout);
    page_.show(layout_, details_, close_);
    layOut();
    if (grows) {
        growToContent();
    }
}

LRESULT CALLBACK DetailsWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<DetailsWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<DetailsWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->dialogKeys_.detach();
        self->window_ = nullptr;
        self->status_ = nullptr;
        self->close_ = nullptr;
        self->lastFocus_ = nullptr;
        self->userSized_ = false;
        self->layout_ = {};
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->handleMessage(message, wParam, lParam);
    } catch (...) {
        // Out of memory while showing: the window goes, the main dialog and its values stay.
        DestroyWindow(window);
        return 0;
    }
}

LRESULT DetailsWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate();
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            layOut();
        }
        return 0;
    case WM_EXITSIZEMOVE:
        userSized_ = true; // the size the user gave it stays
        return 0;
    case WM_GETMINMAXINFO: {
        auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
        limits.ptMinTrackSize.x = dpi_.px(narrowestDetailsWidth);
        limits.ptMinTrackSize.y = dpi_.px(lowestDetailsHeight);
        return 0;
    }
    case WM_DPICHANGED:
        onDpiChanged(Dpi(HIWORD(wParam)), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        return page_.onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_ACTIVATE:
        onActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_CTLCOLORSTATIC:
        return onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_VSCROLL:
        page_.onScroll(LOWORD(wParam), 0);
        return 0;
    case WM_MOUSEWHEEL:
        page_.onScroll(-1, GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void DetailsWindow::onCreate()
{
    page_.create(window_, instance_, fonts_.font.get(), fonts_.bold.get(), fonts_.face, dpi_);
    status_ = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | wrapStyle, 0, 0, 10, 10, window_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(toInt(DetailsId::Status))), instance_,
                              nullptr);
    const std::wstring close = io::toWide(texts::closeButton);
    close_ = CreateWindowExW(0, L"Button", close.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                             10, 10, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(toInt(DetailsId::Close))),
                             instance_, nullptr);
    for (const HWND child : {status_, close_}) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.font.get()), FALSE);
    }
}

// Moved to a monitor of another DPI (or its DPI changed): the fonts, every
// control and the plot are made again for it, and the window takes the
// rectangle Windows suggests, which keeps it the same size to the eye.
void DetailsWindow::onDpiChanged(Dpi dpi, const RECT& suggested)
{
    DetailsFonts fonts = DetailsFonts::of(GetWindow(window_, GW_OWNER), dpi);
    page_.setFonts(fonts.font.get(), fonts.bold.get(), dpi);
    for (const HWND child : {status_, close_}) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.font.get()), FALSE);
    }
    dpi_ = dpi;
    fonts_ = std::move(fonts); // the old fonts go once no control uses them
    page_.show(layout_, details_, close_);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layOut();
}

void DetailsWindow::onCommand(int identifier, int notification, HWND control)
{
    switch (identifier) {
    case IDCANCEL: // Esc, through the dialog keys
        DestroyWindow(window_);
        return;
    case IDOK: // Enter where no button has the focus
        onEnter();
        return;
    case toInt(DetailsId::Copy): {
        const std::vector<report::ButtonChoice>* menu = page_.menuOf(control);
        copyRegisters(menu != nullptr && !menu->empty() ? menu->front().text : details_.clipboardText);
        return;
    }
    case toInt(DetailsId::CopyAs):
        chooseCopyFormat(control);
        return;
    case toInt(DetailsId::Save):
        savePlot();
        return;
    case toInt(DetailsId::ChooseRow):
        chooseRow();
        return;
    case toInt(DetailsId::SaveMachine):
    case toInt(DetailsId::OpenMachine):
        if (requests_.machineFile) {
            requests_.machineFile(identifier == toInt(DetailsId::SaveMachine));
        }
        return;
    case toInt(DetailsId::FormField):
        if (notification == EN_CHANGE && !page_.isSettingText()) {
            editForm(page_.formOf(control));
        }
        return;
    case toInt(DetailsId::FormChoice):
        if (notification == CBN_SELCHANGE) {
            editForm(page_.formOf(control));
        }
        return;
    case toInt(DetailsId::Command):
        runFormCommand(page_.formOf(control), page_.commandOf(control));
        return;
    default:
        return;
    }
}

void DetailsWindow::onActivate(bool active)
{
    // As a dialog does: the focus comes back to where it was when the window is active again.
    if (!active) {
        const HWND focus = GetFocus();
        lastFocus_ = focus != nullptr && IsChild(window_, focus) ? focus : nullptr;
        return;
    }
    HWND target = lastFocus_;
    if (target == nullptr || !IsWindow(target) || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
        target = GetNextDlgTabItem(window_, nullptr, FALSE);
    }
    if (target != nullptr) {
        SetFocus(target);
    }
}

LRESULT DetailsWindow::onControlColour(HDC dc, HWND control)
{
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (const COLORREF ink = page_.inkOf(control); ink != CLR_INVALID) {
        SetTextColor(dc, ink);
    }
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

} // namespace veldronix::win32
