#pragma once

#include <windows.h>

namespace veldronix::win32 {

// GDI+ started for as long as this lives (the application, or one saved
// image); sessions may nest. started() is false where GDI+ is not there.
class GdiplusSession {
public:
    GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession();

    bool started() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

} // namespace veldronix::win32
