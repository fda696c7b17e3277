#pragma once

#include "controller/calculator_view.h"
#include "core/control_id.h"

#include <functional>
#include <span>
#include <string>
#include <utility>

namespace veldronix {

// One thing a part of the details asks of the dialog, as a user would do it:
// a text typed into a field, an item selected, a button pressed. A row of the
// multiplier comparison chosen, or a form's apply button, is a short list of these,
// carried out in order by the dialog that owns the calculator.
struct DialogRequest {
    enum class Kind {
        WriteText, // control's text becomes text
        Select,    // selector shows item index (-1: none)
        Press,     // the button is pressed: its command runs, with its messages
    };
    Kind kind = Kind::Press;
    ControlId control = ControlId::IDC_STATIC;
    std::string text;
    int index = -1;

    static DialogRequest write(ControlId field, std::string text) { return {Kind::WriteText, field, std::move(text), -1}; }
    static DialogRequest select(ControlId selector, int item) { return {Kind::Select, selector, {}, item}; }
    static DialogRequest press(ControlId button) { return {Kind::Press, button, {}, -1}; }

    friend bool operator==(const DialogRequest&, const DialogRequest&) = default;
};

// Carries requests out in order: texts and selections through view, each press
// through press (which runs the button's command as its click does).
void performRequests(std::span<const DialogRequest> requests, CalculatorView& view,
                     const std::function<void(ControlId button)>& press);

} // namespace veldronix
