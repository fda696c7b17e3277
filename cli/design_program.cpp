#include "cli/design_program.h"

#include "cli/texts_en.h"
#include "cli/design_options.h"
#include "cli/design_output.h"
#include "cli/program.h"

#include <fmt/format.h>

#include <cerrno>
#include <string>

namespace veldronix::cli {
namespace {

void write(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

design::MoveDesign designOf(const DesignOptions& options)
{
    return options.question == DesignQuestion::Fastest ? design::designFastestMove(options.fastest)
                                                       : design::designOnTimeMove(options.onTime);
}

} // namespace

int runDesign(std::span<const std::string_view> arguments, std::FILE* out, std::FILE* err)
{
    const auto parsed = parseDesignOptions(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        write(err, "pulsecalc: " + error->message + "\n" + std::string(texts::en::usageHint) + "\n");
        return 2;
    }
    const DesignOptions& options = std::get<DesignOptions>(parsed);
    const design::MoveDesign d = designOf(options);
    const std::string text = options.json ? designJson(options, d) : designPlain(options, d);
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
        return outputFailure(err, errno != 0 ? errno : EIO);
    }
    if (!d.met) {
        write(err, fmt::format(texts::en::designNotMetLine, designReason(d)));
        return 1;
    }
    return 0;
}

} // namespace veldronix::cli
