#include "cli/program.h"
#include "cli/utf8_console.h"

#include <cerrno>
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
    const int status = runCommandLine(views, stdout, stderr);
    // The last bytes reach the file only when it is closed (a file system may
    // report a full disk only then); a status of 2 has already said what failed.
    errno = 0;
    if (std::fclose(stdout) != 0 && status != 2) {
        return outputFailure(stderr, errno != 0 ? errno : EIO);
    }
    return status;
}
