#pragma once

#include "controller/dialog_request.h"
#include "report/details.h"
#include "report/details_layout.h"
#include "report/form_controller.h"
#include "ui/win32/details_fonts.h"
#include "ui/win32/details_page.h"
#include "ui/win32/dialog_keys.h"
#include "ui/win32/gdi_handles.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace veldronix::win32 {

// The narrowest and the lowest the details window is made, by the program or
// the user, in pixels at 96 DPI.
inline constexpr int narrowestDetailsWidth = 460;
inline constexpr int lowestDetailsHeight = 320;

// What the details window asks of the main dialog; it never changes the dialog otherwise.
struct DetailsRequests {
    // A row of the multiplier comparison chosen, a form's command: what the dialog must do, in order.
    std::function<void(const std::vector<DialogRequest>& requests)> perform;
    // The machine file's save (true) or open button: the dialog, which holds the machine, asks for the file.
    std::function<void(bool save)> machineFile;
};

// The modeless details window of the main dialog: what the controller will
// really do with the values the dialog's fields show, as the details' layout
// (with the sections of the forms) lays it out, drawn with the system's own
// controls. Resizable; its sections scroll when the screen is too small for
// them. Its fonts, controls and plot are made for the DPI of the monitor it
// is on, and again when it moves to a monitor of another (WM_DPICHANGED). It
// never shows a message box and closes with its close button, Esc or its close box.
class DetailsWindow {
public:
    DetailsWindow(HINSTANCE instance, DetailsRequests requests, report::DetailsForms& forms);
    DetailsWindow(const DetailsWindow&) = delete;
    DetailsWindow& operator=(const DetailsWindow&) = delete;
    ~DetailsWindow();

    // Opens the window beside `owner`, or brings it to the front when it is
    // open, and shows details. False if the window could not be created.
    bool open(HWND owner, report::Details details);
    // Shows details when the window is open; nothing when it is closed.
    void update(report::Details details);
    bool isOpen() const { return window_ != nullptr; }
    HWND window() const { return window_; }
    // The DPI the window is drawn at now.
    Dpi dpi() const { return dpi_; }
    // The line beside the close button: what a save or an open of the machine file did.
    // Nothing while it is closed (it may close while the file is chosen).
    void showNote(std::string_view note)
    {
        if (window_ != nullptr) {
            setStatus(note);
        }
    }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool registerClasses() const;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void onCreate();
    void onCommand(int identifier, int notification, HWND control);
    void onActivate(bool active);
    void onDpiChanged(Dpi dpi, const RECT& suggested);
    LRESULT onControlColour(HDC dc, HWND control);
    void showLayout(report::DetailsLayout layout);

    // details_geometry.cpp: where the window stands and how large it is.
    void layOut();
    void placeNearOwner(HWND owner);
    void growToContent();
    int wantedWidth() const;

    // details_commands.cpp: what its buttons and keys do.
    void onEnter();
    void copyRegisters(std::string_view text);
    void chooseCopyFormat(HWND button);
    void chooseRow();
    void savePlot();
    void editForm(const std::string& form);
    void runFormCommand(const std::string& form, const std::string& command);
    void setStatus(std::string_view text);

    HINSTANCE instance_;
    DetailsRequests requests_;
    report::DetailsForms& forms_;
    HWND window_ = nullptr;
    DetailsPage page_;      // the scrolling area with the sections
    HWND status_ = nullptr; // under the page, beside the close button
    HWND close_ = nullptr;
    Dpi dpi_;
    DetailsFonts fonts_; // at dpi_
    DialogKeys dialogKeys_;
    HWND lastFocus_ = nullptr;
    report::Details details_;
    report::DetailsLayout layout_;
    bool userSized_ = false; // the user moved or sized it: it keeps its size
    std::string currentStatus_;
};

} // namespace veldronix::win32
