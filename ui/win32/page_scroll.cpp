// The details page's scrolling: the scroll bar for the content's height, the
// parts moved with the scroll, the wheel and the bar's requests.
#include "ui/win32/details_page.h"

#include "ui/win32/text_metrics.h"

#include <algorithm>

namespace veldronix::win32 {

// The scroll bar for the content's height, the parts where the scroll puts
// them, and everything painted once, afresh.
void DetailsPage::place()
{
    RECT pageClient{};
    GetClientRect(page_, &pageClient);
    const int shown = pageClient.bottom;
    const int furthest = std::max(0, contentHeight_ - shown);
    const int position = std::clamp(scroll_, 0, furthest);
    if (position != scroll_) {
        const int shift = scroll_ - position;
        scroll_ = position;
        for (const Part& part : parts_) {
            RECT rect{};
            GetWindowRect(part.window, &rect);
            MapWindowPoints(nullptr, page_, reinterpret_cast<POINT*>(&rect), 2);
            SetWindowPos(part.window, nullptr, rect.left, rect.top + shift, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
    }
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(0, contentHeight_ - 1);
    info.nPage = static_cast<UINT>(std::max(0, shown));
    info.nPos = scroll_;
    SetScrollInfo(page_, SB_VERT, &info, TRUE);
    RedrawWindow(page_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void DetailsPage::scrollTo(int position)
{
    RECT pageClient{};
    GetClientRect(page_, &pageClient);
    const int target = std::clamp(position, 0, std::max(0, contentHeight_ - static_cast<int>(pageClient.bottom)));
    if (target == scroll_) {
        return;
    }
    const int shift = scroll_ - target;
    scroll_ = target;
    // The system moves the shown pixels and the controls; only the uncovered strip is painted.
    ScrollWindowEx(page_, 0, shift, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    SetScrollPos(page_, SB_VERT, scroll_, TRUE);
    UpdateWindow(page_);
}

void DetailsPage::onScroll(int request, int wheelDelta)
{
    if (page_ == nullptr) {
        return;
    }
    RECT pageClient{};
    GetClientRect(page_, &pageClient);
    const int line = lineHeightOf(page_, font_);
    const int pageStep = std::max(line, static_cast<int>(pageClient.bottom) - line);
    if (request < 0) {
        scrollTo(scroll_ - wheelDelta * 3 * line / WHEEL_DELTA);
        return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(page_, SB_VERT, &info);
    switch (request) {
    case SB_LINEUP:
        scrollTo(scroll_ - line);
        break;
    case SB_LINEDOWN:
        scrollTo(scroll_ + line);
        break;
    case SB_PAGEUP:
        scrollTo(scroll_ - pageStep);
        break;
    case SB_PAGEDOWN:
        scrollTo(scroll_ + pageStep);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        scrollTo(info.nTrackPos);
        break;
    case SB_TOP:
        scrollTo(0);
        break;
    case SB_BOTTOM:
        scrollTo(contentHeight_);
        break;
    default:
        break;
    }
}

} // namespace veldronix::win32
