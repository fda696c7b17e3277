#include "ui/win32/clipboard.h"

#include "io/wide_text.h"

#include <cstring>
#include <string>
#include <utility>

namespace veldronix::win32 {
namespace {

// Memory for the clipboard, freed unless the clipboard took it.
class GlobalMemory {
public:
    explicit GlobalMemory(std::size_t bytes) : memory_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    ~GlobalMemory()
    {
        if (memory_ != nullptr) {
            GlobalFree(memory_);
        }
    }

    HGLOBAL get() const { return memory_; }
    // The clipboard owns it now.
    void release() { memory_ = nullptr; }

private:
    HGLOBAL memory_;
};

// The clipboard, open for this thread for a scope.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner)
    {
        // Another program may hold the clipboard for a moment.
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) {
                Sleep(20);
            }
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    ~OpenClipboardScope()
    {
        if (open_) {
            CloseClipboard();
        }
    }

    bool isOpen() const { return open_; }

private:
    bool open_ = false;
};

std::wstring withCrLf(std::string_view text)
{
    std::wstring out;
    for (const wchar_t c : io::toWide(text)) {
        if (c == L'\n') {
            out += L'\r';
        }
        out += c;
    }
    return out;
}

} // namespace

bool putOnClipboard(HWND owner, std::string_view text)
{
    const std::wstring wide = withCrLf(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(bytes);
    if (memory.get() == nullptr) {
        return false;
    }
    void* target = GlobalLock(memory.get());
    if (target == nullptr) {
        return false;
    }
    std::memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(memory.get());

    // Everything is ready before the clipboard is opened: other programs wait on it as briefly as can be.
    const OpenClipboardScope clipboard(owner);
    if (!clipboard.isOpen() || !EmptyClipboard()) {
        return false;
    }
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) {
        return false;
    }
    memory.release();
    return true;
}

} // namespace veldronix::win32
