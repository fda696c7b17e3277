// Prints the bits of parseNumber for each line of standard input, one hexadecimal
// word a line. Built for the host and with emscripten (run under node), so that
// the two builds' parsers can be compared bit for bit on any number of texts.
#include "core/number_parser.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

int main()
{
    std::string line;
    int c = 0;
    while ((c = std::getchar()) != EOF) {
        if (c != '\n') {
            line.push_back(static_cast<char>(c));
            continue;
        }
        // memcpy, not std::bit_cast: emscripten's libc++ 14 has no bit_cast.
        const double value = veldronix::parseNumber(line);
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        std::printf("%016" PRIx64 "\n", bits);
        line.clear();
    }
    return 0;
}
