#pragma once

#include "report/plot_scene.h"

#include <QImage>

class QPainter;

namespace veldronix::qt {

// Draws the scene's items as they stand, in their order, with the painter's
// origin at the scene's top left corner: the scene decides every place, size
// and colour, the painter only replays them.
void paintScene(QPainter& painter, const report::PlotScene& scene);

// The scene as a picture, scale device pixels to a scene pixel, on its background.
QImage sceneImage(const report::PlotScene& scene, int scale);

} // namespace veldronix::qt
