#pragma once

#include "core/velocity_profile.h"
#include "report/plot_model.h"
#include "report/plot_scene.h"

#include <optional>
#include <string>
#include <string_view>

namespace veldronix::report {

// A text for XML character data or a quoted attribute: markup characters as
// entities, bytes that are not UTF-8 and characters XML forbids as U+FFFD.
std::string xmlText(std::string_view text);

// A scene as an <svg> element of its own size, drawn exactly as the scene
// places it: for a page to show inline, at whatever size it asked the scene for.
std::string sceneSvg(const PlotScene& scene);

// A scene as a standalone SVG document (an XML file).
std::string plotSvg(const PlotScene& scene);

// A plot as a saved document: its Document scene at documentWidth x documentHeight.
std::string documentSvg(const PlotModel& plot);

// A standalone SVG document plotting the speed of a Complete profile over time,
// with its phases shaded and named, the deceleration point marked and the
// figures written out; summary (the dialog's summary line, any text) is shown
// under the title. None for a profile without motion.
std::optional<std::string> profileSvg(const VelocityProfile& profile, std::string_view summary);

} // namespace veldronix::report
