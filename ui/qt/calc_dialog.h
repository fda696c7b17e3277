#pragma once

#include "controller/calculator_controller.h"
#include "controller/calculator_view.h"
#include "controller/dialog_request.h"
#include "report/form_controller.h"
#include "report/machine_session.h"

#include <QDialog>

#include <map>
#include <optional>
#include <vector>

class QAction;
class QComboBox;

namespace veldronix::qt {

class CDetailsWindow;

// The main dialog (IDD_MAIN): the calculator's fields and buttons laid out from
// the dialog template, the view through which its controller reads and writes
// them, and the details and About items of its context menu.
class CCalcDialog : public QDialog, public CalculatorView {
    Q_OBJECT

public:
    explicit CCalcDialog(QWidget* parent = nullptr);

    std::string readText(ControlId field) override;
    void writeText(ControlId field, std::string_view text) override;
    int selectedIndex(ControlId selector) override;
    void setSelectedIndex(ControlId selector, int index) override;
    void showError(std::string_view message) override;

    // The context menu's About item ("Veldronix のﾊﾞｰｼﾞｮﾝ情報(&A)..."); null when its string is empty.
    QAction* aboutAction() const { return aboutAction_; }
    // The context menu's details item ("詳細情報(&D)..."), before the About item; null when its string is empty.
    QAction* detailsAction() const { return detailsAction_; }
    // The details window; null until it is first opened.
    CDetailsWindow* detailsWindow() const { return detailsWindow_; }
    // The forms the details show after their own sections (none yet; a test adds its own).
    report::DetailsForms& detailsForms() { return forms_; }
    // Carries out what the details ask of the dialog, as a user would: typing, selecting, pressing.
    void perform(const std::vector<DialogRequest>& requests);
    // The machine the dialog's axes belong to.
    const report::MachineSession& machine() const { return machine_; }
    // Saves the machine to path, or opens the machine file at path, as the
    // details' buttons do once the system's file dialog has given the path.
    void saveMachineTo(const QString& path);
    void openMachineFrom(const QString& path);

public slots:
    // The About box, modally.
    void showAboutBox();
    // The details window of the values shown now, beside the dialog.
    void showDetailsWindow();
    // The machine file's save (true) or open: the system's file dialog, then the file.
    void chooseMachineFile(bool save);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void initDialog();
    // Greys the result fields that no longer belong to the calculation held, with a tooltip that says why.
    void showFreshness();
    // Marks each input field read otherwise than typed at the last command, its findings as its tooltip.
    void showFindings();
    // Greys one result field by the freshness shown, its tooltip following its text.
    void markResult(ControlId id);
    // Shows the details of what the fields show now in the details window, when it is open.
    void refreshDetails();
    QComboBox* selector(ControlId id) const;
    // The button Enter presses in a field or selector (report::enterButton); none for another control.
    std::optional<ControlId> buttonForEnter(const QObject& field) const;

    std::map<ControlId, QWidget*> controls_;
    QAction* aboutAction_ = nullptr;
    QAction* detailsAction_ = nullptr;
    CDetailsWindow* detailsWindow_ = nullptr;
    ResultFreshness freshness_; // as the result fields show it
    bool placed_ = false;       // moved inside the work area when first shown
    CalculatorController controller_{*this};
    report::MachineSession machine_;
    report::DetailsForms forms_;
    QString title_; // the dialog's own title, before the machine file's name
    // The details of what the fields show now, in the current axis's units.
    report::Details details();
    // Shows what a save or an open did, and the file's name in the title.
    void showMachineOutcome(const report::MachineFileOutcome& outcome);
};

} // namespace veldronix::qt
