// Veldronix.exe at the DPI its screen has (the Wine prefix's LogPixels): a
// program aware of each monitor's DPI, whose dialog keeps its layout in dialog
// units of its font at that DPI, opens with its title bar on the screen, and
// whose details window draws its texts and list views at that DPI.
#include "dpi_e2e.h"

#include "details_e2e.h"
#include "dialog_layout_table.h"
#include "e2e_steps.h"

#include <string>

namespace e2e {
namespace {

using layout::Kind;
using layout::mainControls;

// The dialog's font (ＭＳ Ｐゴシック, 9 points) at a DPI, measured as the dialog
// manager measures it for its dialog units: the average width of the Latin
// letters and the height of a line.
struct FontMeasures {
    int baseX = 0;
    int baseY = 0;
    int boldHeight = 0; // a line of its bold, as the details' headings use it
};

FontMeasures dialogFontAt(int dpi)
{
    FontMeasures measures;
    const HDC screen = GetDC(nullptr);
    for (const bool bold : {false, true}) {
        LOGFONTW face{};
        face.lfHeight = -MulDiv(9, dpi, 72);
        face.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        face.lfCharSet = SHIFTJIS_CHARSET;
        wcscpy(face.lfFaceName, L"ＭＳ Ｐゴシック");
        const HFONT font = CreateFontIndirectW(&face);
        const HGDIOBJ previous = SelectObject(screen, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen, &metrics);
        if (bold) {
            measures.boldHeight = metrics.tmHeight;
        } else {
            SIZE letters{};
            GetTextExtentPoint32W(screen, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
            measures.baseX = (letters.cx / 26 + 1) / 2;
            measures.baseY = metrics.tmHeight;
        }
        SelectObject(screen, previous);
        DeleteObject(font);
    }
    ReleaseDC(nullptr, screen);
    return measures;
}

// Painting at a high DPI under Wine takes a while: the screenshots wait for it.
void letItPaint(const RemoteProgram& program)
{
    for (int round = 0; round < 4; ++round) {
        program.send(WM_NULL, 0, 0);
        Sleep(250);
    }
}

RECT clientRectOf(HWND control, HWND dialog)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void dialogAt(const RemoteProgram& program, int dpi, const FontMeasures& font, const std::wstring& screenshots)
{
    const std::wstring at = L"dpi " + std::to_wstring(dpi);
    const HWND dialog = program.dialog();
    check(windowDpi(dialog) == dpi, at + L": the dialog is drawn at the screen's DPI (the manifest's awareness)",
          std::to_wstring(windowDpi(dialog)));
    // Every control where its dialog units put it in the font at this DPI, and the dialog as large.
    // The dialog manager converts a control's place and its size each on its own.
    const auto units = [&font](int x, int y, int width, int height) {
        const int left = MulDiv(x, font.baseX, 4);
        const int top = MulDiv(y, font.baseY, 8);
        return RECT{left, top, left + MulDiv(width, font.baseX, 4), top + MulDiv(height, font.baseY, 8)};
    };
    RECT client{};
    GetClientRect(dialog, &client);
    const RECT wanted = units(0, 0, 319, 442);
    check(client.right == wanted.right && client.bottom == wanted.bottom,
          at + L": the dialog is 319 x 442 dialog units of its font", rectText(client) + L", units " +
                                                                        std::to_wstring(font.baseX) + L" x " +
                                                                        std::to_wstring(font.baseY));
    std::wstring misplaced;
    for (const layout::Control& control : mainControls) {
        // A drop-down's window is as high as its closed box, not its list.
        if (control.id < 0 || control.kind == Kind::Combo) {
            continue;
        }
        const RECT expected = units(control.x, control.y, control.cx, control.cy);
        const RECT actual = clientRectOf(program.item(control.id), dialog);
        if (EqualRect(&expected, &actual) == FALSE) {
            misplaced += L" " + std::to_wstring(control.id) + L" at " + rectText(actual) + L" not " + rectText(expected);
        }
    }
    check(misplaced.empty(), at + L": every control where its dialog units put it", misplaced);
    // A dialog taller than the work area opens at its top, its title bar on the screen.
    RECT frame{};
    GetWindowRect(dialog, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    print(L"INFO " + at + L": dialog " + rectText(frame) + L", work area " + rectText(work));
    const bool taller = frame.bottom - frame.top > work.bottom - work.top;
    check(taller ? frame.top == work.top : frame.top >= work.top && frame.bottom <= work.bottom,
          at + (taller ? L": taller than the work area, at its top" : L": inside the work area"), rectText(frame));
    letItPaint(program);
    check(captureWindow(dialog, screenshots + L"\\win32-dpi" + std::to_wstring(dpi) + L"-dialog.bmp"),
          at + L": screenshot of the dialog");
}

void detailsAt(RemoteProgram& program, int dpi, const FontMeasures& font, const std::wstring& screenshots)
{
    const std::wstring at = L"dpi " + std::to_wstring(dpi);
    enterDrive(program, 3, L"100", L"10000", L"0.2", L"0.3");
    program.setText(pulseCount, L"10000");
    clickExpecting(program, at + L": calculate the worked example", calculate, L"");
    const HWND window = openDetails(program);
    check(window != nullptr, at + L": the details window opens");
    if (window == nullptr) {
        return;
    }
    check(windowDpi(window) == dpi, at + L": the details window is drawn at the screen's DPI");
    const HWND page = GetDlgItem(window, details::page);
    // The heading, one line of the dialog's bold at this DPI.
    RECT heading{};
    GetWindowRect(GetDlgItem(page, details::heading), &heading);
    check(heading.bottom - heading.top == font.boldHeight, at + L": the heading is a line of the dialog's font",
          std::to_wstring(heading.bottom - heading.top) + L" px, the font's line " + std::to_wstring(font.boldHeight));
    // A list view's row holds a line of that font: rows made for 96 DPI would be too low.
    const RECT row = program.rowRect(GetDlgItem(page, details::table), 0);
    const LONG rowHeight = row.bottom - row.top;
    check(rowHeight >= font.baseY && rowHeight <= 2 * font.baseY, at + L": a list view's row holds a line of the font",
          std::to_wstring(rowHeight) + L" px, the font's line " + std::to_wstring(font.baseY));
    checkPlacement(program, window, at + L": details");
    // The forms' labels (the axis, 単位で入力, 移動の設計) and every table's cells whole at this DPI.
    check(giveFirstAxisMechanics(program, window), at + L": the first axis given its mechanics");
    checkTextsWhole(program, window, at, dpi);
    letItPaint(program);
    check(captureWindow(window, screenshots + L"\\win32-dpi" + std::to_wstring(dpi) + L"-details.bmp"),
          at + L": screenshot of the details");
    closeDetails(window, program);
}

} // namespace

void dpiSuite(const std::wstring& path, const std::wstring& screenshots, int dpi)
{
    RemoteProgram program;
    if (!program.start(path, mainCaption)) {
        check(false, L"dpi: the main dialog appears");
        return;
    }
    const FontMeasures font = dialogFontAt(dpi);
    dialogAt(program, dpi, font, screenshots);
    detailsAt(program, dpi, font, screenshots);
    PostMessageW(program.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    check(program.waitForExit(60000) == 0, L"dpi: the close box ends the program");
}

} // namespace e2e
