#pragma once

#include "report/plot_scene.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace veldronix::report::detail {

// The texts placed so far: a text is taken only where it lies on the canvas
// and clear of every text taken before it.
class TextPlacer {
public:
    explicit TextPlacer(SceneBounds canvas) : canvas_(canvas) {}

    // Whether the text is taken; an empty text never is.
    bool take(const SceneText& text);

    // The first of the places that can take the text.
    std::optional<SceneText> first(std::initializer_list<SceneText> places);

private:
    SceneBounds canvas_;
    std::vector<SceneBounds> taken_;
};

SceneText textAt(double x, double y, TextAnchor anchor, double size, SceneColour colour, std::string text,
                 bool bold = false);

} // namespace veldronix::report::detail
