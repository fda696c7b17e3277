#pragma once

#include "report/plot_scene.h"
#include "report/text_placer.h"

#include <vector>

namespace veldronix::report::detail {

// What a saved document shows around its plot.
struct DocumentTexts {
    SceneBounds plotRegion;          // what is left for the plot
    std::vector<SceneText> texts;    // the title, the summary and the figure rows, as taken
    std::vector<SceneRect> swatches; // a phase's colour beside its row's name
};

// The title, the summary and the figure rows of a document on a canvas of width x
// height px. A canvas too low for them all and a readable plot leaves out the
// rows, then the summary, then the title.
DocumentTexts placeDocumentTexts(const PlotModel& plot, double width, double height, TextPlacer& placer);

} // namespace veldronix::report::detail
