#pragma once

#include "core/control_id.h"
#include "report/result_field_text.h"

#include <windows.h>

#include <span>

namespace veldronix::win32 {

// The dialog's result fields that show one figure (report::showsOneFigure) draw
// it by report::resultFieldText, measured with the field's own font: shrunk to
// fit, down to the readable size, else its start with the cut mark. The static
// keeps its whole text (WM_GETTEXT, the tooltip); only its drawing changes, in
// the colours the dialog gives it (WM_CTLCOLORSTATIC). Other fields are left as
// they are.
void drawFiguresByRule(HWND dialog, std::span<const ControlId> fields);

// How a result field draws its text as it stands now: its whole text at full
// size where it fits.
report::ResultFieldText fittedText(HWND field);

} // namespace veldronix::win32
