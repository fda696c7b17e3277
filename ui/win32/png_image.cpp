#include "ui/win32/png_image.h"

#include "ui/win32/gdiplus_session.h"
#include "ui/win32/scene_painter.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cmath>

namespace veldronix::win32 {
namespace {

// A COM stream in memory, released at the end of the scope.
class MemoryStream {
public:
    MemoryStream()
    {
        if (CreateStreamOnHGlobal(nullptr, TRUE, &stream_) != S_OK) {
            stream_ = nullptr;
        }
    }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;
    ~MemoryStream()
    {
        if (stream_ != nullptr) {
            stream_->Release();
        }
    }
    IStream* get() const { return stream_; }

    std::optional<std::string> contents() const
    {
        STATSTG status{};
        if (stream_->Stat(&status, STATFLAG_NONAME) != S_OK || status.cbSize.QuadPart > 0x7fffffffULL) {
            return std::nullopt;
        }
        std::string bytes(static_cast<std::size_t>(status.cbSize.QuadPart), '\0');
        LARGE_INTEGER start{};
        ULONG read = 0;
        if (stream_->Seek(start, STREAM_SEEK_SET, nullptr) != S_OK ||
            stream_->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read) != S_OK || read != bytes.size()) {
            return std::nullopt;
        }
        return bytes;
    }

private:
    IStream* stream_ = nullptr;
};

// GDI+'s PNG encoder, {557CF406-1A04-11D3-9A73-0000F81EF32E}, the same in every version.
constexpr CLSID pngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

} // namespace

std::optional<std::string> pngOfScene(const report::PlotScene& scene, const std::wstring& faceName, int scale)
{
    if (scale < 1 || scale > 8 || !std::isfinite(scene.width) || !std::isfinite(scene.height)) {
        return std::nullopt;
    }
    const int width = static_cast<int>(std::lround(scene.width)) * scale;
    const int height = static_cast<int>(std::lround(scene.height)) * scale;
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        return std::nullopt;
    }
    const GdiplusSession gdiplus;
    if (!gdiplus.started()) {
        return std::nullopt;
    }
    Gdiplus::Bitmap image(width, height, PixelFormat24bppRGB);
    if (image.GetLastStatus() != Gdiplus::Ok) {
        return std::nullopt;
    }
    {
        Gdiplus::Graphics graphics(&image);
        if (graphics.GetLastStatus() != Gdiplus::Ok) {
            return std::nullopt;
        }
        // Every item, its lines' widths and its texts' sizes too, drawn `scale` times larger.
        graphics.ScaleTransform(static_cast<Gdiplus::REAL>(scale), static_cast<Gdiplus::REAL>(scale));
        paintScene(graphics, scene, faceName);
    }
    const MemoryStream stream;
    if (stream.get() == nullptr || image.Save(stream.get(), &pngEncoder, nullptr) != Gdiplus::Ok) {
        return std::nullopt;
    }
    return stream.contents();
}

} // namespace veldronix::win32
