#pragma once

#include <windows.h>

#include <utility>

namespace veldronix::win32 {

// An icon the program loaded for itself and destroys when done.
class IconHandle {
public:
    IconHandle() = default;
    explicit IconHandle(HICON icon) : icon_(icon) {}
    IconHandle(const IconHandle&) = delete;
    IconHandle& operator=(const IconHandle&) = delete;
    IconHandle(IconHandle&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    IconHandle& operator=(IconHandle&& other) noexcept
    {
        if (this != &other) {
            reset();
            icon_ = std::exchange(other.icon_, nullptr);
        }
        return *this;
    }
    ~IconHandle() { reset(); }

    HICON get() const { return icon_; }

private:
    void reset()
    {
        if (icon_ != nullptr) {
            DestroyIcon(icon_);
            icon_ = nullptr;
        }
    }

    HICON icon_ = nullptr;
};

// The paint context of one WM_PAINT: BeginPaint to EndPaint.
class PaintContext {
public:
    explicit PaintContext(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;
    ~PaintContext() { EndPaint(window_, &paint_); }

    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// The device context of a window's client area outside WM_PAINT, for measuring texts.
class WindowContext {
public:
    explicit WindowContext(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowContext(const WindowContext&) = delete;
    WindowContext& operator=(const WindowContext&) = delete;
    ~WindowContext()
    {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }

    HDC dc() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A GDI object (font, brush, pen, bitmap) the program created and deletes when done.
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    ~GdiObject() { reset(); }

    Handle get() const { return handle_; }

private:
    void reset()
    {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
            handle_ = nullptr;
        }
    }

    Handle handle_ = nullptr;
};

using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using PenHandle = GdiObject<HPEN>;
using BitmapHandle = GdiObject<HBITMAP>;

// A memory device context compatible with another, for drawing off the screen.
class MemoryContext {
public:
    explicit MemoryContext(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryContext(const MemoryContext&) = delete;
    MemoryContext& operator=(const MemoryContext&) = delete;
    ~MemoryContext()
    {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }

    HDC dc() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

// An object selected into a device context for a scope; the one it replaced comes back at the end.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection()
    {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A hook the program installed for its thread, removed when done.
class HookHandle {
public:
    HookHandle() = default;
    explicit HookHandle(HHOOK hook) : hook_(hook) {}
    HookHandle(const HookHandle&) = delete;
    HookHandle& operator=(const HookHandle&) = delete;
    HookHandle(HookHandle&& other) noexcept : hook_(std::exchange(other.hook_, nullptr)) {}
    HookHandle& operator=(HookHandle&& other) noexcept
    {
        if (this != &other) {
            reset();
            hook_ = std::exchange(other.hook_, nullptr);
        }
        return *this;
    }
    ~HookHandle() { reset(); }

    HHOOK get() const { return hook_; }

private:
    void reset()
    {
        if (hook_ != nullptr) {
            UnhookWindowsHookEx(hook_);
            hook_ = nullptr;
        }
    }

    HHOOK hook_ = nullptr;
};

} // namespace veldronix::win32
