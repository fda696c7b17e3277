#pragma once

#include "ui/qt/dialog_layout.h"

#include <span>
#include <vector>

class QDialog;
class QWidget;

namespace veldronix::qt {

// Gives the dialog its template's caption, font and fixed size, and creates its
// controls in template order, which makes that order the tab order as well.
// Returns the controls' widgets in the same order. Default OK buttons accept
// the dialog; other buttons are left to the caller to connect.
std::vector<QWidget*> buildDialog(QDialog& dialog, const layout::DialogTemplate& dialogTemplate,
                                  std::span<const layout::ControlTemplate> controls);

} // namespace veldronix::qt
