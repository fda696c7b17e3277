#pragma once

#include "report/plot_scene.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace Gdiplus {
class Graphics;
}

namespace veldronix::win32 {

// A "#rrggbb" colour of the report's palettes as GDI takes it; black for a text that is none.
COLORREF colourOf(std::string_view hex);

// Replays a placed plot scene with GDI+ onto graphics, whose origin is the
// scene's top left corner and whose transform may scale it (to a monitor's
// DPI, to a saved image's size): every item as the scene places it, in its
// order, anti-aliased and as transparent as the scene says, as the other front
// ends draw it. Texts are drawn in `faceName` (the dialog's font, which has the
// Japanese glyphs). Nothing is placed here: the scene is the only place that
// lays out a plot. GDI+ must have been started (GdiplusSession).
void paintScene(Gdiplus::Graphics& graphics, const report::PlotScene& scene, const std::wstring& faceName);

} // namespace veldronix::win32
