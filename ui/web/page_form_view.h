#pragma once

#include "report/form_controller.h"

#include <map>
#include <string>
#include <string_view>

namespace veldronix::web {

// A form of the page's details as its controller reads it: the page hands in
// what the form's fields and choices hold before each edit or command.
class PageFormView final : public report::FormView {
public:
    // Forgets what was handed in for the form before.
    void clear()
    {
        texts_.clear();
        selections_.clear();
    }
    void setFieldText(std::string_view key, std::string_view text) { texts_[std::string(key)] = std::string(text); }
    void setSelection(std::string_view key, int index) { selections_[std::string(key)] = index; }

    std::string fieldText(std::string_view key) override
    {
        const auto found = texts_.find(std::string(key));
        return found == texts_.end() ? std::string() : found->second;
    }
    int selectedIndex(std::string_view key) override
    {
        const auto found = selections_.find(std::string(key));
        return found == selections_.end() ? -1 : found->second;
    }

private:
    std::map<std::string, std::string> texts_;
    std::map<std::string, int> selections_;
};

} // namespace veldronix::web
