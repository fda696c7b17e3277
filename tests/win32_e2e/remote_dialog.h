#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Drives a dialog of another process the way a user does, through window
// messages only, and reads back what the user would see.
namespace e2e {

// A message box that appeared during a command, as the user saw it.
struct MessageBoxSeen {
    std::wstring caption;
    std::wstring text;
    bool ownedByDialog = false;
    bool onlyOk = false;   // one visible button, OK
    bool hasIcon = false;  // an icon beside the text
};

class RemoteProgram {
public:
    RemoteProgram() = default;
    RemoteProgram(const RemoteProgram&) = delete;
    RemoteProgram& operator=(const RemoteProgram&) = delete;
    ~RemoteProgram();

    // Starts the program and waits for its top-level dialog with this caption.
    bool start(const std::wstring& path, const std::wstring& caption);
    HWND dialog() const { return dialog_; }
    HWND item(int identifier) const { return GetDlgItem(dialog_, identifier); }

    std::wstring text(HWND window) const;
    std::wstring text(int identifier) const { return text(item(identifier)); }
    void setText(int identifier, const std::wstring& text) const;
    // Types the text key by key into an edit, or into a drop-down's edit part.
    void type(int identifier, const std::wstring& text) const;
    // Selects an item of a drop-down and tells the dialog, as a user's choice does.
    void select(int identifier, int index) const;
    int selectedIndex(int identifier) const;
    std::vector<std::wstring> items(int identifier) const;

    // Clicks a button; returns every message box that the command showed, each
    // read and then closed with its OK button. False in `finished` if the command hung.
    std::vector<MessageBoxSeen> click(int identifier, bool& finished) const;
    // The next message box that click() meets is written to this BMP file first.
    void captureNextMessageBox(const std::wstring& path) { boxCapture_ = path; }

    // Sends a message that opens a modal window of the program (such as the About
    // box), waits for that window with `caption`, and returns it; the send is
    // still running until the window closes. Gives up on the window after waitMs.
    HWND openModal(UINT message, WPARAM wParam, LPARAM lParam, const std::wstring& caption, DWORD waitMs = 30000);
    // Waits until the send of openModal has returned.
    bool modalClosed(DWORD timeoutMs);

    // Top-level dialog windows of the program other than the main dialog.
    std::vector<HWND> otherDialogs() const;
    // Visible top-level windows of the program of a window class.
    std::vector<HWND> windowsOfClass(const std::wstring& windowClass) const;
    // Sends a message to the main dialog and waits until it is handled; false if it hung.
    bool send(UINT message, WPARAM wParam, LPARAM lParam) const;

    // The cells of a list view of the program in report view, row by row, read
    // through memory lent in the program's own process (a list view hands its
    // texts out only into its own address space); the column headings first.
    std::vector<std::vector<std::wstring>> table(HWND list) const;
    // A row's bounds in the list view's client area (LVM_GETITEMRECT, the same way).
    RECT rowRect(HWND list, int row) const;

    // The text of the tooltip over a control of the main dialog, as the program
    // gives it when the tooltip asks; "<no tooltip>" where no tooltip has the control.
    std::wstring toolTip(HWND control) const;

    // Waits for the process to end; its exit code, or -1 when it still runs.
    long waitForExit(DWORD timeoutMs) const;
    DWORD threadId() const { return process_.dwThreadId; }

private:
    PROCESS_INFORMATION process_{};
    HWND dialog_ = nullptr;
    HANDLE sender_ = nullptr;
    mutable std::wstring boxCapture_;
};

// A window of a check's own process standing in for the main dialog, with
// the dialog's font (MS PGothic, 12 px at 96 DPI); the window and the font go with it.
class StandInDialog {
public:
    explicit StandInDialog(HINSTANCE instance);
    StandInDialog(const StandInDialog&) = delete;
    StandInDialog& operator=(const StandInDialog&) = delete;
    ~StandInDialog();
    HWND window() const { return window_; }

private:
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
};

// Handles this thread's messages for about 200 ms: a window of the check's own
// process does what it was asked to meanwhile.
void pumpMessages();

// The DPI a window of any process is drawn at, as Windows 10 (1607 and later)
// tells it; 96 where Windows cannot tell.
int windowDpi(HWND window);

// Writes what the screen shows of the window (its part on the screen) to a 24-bit BMP file.
bool captureWindow(HWND window, const std::wstring& path);

// Whether the screen shows, inside the window, a pixel of mostly red: text
// drawn in red, whatever the font's smoothing made of its edges.
bool showsRed(HWND window);

// The darkest pixel the screen shows inside the window's client area (by the
// sum of its channels): the ink of its text, as its darkest pixels show it.
COLORREF darkestPixel(HWND window);

// Whether the screen shows, inside the window, a pixel of exactly this colour.
bool showsColour(HWND window, COLORREF colour);

// The clipboard's Unicode text; none when it holds none.
bool clipboardText(std::wstring& text);
// Empties the clipboard, so that a later copy is seen to have happened.
void emptyClipboard();

} // namespace e2e
