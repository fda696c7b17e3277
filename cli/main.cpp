#include "cli/program.h"
#include "cli/utf8_console.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    using namespace veldronix::cli;
    useUtf8Output();
    const std::vector<std::string> arguments = utf8Arguments(argc, argv);
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    return runCommandLine(views, stdout, stderr);
}
