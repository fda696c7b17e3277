#include "cli/field_view.h"

#include "core/texts_ja.h"

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
    clear();
}

void FieldView::clear()
{
    for (std::string& text : texts_) {
        text.clear();
    }
    // The dialog opens with the deceleration point showing 0.
    *slot(ControlId::IDC_DECEL_POINT) = "0";
    driveTypeIndex_ = -1;
    multiplierIndex_ = -1;
    errors_.clear();
}

std::string* FieldView::slot(ControlId field)
{
    const int id = toInt(field);
    return id >= firstField && id <= lastField ? &texts_[static_cast<std::size_t>(id - firstField)] : nullptr;
}

void FieldView::typeText(ControlId field, std::string_view text)
{
    if (std::string* target = slot(field)) {
        *target = text;
    }
}

std::string FieldView::readText(ControlId field)
{
    // A drop-down list shows the text of its item, and what was typed without one.
    if (field == ControlId::IDC_DRIVE_TYPE && driveTypeIndex_ >= 0) {
        return selectorText(field);
    }
    return text(field);
}

void FieldView::writeText(ControlId field, std::string_view text)
{
    // A control without a text of its own (IDC_STATIC) takes nothing.
    if (std::string* target = slot(field)) {
        *target = text;
    }
}

int FieldView::selectedIndex(ControlId selector)
{
    return selector == ControlId::IDC_DRIVE_TYPE ? driveTypeIndex_ : multiplierIndex_;
}

void FieldView::setSelectedIndex(ControlId selector, int index)
{
    // A combo box takes only an index of one of its items; any other index clears the selection.
    const std::size_t count = selector == ControlId::IDC_DRIVE_TYPE ? veldronix::texts::ja::driveTypeItems.size()
                                                                     : veldronix::texts::ja::multiplierItems.size();
    const int selected = index >= 0 && static_cast<std::size_t>(index) < count ? index : -1;
    (selector == ControlId::IDC_DRIVE_TYPE ? driveTypeIndex_ : multiplierIndex_) = selected;
}

void FieldView::showError(std::string_view message)
{
    errors_.emplace_back(message);
}

const std::string& FieldView::text(ControlId field) const
{
    const int id = toInt(field);
    return id >= firstField && id <= lastField ? texts_[static_cast<std::size_t>(id - firstField)] : emptyText;
}

std::string FieldView::selectorText(ControlId selector) const
{
    return selector == ControlId::IDC_DRIVE_TYPE ? itemText(veldronix::texts::ja::driveTypeItems, driveTypeIndex_)
                                                 : itemText(veldronix::texts::ja::multiplierItems, multiplierIndex_);
}

} // namespace veldronix::cli
