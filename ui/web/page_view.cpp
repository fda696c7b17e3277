#include "ui/web/page_view.h"

#include "core/field_text.h"
#include "core/texts_ja.h"

#include <utility>

namespace veldronix::web {

void PageView::setFieldText(ControlId field, std::string_view text)
{
    texts_[field] = std::string(text);
}

void PageView::setSelection(ControlId selector, int index)
{
    if (int* selected = selection(selector)) {
        *selected = itemIndex(selector, index);
    }
}

std::string PageView::readText(ControlId field)
{
    const auto found = texts_.find(field);
    return found == texts_.end() ? std::string() : found->second;
}

void PageView::writeText(ControlId field, std::string_view text)
{
    if (field == ControlId::IDC_STATIC) {
        return; // a control without an identifier takes nothing
    }
    texts_[field] = std::string(text);
    operations_.push_back({ViewOperation::Kind::WriteText, field, std::string(text), -1});
}

int PageView::selectedIndex(ControlId selector)
{
    const int* selected = selection(selector);
    return selected == nullptr ? -1 : *selected;
}

void PageView::setSelectedIndex(ControlId selector, int index)
{
    if (int* selected = selection(selector)) {
        *selected = itemIndex(selector, index);
        operations_.push_back({ViewOperation::Kind::SelectIndex, selector, std::string(), *selected});
    }
}

void PageView::showError(std::string_view message)
{
    operations_.push_back({ViewOperation::Kind::ShowError, ControlId::IDC_STATIC, std::string(message), -1});
}

int* PageView::selection(ControlId selector)
{
    if (selector == ControlId::IDC_DRIVE_TYPE) {
        return &driveTypeIndex_;
    }
    return selector == ControlId::IDC_MULTIPLIER ? &multiplierIndex_ : nullptr;
}

int PageView::itemIndex(ControlId selector, int index)
{
    // A selector takes only the index of one of its items; any other clears its selection.
    const std::size_t count =
        selector == ControlId::IDC_DRIVE_TYPE ? texts::ja::driveTypeItems.size() : texts::ja::multiplierItems.size();
    return index >= 0 && static_cast<std::size_t>(index) < count ? index : -1;
}

std::vector<ViewOperation> PageView::takeOperations()
{
    return std::exchange(operations_, {});
}

} // namespace veldronix::web
