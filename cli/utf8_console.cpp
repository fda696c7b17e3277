#include "cli/utf8_console.h"

#include "io/wide_text.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#include <memory>
#endif

namespace veldronix::cli {

#ifdef _WIN32

namespace {

struct LocalFreeDeleter {
    void operator()(wchar_t** block) const { LocalFree(block); }
};

} // namespace

std::vector<std::string> utf8Arguments(int, char**)
{
    int count = 0;
    const std::unique_ptr<wchar_t*[], LocalFreeDeleter> wide(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) {
        arguments.push_back(io::toUtf8(wide[i]));
    }
    return arguments;
}

void useUtf8Output()
{
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

#else

std::vector<std::string> utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void useUtf8Output() {}

#endif

} // namespace veldronix::cli
