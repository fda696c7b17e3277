#pragma once

#include "report/details.h"
#include "ui/win32/gdi_handles.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace veldronix::win32 {

// The identifiers of the details window's parts, as a user's tools (and the
// end-to-end test) see them. A row's parts are its first identifier plus the row's index.
enum class DetailsId : int {
    Heading = 2000,
    RegistersHeading = 2001,
    RegisterNameColumn = 2002,
    RegisterIntegerColumn = 2003,
    RegisterValueColumn = 2004,
    RegisterName = 2010,    // + row, up to 8 rows
    RegisterInteger = 2020, // + row
    RegisterValue = 2030,   // + row
    Copy = 2040,
    RealDriveHeading = 2100,
    QuantityColumn = 2101,
    RequestedColumn = 2102,
    RealColumn = 2103,
    DeviationColumn = 2104,
    QuantityMark = 2110,      // + row, up to 6 rows: the mark of a quantity without a real value
    QuantityLabel = 2120,     // + row
    QuantityRequested = 2130, // + row
    QuantityReal = 2140,      // + row
    QuantityDeviation = 2150, // + row
    FindingsHeading = 2200,
    FindingsNote = 2201,
    FindingMark = 2210, // + row, up to 8 rows
    Finding = 2220,     // + row
    PlotHeading = 2300,
    PlotTitle = 2303,
    Plot = 2301, // drawn by the window
    PlotNote = 2302,
    PhaseSwatch = 2310, // + row, 4 rows: the three phases and the totals
    PhaseName = 2320,   // + row
    PhaseTime = 2330,   // + row
    PhasePulses = 2340, // + row
    PhaseDetail = 2350, // + row
    PhaseColumn = 2360,
    PhaseTimeColumn = 2361,
    PhasePulsesColumn = 2362,
    PhaseDetailColumn = 2363,
    Save = 2400,
    Status = 2401, // what became of the last copy or save
    Close = IDCANCEL, // also Esc
};

// The modeless details window of the main dialog: what the controller will
// really do with the values the dialog's fields show. It only shows a
// report::Details made by the main dialog; it never changes the main dialog,
// never shows a message box, and closes with its close button, Esc or its close box.
class DetailsWindow {
public:
    explicit DetailsWindow(HINSTANCE instance);
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
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK messageFilter(int code, WPARAM wParam, LPARAM lParam);
    bool registerClass() const;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool handleDialogKeys(MSG& message);

    void onCreate();
    void onCommand(int identifier);
    void onActivate(bool active);
    LRESULT onControlColour(HDC dc, HWND control);
    void onDrawItem(const DRAWITEMSTRUCT& item);

    HWND addChild(const wchar_t* windowClass, DetailsId id, int row, DWORD style);
    HWND part(DetailsId id, int row = 0) const;
    void setPart(DetailsId id, int row, std::string_view text, bool visible = true) const;
    void showDetails();
    void layOut();
    void copyRegisters();
    void savePlot();
    void setStatus(std::string_view text);

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr; // the main dialog's font, which outlives this window
    FontHandle boldFont_;
    FontHandle verticalFont_;
    std::array<BrushHandle, 3> phaseBrushes_;
    BrushHandle background_;
    HookHandle dialogKeys_;
    bool filtering_ = false;
    HWND lastFocus_ = nullptr;
    report::Details details_;
    std::string currentStatus_; // the status line's text, for its wrapping
};

} // namespace veldronix::win32
