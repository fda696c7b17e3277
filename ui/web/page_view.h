#pragma once

#include "controller/calculator_view.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix::web {

// One thing a command did to the dialog, in the order it did it.
struct ViewOperation {
    enum class Kind {
        WriteText,   // control's text becomes text
        SelectIndex, // selector shows item index (-1: none)
        ShowError,   // the message box with text; the next operation waits for its OK
    };
    Kind kind = Kind::WriteText;
    ControlId control = ControlId::IDC_STATIC; // IDC_STATIC for a message
    std::string text;
    int index = -1;

    bool operator==(const ViewOperation&) const = default;
};

// The page's dialog as the controller sees it. A command reads its fields only
// before it writes anything or shows a message, so the page hands in what its
// fields hold before each command, the command runs to its end here, and the
// page then plays the recorded operations back in order, waiting at each
// message until the user has closed it: to the user it is the dialog's order.
class PageView final : public CalculatorView {
public:
    // What a field or a selector of the page holds now.
    void setFieldText(ControlId field, std::string_view text);
    void setSelection(ControlId selector, int index);

    std::string readText(ControlId field) override;
    void writeText(ControlId field, std::string_view text) override;
    int selectedIndex(ControlId selector) override;
    void setSelectedIndex(ControlId selector, int index) override;
    void showError(std::string_view message) override;

    // The operations recorded since the last call, oldest first.
    std::vector<ViewOperation> takeOperations();

private:
    // The selection of IDC_DRIVE_TYPE or IDC_MULTIPLIER; null for any other control.
    int* selection(ControlId selector);
    // index if the selector has that item, otherwise -1.
    static int itemIndex(ControlId selector, int index);

    std::map<ControlId, std::string> texts_;
    int driveTypeIndex_ = -1;
    int multiplierIndex_ = -1;
    std::vector<ViewOperation> operations_;
};

} // namespace veldronix::web
