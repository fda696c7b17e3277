#pragma once

#include "report/plot_area.h"
#include "report/plot_scene.h"

namespace veldronix::report::detail {

// The speed curve through the model's segments: lines as they are, each
// parabola sampled every 2 px along the curve or finer (at most 2000 samples a
// segment), every segment's end exact.
ScenePolyline curveLine(const PlotModel& plot, const PlotArea& area);

} // namespace veldronix::report::detail
