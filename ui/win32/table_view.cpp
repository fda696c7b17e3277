#include "ui/win32/table_view.h"

#include "io/wide_text.h"
#include "report/details_style.h"
#include "ui/win32/scene_painter.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace veldronix::win32 {
namespace {

// Room a column needs beside its text: the list view's own margins (at 96 DPI).
constexpr int cellPadding = 16;
// No column is narrower than this, however short its texts.
constexpr int narrowestColumn = 48;

int textWidth(HWND list, const std::string& text)
{
    const std::wstring wide = io::toWide(text);
    return static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

// The cell at row and column; none past the rows or a row short of cells.
const report::DetailsLine* cellAt(const report::DetailsTable& table, std::size_t row, std::size_t column)
{
    if (row >= table.rows.size() || column >= table.rows[row].cells.size()) {
        return nullptr;
    }
    return &table.rows[row].cells[column];
}

// Each column as wide as its widest text, its heading's included.
std::vector<int> naturalWidths(HWND list, const report::DetailsTable& table, Dpi dpi)
{
    const int padding = dpi.px(cellPadding);
    std::vector<int> widths(table.columns.size(), dpi.px(narrowestColumn));
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        widths[c] = std::max(widths[c], textWidth(list, table.columns[c].heading) + padding);
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            if (const report::DetailsLine* cell = cellAt(table, r, c)) {
                widths[c] = std::max(widths[c], textWidth(list, cell->text) + padding);
            }
        }
    }
    return widths;
}

int frameWidth(Dpi dpi)
{
    return 2 * systemMetric(SM_CXEDGE, dpi) + dpi.px(6);
}

} // namespace

HWND createTableView(HWND parent, HINSTANCE instance, int identifier, HFONT font, const report::DetailsTable& table)
{
    const HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                          LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                                      0, 0, 10, 10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)),
                                      instance, nullptr);
    if (list == nullptr) {
        return nullptr;
    }
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP);
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        std::wstring heading = io::toWide(table.columns[c].heading);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
        // The first column of a list view is always left-aligned; the others follow the table.
        column.fmt = c > 0 && table.columns[c].align == report::CellAlign::Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = narrowestColumn;
        column.pszText = heading.data();
        column.iSubItem = static_cast<int>(c);
        SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const report::DetailsLine* cell = cellAt(table, r, c);
            std::wstring text = cell != nullptr ? io::toWide(cell->text) : std::wstring();
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(r);
            item.iSubItem = static_cast<int>(c);
            item.pszText = text.data();
            SendMessageW(list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
        }
    }
    return list;
}

report::TableWidths tableWidths(HWND list, const report::DetailsTable& table, Dpi dpi)
{
    // A column of long figures (a pulse count of 1e300) asks the window for no
    // more than this: the table scrolls sideways, and the window keeps its width.
    const int widestAsked = dpi.px(240);
    report::TableWidths widths = report::tableWidths(table, naturalWidths(list, table, dpi), widestAsked);
    const int frame = frameWidth(dpi);
    widths.keys += frame;
    widths.all += frame;
    widths.wanted += frame;
    return widths;
}

SIZE fitTableView(HWND list, const report::DetailsTable& table, int width, Dpi dpi)
{
    // Every column whole, none ever cut: past the room given, the view scrolls sideways.
    const std::vector<int> widths = naturalWidths(list, table, dpi);
    const int frame = frameWidth(dpi);
    const int room = std::max(0, width - frame);
    const int total = std::accumulate(widths.begin(), widths.end(), 0);
    for (std::size_t c = 0; c < widths.size(); ++c) {
        SendMessageW(list, LVM_SETCOLUMNWIDTH, c, MAKELPARAM(widths[c], 0));
    }
    // Every row shown: the header and the rows as the view places them (the first
    // row's top, wherever the view is scrolled to, lies the header's height down).
    RECT header{};
    GetWindowRect(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), &header);
    int height = header.bottom - header.top;
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    if (!table.rows.empty() && SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)) != FALSE) {
        const int rowHeight = row.bottom - row.top;
        const int top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
        height = std::max(height, static_cast<int>(row.top) + top * rowHeight) +
                 static_cast<int>(table.rows.size()) * rowHeight;
    }
    const bool sideways = total > room;
    return SIZE{std::min(width, total + frame), height + 2 * systemMetric(SM_CYEDGE, dpi) + dpi.px(6) +
                                                    (sideways ? systemMetric(SM_CYHSCROLL, dpi) : 0)};
}

LRESULT drawTableCell(NMLVCUSTOMDRAW& draw, const report::DetailsTable& table)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const std::size_t row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
        const std::size_t column = static_cast<std::size_t>(std::max(0, draw.iSubItem));
        draw.clrText = GetSysColor(COLOR_WINDOWTEXT);
        draw.clrTextBk = GetSysColor(COLOR_WINDOW);
        if (row < table.rows.size()) {
            const report::DetailsRow& shown = table.rows[row];
            if (shown.background) {
                draw.clrTextBk = colourOf(*shown.background);
            }
            if (shown.ink) {
                draw.clrText = colourOf(*shown.ink);
            }
            if (const report::DetailsLine* cell = cellAt(table, row, column); cell != nullptr && cell->warning) {
                draw.clrText = colourOf(report::detailsColours.warning);
            }
        }
        return CDRF_NEWFONT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

void tableCellTip(NMLVGETINFOTIPW& tip, const report::DetailsTable& table, Dpi dpi)
{
    if (tip.pszText == nullptr || tip.cchTextMax <= 0) {
        return;
    }
    LVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(tip.hdr.hwndFrom, &hit.pt);
    if (SendMessageW(tip.hdr.hwndFrom, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0) {
        hit.iItem = tip.iItem;
        hit.iSubItem = 0;
    }
    const report::DetailsLine* cell =
        cellAt(table, static_cast<std::size_t>(std::max(0, hit.iItem)), static_cast<std::size_t>(std::max(0, hit.iSubItem)));
    if (cell == nullptr) {
        return;
    }
    const int columnWidth = static_cast<int>(SendMessageW(tip.hdr.hwndFrom, LVM_GETCOLUMNWIDTH, hit.iSubItem, 0));
    if (textWidth(tip.hdr.hwndFrom, cell->text) + dpi.px(cellPadding) <= columnWidth) {
        return; // shown whole already
    }
    const std::wstring whole = io::toWide(cell->text);
    const std::size_t room = static_cast<std::size_t>(tip.cchTextMax) - 1;
    const std::size_t length = std::min(whole.size(), room);
    whole.copy(tip.pszText, length);
    tip.pszText[length] = L'\0';
}

} // namespace veldronix::win32
