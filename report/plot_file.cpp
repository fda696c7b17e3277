#include "report/plot_file.h"

#include "report/texts_ja.h"

namespace veldronix::report {
namespace {

// Whether name ends in extension (".svg"), ASCII letters in any case.
bool endsWith(std::string_view name, std::string_view extension)
{
    if (name.size() < extension.size()) {
        return false;
    }
    const std::string_view tail = name.substr(name.size() - extension.size());
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const char c = tail[i] >= 'A' && tail[i] <= 'Z' ? static_cast<char>(tail[i] - 'A' + 'a') : tail[i];
        if (c != extension[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

const std::array<PlotFileType, 2>& plotFileTypes()
{
    static constexpr std::array<PlotFileType, 2> types{{
        {texts::ja::saveFilterSvg, "*.svg", PlotFileFormat::Svg},
        {texts::ja::saveFilterPng, "*.png", PlotFileFormat::Png},
    }};
    return types;
}

PlotSaveTarget plotSaveTarget(std::string_view chosenName, PlotFileFormat chosenType)
{
    for (const PlotFileFormat format : {PlotFileFormat::Svg, PlotFileFormat::Png}) {
        if (endsWith(chosenName, plotFileExtension(format))) {
            return {std::string(chosenName), format};
        }
    }
    return {std::string(chosenName) + std::string(plotFileExtension(chosenType)), chosenType};
}

} // namespace veldronix::report
