#pragma once

#include "report/plot_model.h"
#include "report/plot_scene.h"
#include "ui/win32/dpi.h"

#include <windows.h>

#include <optional>
#include <string>

namespace veldronix::win32 {

// The details window's plot: a child window that shows the velocity profile as
// a scene the size of its client area (in pixels at 96 DPI, drawn larger at a
// higher DPI, so that its texts and lines scale with the monitor's), asked for
// again whenever it is resized, and painted off the screen first so that an
// update never flickers.
class PlotView {
public:
    // The window class, registered once per instance; false when it could not be.
    static bool registerClass(HINSTANCE instance);
    static constexpr const wchar_t* className = L"VeldronixPlot";

    // The plot of the child window `window` of that class; none before its creation.
    static PlotView* of(HWND window);

    void show(std::optional<report::PlotModel> plot, std::wstring faceName, Dpi dpi);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    HWND window_ = nullptr;
    std::optional<report::PlotModel> plot_;
    std::optional<report::PlotScene> scene_; // of plot_ at the client area's size at 96 DPI
    std::wstring faceName_;
    Dpi dpi_;
};

} // namespace veldronix::win32
