// What the details page's tables tell: their colours and cells' tooltips, a
// row selected (the buttons that wait for one follow) and a row chosen.
#include "ui/win32/details_page.h"

#include "ui/win32/table_view.h"

namespace veldronix::win32 {

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
        tableCellTip(*reinterpret_cast<NMLVGETINFOTIPW*>(const_cast<NMHDR*>(&header)), shown, dpi_);
        return 0;
    case LVN_ITEMCHANGED:
        if (table->table == chooseTable_) {
            updateButtonStates();
        }
        return 0;
    case NM_DBLCLK:
        // As the button under the table does.
        if (table->table == chooseTable_ && !chosenRowRequests().empty()) {
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

std::vector<DialogRequest> DetailsPage::chosenRowRequests() const
{
    for (const Part& part : parts_) {
        if (part.table >= 0 && part.table == chooseTable_) {
            const LRESULT row = SendMessageW(part.window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
            return report::chooseRowRequests(chooseSection_, static_cast<int>(row));
        }
    }
    return {};
}

} // namespace veldronix::win32
