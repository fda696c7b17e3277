#pragma once

#include "report/details_form.h"
#include "report/form_controller.h"

#include <QWidget>

#include <map>
#include <string>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace veldronix::qt {

// A section's form drawn with Qt's own widgets: each choice a combo box, each
// field a line edit between its label and its unit, a finding under it. Shown
// again in place for the next details: a field keeps its widget, and its text
// is set only where the form's controller holds another, so that typing never
// stumbles. It is the FormView its controller reads; every edit and every
// Enter goes out as a signal, and it decides nothing itself.
class DetailsFormView : public QWidget, public report::FormView {
    Q_OBJECT

public:
    explicit DetailsFormView(QWidget* parent = nullptr);

    void showForm(const report::DetailsForm& form);
    const std::string& formName() const { return form_.name; }

    std::string fieldText(std::string_view key) override;
    int selectedIndex(std::string_view key) override;

signals:
    // A field's text or a choice was changed by the user.
    void edited();
    // Enter in a field that runs a command.
    void commandRequested(const QString& command);

private:
    void rebuild();

    report::DetailsForm form_;
    QGridLayout* grid_ = nullptr;
    std::map<std::string, QLineEdit*, std::less<>> fields_;
    std::map<std::string, QLabel*, std::less<>> findings_;
    std::map<std::string, QComboBox*, std::less<>> choices_;
};

} // namespace veldronix::qt
