#pragma once

#include <string>
#include <string_view>

namespace veldronix::report {

// How every details window marks what it shows, the same in each front end:
// the colours as "#rrggbb" and the file name a save starts from.
struct DetailsColours {
    std::string_view warning = "#b91c1c";     // a finding, a value with no finite deviation, a no-motion note
    std::string_view stale = "#6b7280";       // a result that no longer belongs to the calculation held
    std::string_view misread = "#fee2e2";     // an input field read otherwise than typed (its background; its text warning)
    std::string_view inUse = "#dbeafe";       // the row of the multiplier in use (a row's background)
    std::string_view recommended = "#dcfce7"; // the recommended row (a row's background)
};

inline constexpr DetailsColours detailsColours{};

// The name the save dialog proposes, without its extension (".svg" or ".png").
inline constexpr std::string_view plotFileStem = "velocity-profile";

// The formats a plot is saved in: SVG everywhere, PNG where the platform writes one.
enum class PlotFileFormat { Svg, Png };

inline constexpr std::string_view plotFileExtension(PlotFileFormat format)
{
    return format == PlotFileFormat::Svg ? ".svg" : ".png";
}

// The name the save dialog proposes in every front end: "velocity-profile.svg".
inline std::string defaultPlotFileName(PlotFileFormat format)
{
    return std::string(plotFileStem) + std::string(plotFileExtension(format));
}

// A saved PNG is the document's scene (documentWidth x documentHeight) drawn at
// this many pixels to its px, so that it stays sharp shown larger: 1920 x 1280.
inline constexpr int plotPngScale = 2;

} // namespace veldronix::report
