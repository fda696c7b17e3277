#include "io/wide_text.h"

#ifdef _WIN32

#include "core/utf8.h"

#include <windows.h>

#include <climits>

namespace veldronix::io {
namespace {

// Texts here are field texts, messages and paths, far below INT_MAX; a longer
// one is cut rather than handed to the API with a wrapped length.
int apiLength(std::size_t size)
{
    return size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

std::optional<std::wstring> converted(std::string_view utf8, DWORD flags)
{
    if (utf8.empty()) {
        return std::wstring();
    }
    const int inLength = apiLength(utf8.size());
    const int size = MultiByteToWideChar(CP_UTF8, flags, utf8.data(), inLength, nullptr, 0);
    if (size <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, flags, utf8.data(), inLength, wide.data(), size);
    return wide;
}

} // namespace

std::wstring toWide(std::string_view utf8)
{
    // Malformed bytes are replaced by the program's one decoder, one U+FFFD each
    // as everywhere else, before the system converts what is left.
    return converted(validUtf8(utf8), 0).value_or(std::wstring());
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

std::optional<std::wstring> widePath(std::string_view utf8)
{
    if (utf8.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    // Refused by the same rules as every other text (overlong forms, surrogates, ...).
    for (std::string_view rest = utf8; !rest.empty();) {
        const Utf8Char c = decodeUtf8(rest);
        if (!c.valid) {
            return std::nullopt;
        }
        rest.remove_prefix(c.length);
    }
    return converted(utf8, MB_ERR_INVALID_CHARS);
}

} // namespace veldronix::io

#endif
