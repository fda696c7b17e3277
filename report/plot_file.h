#pragma once

#include "report/details_style.h"

#include <array>
#include <string>
#include <string_view>

namespace veldronix::report {

// The types a plot is saved as, in the order every save offers them (the first
// the default): the label of a file dialog's filter, its pattern, the format.
struct PlotFileType {
    std::string_view label;   // "SVG 画像 (*.svg)"
    std::string_view pattern; // "*.svg"
    PlotFileFormat format;
};

// The file types of a plot's save, SVG first (in report/texts_ja.h's words).
const std::array<PlotFileType, 2>& plotFileTypes();

// The file a save writes and what it holds.
struct PlotSaveTarget {
    std::string path; // UTF-8
    PlotFileFormat format = PlotFileFormat::Svg;

    friend bool operator==(const PlotSaveTarget&, const PlotSaveTarget&) = default;
};

// The file for the name the user chose with the type chosen: a name ending in
// .svg or .png (in any case) is written as what it says; any other name gets the
// chosen type's extension, so that a saved file always says what it holds.
PlotSaveTarget plotSaveTarget(std::string_view chosenName, PlotFileFormat chosenType);

} // namespace veldronix::report
