#pragma once

#include "controller/dialog_request.h"
#include "report/details.h"
#include "report/details_layout.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix::report {

// What a form's controller needs from the window that shows its form, as the
// CalculatorController reads the dialog through CalculatorView. Texts are UTF-8.
class FormView {
public:
    virtual ~FormView() = default;

    // The whole text the field of that key holds now; empty for a key the form has not.
    virtual std::string fieldText(std::string_view key) = 0;
    // The item the choice of that key shows; -1 for none or a key the form has not.
    virtual int selectedIndex(std::string_view key) = 0;

protected:
    FormView() = default;
    FormView(const FormView&) = default;
    FormView& operator=(const FormView&) = default;
};

// The controller of one section's form: toolkit-free, it keeps what the form
// holds between the details' updates, makes the section for the details shown,
// follows every edit and runs the commands of its buttons and of Enter in its
// fields. A window only draws the section it hands out and carries out the
// requests its commands answer.
class FormController {
public:
    virtual ~FormController() = default;

    // The form's name, as the forms of its sections carry it.
    virtual std::string_view name() const = 0;
    // Its section for details (the form with what it holds, the results under it);
    // none where it shows nothing for them.
    virtual std::optional<DetailsSection> section(const Details& details) const = 0;
    // A field's text or a choice changed: the controller reads the form through
    // view, so that what it holds and shows follows each keystroke.
    virtual void onEdit(FormView& view) = 0;
    // A button of the section or Enter in a field: reads the form through view,
    // runs command and answers what the dialog must do, in order (none: nothing).
    virtual std::vector<DialogRequest> onCommand(std::string_view command, FormView& view) = 0;

protected:
    FormController() = default;
    FormController(const FormController&) = default;
    FormController& operator=(const FormController&) = default;
};

// The forms a front end shows in its details, each section after the details' own.
// Owned by the application beside its CalculatorController, so that what a form
// holds outlives the details window that shows it.
class DetailsForms {
public:
    void add(std::unique_ptr<FormController> form);

    // The details' layout with every form's section after the others, in the order added.
    DetailsLayout layout(const Details& details) const;
    // An edit of the form of that name (nothing for a name no form has).
    void edit(std::string_view form, FormView& view);
    // A command of the form of that name; its requests for the dialog.
    std::vector<DialogRequest> command(std::string_view form, std::string_view command, FormView& view);

private:
    FormController* find(std::string_view form) const;

    std::vector<std::unique_ptr<FormController>> forms_;
};

} // namespace veldronix::report
