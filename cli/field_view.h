#pragma once

#include "controller/calculator_view.h"
#include "controller/result_fields.h"
#include "core/input_field.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace veldronix::cli {

// A CalculatorView over in-memory fields, standing in for the dialog: the texts
// typed in, the two selectors, the messages shown.
class FieldView final : public CalculatorView {
public:
    FieldView();

    // Back to the state the dialog opens in, keeping the memory of the texts
    // for the next drive of a batch.
    void clear();

    // Puts a text into a field as a user would type it.
    void typeText(ControlId field, std::string_view text);

    std::string readText(ControlId field) override;
    void writeText(ControlId field, std::string_view text) override;
    int selectedIndex(ControlId selector) override;
    void setSelectedIndex(ControlId selector, int index) override;
    void showError(std::string_view message) override;

    // The field's full text, as the window shows it.
    const std::string& text(ControlId field) const;
    // The selector's shown text: its item's text, "" with no selection.
    std::string selectorText(ControlId selector) const;
    const std::vector<std::string>& errors() const { return errors_; }

private:
    // One text per identifier from the lowest to the highest of the input and result fields.
    static constexpr auto fieldRange = [] {
        std::pair<int, int> range{toInt(resultFields.front()), toInt(resultFields.front())};
        const auto widen = [&range](ControlId id) {
            range = {std::min(range.first, toInt(id)), std::max(range.second, toInt(id))};
        };
        for (const ControlId id : resultFields) {
            widen(id);
        }
        for (const InputFieldDescription& field : inputFields) {
            widen(field.control);
        }
        return range;
    }();
    static constexpr int firstField = fieldRange.first;
    static constexpr int lastField = fieldRange.second;
    std::string* slot(ControlId field);

    std::array<std::string, lastField - firstField + 1> texts_;
    int driveTypeIndex_ = -1;
    int multiplierIndex_ = -1;
    std::vector<std::string> errors_;
};

} // namespace veldronix::cli
