#include "cli/plot_file.h"

#include "cli/texts_en.h"
#include "io/file_replace.h"
#include "report/file_write_reason.h"
#include "report/texts_en.h"
#include "report/profile_report.h"
#include "report/profile_svg.h"

#include <fmt/format.h>

namespace veldronix::cli {

std::variant<std::string, PlotProblem> profilePlot(std::string_view target, const DriveOutcome& outcome)
{
    if (!outcome.profile) {
        return PlotProblem{fmt::format(texts::en::svgNoPlot, target, texts::en::svgNotCalculated)};
    }
    auto svg = report::profileSvg(*outcome.profile, outcome.fields.summary);
    if (!svg) {
        return PlotProblem{fmt::format(texts::en::svgNoPlot, target, report::profileNote(*outcome.profile))};
    }
    return std::move(*svg);
}

std::optional<std::string> writeProfilePlot(std::string_view path, const DriveOutcome& outcome)
{
    auto plot = profilePlot(fmt::format(texts::en::svgFileTarget, path), outcome);
    if (auto* problem = std::get_if<PlotProblem>(&plot)) {
        return std::move(problem->message);
    }
    const auto failure = io::replaceFileWithReason(path, std::get<std::string>(plot));
    if (!failure) {
        return std::nullopt;
    }
    return fmt::format(texts::en::svgCannotWrite, path, report::fileWriteReason(*failure, report::texts::en::fileWrite));
}

} // namespace veldronix::cli
