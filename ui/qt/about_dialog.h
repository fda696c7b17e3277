#pragma once

#include <QDialog>
#include <QString>

namespace veldronix::qt {

// The About box (IDD_ABOUTBOX): icon, version line, legal notice and OK; OK and Esc close it.
class CAboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

// The About box's version line, "Veldronix Version 1.0": the product's major and
// minor version from the build.
QString aboutVersionLine();

} // namespace veldronix::qt
