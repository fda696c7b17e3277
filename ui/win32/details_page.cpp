#include "ui/win32/details_page.h"

#include "io/wide_text.h"
#include "report/details_style.h"
#include "ui/win32/plot_view.h"
#include "ui/win32/scene_painter.h"
#include "ui/win32/table_view.h"
#include "ui/win32/text_metrics.h"
#include "ui/win32/window_class.h"

#include <algorithm>
#include <utility>

namespace veldronix::win32 {
namespace {

constexpr const wchar_t* pageClassName = L"VeldronixDetailsPage";

// The page's gaps in pixels at 96 DPI.
constexpr int sectionGap = 14; // above a section's heading
constexpr int partGap = 6;     // between a section's parts

DetailsId buttonId(report::SectionAction action)
{
    switch (action) {
    case report::SectionAction::Copy:
        return DetailsId::Copy;
    case report::SectionAction::SavePlot:
        return DetailsId::Save;
    case report::SectionAction::ChooseRow:
        return DetailsId::ChooseRow;
    case report::SectionAction::SaveMachine:
        return DetailsId::SaveMachine;
    case report::SectionAction::OpenMachine:
        return DetailsId::OpenMachine;
    case report::SectionAction::Command:
        break;
    }
    return DetailsId::Command;
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

bool DetailsPage::create(HWND parent, HINSTANCE instance, HFONT font, HFONT bold, std::wstring faceName, Dpi dpi)
{
    instance_ = instance;
    font_ = font;
    boldFont_ = bold;
    faceName_ = std::move(faceName);
    dpi_ = dpi;
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
    buttons_.clear();
    scroll_ = 0;
    return true;
}

void DetailsPage::setFonts(HFONT font, HFONT bold, Dpi dpi)
{
    font_ = font;
    boldFont_ = bold;
    dpi_ = dpi;
    // The kept form controls among them: the old fonts go once every control has let go of them.
    for (const Part& part : parts_) {
        SendMessageW(part.window, WM_SETFONT, reinterpret_cast<WPARAM>(part.bold ? boldFont_ : font_), FALSE);
    }
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

void DetailsPage::addButton(DetailsId id, std::string_view label, int button, const std::string& form, int& x)
{
    Part part;
    part.form = form;
    part.window = addControl(L"Button", id, WS_TABSTOP | BS_PUSHBUTTON, label);
    part.id = id;
    part.button = button;
    part.fixedWidth = measured(part.window, font_, label, 1000).cx + dpi_.px(24);
    part.x = x;
    part.beside = x > 0;
    part.gap = dpi_.px(partGap);
    x += part.fixedWidth + dpi_.px(partGap);
    parts_.push_back(std::move(part));
}

// The section's buttons in a row, each as the layout gives it; a menu of more
// than one choice gets a button of its own beside (the classic controls have no
// button with a menu), the click's own choice staying the button's.
void DetailsPage::addButtons(const std::vector<report::SectionButton>& buttons, const std::string& form)
{
    int x = 0;
    for (const report::SectionButton& button : buttons) {
        const int index = static_cast<int>(buttons_.size());
        buttons_.push_back(button);
        addButton(buttonId(button.action), button.label, index, form, x);
        if (button.menu.size() > 1 && !button.menuLabel.empty()) {
            addButton(DetailsId::CopyAs, button.menuLabel, index, form, x);
        }
    }
}

// Each button enabled as the layout says, a row of the table selected or not.
void DetailsPage::updateButtonStates()
{
    const bool rowSelected = !chosenRowRequests().empty();
    for (const Part& part : parts_) {
        if (part.button >= 0) {
            EnableWindow(part.window, report::isEnabled(buttons_[static_cast<std::size_t>(part.button)], rowSelected));
        }
    }
}

// The controls of the layout, made again for each new layout: a control never
// keeps a text or a place of the details shown before, but for a form's fields
// and lists, which keep what the user is typing or choosing.
void DetailsPage::show(const report::DetailsLayout& layout, const report::Details& details, HWND focusElse)
{
    const HWND focus = GetFocus();
    const bool focusInPage = focus != nullptr && IsChild(page_, focus);
    const int focusId = focusInPage ? GetDlgCtrlID(focus) : 0;
    // Parts of one kind share their identifier: the focus goes back to the one at the same place among them.
    int focusOrdinal = 0;
    for (const Part& part : parts_) {
        if (part.window == focus) {
            break;
        }
        focusOrdinal += toInt(part.id) == focusId ? 1 : 0;
    }
    SendMessageW(page_, WM_SETREDRAW, FALSE, 0);
    KeptControls kept;
    for (Part& part : parts_) {
        if (part.id == DetailsId::FormField || part.id == DetailsId::FormChoice) {
            kept.emplace(std::make_tuple(part.form, part.id, part.key), std::move(part));
        } else {
            DestroyWindow(part.window);
        }
    }
    parts_.clear();
    tables_.clear();
    buttons_.clear();
    chooseTable_ = -1;
    chooseSection_ = {};

    addStatic(DetailsId::Heading, layout.heading, true, false, 0);
    for (const report::DetailsLine& line : layout.status) {
        addLine(line, DetailsId::StatusLine, dpi_.px(partGap));
    }
    for (const report::DetailsSection& section : layout.sections) {
        addStatic(DetailsId::SectionHeading, section.heading, true, false, dpi_.px(sectionGap));
        if (section.form) {
            addForm(*section.form, kept);
        }
        if (section.plotted && details.plot) {
            Part plot;
            plot.window = addControl(PlotView::className, DetailsId::Plot, 0, {});
            plot.id = DetailsId::Plot;
            plot.gap = dpi_.px(partGap);
            if (PlotView* view = PlotView::of(plot.window)) {
                view->show(details.plot, faceName_, dpi_);
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
            table.gap = dpi_.px(partGap);
            tables_.push_back(section.table);
            if (!section.rowIndices.empty()) {
                chooseTable_ = table.table;
                chooseSection_ = section;
            }
            parts_.push_back(std::move(table));
        }
        for (const report::DetailsLine& line : section.lines) {
            addLine(line, DetailsId::Line, dpi_.px(partGap));
        }
        addButtons(section.buttons, section.form ? section.form->name : std::string());
    }
    for (const auto& [key, part] : kept) {
        DestroyWindow(part.window); // a field the new layout has not
    }
    // The tab order is the layout's, kept controls included.
    HWND after = HWND_TOP;
    for (const Part& part : parts_) {
        SetWindowPos(part.window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
        after = part.window;
    }
    updateButtonStates();
    if (focusInPage && !(IsWindow(focus) && IsChild(page_, focus))) {
        HWND again = nullptr;
        int ordinal = 0;
        for (const Part& part : parts_) {
            if (toInt(part.id) == focusId && (again == nullptr || ordinal <= focusOrdinal)) {
                again = part.window; // the one at that place, else the last of its kind
                ++ordinal;
            }
        }
        SetFocus(again != nullptr && IsWindowEnabled(again) ? again : focusElse);
    }
    SendMessageW(page_, WM_SETREDRAW, TRUE, 0);
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

const std::vector<report::ButtonChoice>* DetailsPage::menuOf(HWND control) const
{
    const Part* part = partOf(control);
    return part != nullptr && part->button >= 0 ? &buttons_[static_cast<std::size_t>(part->button)].menu : nullptr;
}

std::string DetailsPage::formOf(HWND control) const
{
    const Part* part = partOf(control);
    return part != nullptr ? part->form : std::string();
}

std::string DetailsPage::commandOf(HWND control) const
{
    const Part* part = partOf(control);
    return part != nullptr && part->button >= 0 ? buttons_[static_cast<std::size_t>(part->button)].command
                                                : std::string();
}

std::string DetailsPage::enterCommandOf(HWND control) const
{
    const Part* part = partOf(control);
    return part != nullptr ? part->enterCommand : std::string();
}

} // namespace veldronix::win32
