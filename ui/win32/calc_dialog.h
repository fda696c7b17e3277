#pragma once

#include "controller/calculator_controller.h"
#include "controller/dialog_request.h"
#include "report/form_controller.h"
#include "report/input_findings.h"
#include "report/machine_session.h"
#include "ui/win32/details_window.h"
#include "ui/win32/field_tips.h"
#include "ui/win32/gdi_handles.h"
#include "ui/win32/modal_dialog.h"

#include <string>
#include <vector>

namespace veldronix::win32 {

// The main dialog (template IDD_MAIN): the window side of the CalculatorView.
// It holds no logic; each handler turns control texts into a controller call and back.
class CCalcDialog final : public ModalDialog, public CalculatorView {
public:
    // `title` captions the error message boxes.
    CCalcDialog(HINSTANCE instance, std::wstring title);

    // Runs the dialog until Esc or the close box ends it; -1 if it could not be created.
    INT_PTR run();

    std::string readText(ControlId field) override;
    void writeText(ControlId field, std::string_view text) override;
    int selectedIndex(ControlId selector) override;
    void setSelectedIndex(ControlId selector, int index) override;
    void showError(std::string_view message) override;

private:
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR onInitDialog();
    INT_PTR onCommand(int identifier, int notification);
    INT_PTR onSysCommand(WPARAM command);
    INT_PTR onPaint();
    INT_PTR onQueryDragIcon() const;

    void fillSelector(ControlId selector, const auto& items);
    void addSystemMenuItems();
    report::Details currentDetails();
    void openDetails();
    void followCommand();
    void perform(const std::vector<DialogRequest>& requests);
    void chooseMachineFile(bool save);
    void showMachineOutcome(const report::MachineFileOutcome& outcome);
    void pressEnter();
    INT_PTR onControlColour(HDC dc, HWND control);
    INT_PTR onEditColour(HDC dc, HWND edit);
    std::string findingNote(ControlId field) const;
    void showFindings();
    HWND control(ControlId field) const { return item(toInt(field)); }

    HINSTANCE instance_;
    std::wstring title_;
    IconHandle icon_;      // IDR_MAINFRAME at the system's icon size
    IconHandle smallIcon_; // IDR_MAINFRAME at the caption's icon size
    CalculatorController controller_{*this};
    report::MachineSession machine_; // the axes the dialog's fields belong to
    report::DetailsForms forms_;     // the forms the details show after their own sections
    std::string caption_;            // the dialog's own title, before the machine file's name
    DetailsWindow details_;      // the modeless details window, while it is open
    FieldTips fieldTips_;   // over the result and the input fields
    std::vector<report::FieldFinding> findings_; // the input fields read otherwise than typed, marked
    BrushHandle misreadBrush_; // the background of a marked input field
};

} // namespace veldronix::win32
