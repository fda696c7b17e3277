#include "cli/plot_file.h"

#include "cli/cli_texts.h"
#include "io/file_replace.h"
#include "report/profile_report.h"
#include "report/profile_svg.h"

namespace veldronix::cli {

std::optional<std::string> writeProfilePlot(std::string_view path, const DriveOutcome& outcome)
{
    const std::string noPlot = std::string(texts::svgNoPlot) + std::string(path) + std::string(texts::pathEnd);
    if (!outcome.profile) {
        return noPlot + std::string(texts::svgNotCalculated);
    }
    const auto svg = report::profileSvg(*outcome.profile, outcome.fields.summary);
    if (!svg) {
        return noPlot + report::profileNote(*outcome.profile);
    }
    const auto error = io::replaceFile(path, *svg);
    if (!error) {
        return std::nullopt;
    }
    std::string message = std::string(texts::svgCannotWrite) + std::string(path) + std::string(texts::pathEnd);
    switch (*error) {
    case io::FileWriteError::CannotCreate:
        return message + std::string(texts::fileCannotCreate);
    case io::FileWriteError::WriteFailed:
        return message + std::string(texts::fileWriteFailed);
    case io::FileWriteError::CannotReplace:
        break;
    }
    return message + std::string(texts::fileCannotReplace);
}

} // namespace veldronix::cli
