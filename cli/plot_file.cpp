#include "cli/plot_file.h"

#include "cli/cli_texts.h"
#include "io/file_replace.h"
#include "report/profile_report.h"
#include "report/profile_svg.h"

#include <fmt/format.h>

namespace veldronix::cli {
namespace {

std::string_view writeErrorText(io::FileWriteError error)
{
    switch (error) {
    case io::FileWriteError::CannotCreate:
        return texts::fileCannotCreate;
    case io::FileWriteError::WriteFailed:
        return texts::fileWriteFailed;
    case io::FileWriteError::CannotReplace:
        break;
    }
    return texts::fileCannotReplace;
}

} // namespace

std::optional<std::string> writeProfilePlot(std::string_view path, const DriveOutcome& outcome)
{
    if (!outcome.profile) {
        return fmt::format(texts::svgNoPlot, path, texts::svgNotCalculated);
    }
    const auto svg = report::profileSvg(*outcome.profile, outcome.fields.summary);
    if (!svg) {
        return fmt::format(texts::svgNoPlot, path, report::profileNote(*outcome.profile));
    }
    const auto error = io::replaceFile(path, *svg);
    if (!error) {
        return std::nullopt;
    }
    return fmt::format(texts::svgCannotWrite, path, writeErrorText(*error));
}

} // namespace veldronix::cli
