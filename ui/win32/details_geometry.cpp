// Where the details window stands and how large it is: beside the main dialog
// by the rule every desktop front end shares (report::placeBeside), grown to
// what a later command fills it with (report::grownToContent), its parts laid
// out for its client area.
#include "ui/win32/details_window.h"

#include "report/texts_ja.h"
#include "report/window_placement.h"
#include "ui/win32/screen_geometry.h"
#include "ui/win32/text_metrics.h"

#include <algorithm>

namespace veldronix::win32 {
namespace {

// The window's measures in pixels at 96 DPI.
constexpr int windowMargin = 10;
constexpr int preferredWidth = 760; // the client width the window asks for where the screen has room

// The frame's height around a client area, in px at the DPI.
int frameHeightOf(HWND window, Dpi dpi)
{
    const RECT frame = frameAround(RECT{0, 0, 100, 100}, window, dpi);
    return (frame.bottom - frame.top) - 100;
}

} // namespace

// Every part at its place for the client area's size: the page above, the
// status line and the close button under it; the page's content scrolls.
void DetailsWindow::layOut()
{
    if (window_ == nullptr || page_.window() == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(window_, &client);
    const HFONT font = fonts_.font.get();
    const int margin = dpi_.px(windowMargin);
    const int line = lineHeightOf(window_, font);
    const int buttonHeight = line + dpi_.px(10);
    const int closeWidth = measured(close_, font, report::texts::ja::closeButton, 1000).cx + dpi_.px(32);
    const int statusWidth = std::max(1, static_cast<int>(client.right) - 3 * margin - closeWidth);
    const int statusHeight = currentStatus_.empty() ? line : measured(status_, font, currentStatus_, statusWidth).cy;
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
    const int contentWidth = page_.wantedWidth(dpi_.px(preferredWidth));
    const RECT frame = frameAround(RECT{0, 0, contentWidth + systemMetric(SM_CXVSCROLL, dpi_), 100}, window_, dpi_);
    return frame.right - frame.left;
}

// Beside the main dialog where the work area has room, else where it covers the
// least of it; never larger than the work area, whose content then scrolls.
void DetailsWindow::placeNearOwner(HWND owner)
{
    const report::ScreenRect workArea = workAreaOf(owner);
    RECT dialogFrame{};
    GetWindowRect(owner, &dialogFrame);
    const report::ScreenRect dialog = screenRectOf(dialogFrame);
    // Never so narrow that a table's key columns would not show whole.
    const RECT keys =
        frameAround(RECT{0, 0, page_.keyColumnsWidth() + systemMetric(SM_CXVSCROLL, dpi_), 100}, window_, dpi_);
    const int narrowest = std::max(dpi_.px(narrowestDetailsWidth), static_cast<int>(keys.right - keys.left));
    const int lowest = dpi_.px(lowestDetailsHeight);
    const int wanted = std::max(wantedWidth(), narrowest);

    // The width first: the height follows from the content laid out at that width.
    const report::ScreenRect across = report::placeBeside(workArea, dialog, wanted, lowest, narrowest);
    SetWindowPos(window_, nullptr, 0, 0, across.width, lowest, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    layOut();
    RECT client{};
    GetClientRect(window_, &client);
    RECT pageClient{};
    GetClientRect(page_.window(), &pageClient);
    const int barHeight = static_cast<int>(client.bottom - pageClient.bottom);
    const int height = page_.contentHeight() + barHeight + frameHeightOf(window_, dpi_);
    const report::ScreenRect placed = report::placeBeside(workArea, dialog, wanted, height, narrowest);
    SetWindowPos(window_, nullptr, placed.x, placed.y, placed.width, placed.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Grown (never shrunk) to show what the page holds now, within the work area,
// away from the main dialog, which it never grows over.
void DetailsWindow::growToContent()
{
    RECT frame{};
    GetWindowRect(window_, &frame);
    RECT dialogFrame{};
    GetWindowRect(GetWindow(window_, GW_OWNER), &dialogFrame);
    const report::ScreenRect dialog = screenRectOf(dialogFrame);
    const report::ScreenRect now = screenRectOf(frame);
    // The width first: the height the content takes follows from it.
    const report::ScreenRect wider =
        report::grownToContent(workAreaOf(window_), dialog, now, wantedWidth(), now.height);
    if (wider != now) {
        SetWindowPos(window_, nullptr, 0, 0, wider.width, wider.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT pageClient{};
    GetClientRect(page_.window(), &pageClient);
    const int missing = std::max(0, page_.contentHeight() - static_cast<int>(pageClient.bottom));
    const report::ScreenRect grown =
        report::grownToContent(workAreaOf(window_), dialog, wider, wider.width, wider.height + missing);
    if (grown != wider) {
        SetWindowPos(window_, nullptr, grown.x, grown.y, grown.width, grown.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace veldronix::win32
