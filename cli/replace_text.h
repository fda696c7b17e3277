#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace veldronix::cli {

// Makes target hold text, keeping target's storage. A batch puts some twenty
// short texts into strings for every row: clearing and appending costs a
// fraction of assign, which goes through the library's general replace. A
// text that views target itself is assigned, since clearing would cut it.
inline void replaceText(std::string& target, std::string_view text)
{
    const std::less_equal<const char*> notAfter;
    const char* const storage = target.data();
    if (notAfter(storage, text.data()) && notAfter(text.data(), storage + target.size())) {
        target.assign(text);
        return;
    }
    target.clear();
    target.append(text);
}

} // namespace veldronix::cli
