#pragma once

#include "report/plot_model.h"

#include <windows.h>

namespace veldronix::win32 {

// The fonts a plot is drawn with: the window's own, its bold variant for the
// phase names, and the same turned a quarter to the left for the speed axis.
struct PlotFonts {
    HFONT text = nullptr;
    HFONT bold = nullptr;
    HFONT vertical = nullptr;
};

// Draws the speed-over-time plot of the model into `area` of dc with GDI: the
// grid and its tick labels, the phases shaded and named, the axes with their
// titles, the curve, the initial speed's level, the speeds' labels and the
// deceleration point. The curve, axes and texts are the model's; only the
// placements follow the window's font instead of the canvas the SVG uses.
void paintPlot(HDC dc, const RECT& area, const report::PlotModel& plot, const PlotFonts& fonts);

// The colours of a phase (the shared plot model's), for the plot's bands and the table of phases.
COLORREF phaseFill(report::PlotPhase phase);
COLORREF phaseInk(report::PlotPhase phase);
// The deceleration point's colour, also that of the totals row's detail.
COLORREF decelMarkColour();

} // namespace veldronix::win32
