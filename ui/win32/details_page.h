#pragma once

#include "report/details.h"
#include "report/details_layout.h"
#include "ui/win32/details_ids.h"

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace veldronix::win32 {

// The details window's scrolling page: the sections of a details layout as
// the system's own controls (statics that wrap, list views, the plot, buttons),
// made afresh for each layout, flowed down the page's width and scrolled in its
// height. What its controls tell (commands, notifications, colours) goes to the
// window around it; the page answers what the window asks of its controls.
class DetailsPage {
public:
    static bool registerClass(HINSTANCE instance);

    // The page as a child of parent, its texts in font and bold; false when it could not be made.
    bool create(HWND parent, HINSTANCE instance, HFONT font, HFONT bold, std::wstring faceName);
    HWND window() const { return page_; }

    // Makes the controls of layout (of details), in place of those shown before;
    // the focus stays on a control of the same kind, else goes to `focusElse`.
    void show(const report::DetailsLayout& layout, const report::Details& details, HWND focusElse);
    // Every control at its place for the page's width, the scroll bar for its height.
    void layOut();
    int contentHeight() const { return contentHeight_; }
    // The content's width that shows every table's columns whole (long figures elided), at least `preferred`.
    int wantedWidth(int preferred) const;
    void onScroll(int request, int wheelDelta);

    // A static's colour; CLR_INVALID for the system's own.
    COLORREF inkOf(HWND control) const;
    // A table's notification: its colours, its cells' tooltips, its rows chosen.
    LRESULT onNotify(const NMHDR& header);
    // The multiplier index of the selected row of the table whose rows can be chosen.
    std::optional<int> chosenIndex() const;
    // Whether the control is that table.
    bool isChooseTable(HWND control) const;

private:
    // A control of the page, where the layout puts it.
    struct Part {
        HWND window = nullptr;
        DetailsId id = DetailsId::Line;
        bool beside = false; // on the row of the part before it
        int gap = 0;         // above it, where it starts a row
        int x = 0;           // from the content's left edge
        int fixedWidth = 0;  // 0: the content's width less x
        int table = -1;      // index into tables_ of a Table part
        std::string text;    // a static's text, measured again at each width
        COLORREF ink = CLR_INVALID; // a static's text colour; CLR_INVALID: the system's
        bool bold = false;
        int top = 0;         // where the last layout put it in the content
        int height = 0;
    };

    static LRESULT CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND addControl(const wchar_t* windowClass, DetailsId id, DWORD style, std::string_view text);
    void addStatic(DetailsId id, std::string_view text, bool bold, bool warning, int gapBefore);
    void addLine(const report::DetailsLine& line, DetailsId id, int gapBefore);
    void addButtons(const std::vector<report::SectionAction>& actions, const report::Details& details);
    void place();
    void scrollTo(int position);
    const Part* partOf(HWND control) const;

    HINSTANCE instance_ = nullptr;
    HWND page_ = nullptr;
    HFONT font_ = nullptr;
    HFONT boldFont_ = nullptr;
    std::wstring faceName_; // the font's face, for the plot's texts
    std::vector<report::DetailsTable> tables_; // of the Table parts, in their order
    std::vector<Part> parts_;
    int scroll_ = 0; // the page's first shown pixel row
    int contentHeight_ = 0;
    int chooseTable_ = -1;           // the table whose selected row ChooseRow chooses
    std::vector<int> chooseIndices_; // the multiplier index of each of its rows
};

} // namespace veldronix::win32
