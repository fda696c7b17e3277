#include "ui/win32/details_page.h"

#include "io/wide_text.h"
#include "report/comparison_texts.h"
#include "report/details_style.h"
#include "report/details_texts.h"
#include "ui/win32/gdi_handles.h"
#include "ui/win32/plot_view.h"
#include "ui/win32/scene_painter.h"
#include "ui/win32/table_view.h"
#include "ui/win32/text_metrics.h"
#include "ui/win32/window_class.h"

#include <algorithm>
#include <utility>

namespace veldronix::win32 {
namespace {

namespace texts = report::detailsTexts;

constexpr const wchar_t* pageClassName = L"VeldronixDetailsPage";

// The page's measures in pixels.
constexpr int margin = 10;
constexpr int sectionGap = 14; // above a section's heading
constexpr int partGap = 6;     // between a section's parts

constexpr int toInt(DetailsId id)
{
    return static_cast<int>(id);
}

std::string_view actionText(report::SectionAction action)
{
    switch (action) {
    case report::SectionAction::Copy:
        return texts::copyButton;
    case report::SectionAction::SavePlot:
        return texts::saveButton;
    case report::SectionAction::ChooseRow:
        return report::japaneseComparisonTexts.chooseButton;
    }
    return {};
}

DetailsId actionId(report::SectionAction action)
{
    switch (action) {
    case report::SectionAction::Copy:
        return DetailsId::Copy;
    case report::SectionAction::SavePlot:
        return DetailsId::Save;
    case report::SectionAction::ChooseRow:
        return DetailsId::ChooseRow;
    }
    return DetailsId::Copy;
}

} // namespace

bool DetailsPage::registerClass(HINSTANCE instance)
{
    return registerWindowClass(instance, pageClassName, &DetailsPage::pageProc, GetSysColorBrush(COLOR_BTNFACE)) &&
           PlotView::registerClass(instance);
}

// The page hands what its controls tell to the window, which knows what they show.
LRESULT CALLBACK DetailsPage::pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool DetailsPage::create(HWND parent, HINSTANCE instance, HFONT font, HFONT bold, std::wstring faceName)
{
    instance_ = instance;
    font_ = font;
    boldFont_ = bold;
    faceName_ = std::move(faceName);
    // The page takes no focus itself; its controls do, in the window's tab order.
    page_ = CreateWindowExW(WS_EX_CONTROLPARENT, pageClassName, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN,
                            0, 0, 10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(toInt(DetailsId::Page))),
                            instance, nullptr);
    if (page_ == nullptr) {
        return false;
    }
    // The scroll bar stays, greyed, where there is nothing to scroll: the width never jumps.
    SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    SetScrollInfo(page_, SB_VERT, &info, FALSE);
    parts_.clear();
    tables_.clear();
    scroll_ = 0;
    return true;
}

HWND DetailsPage::addControl(const wchar_t* windowClass, DetailsId id, DWORD style, std::string_view text)
{
    const std::wstring wide = io::toWide(text);
    const HWND control =
        CreateWindowExW(0, windowClass, wide.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, page_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(toInt(id))), instance_, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

void DetailsPage::addStatic(DetailsId id, std::string_view text, bool bold, bool warning, int gapBefore)
{
    Part part;
    part.window = addControl(L"Static", id, wrapStyle, text);
    part.id = id;
    part.gap = gapBefore;
    part.text = std::string(text);
    part.bold = bold;
    part.ink = warning ? colourOf(report::detailsColours.warning) : CLR_INVALID;
    if (bold) {
        SendMessageW(part.window, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
    }
    parts_.push_back(std::move(part));
}

// A line of the layout; a warning line carries its mark in its text and is drawn in the warning colour.
void DetailsPage::addLine(const report::DetailsLine& line, DetailsId id, int gapBefore)
{
    addStatic(id, line.text, false, line.warning, gapBefore);
}

void DetailsPage::addButtons(const std::vector<report::SectionAction>& actions, const report::Details& details)
{
    int x = 0;
    for (const report::SectionAction action : actions) {
        const std::string_view text = actionText(action);
        Part part;
        part.window = addControl(L"Button", actionId(action), WS_TABSTOP | BS_PUSHBUTTON, text);
        part.id = actionId(action);
        part.fixedWidth = measured(part.window, font_, text, 1000).cx + 24;
        part.x = x;
        part.beside = x > 0;
        part.gap = partGap;
        x += part.fixedWidth + partGap;
        if (action == report::SectionAction::Copy) {
            EnableWindow(part.window, !details.clipboardText.empty());
            if (details.copyFormats.size() > 1) {
                // Beside it, the other formats in a menu; the plain lines stay the button's own.
                parts_.push_back(std::move(part));
                part = Part{};
                part.window = addControl(L"Button", DetailsId::CopyAs, WS_TABSTOP | BS_PUSHBUTTON, texts::copyAsButton);
                part.id = DetailsId::CopyAs;
                part.fixedWidth = measured(part.window, font_, texts::copyAsButton, 1000).cx + 24;
                part.x = x;
                part.beside = true;
                x += part.fixedWidth + partGap;
            }
        } else if (action == report::SectionAction::SavePlot) {
            EnableWindow(part.window, details.plot.has_value());
        } else if (action == report::SectionAction::ChooseRow) {
            EnableWindow(part.window, FALSE); // until a row is selected
        }
        parts_.push_back(std::move(part));
    }
}

// The controls of the layout, made again for each new layout: a control never
// keeps a text or a place of the details shown before.
void DetailsPage::show(const report::DetailsLayout& layout, const report::Details& details, HWND focusElse)
{
    const HWND focus = GetFocus();
    const int focusId = focus != nullptr && IsChild(page_, focus) ? GetDlgCtrlID(focus) : 0;
    SendMessageW(page_, WM_SETREDRAW, FALSE, 0);
    for (HWND child = GetWindow(page_, GW_CHILD); child != nullptr;) {
        const HWND next = GetWindow(child, GW_HWNDNEXT);
        DestroyWindow(child);
        child = next;
    }
    parts_.clear();
    tables_.clear();
    chooseTable_ = -1;
    chooseIndices_.clear();

    addStatic(DetailsId::Heading, layout.heading, true, false, 0);
    for (const report::DetailsLine& line : layout.status) {
        addLine(line, DetailsId::StatusLine, partGap);
    }
    for (const report::DetailsSection& section : layout.sections) {
        addStatic(DetailsId::SectionHeading, section.heading, true, false, sectionGap);
        if (section.kind == report::SectionKind::Plot && details.plot) {
            Part plot;
            plot.window = addControl(PlotView::className, DetailsId::Plot, 0, {});
            plot.id = DetailsId::Plot;
            plot.gap = partGap;
            if (PlotView* view = PlotView::of(plot.window)) {
                view->show(details.plot, faceName_);
            }
            parts_.push_back(std::move(plot));
        }
        const bool hasTable = section.kind == report::SectionKind::Table ||
                              (section.kind == report::SectionKind::Plot && !section.table.rows.empty());
        if (hasTable) {
            Part table;
            table.id = DetailsId::Table;
            table.table = static_cast<int>(tables_.size());
            table.window = createTableView(page_, instance_, toInt(DetailsId::Table), font_, section.table);
            table.gap = partGap;
            tables_.push_back(section.table);
            if (std::find(section.actions.begin(), section.actions.end(), report::SectionAction::ChooseRow) !=
                section.actions.end()) {
                chooseTable_ = table.table;
                chooseIndices_ = section.rowIndices;
            }
            parts_.push_back(std::move(table));
        }
        for (const report::DetailsLine& line : section.lines) {
            addLine(line, DetailsId::Line, partGap);
        }
        addButtons(section.actions, details);
    }
    if (focusId != 0) {
        const HWND again = GetDlgItem(page_, focusId);
        SetFocus(again != nullptr && IsWindowEnabled(again) ? again : focusElse);
    }
    SendMessageW(page_, WM_SETREDRAW, TRUE, 0);
}

// Every part at its place for the page's width; the content scrolls in its height.
void DetailsPage::layOut()
{
    if (page_ == nullptr) {
        return;
    }
    const int line = lineHeightOf(page_, font_);
    const int buttonHeight = line + 10;
    SendMessageW(page_, WM_SETREDRAW, FALSE, 0);
    // The content flows down the page's width; a part beside another shares its row.
    RECT pageClient{};
    GetClientRect(page_, &pageClient);
    const int width = std::max(1, static_cast<int>(pageClient.right) - 2 * margin);
    int rowTop = margin;
    int rowBottom = margin;
    for (Part& part : parts_) {
        part.top = part.beside ? rowTop : rowBottom + part.gap;
        int partWidth = part.fixedWidth > 0 ? part.fixedWidth : std::max(1, width - part.x);
        switch (part.id) {
        case DetailsId::Table: {
            const SIZE size = fitTableView(part.window, tables_[static_cast<std::size_t>(part.table)], partWidth);
            partWidth = size.cx;
            part.height = size.cy;
            break;
        }
        case DetailsId::Plot:
            // Wide enough to read, never taller than about two thirds of a small screen.
            part.height = std::clamp(width * 9 / 20, 14 * line, 30 * line);
            break;
        case DetailsId::Copy:
        case DetailsId::CopyAs:
        case DetailsId::Save:
        case DetailsId::ChooseRow:
            part.height = buttonHeight;
            break;
        default:
            part.height = measured(part.window, part.bold ? boldFont_ : font_, part.text, partWidth).cy;
            break;
        }
        rowTop = part.top;
        rowBottom = part.beside ? std::max(rowBottom, part.top + part.height) : part.top + part.height;
        MoveWindow(part.window, margin + part.x, part.top - scroll_, partWidth, part.height, FALSE);
    }
    contentHeight_ = rowBottom + margin;
    SendMessageW(page_, WM_SETREDRAW, TRUE, 0);
    place();
}

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

int DetailsPage::wantedWidth(int preferred) const
{
    int width = preferred;
    for (const Part& part : parts_) {
        if (part.id == DetailsId::Table) {
            width = std::max(width, naturalTableWidth(part.window, tables_[static_cast<std::size_t>(part.table)]) +
                                        2 * margin);
        }
    }
    return width;
}

const DetailsPage::Part* DetailsPage::partOf(HWND control) const
{
    const auto part = std::find_if(parts_.begin(), parts_.end(), [&](const Part& p) { return p.window == control; });
    return part != parts_.end() ? &*part : nullptr;
}

COLORREF DetailsPage::inkOf(HWND control) const
{
    const Part* part = partOf(control);
    return part != nullptr ? part->ink : CLR_INVALID;
}

LRESULT DetailsPage::onNotify(const NMHDR& header)
{
    const Part* table = partOf(header.hwndFrom);
    if (table == nullptr || table->table < 0) {
        return 0;
    }
    const report::DetailsTable& shown = tables_[static_cast<std::size_t>(table->table)];
    switch (header.code) {
    case NM_CUSTOMDRAW:
        return drawTableCell(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)), shown);
    case LVN_GETINFOTIPW:
        tableCellTip(*reinterpret_cast<NMLVGETINFOTIPW*>(const_cast<NMHDR*>(&header)), shown);
        return 0;
    case LVN_ITEMCHANGED:
        if (table->table == chooseTable_) {
            EnableWindow(GetDlgItem(page_, toInt(DetailsId::ChooseRow)), chosenIndex().has_value());
        }
        return 0;
    case NM_DBLCLK:
        // As the button under the table does.
        if (table->table == chooseTable_ && chosenIndex()) {
            PostMessageW(GetParent(page_), WM_COMMAND, MAKEWPARAM(toInt(DetailsId::ChooseRow), BN_CLICKED), 0);
        }
        return 0;
    default:
        return 0;
    }
}

bool DetailsPage::isChooseTable(HWND control) const
{
    const Part* part = partOf(control);
    return part != nullptr && part->table >= 0 && part->table == chooseTable_;
}

std::optional<int> DetailsPage::chosenIndex() const
{
    const auto table = std::find_if(parts_.begin(), parts_.end(),
                                    [&](const Part& part) { return part.table >= 0 && part.table == chooseTable_; });
    if (table == parts_.end()) {
        return std::nullopt;
    }
    const LRESULT row = SendMessageW(table->window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (row < 0 || static_cast<std::size_t>(row) >= chooseIndices_.size()) {
        return std::nullopt;
    }
    return chooseIndices_[static_cast<std::size_t>(row)];
}

} // namespace veldronix::win32
