#include "ui/qt/about_dialog.h"

#include "ui/qt/dialog_builder.h"
#include "ui/qt/dialog_layout.h"

namespace veldronix::qt {

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent)
{
    buildDialog(*this, layout::IDD_ABOUTBOX, layout::aboutControls);
}

} // namespace veldronix::qt
