#pragma once

#include "controller/control_id.h"
#include "report/details.h"

#include <string>
#include <vector>

namespace veldronix::web {

// A result field of the dialog that no longer belongs to the calculation the
// controller holds, and the note that says why.
struct StaleResult {
    ControlId control = ControlId::IDC_STATIC;
    std::string note;
};

// The details as the page shows them: one JSON object with the sections of
// report::detailsLayout (headings, lines, tables with their marks, the plot's
// place and the actions), the texts of the buttons and notes, the copy
// formats, the saved files' names, and the stale results. The plot itself is
// asked for separately, at the size of its area (plotSvg).
std::string detailsJson(const report::Details& details, const std::vector<StaleResult>& stale);

// The plot of the details as inline SVG for an area of width x height CSS
// pixels (frame PlotOnly), or the document a save writes; empty where there is no plot.
std::string plotSvg(const report::Details& details, double width, double height);
std::string documentSvg(const report::Details& details);

} // namespace veldronix::web
