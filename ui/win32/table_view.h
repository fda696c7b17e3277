#pragma once

#include "report/details_layout.h"
#include "ui/win32/dpi.h"

#include <windows.h>
#include <commctrl.h>

namespace veldronix::win32 {

// A table of the details as a report-style list view: the system's own table,
// which lays out, scrolls sideways, elides a cell too narrow for its text and
// gives every cell's text back to whoever asks (a screen reader, a test).
// The list view keeps no pointer to the table: the window hands it in again,
// with the DPI its measures (written for 96 DPI) are taken at.

// A list view child of parent showing table, in font; every row at once (the
// window around it scrolls), no header clicks, one row selectable.
HWND createTableView(HWND parent, HINSTANCE instance, int identifier, HFONT font, const report::DetailsTable& table);

// The width the view needs to show every column whole.
int naturalTableWidth(HWND list, const report::DetailsTable& table, Dpi dpi);

// Gives the columns their texts' width, shrinking the widest ones (their
// cells elided, whole in a tooltip) until they fit `width`; the view's size for
// its columns and every row, never wider than `width`.
SIZE fitTableView(HWND list, const report::DetailsTable& table, int width, Dpi dpi);

// The colours of the rows and cells the table marks (NM_CUSTOMDRAW).
LRESULT drawTableCell(NMLVCUSTOMDRAW& draw, const report::DetailsTable& table);

// The whole text of the cell under the mouse when the column elides it (LVN_GETINFOTIPW).
void tableCellTip(NMLVGETINFOTIPW& tip, const report::DetailsTable& table, Dpi dpi);

} // namespace veldronix::win32
