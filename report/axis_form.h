#pragma once

#include "controller/calculator_controller.h"
#include "controller/calculator_view.h"
#include "report/form_controller.h"
#include "report/machine_session.h"

#include <string>

namespace veldronix::report {

// The form of the section 軸: the machine's axes (choose, add, rename,
// remove), the current axis's mechanics, and the machine file's buttons. It
// takes the dialog's fields into the current axis (through the dialog's view)
// before it shows another, and answers what puts that one into the dialog.
class AxisForm final : public FormController {
public:
    static constexpr std::string_view formName = "axis";

    AxisForm(MachineSession& session, CalculatorView& dialog, const CalculatorController& controller);

    std::string_view name() const override { return formName; }
    std::optional<DetailsSection> section(const Details& details) const override;
    void onEdit(FormView& view) override;
    std::vector<DialogRequest> onCommand(std::string_view command, FormView& view) override;

private:
    // What the form shows: the session's current axis, or what was typed since it was shown.
    struct Held {
        int chosen = 0;
        std::string name;
        AxisMechanicsTexts mechanics;
    };
    Held shown() const;
    Held fromSession() const;
    void capture();

    MachineSession& session_;
    CalculatorView& dialog_;
    const CalculatorController& controller_;
    Held held_;
    std::size_t heldRevision_ = static_cast<std::size_t>(-1); // the session's revision held_ follows
    std::string problem_; // why the last command did nothing; empty: none
};

} // namespace veldronix::report
