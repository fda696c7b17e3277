// The details page's flow: every part at its place for the page's width, a
// part beside another sharing its row, the content's height for the scroll bar.
#include "ui/win32/details_page.h"

#include "ui/win32/table_view.h"
#include "ui/win32/text_metrics.h"

#include <algorithm>

namespace veldronix::win32 {
namespace {

constexpr int contentMargin = 10; // around the content, in pixels at 96 DPI
constexpr int partGap = 6;        // between the buttons of a row, as the page puts them

} // namespace

void DetailsPage::layOut()
{
    if (page_ == nullptr) {
        return;
    }
    const int line = lineHeightOf(page_, font_);
    const int buttonHeight = line + dpi_.px(10);
    const int fieldHeight = line + dpi_.px(8);
    const int margin = dpi_.px(contentMargin);
    SendMessageW(page_, WM_SETREDRAW, FALSE, 0);
    RECT pageClient{};
    GetClientRect(page_, &pageClient);
    const int width = std::max(1, static_cast<int>(pageClient.right) - 2 * margin);
    const int buttonGap = dpi_.px(partGap);
    int rowTop = margin;
    int rowBottom = margin;
    int buttonX = 0; // where the next button of a section's row goes
    for (std::size_t index = 0; index < parts_.size(); ++index) {
        Part& part = parts_[index];
        bool beside = part.beside;
        int x = part.x;
        int partWidth = part.fixedWidth > 0 ? part.fixedWidth : std::max(1, width - part.x);
        if (part.labelColumn > 0) {
            // A form's labels as wide as the widest where the page has room beside
            // them for the fields and units, else narrower, wrapped (never below a
            // few characters' width); the fields and units follow the column.
            const int labels =
                std::clamp(width - part.besideLabels, std::min(part.labelColumn, 6 * line), part.labelColumn);
            if (part.afterLabels) {
                x = labels + part.x;
            } else {
                partWidth = labels;
            }
        }
        if (part.button >= 0) {
            // A section's buttons flow onto as many rows as the width needs, a menu's
            // button kept beside the button it belongs to; a button wider than the
            // page is cut to its width.
            const bool menuOfBefore =
                part.id == DetailsId::CopyAs && index > 0 && parts_[index - 1].button == part.button;
            int run = part.fixedWidth;
            if (index + 1 < parts_.size() && parts_[index + 1].id == DetailsId::CopyAs &&
                parts_[index + 1].button == part.button) {
                run += buttonGap + parts_[index + 1].fixedWidth;
            }
            if (!beside || (buttonX > 0 && buttonX + (menuOfBefore ? partWidth : run) > width)) {
                beside = false;
                buttonX = 0;
            }
            x = buttonX;
            partWidth = std::min(partWidth, width);
            buttonX += partWidth + buttonGap;
        }
        part.top = beside ? rowTop : rowBottom + part.gap;
        // A drop-down list's window holds its list too: the page's row is its closed height.
        int windowHeight = 0;
        switch (part.id) {
        case DetailsId::Table: {
            const SIZE size =
                fitTableView(part.window, tables_[static_cast<std::size_t>(part.table)], partWidth, dpi_);
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
        case DetailsId::Command:
        case DetailsId::SaveMachine:
        case DetailsId::OpenMachine:
            part.height = buttonHeight;
            break;
        case DetailsId::FormField:
            part.height = fieldHeight;
            break;
        case DetailsId::FormChoice:
            part.height = fieldHeight;
            windowHeight = 10 * line;
            break;
        case DetailsId::FormLabel:
            // Level with the field beside it; a label wrapped onto more lines makes its row taller.
            part.height = std::max(fieldHeight, static_cast<int>(measured(part.window, font_, part.text, partWidth).cy) +
                                                    (fieldHeight - line));
            break;
        default:
            part.height = measured(part.window, part.bold ? boldFont_ : font_, part.text, partWidth).cy;
            break;
        }
        rowTop = part.top;
        rowBottom = beside ? std::max(rowBottom, part.top + part.height) : part.top + part.height;
        const int labelShift = part.id == DetailsId::FormLabel ? (fieldHeight - line) / 2 : 0;
        MoveWindow(part.window, margin + x, part.top - scroll_ + labelShift, partWidth,
                   windowHeight > 0 ? windowHeight : part.height - labelShift, FALSE);
    }
    contentHeight_ = rowBottom + margin;
    SendMessageW(page_, WM_SETREDRAW, TRUE, 0);
    place();
}

int DetailsPage::wantedWidth(int preferred) const
{
    int width = preferred;
    for (const Part& part : parts_) {
        if (part.id == DetailsId::Table) {
            width = std::max(width, tableWidths(part.window, tables_[static_cast<std::size_t>(part.table)], dpi_).wanted +
                                        2 * dpi_.px(contentMargin));
        }
    }
    return width;
}

int DetailsPage::keyColumnsWidth() const
{
    int width = 0;
    for (const Part& part : parts_) {
        if (part.id == DetailsId::Table) {
            width = std::max(width, tableWidths(part.window, tables_[static_cast<std::size_t>(part.table)], dpi_).keys +
                                        2 * dpi_.px(contentMargin));
        }
    }
    return width;
}

} // namespace veldronix::win32
