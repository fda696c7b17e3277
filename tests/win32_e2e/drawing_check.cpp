// The details window and its plot as the program draws them, in the program's
// own process under Wine: moved to a monitor of twice the DPI (WM_DPICHANGED
// with the rectangle Windows suggests), its fonts and list views are made twice
// as large and it takes that rectangle; moved back, it is as it was. The plot,
// replayed with GDI+, shows its grid through the phases' bands and its curve
// anti-aliased, as the other front ends draw them (where GDI+ smooths lines:
// on Windows, not on Wine).
//     veldronix_drawing_check.exe [SCREENSHOT-FOLDER]
#include "e2e_steps.h"
#include "controller/calculator_controller.h"
#include "report/details.h"
#include "report/plot_model.h"
#include "ui/win32/details_window.h"
#include "ui/win32/gdiplus_session.h"
#include "ui/win32/scene_painter.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstdlib>

using namespace e2e;
using namespace veldronix;

namespace {

// The worked type-3 drive, as the dialog's fields hold it.
class WorkedExample final : public CalculatorView {
public:
    std::string readText(ControlId field) override
    {
        switch (field) {
        case ControlId::IDC_DRIVE_TYPE:
            return "非対称S字加減速";
        case ControlId::IDC_INITIAL_SPEED:
            return "100";
        case ControlId::IDC_DRIVE_SPEED:
            return "10000";
        case ControlId::IDC_ACCEL_TIME:
            return "0.2";
        case ControlId::IDC_DECEL_TIME:
            return "0.3";
        case ControlId::IDC_PULSE_COUNT:
            return "10000";
        default:
            return {};
        }
    }
    void writeText(ControlId, std::string_view) override {}
    int selectedIndex(ControlId selector) override { return selector == ControlId::IDC_DRIVE_TYPE ? 3 : -1; }
    void setSelectedIndex(ControlId, int) override {}
    void showError(std::string_view) override { failedCommand = true; }

    bool failedCommand = false;
};

// What the window shows that scales with its DPI.
struct Measures {
    LONG fontHeight = 0; // the heading's font, in pixels (its LOGFONT's height)
    LONG rowHeight = 0;  // a row of the first list view
    RECT window{};
};

Measures measure(HWND window)
{
    Measures measures;
    const HWND page = GetDlgItem(window, details::page);
    LOGFONTW font{};
    const auto headingFont = reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(page, details::heading), WM_GETFONT, 0, 0));
    if (headingFont != nullptr && GetObjectW(headingFont, sizeof font, &font) != 0) {
        measures.fontHeight = std::labs(font.lfHeight);
    }
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    if (SendMessageW(GetDlgItem(page, details::table), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)) != FALSE) {
        measures.rowHeight = row.bottom - row.top;
    }
    GetWindowRect(window, &measures.window);
    return measures;
}

std::wstring rectText(const RECT& r)
{
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L"x" +
           std::to_wstring(r.bottom - r.top);
}

// The details window told it now stands on a monitor of `dpi`, at `suggested`.
Measures moveTo(HWND window, int dpi, RECT suggested)
{
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    pumpMessages();
    return measure(window);
}

void dpiChanges(HINSTANCE instance, const std::wstring& screenshots)
{
    const StandInDialog owner(instance);

    WorkedExample fields;
    CalculatorController controller(fields);
    controller.onCalculate();
    check(!fields.failedCommand && controller.lastCalculation().has_value(), L"dpi: the worked example calculates");
    report::DetailsForms forms;
    win32::DetailsWindow window(instance, win32::DetailsRequests{}, forms);
    check(window.open(owner.window(), report::makeDetails(controller, controller.readPulseCount())),
          L"dpi: the window opens");
    pumpMessages();
    const int first = window.dpi().value();
    const Measures before = measure(window.window());
    print(L"INFO dpi " + std::to_wstring(first) + L": font " + std::to_wstring(before.fontHeight) + L" px, row " +
          std::to_wstring(before.rowHeight) + L" px, window " + rectText(before.window));
    check(before.fontHeight == MulDiv(12, first, 96), L"dpi: the font is the dialog's at the window's DPI",
          std::to_wstring(before.fontHeight) + L" px");

    // Twice the DPI, at a rectangle Windows could suggest (the screen is too small for twice the size).
    const RECT& was = before.window;
    const RECT twice{40, 30, 40 + 1000, 30 + 700};
    const Measures after = moveTo(window.window(), 2 * first, twice);
    print(L"INFO dpi " + std::to_wstring(2 * first) + L": font " + std::to_wstring(after.fontHeight) + L" px, row " +
          std::to_wstring(after.rowHeight) + L" px, window " + rectText(after.window));
    check(window.dpi().value() == 2 * first, L"dpi: the window takes the new DPI");
    check(after.fontHeight == 2 * before.fontHeight, L"dpi: its font twice as high",
          std::to_wstring(before.fontHeight) + L" / " + std::to_wstring(after.fontHeight));
    // A row is the font's line and a little air, all of it scaled.
    check(before.rowHeight > 0 && 10 * after.rowHeight >= 17 * before.rowHeight &&
              10 * after.rowHeight <= 23 * before.rowHeight,
          L"dpi: its list views' rows about twice as high",
          std::to_wstring(before.rowHeight) + L" / " + std::to_wstring(after.rowHeight));
    check(EqualRect(&after.window, &twice) != FALSE, L"dpi: the window takes the suggested rectangle",
          rectText(after.window));
    if (!screenshots.empty()) {
        RedrawWindow(window.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        pumpMessages();
        check(captureWindow(window.window(), screenshots + L"\\win32-details-dpi-" + std::to_wstring(2 * first) +
                                                 L"-in-process.bmp"),
              L"dpi: screenshot");
    }

    // Back on the first monitor: as it was.
    const Measures back = moveTo(window.window(), first, was);
    check(window.dpi().value() == first && back.fontHeight == before.fontHeight && back.rowHeight == before.rowHeight,
          L"dpi: moved back, as it was",
          std::to_wstring(back.fontHeight) + L" px, row " + std::to_wstring(back.rowHeight) + L" px");
    check(EqualRect(&back.window, &was) != FALSE, L"dpi: moved back, where it was", rectText(back.window));
}

// A pixel's colour as GDI+ holds it.
struct Pixel {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

Pixel pixelAt(Gdiplus::Bitmap& image, int x, int y)
{
    Gdiplus::Color colour;
    image.GetPixel(x, y, &colour);
    return {colour.GetR(), colour.GetG(), colour.GetB()};
}

bool runsOnWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void plotPainting()
{
    // A grid line under a phase's band, as the plot's scene draws them, and a steep curve.
    report::PlotScene scene;
    scene.width = 120;
    scene.height = 80;
    scene.background = "#ffffff";
    report::SceneLine grid;
    grid.from = {0.0, 40.0};
    grid.to = {120.0, 40.0};
    grid.colour = report::plotColours.grid;
    scene.items.emplace_back(grid);
    report::SceneRect band;
    band.x = 0;
    band.y = 0;
    band.width = 60;
    band.height = 80;
    band.fill = report::plotColours.fillOf(report::PlotPhase::Accel);
    band.fillOpacity = 0.8;
    scene.items.emplace_back(band);
    report::ScenePolyline curve;
    curve.points = {{70.0, 75.0}, {115.0, 5.0}};
    curve.colour = report::plotColours.curve;
    curve.width = 2.0;
    scene.items.emplace_back(curve);

    Gdiplus::Bitmap image(120, 80, PixelFormat24bppRGB);
    {
        Gdiplus::Graphics graphics(&image);
        win32::paintScene(graphics, scene, L"MS PGothic");
    }
    // Through the band, the grid line's rows differ from the band's colour above and below them.
    const Pixel onGrid = pixelAt(image, 30, 40);
    const Pixel offGrid = pixelAt(image, 30, 20);
    check(!(onGrid == offGrid), L"plot: the grid shows through a phase's band",
          std::to_wstring(onGrid.r) + L"," + std::to_wstring(onGrid.g) + L"," + std::to_wstring(onGrid.b));
    // The curve's edges: pixels between the curve's colour and the background, and many of them.
    const COLORREF ink = win32::colourOf(report::plotColours.curve);
    const Pixel inkPixel{GetRValue(ink), GetGValue(ink), GetBValue(ink)};
    const Pixel white{255, 255, 255};
    int blended = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 61; x < 120; ++x) {
            const Pixel p = pixelAt(image, x, y);
            blended += !(p == white) && !(p == inkPixel) && !(y == 39 || y == 40);
        }
    }
    // Wine's GDI+ draws every line without anti-aliasing, whatever it is asked:
    // there the curve's edges are only reported.
    if (runsOnWine()) {
        print(L"INFO plot: the curve's edges have " + std::to_wstring(blended) +
              L" blended pixels; Wine's GDI+ smooths no lines, Windows' does");
    } else {
        check(blended > 40, L"plot: the curve is drawn anti-aliased", std::to_wstring(blended) + L" blended pixels");
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const win32::GdiplusSession gdiplus; // as the application holds it
    check(gdiplus.started(), L"GDI+ starts");
    dpiChanges(instance, argc > 1 ? std::wstring(argv[1]) : std::wstring());
    plotPainting();
    print(L"win32-drawing: " + std::to_wstring(passed) + L" passed, " + std::to_wstring(failed) + L" failed");
    return failed == 0 ? 0 : 1;
}
