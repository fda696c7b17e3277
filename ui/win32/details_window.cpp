#include "ui/win32/details_window.h"

#include "io/file_replace.h"
#include "io/wide_text.h"
#include "report/comparison_texts.h"
#include "report/details_style.h"
#include "report/details_texts.h"
#include "report/plot_scene.h"
#include "report/window_placement.h"
#include "ui/win32/clipboard.h"
#include "ui/win32/plot_view.h"
#include "ui/win32/plot_save.h"
#include "ui/win32/scene_painter.h"
#include "ui/win32/table_view.h"
#include "ui/win32/text_metrics.h"
#include "ui/win32/window_class.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace veldronix::win32 {
namespace {

namespace texts = report::detailsTexts;

constexpr const wchar_t* windowClassName = L"VeldronixDetails";

report::ScreenRect screenRectOf(const RECT& rect)
{
    return {static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right - rect.left),
            static_cast<int>(rect.bottom - rect.top)};
}

// The window's measures in pixels.
constexpr int margin = 10;
constexpr int sectionGap = 14; // above a section's heading
constexpr int partGap = 6;     // between a section's parts
constexpr int preferredWidth = 760; // the client width the window asks for where the screen has room
constexpr int narrowestWidth = 460; // the narrowest it is made, by the program or the user
constexpr int lowestHeight = 320;

constexpr int toInt(DetailsId id)
{
    return static_cast<int>(id);
}

FontHandle boldOf(HFONT base)
{
    LOGFONTW font{};
    if (base == nullptr || GetObjectW(base, sizeof font, &font) == 0) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    font.lfWeight = FW_BOLD;
    return FontHandle(CreateFontIndirectW(&font));
}

std::wstring faceOf(HFONT font)
{
    LOGFONTW face{};
    if (font == nullptr || GetObjectW(font, sizeof face, &face) == 0) {
        return L"MS PGothic";
    }
    return face.lfFaceName;
}

// The frame's height around a client area, in px.
int frameHeightOf(HWND window)
{
    RECT frame{0, 0, 100, 100};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    return (frame.bottom - frame.top) - 100;
}

} // namespace

DetailsWindow::DetailsWindow(HINSTANCE instance, DetailsRequests requests)
    : instance_(instance), requests_(std::move(requests))
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
    layout_ = report::detailsLayout(details_);
    if (window_ != nullptr) {
        page_.show(layout_, details_, close_);
        layOut();
        SetForegroundWindow(window_);
        SetActiveWindow(window_);
        return true;
    }
    if (!registerClasses()) {
        return false;
    }
    font_ = reinterpret_cast<HFONT>(SendMessageW(owner, WM_GETFONT, 0, 0));
    if (font_ == nullptr) {
        font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    boldFont_ = boldOf(font_);
    faceName_ = faceOf(font_);
    // Owned by the main dialog: above it, minimised and destroyed with it, no task-bar button of its own.
    const std::wstring caption = io::toWide(texts::windowCaption);
    CreateWindowExW(WS_EX_CONTROLPARENT, windowClassName, caption.c_str(),
                    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN,
                    CW_USEDEFAULT, CW_USEDEFAULT, narrowestWidth, lowestHeight, owner, nullptr, instance_, this);
    if (window_ == nullptr) {
        return false;
    }
    if (dialogKeys_.get() == nullptr) {
        dialogKeys_ =
            HookHandle(SetWindowsHookExW(WH_MSGFILTER, &DetailsWindow::messageFilter, nullptr, GetCurrentThreadId()));
    }
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
    layout_ = report::detailsLayout(details_);
    currentStatus_.clear(); // what became of a copy or save belongs to the values shown before
    SetWindowTextW(status_, L"");
    page_.show(layout_, details_, close_);
    layOut();
    growToContent();
}

// A window opened before a calculation grows (never shrinks) to show what a later
// command fills it with, within the work area, until the user sizes it.
void DetailsWindow::growToContent()
{
    if (userSized_ || IsZoomed(window_)) {
        return;
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    RECT frame{};
    GetWindowRect(window_, &frame);
    const int oldWidth = frame.right - frame.left;
    const int oldHeight = frame.bottom - frame.top;
    // Wider towards the work area's right edge only: its left edge stays beside the dialog.
    const int width = std::max(oldWidth, std::min(wantedWidth(), static_cast<int>(work.right - frame.left)));
    if (width != oldWidth) {
        SetWindowPos(window_, nullptr, 0, 0, width, oldHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT pageClient{};
    GetClientRect(page_.window(), &pageClient);
    const int missing = page_.contentHeight() - static_cast<int>(pageClient.bottom);
    const int height = std::min(oldHeight + std::max(0, missing), static_cast<int>(work.bottom - work.top));
    if (height <= oldHeight) {
        return;
    }
    const int top = std::max(static_cast<int>(work.top), std::min(static_cast<int>(frame.top),
                                                                   static_cast<int>(work.bottom) - height));
    SetWindowPos(window_, nullptr, frame.left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
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
        self->window_ = nullptr;
        self->status_ = nullptr;
        self->close_ = nullptr;
        self->lastFocus_ = nullptr;
        self->userSized_ = false;
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

// The main dialog's modal loop (and those of the About box and the message
// boxes) offers every message to the thread's message filter first. The
// details window's own messages go through the dialog manager's keyboard
// handling here, so that Tab, Esc and Enter on a button work in it as in a dialog.
LRESULT CALLBACK DetailsWindow::messageFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX && lParam != 0) {
        MSG& message = *reinterpret_cast<MSG*>(lParam);
        const HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        wchar_t name[32] = {};
        if (root != nullptr && GetClassNameW(root, name, 32) > 0 && std::wstring_view(name) == windowClassName) {
            auto* self = reinterpret_cast<DetailsWindow*>(GetWindowLongPtrW(root, GWLP_USERDATA));
            if (self != nullptr && self->handleDialogKeys(message)) {
                return TRUE;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool DetailsWindow::handleDialogKeys(MSG& message)
{
    // IsDialogMessage offers the message to the filter again: that second offer is left alone.
    if (filtering_ || window_ == nullptr) {
        return false;
    }
    filtering_ = true;
    const bool handled = IsDialogMessageW(window_, &message) != FALSE;
    filtering_ = false;
    return handled;
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
        limits.ptMinTrackSize.x = narrowestWidth;
        limits.ptMinTrackSize.y = lowestHeight;
        return 0;
    }
    case WM_COMMAND:
        onCommand(LOWORD(wParam));
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
    page_.create(window_, instance_, font_, boldFont_.get(), faceName_);
    status_ = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | wrapStyle, 0, 0, 10, 10, window_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(toInt(DetailsId::Status))), instance_,
                              nullptr);
    const std::wstring close = io::toWide(texts::closeButton);
    close_ = CreateWindowExW(0, L"Button", close.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                             10, 10, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(toInt(DetailsId::Close))),
                             instance_, nullptr);
    for (const HWND child : {status_, close_}) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
}

// Every part at its place for the client area's size: the page above, the
// status line and the close button under it; the page's content scrolls.
void DetailsWindow::layOut()
{
    if (window_ == nullptr || page_.window() == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(window_, &client);
    const int line = lineHeightOf(window_, font_);
    const int buttonHeight = line + 10;
    const int closeWidth = measured(close_, font_, texts::closeButton, 1000).cx + 32;
    const int statusWidth = std::max(1, static_cast<int>(client.right) - 3 * margin - closeWidth);
    const int statusHeight = currentStatus_.empty() ? line : measured(status_, font_, currentStatus_, statusWidth).cy;
    const int barHeight = std::max(buttonHeight, statusHeight) + 2 * margin;
    const int pageHeight = std::max(0, static_cast<int>(client.bottom) - barHeight);
    const int barTop = pageHeight + margin;
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    MoveWindow(status_, margin, barTop + std::max(0, (buttonHeight - statusHeight) / 2), statusWidth, statusHeight,
               FALSE);
    MoveWindow(close_, client.right - margin - closeWidth, barTop, closeWidth, buttonHeight, FALSE);
    MoveWindow(page_.window(), 0, 0, client.right, pageHeight, FALSE);

    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    page_.layOut();
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The window's width for its content: the preferred one, or the widest table's
// columns whole, with the page's scroll bar and the frame.
int DetailsWindow::wantedWidth() const
{
    const int contentWidth = page_.wantedWidth(preferredWidth);
    RECT frame{0, 0, contentWidth + GetSystemMetrics(SM_CXVSCROLL), 100};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    return frame.right - frame.left;
}

// Beside the main dialog by the rule every desktop front end shares (report::placeBeside):
// where the work area has room, else where it covers the least of it; never larger
// than the work area, whose content then scrolls.
void DetailsWindow::placeNearOwner(HWND owner)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const report::ScreenRect workArea = screenRectOf(monitor.rcWork);
    RECT dialogFrame{};
    GetWindowRect(owner, &dialogFrame);
    const report::ScreenRect dialog = screenRectOf(dialogFrame);
    const int wanted = std::max(wantedWidth(), narrowestWidth);

    // The width first: the height follows from the content laid out at that width.
    const report::ScreenRect across = report::placeBeside(workArea, dialog, wanted, lowestHeight, narrowestWidth);
    SetWindowPos(window_, nullptr, 0, 0, across.width, lowestHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    layOut();
    RECT client{};
    GetClientRect(window_, &client);
    RECT pageClient{};
    GetClientRect(page_.window(), &pageClient);
    const int barHeight = static_cast<int>(client.bottom - pageClient.bottom);
    const int height = page_.contentHeight() + barHeight + frameHeightOf(window_);
    const report::ScreenRect placed = report::placeBeside(workArea, dialog, wanted, height, narrowestWidth);
    SetWindowPos(window_, nullptr, placed.x, placed.y, placed.width, placed.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void DetailsWindow::onCommand(int identifier)
{
    switch (identifier) {
    case IDCANCEL: // Esc, through the dialog keys
        DestroyWindow(window_);
        return;
    case IDOK: // Enter where no button has the focus: a chosen table's row is chosen
        if (page_.isChooseTable(GetFocus())) {
            chooseRow();
        }
        return;
    case toInt(DetailsId::Copy):
        copyRegisters(details_.copyFormats.empty() ? details_.clipboardText : details_.copyFormats.front().text);
        return;
    case toInt(DetailsId::CopyAs):
        chooseCopyFormat();
        return;
    case toInt(DetailsId::Save):
        savePlot();
        return;
    case toInt(DetailsId::ChooseRow):
        chooseRow();
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

void DetailsWindow::copyRegisters(std::string_view text)
{
    // A failed copy clears the line rather than claim a copy.
    setStatus(putOnClipboard(window_, text) ? texts::copied : std::string_view());
}

// The copy formats in a menu under their button, the plain lines first and in bold as the default.
void DetailsWindow::chooseCopyFormat()
{
    const std::vector<report::CopyFormat> formats = details_.copyFormats;
    const HWND button = GetDlgItem(page_.window(), toInt(DetailsId::CopyAs));
    if (formats.empty() || button == nullptr) {
        return;
    }
    const HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < formats.size(); ++i) {
        AppendMenuW(menu, MF_STRING, i + 1, io::toWide(formats[i].label).c_str());
    }
    SetMenuDefaultItem(menu, 1, FALSE);
    RECT below{};
    GetWindowRect(button, &below);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY,
                                                         below.left, below.bottom, 0, window_, nullptr));
    DestroyMenu(menu);
    if (chosen >= 1 && chosen <= formats.size() && window_ != nullptr) {
        copyRegisters(formats[chosen - 1].text);
    }
}

void DetailsWindow::chooseRow()
{
    const std::optional<int> index = page_.chosenIndex();
    if (index && requests_.chooseMultiplier) {
        // The dialog recalculates and updates this window, which makes its parts again.
        requests_.chooseMultiplier(*index);
    }
}

void DetailsWindow::savePlot()
{
    // The plot the user sees now, whatever the main dialog does while the file is chosen.
    const report::Details shown = details_;
    const std::optional<std::string> note = savePlotAs(window_, shown, faceName_);
    if (note && window_ != nullptr) { // none: cancelled, or the window went while the file was chosen
        setStatus(*note);
    }
}

void DetailsWindow::setStatus(std::string_view text)
{
    currentStatus_ = std::string(text);
    SetWindowTextW(status_, io::toWide(text).c_str());
    layOut(); // a long line (a deep folder's name) wraps and takes more room
}

} // namespace veldronix::win32
