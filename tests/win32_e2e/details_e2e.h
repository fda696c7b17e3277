#pragma once

#include "remote_dialog.h"

#include <string>

// The details window of Veldronix.exe, worked through window messages.
namespace e2e {

// Opens the details window through the system menu and waits for it; none if it did not come.
HWND openDetails(const RemoteProgram& program);
// Closes it with its close box and waits until it has gone.
void closeDetails(HWND window, const RemoteProgram& program);

// Where the window stands against the work area and the dialog.
struct Geometry {
    RECT window{};
    RECT work{};
    RECT dialog{};
};

// "x,y widthxheight".
std::wstring rectText(const RECT& rect);

// Checks and says that the window stands inside the work area, beside the
// dialog where a side has room for it, else covering as little of it as it can.
Geometry checkPlacement(const RemoteProgram& program, HWND window, const std::wstring& name);

// Gives the first axis mechanics (3200 pulses a revolution, 5 mm a revolution)
// through its form, so that the form 単位で入力 shows its fields; whether it does.
bool giveFirstAxisMechanics(const RemoteProgram& program, HWND window);

// Checks and says that every static of the page (a label, a line, a heading)
// shows its whole text, wrapped as it wraps it in the details' font at dpi,
// and that no cell of a table is narrower than its text.
void checkTextsWhole(const RemoteProgram& program, HWND window, const std::wstring& name, int dpi);

// What the window shows, how it follows the dialog's commands, copies and saves,
// closes, is placed and resized; screenshots into the folder.
void detailsSuite(const std::wstring& path, const std::wstring& screenshots);

// Only the window's placement and screenshots, for each drive type, on the screen it runs on.
void placementSuite(const std::wstring& path, const std::wstring& screenshots);

} // namespace e2e
