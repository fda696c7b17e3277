#include "report/form_controller.h"

#include <algorithm>

namespace veldronix::report {

void DetailsForms::add(std::unique_ptr<FormController> form)
{
    if (form != nullptr) {
        forms_.push_back(std::move(form));
    }
}

DetailsLayout DetailsForms::layout(const Details& details) const
{
    DetailsLayout layout = detailsLayout(details);
    for (const std::unique_ptr<FormController>& form : forms_) {
        if (std::optional<DetailsSection> section = form->section(details)) {
            keyColumnsFirst(section->table); // a form's table by the rule of every other
            layout.sections.push_back(std::move(*section));
        }
    }
    return layout;
}

FormController* DetailsForms::find(std::string_view form) const
{
    const auto found = std::find_if(forms_.begin(), forms_.end(),
                                    [form](const std::unique_ptr<FormController>& shown) { return shown->name() == form; });
    return found != forms_.end() ? found->get() : nullptr;
}

void DetailsForms::edit(std::string_view form, FormView& view)
{
    if (FormController* controller = find(form)) {
        controller->onEdit(view);
    }
}

std::vector<DialogRequest> DetailsForms::command(std::string_view form, std::string_view command, FormView& view)
{
    FormController* controller = find(form);
    return controller != nullptr ? controller->onCommand(command, view) : std::vector<DialogRequest>{};
}

} // namespace veldronix::report
