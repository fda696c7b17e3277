// What a window's form widgets hold, as a form's controller reads them: filled
// from the form a section shows, then typed into as a user would.
#pragma once

#include "report/form_controller.h"

#include <map>
#include <string>
#include <string_view>

namespace veldronix::testing_support {

class FakeFormView final : public report::FormView {
public:
    FakeFormView() = default;
    // The widgets as a window sets them for form.
    explicit FakeFormView(const report::DetailsForm& form)
    {
        for (const report::FormChoice& choice : form.choices) {
            selections[choice.key] = choice.selected;
        }
        for (const report::FormField& field : form.fields) {
            texts[field.key] = field.text;
        }
    }

    std::string fieldText(std::string_view key) override
    {
        const auto found = texts.find(std::string(key));
        return found == texts.end() ? std::string() : found->second;
    }
    int selectedIndex(std::string_view key) override
    {
        const auto found = selections.find(std::string(key));
        return found == selections.end() ? -1 : found->second;
    }

    std::map<std::string, std::string> texts;
    std::map<std::string, int> selections;
};

} // namespace veldronix::testing_support
