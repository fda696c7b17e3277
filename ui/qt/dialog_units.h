#pragma once

#include "ui/qt/dialog_layout.h"

#include <QFont>
#include <QRect>

namespace veldronix::qt {

// A dialog's base units in pixels: the average character width and the
// character height of its font, from which dialog units are converted.
struct DialogBaseUnits {
    int x; // pixels per 4 horizontal dialog units
    int y; // pixels per 8 vertical dialog units
};

// number * numerator / denominator rounded half away from zero, as the Windows
// dialog manager scales; -1 for a zero denominator or a result beyond int.
int mulDiv(int number, int numerator, int denominator);

// The base units of a font: the height is ascent plus descent, the width the
// rounded average of the 52 Latin letters, as Windows measures a dialog font.
DialogBaseUnits baseUnitsOf(const QFont& font);

// A rectangle of dialog units in pixels, each figure scaled on its own.
QRect toPixels(const layout::DialogUnitRect& rect, DialogBaseUnits units);

// The dialogs' font at its size. Where its face is not installed, a Japanese
// proportional Gothic of the same design stands in for it.
QFont dialogFont();

} // namespace veldronix::qt
