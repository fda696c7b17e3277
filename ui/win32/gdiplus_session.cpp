#include "ui/win32/gdiplus_session.h"

#include <objidl.h>
#include <gdiplus.h>

namespace veldronix::win32 {

GdiplusSession::GdiplusSession()
{
    const Gdiplus::GdiplusStartupInput input;
    started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
}

GdiplusSession::~GdiplusSession()
{
    if (started_) {
        Gdiplus::GdiplusShutdown(token_);
    }
}

} // namespace veldronix::win32
