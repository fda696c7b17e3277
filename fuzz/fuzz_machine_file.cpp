// Any bytes as a machine file: the reader accepts or names one fault, never
// crashes; what it accepts is a machine that can be saved, and the saved file
// reads back as the same machine, which saves to the same bytes again.
#include "io/machine_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void fail(const char* what, std::string_view text)
{
    std::fprintf(stderr, "%s\n%.*s\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace veldronix::io;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = readMachine(text);
    if (const auto* error = std::get_if<MachineFileError>(&read)) {
        if (error->line > 1 + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'))) {
            fail("a fault on a line the file does not have", text);
        }
        return 0;
    }
    const Machine& machine = std::get<Machine>(read);
    if (checkMachine(machine)) {
        fail("an accepted machine that cannot be saved", text);
    }
    const std::string saved = writeMachine(machine);
    const auto again = readMachine(saved);
    if (!std::holds_alternative<Machine>(again)) {
        fail("a saved machine that does not read back", saved);
    }
    if (writeMachine(std::get<Machine>(again)) != saved) {
        fail("a machine that reads back otherwise than it was saved", saved);
    }
    return 0;
}
