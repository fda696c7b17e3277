#pragma once

#include "core/control_id.h"
#include "core/setting_register.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

namespace veldronix::report {

// How a result field (a value field, マニュアル減速点) shows a text wider than
// itself. A right-aligned field that clips would show the text's end, which
// reads as another number (55274.000 for 123455274.000): instead the text
// shrinks to fit, down to a readable size; beyond that it is cut at its end
// with a visible mark, and the window puts the whole text in the tooltip.

// The smallest size a result is drawn at, as a part of the dialog's font size.
inline constexpr double smallestResultScale = 0.75;

// The width of a text drawn at size px, in px: the window's own font metrics,
// or report::textWidth where there are none.
using TextWidth = std::function<double(std::string_view text, double size)>;

// Whether a result field shows one figure and so follows this rule: each
// register's value field and マニュアル減速点. The summary is sentences that
// wrap, whole in its tooltip where they do not fit.
constexpr bool showsOneFigure(ControlId field)
{
    return field == ControlId::IDC_DECEL_POINT ||
           std::any_of(settingRegisters.begin(), settingRegisters.end(),
                       [field](const RegisterDescription& entry) { return entry.field == field; });
}

struct ResultFieldText {
    std::string shown;      // the text to draw: the whole text, or its start and the cut mark
    double scale = 1.0;     // of the dialog's font size: 1 where it fits, else down to smallestResultScale
    bool cut = false;       // shown is not the whole text: the tooltip holds it
};

// text as a field room px wide shows it at the dialog's font of fontSize px.
ResultFieldText resultFieldText(std::string_view text, double room, double fontSize, const TextWidth& width);
// The same measured with report::textWidth.
ResultFieldText resultFieldText(std::string_view text, double room, double fontSize);

} // namespace veldronix::report
