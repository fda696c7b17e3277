#pragma once

#include <windows.h>

namespace veldronix::win32 {

// The dots per inch a window is drawn at: 96 at 100 %, 144 at 150 %, 192 at
// 200 %. The program is aware of each monitor's DPI (its manifest says so), so
// the windows it lays out itself write their measures for 96 DPI and take them
// at their own.
class Dpi {
public:
    static constexpr int standard = 96;

    constexpr Dpi() = default;
    // A value no monitor has (0, negative, beyond any screen's) stands for the standard.
    constexpr explicit Dpi(int value) : value_(value >= 24 && value <= 2400 ? value : standard) {}

    constexpr int value() const { return value_; }
    // A length of `at96` pixels at 96 DPI, in this DPI's pixels.
    int px(int at96) const { return MulDiv(at96, value_, standard); }
    // How many of this DPI's pixels make one at 96 DPI.
    double scale() const { return static_cast<double>(value_) / standard; }

    friend constexpr bool operator==(Dpi, Dpi) = default;

private:
    int value_ = standard;
};

// The DPI of the monitor the window is on, as Windows 10 (1607 and later) tells
// it; older Windows scale every window alike, by the screen's DPI.
Dpi dpiOf(HWND window);

// A system measure (GetSystemMetrics) at a DPI.
int systemMetric(int index, Dpi dpi);

// The window rectangle around a client rectangle for a window's styles, its
// frame at a DPI.
RECT frameAround(RECT client, HWND window, Dpi dpi);

} // namespace veldronix::win32
