#pragma once

#include <string>
#include <vector>

namespace veldronix::cli {

// The command-line arguments (without the program name) as UTF-8, on every
// platform; on Windows from the wide command line, whatever the code page.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Makes standard output and error take UTF-8 bytes unchanged.
void useUtf8Output();

} // namespace veldronix::cli
