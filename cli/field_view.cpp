#include "cli/field_view.h"

#include "core/field_text.h"
#include "core/texts.h"

namespace veldronix::cli {
namespace {

// The item at an index of a selector's list, or "" for no item.
template <std::size_t N>
std::string itemText(const std::array<std::string_view, N>& items, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= N) {
        return {};
    }
    return std::string(items[static_cast<std::size_t>(index)]);
}

const std::string emptyText;

} // namespace

FieldView::FieldView()
{
    // The dialog opens with the deceleration point showing 0.
    texts_.emplace(ControlId::IDC_DECEL_POINT, "0");
}

void FieldView::typeText(ControlId field, std::string text)
{
    texts_[field] = std::move(text);
}

std::string FieldView::readText(ControlId field)
{
    return truncateFieldText(text(field));
}

void FieldView::writeText(ControlId field, std::string_view text)
{
    texts_[field] = std::string(text);
}

int FieldView::selectedIndex(ControlId selector)
{
    return selector == ControlId::IDC_DRIVE_TYPE ? driveTypeIndex_ : multiplierIndex_;
}

void FieldView::setSelectedIndex(ControlId selector, int index)
{
    // A combo box takes only an index of one of its items; any other index clears the selection.
    const std::size_t count = selector == ControlId::IDC_DRIVE_TYPE ? texts::driveTypeItems.size()
                                                                     : texts::multiplierItems.size();
    const int selected = index >= 0 && static_cast<std::size_t>(index) < count ? index : -1;
    (selector == ControlId::IDC_DRIVE_TYPE ? driveTypeIndex_ : multiplierIndex_) = selected;
}

void FieldView::showError(std::string_view message)
{
    errors_.emplace_back(message);
}

const std::string& FieldView::text(ControlId field) const
{
    const auto found = texts_.find(field);
    return found == texts_.end() ? emptyText : found->second;
}

std::string FieldView::selectorText(ControlId selector) const
{
    return selector == ControlId::IDC_DRIVE_TYPE ? itemText(texts::driveTypeItems, driveTypeIndex_)
                                                 : itemText(texts::multiplierItems, multiplierIndex_);
}

} // namespace veldronix::cli
