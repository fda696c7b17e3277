#include "ui/win32/wide_text.h"

#include <windows.h>

#include <climits>

namespace veldronix::win32 {

// Texts here are field texts and messages, far below INT_MAX; a longer one is cut
// rather than handed to the API with a wrapped length.
namespace {

int apiLength(std::size_t size)
{
    return size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

} // namespace

std::wstring toWide(std::string_view utf8)
{
    if (utf8.empty()) {
        return {};
    }
    const int inLength = apiLength(utf8.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, nullptr, 0);
    if (size <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, wide.data(), size);
    return wide;
}

std::string toUtf8(std::wstring_view wide)
{
    if (wide.empty()) {
        return {};
    }
    const int inLength = apiLength(wide.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

} // namespace veldronix::win32
