#pragma once

#include <QDialog>

namespace veldronix::qt {

// The About box (IDD_ABOUTBOX): icon, version line, legal notice and OK; OK and Esc close it.
class CAboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

} // namespace veldronix::qt
