#pragma once

#include "report/plot_scene.h"

#include <optional>
#include <string>

namespace veldronix::win32 {

// The scene drawn as the window draws it (scene_painter: anti-aliased, its
// grid seen through the phases' bands), at `scale` pixels to each of the
// scene's px, encoded as a PNG file's bytes by GDI+, a library of every
// Windows; none when GDI+ or the memory for the image is not there.
std::optional<std::string> pngOfScene(const report::PlotScene& scene, const std::wstring& faceName, int scale);

} // namespace veldronix::win32
