#pragma once

#include "report/details.h"
#include "report/details_layout.h"
#include "ui/win32/details_page.h"
#include "ui/win32/gdi_handles.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace veldronix::win32 {

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
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK messageFilter(int code, WPARAM wParam, LPARAM lParam);
    bool registerClasses() const;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool handleDialogKeys(MSG& message);

    void onCreate();
    void onCommand(int identifier);
    void onActivate(bool active);
    LRESULT onControlColour(HDC dc, HWND control);

    void layOut();
    void placeNearOwner(HWND owner);
    void growToContent();
    int wantedWidth() const;

    void copyRegisters(std::string_view text);
    void chooseCopyFormat();
    void chooseRow();
    void savePlot();
    void setStatus(std::string_view text);

    HINSTANCE instance_;
    DetailsRequests requests_;
    HWND window_ = nullptr;
    DetailsPage page_;      // the scrolling area with the sections
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
    bool userSized_ = false; // the user moved or sized it: it keeps its size
    std::string currentStatus_;
};

} // namespace veldronix::win32
