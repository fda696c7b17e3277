#pragma once

#include "report/details.h"
#include "report/details_layout.h"
#include "ui/win32/gdi_handles.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace veldronix::win32 {

// The identifiers of the details window's parts, as a user's tools (and the
// end-to-end test) see them. Parts of one kind share their identifier: they are
// told apart by their order, which is that of the layout.
enum class DetailsId : int {
    Heading = 2000,        // what the details are of
    StatusLine = 2001,     // a line under the heading: why the last command failed, stale results
    SectionHeading = 2002, // a section's heading
    Line = 2003,           // a line of a section, under its table or plot
    Table = 2005,          // a section's table (a report-style list view)
    Page = 2006,           // the scrolling area that holds the sections
    Copy = 2040,
    CopyAs = 2041,         // the copy formats, in a menu
    Plot = 2301,           // the velocity profile, drawn from a scene of its size
    Save = 2400,
    Status = 2401,         // what became of the last copy or save
    ChooseRow = 2500,      // choose the selected row of a table
    Close = IDCANCEL,      // also Esc
};

// What the details window asks of the main dialog; it never changes the dialog otherwise.
struct DetailsRequests {
    // A row of the multiplier comparison chosen: select that multiplier and recalculate.
    std::function<void(int multiplierIndex)> chooseMultiplier;
};

// The modeless details window of the main dialog: what the controller will
// really do with the values the dialog's fields show, as report::detailsLayout
// lays it out, drawn with the system's own controls. Resizable; its sections
// scroll when the screen is too small for them. It never shows a message box
// and closes with its close button, Esc or its close box.
class DetailsWindow {
public:
    DetailsWindow(HINSTANCE instance, DetailsRequests requests);
    DetailsWindow(const DetailsWindow&) = delete;
    DetailsWindow& operator=(const DetailsWindow&) = delete;
    ~DetailsWindow();

    // Opens the window beside `owner`, or brings it to the front when it is
    // open, and shows details. False if the window could not be created.
    bool open(HWND owner, report::Details details);
    // Shows details when the window is open; nothing when it is closed.
    void update(report::Details details);
    bool isOpen() const { return window_ != nullptr; }

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

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK pageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK messageFilter(int code, WPARAM wParam, LPARAM lParam);
    bool registerClasses() const;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool handleDialogKeys(MSG& message);

    void onCreate();
    void onCommand(int identifier);
    LRESULT onNotify(const NMHDR& header);
    void onActivate(bool active);
    LRESULT onControlColour(HDC dc, HWND control);
    void onScroll(int request, int wheelDelta);

    HWND addControl(const wchar_t* windowClass, DetailsId id, DWORD style, std::string_view text);
    void addStatic(DetailsId id, std::string_view text, bool bold, bool warning, int gapBefore);
    void addLine(const report::DetailsLine& line, DetailsId id, int gapBefore);
    void addButtons(const std::vector<report::SectionAction>& actions);
    void buildParts();
    void layOut();
    void place();
    void placeNearOwner(HWND owner);
    void growToContent();
    int wantedWidth() const;
    void scrollTo(int position);

    void copyRegisters(std::string_view text);
    void chooseCopyFormat();
    void chooseRow();
    void savePlot();
    void setStatus(std::string_view text);

    HINSTANCE instance_;
    DetailsRequests requests_;
    HWND window_ = nullptr;
    HWND page_ = nullptr;   // the scrolling area
    HWND status_ = nullptr; // under the page, beside the close button
    HWND close_ = nullptr;
    HFONT font_ = nullptr; // the main dialog's font, which outlives this window
    FontHandle boldFont_;
    std::wstring faceName_; // the font's face, for the plot's texts
    BrushHandle background_;
    HookHandle dialogKeys_;
    bool filtering_ = false;
    HWND lastFocus_ = nullptr;
    report::Details details_;
    report::DetailsLayout layout_;
    std::vector<report::DetailsTable> tables_; // of the Table parts, in their order
    std::vector<Part> parts_;
    int scroll_ = 0;        // the page's first shown pixel row
    int contentHeight_ = 0;
    bool userSized_ = false; // the user moved or sized it: it keeps its size
    int chooseTable_ = -1; // the table whose selected row ChooseRow chooses
    std::vector<int> chooseIndices_; // the multiplier index of each of its rows
    std::string currentStatus_;
};

} // namespace veldronix::win32
