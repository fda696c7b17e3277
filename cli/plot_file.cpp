#include "cli/plot_file.h"

#include "cli/cli_texts.h"
#include "cli/file_replace.h"
#include "cli/profile_output.h"
#include "cli/profile_svg.h"

namespace veldronix::cli {

std::optional<std::string> writeProfilePlot(std::string_view path, const DriveOutcome& outcome)
{
    const std::string noPlot = std::string(texts::svgNoPlot) + std::string(path) + std::string(texts::pathEnd);
    if (!outcome.profile) {
        return noPlot + std::string(texts::svgNotCalculated);
    }
    const auto svg = profileSvg(*outcome.profile, outcome.fields.summary);
    if (!svg) {
        return noPlot + profileNote(*outcome.profile);
    }
    const auto error = replaceFile(path, *svg);
    if (!error) {
        return std::nullopt;
    }
    std::string message = std::string(texts::svgCannotWrite) + std::string(path) + std::string(texts::pathEnd);
    switch (*error) {
    case FileWriteError::CannotCreate:
        return message + std::string(texts::fileCannotCreate);
    case FileWriteError::WriteFailed:
        return message + std::string(texts::fileWriteFailed);
    case FileWriteError::CannotReplace:
        break;
    }
    return message + std::string(texts::fileCannotReplace);
}

} // namespace veldronix::cli
