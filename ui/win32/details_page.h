#pragma once

#include "controller/dialog_request.h"
#include "report/details.h"
#include "report/details_layout.h"
#include "report/form_controller.h"
#include "ui/win32/details_ids.h"
#include "ui/win32/dpi.h"

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <tuple>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veldronix::win32 {

// The details window's scrolling page: the sections of a details layout as
// the system's own controls (statics that wrap, edits and drop-down lists of a
// form, list views, the plot, buttons), made afresh for each layout but for a
// form's edits and lists, which are kept so that typing never stumbles; flowed
// down the page's width and scrolled in its height. What its controls tell
// (commands, notifications, colours) goes to the window around it; the page
// answers what the window asks of its controls. It holds no rule of its own:
// labels, states, menus and what a row asks of the dialog are the layout's.
class DetailsPage {
public:
    static bool registerClass(HINSTANCE instance);

    // The page as a child of parent, its texts in font and bold, its measures at
    // dpi; false when it could not be made.
    bool create(HWND parent, HINSTANCE instance, HFONT font, HFONT bold, std::wstring faceName, Dpi dpi);
    HWND window() const { return page_; }
    // Other fonts and another DPI (the window moved to another monitor): every
    // control takes them; the caller shows the layout again, which measures anew.
    void setFonts(HFONT font, HFONT bold, Dpi dpi);

    // Makes the controls of layout (of details), in place of those shown before;
    // the focus stays on the control that has it, or one of the same kind, else goes to `focusElse`.
    void show(const report::DetailsLayout& layout, const report::Details& details, HWND focusElse);
    // Every control at its place for the page's width, the scroll bar for its height (page_flow.cpp).
    void layOut();
    int contentHeight() const { return contentHeight_; }
    // The content's width that shows every table's columns whole (a column of long
    // figures counted no wider than a limit: it scrolls sideways), at least `preferred`.
    int wantedWidth(int preferred) const;
    // The least content width that shows every table's key columns whole.
    int keyColumnsWidth() const;
    void onScroll(int request, int wheelDelta); // page_scroll.cpp

    // A static's colour; CLR_INVALID for the system's own.
    COLORREF inkOf(HWND control) const;
    // A table's notification: its colours, its cells' tooltips, its rows selected and chosen (page_notify.cpp).
    LRESULT onNotify(const NMHDR& header);
    // What choosing the selected row of the table whose rows can be chosen asks of the dialog; none without one.
    std::vector<DialogRequest> chosenRowRequests() const;
    // Whether the control is that table.
    bool isChooseTable(HWND control) const;

    // The menu of a button (or of the button that opens it); null for another control.
    const std::vector<report::ButtonChoice>* menuOf(HWND control) const;
    // The form a control of a form belongs to, the command a command button runs,
    // and the command Enter in a field runs; empty for another control.
    std::string formOf(HWND control) const;
    std::string commandOf(HWND control) const;
    std::string enterCommandOf(HWND control) const;
    // Whether the page itself is setting a field's text (no edit of the user's).
    bool isSettingText() const { return settingText_; }

    // A form of the page as its controller reads it (page_form.cpp).
    class Form final : public report::FormView {
    public:
        Form(const DetailsPage& page, std::string form) : page_(page), form_(std::move(form)) {}
        std::string fieldText(std::string_view key) override;
        int selectedIndex(std::string_view key) override;

    private:
        const DetailsPage& page_;
        std::string form_;
    };

private:
    // A control of the page, where the layout puts it.
    struct Part {
        HWND window = nullptr;
        DetailsId id = DetailsId::Line;
        bool beside = false; // on the row of the part before it
        int gap = 0;         // above it, where it starts a row
        int x = 0;           // from the content's left edge
        int fixedWidth = 0;  // 0: the content's width less x
        // A form's part: its labels' column as wide as its widest label where the
        // page has room (0: no form's part), else narrower, the labels wrapped;
        // x of a field or unit counted from that column's right edge.
        int labelColumn = 0;
        int besideLabels = 0; // what the form's fields and units take beside its labels
        bool afterLabels = false;
        int table = -1;      // index into tables_ of a Table part
        int button = -1;     // index into buttons_ of a button (or its menu's button)
        std::string text;    // a static's text, measured again at each width; a list's items
        COLORREF ink = CLR_INVALID; // a static's text colour; CLR_INVALID: the system's
        bool bold = false;
        std::string form;         // the form of a form's control
        std::string key;          // a form's field or choice
        std::string enterCommand; // a form's field: the command Enter runs
        int top = 0;         // where the last layout put it in the content
        int height = 0;
    };
    // The form controls kept from the layout before, by form, kind and key.
    using KeptControls = std::map<std::tuple<std::string, DetailsId, std::string>, Part>;

    static LRESULT CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND addControl(const wchar_t* windowClass, DetailsId id, DWORD style, std::string_view text);
    void addStatic(DetailsId id, std::string_view text, bool bold, bool warning, int gapBefore);
    void addLine(const report::DetailsLine& line, DetailsId id, int gapBefore);
    void addButtons(const std::vector<report::SectionButton>& buttons, const std::string& form);
    void addButton(DetailsId id, std::string_view label, int button, const std::string& form, int& x);
    void addForm(const report::DetailsForm& form, KeptControls& kept); // page_form.cpp
    int unitWidth(std::string_view unit) const;                       // a unit label's, beside its field
    Part keptOrNew(KeptControls& kept, const std::string& form, DetailsId id, const std::string& key,
                   const wchar_t* windowClass, DWORD style);
    void updateButtonStates();
    void place();
    void scrollTo(int position);
    const Part* partOf(HWND control) const;

    HINSTANCE instance_ = nullptr;
    HWND page_ = nullptr;
    HFONT font_ = nullptr;
    HFONT boldFont_ = nullptr;
    std::wstring faceName_; // the font's face, for the plot's texts
    Dpi dpi_;               // the page's measures are written for 96 DPI and taken at this one
    std::vector<report::DetailsTable> tables_; // of the Table parts, in their order
    std::vector<report::SectionButton> buttons_; // of the button parts, in their order
    std::vector<Part> parts_;
    int scroll_ = 0; // the page's first shown pixel row
    int contentHeight_ = 0;
    int chooseTable_ = -1;                 // the table whose selected row the choose button chooses
    report::DetailsSection chooseSection_; // its section, for what a row asks of the dialog
    bool settingText_ = false;
};

} // namespace veldronix::win32
