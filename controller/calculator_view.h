#pragma once

#include "core/control_id.h"

#include <string>
#include <string_view>

namespace veldronix {

// What the controller needs from the window. Texts are UTF-8.
class CalculatorView {
public:
    virtual ~CalculatorView() = default;

    // The field's whole current text (a selector's: the text it shows). The
    // controller cuts it as the dialog's 79-byte buffer would, and so knows what was cut.
    virtual std::string readText(ControlId field) = 0;
    // Replaces the field's text; it shows at once.
    virtual void writeText(ControlId field, std::string_view text) = 0;
    // Index of the selected item of IDC_DRIVE_TYPE or IDC_MULTIPLIER; -1 when none is.
    virtual int selectedIndex(ControlId selector) = 0;
    // Selects that item and shows its text.
    virtual void setSelectedIndex(ControlId selector, int index) = 0;
    // A modal message box with the stop icon and OK; returns when the user closes it.
    virtual void showError(std::string_view message) = 0;

protected:
    CalculatorView() = default;
    CalculatorView(const CalculatorView&) = default;
    CalculatorView& operator=(const CalculatorView&) = default;
};

} // namespace veldronix
