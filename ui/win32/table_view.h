#pragma once

#include "report/details_layout.h"
#include "ui/win32/dpi.h"

#include <windows.h>
#include <commctrl.h>

namespace veldronix::win32 {

// A table of the details as a report-style list view: the system's own table,
// which lays out, scrolls sideways and
// gives every cell's text back to whoever asks (a screen reader, a test).
// The list view keeps no pointer to the table: the window hands it in again,
// with the DPI its measures (written for 96 DPI) are taken at.

// A list view child of parent showing table, in font; every row at once (the
// window around it scrolls), no header clicks, one row selectable.
HWND createTableView(HWND parent, HINSTANCE instance, int identifier, HFONT font, const report::DetailsTable& table);

// The widths the view takes (report::tableWidths), its frame included: its key
// columns', all its columns' and what it asks of the window.
report::TableWidths tableWidths(HWND list, const report::DetailsTable& table, Dpi dpi);

// Gives every column its widest text's width, none ever cut; the view's size
// for its columns and every row, never wider than `width`: a table wider than
// that scrolls sideways, its scroll bar under its last row.
SIZE fitTableView(HWND list, const report::DetailsTable& table, int width, Dpi dpi);

// The colours of the rows and cells the table marks (NM_CUSTOMDRAW).
LRESULT drawTableCell(NMLVCUSTOMDRAW& draw, const report::DetailsTable& table);

// The whole text of the cell under the mouse where its column is narrower than
// it, a user having dragged the column's edge (LVN_GETINFOTIPW).
void tableCellTip(NMLVGETINFOTIPW& tip, const report::DetailsTable& table, Dpi dpi);

} // namespace veldronix::win32
