#include "ui/qt/about_dialog.h"

#include "ui/qt/dialog_builder.h"
#include "ui/qt/dialog_layout.h"
#include "veldronix/version.h"

#include <QLabel>

#include <cstddef>

namespace veldronix::qt {

QString aboutVersionLine()
{
    return QStringLiteral("Veldronix Version %1.%2").arg(version::major).arg(version::minor);
}

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent)
{
    const std::vector<QWidget*> widgets = buildDialog(*this, layout::IDD_ABOUTBOX, layout::aboutControls);
    // The template's one text shown without prefix processing is the version line;
    // it follows the build's version rather than the template's words.
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        if (layout::aboutControls[i].kind == layout::ControlKind::LabelNoPrefix) {
            static_cast<QLabel*>(widgets[i])->setText(aboutVersionLine());
        }
    }
}

} // namespace veldronix::qt
