#pragma once

#include <QString>

#include <string_view>

namespace veldronix::qt {

// A UTF-8 text of the layout or the core as a QString; malformed bytes become U+FFFD.
QString fromUtf8(std::string_view text);

// A static text as Windows shows it: "&&" is one ampersand, a single "&" only
// marks the mnemonic that follows and is not shown.
QString withoutMnemonicMarks(std::string_view text);

// The caption of every message box: the program file's name without its extension.
QString titleOfExecutable(const QString& path);

// titleOfExecutable of the running program.
QString applicationTitle();

} // namespace veldronix::qt
