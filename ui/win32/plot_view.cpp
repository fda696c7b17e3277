#include "ui/win32/plot_view.h"

#include "ui/win32/gdi_handles.h"
#include "ui/win32/scene_painter.h"
#include "ui/win32/window_class.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <utility>

namespace veldronix::win32 {
namespace {

// The scene onto dc, `scale` device pixels to each of its own; all of it drawn
// once the function returns.
void drawScene(HDC dc, const RECT& client, const report::PlotScene& scene, const std::wstring& faceName, double scale)
{
    Gdiplus::Graphics graphics(dc);
    if (graphics.GetLastStatus() != Gdiplus::Ok) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE)); // GDI+ is not there
        return;
    }
    graphics.ScaleTransform(static_cast<Gdiplus::REAL>(scale), static_cast<Gdiplus::REAL>(scale));
    paintScene(graphics, scene, faceName);
}

} // namespace

bool PlotView::registerClass(HINSTANCE instance)
{
    // Every pixel is painted: nothing is erased first.
    return registerWindowClass(instance, className, &PlotView::windowProc, nullptr);
}

PlotView* PlotView::of(HWND window)
{
    return reinterpret_cast<PlotView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void PlotView::show(std::optional<report::PlotModel> plot, std::wstring faceName, Dpi dpi)
{
    plot_ = std::move(plot);
    faceName_ = std::move(faceName);
    dpi_ = dpi;
    scene_.reset();
    InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK PlotView::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    PlotView* self = of(window);
    switch (message) {
    case WM_NCCREATE:
        self = new (std::nothrow) PlotView;
        if (self == nullptr) {
            return FALSE;
        }
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete self;
        return 0;
    case WM_SIZE:
        if (self != nullptr) {
            self->scene_.reset();
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT:
        if (self != nullptr) {
            try {
                self->paint();
            } catch (...) {
                // No memory for the scene: the area stays as it was, the window works on.
                ValidateRect(window, nullptr);
            }
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PlotView::paint()
{
    const PaintContext paint(window_);
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0) {
        return;
    }
    if (!plot_) {
        FillRect(paint.dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const double scale = dpi_.scale();
    if (!scene_) {
        scene_ = report::makePlotScene(*plot_, width / scale, height / scale, report::SceneFrame::PlotOnly);
    }
    const MemoryContext memory(paint.dc());
    const BitmapHandle bitmap(CreateCompatibleBitmap(paint.dc(), width, height));
    if (memory.dc() == nullptr || bitmap.get() == nullptr) {
        drawScene(paint.dc(), client, *scene_, faceName_, scale); // straight on the screen rather than not at all
        return;
    }
    const Selection useBitmap(memory.dc(), bitmap.get());
    drawScene(memory.dc(), client, *scene_, faceName_, scale);
    BitBlt(paint.dc(), 0, 0, width, height, memory.dc(), 0, 0, SRCCOPY);
}

} // namespace veldronix::win32
