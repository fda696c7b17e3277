#include "ui/qt/button_flow_layout.h"

#include <QWidget>

#include <algorithm>

namespace veldronix::qt {

ButtonFlowLayout::ButtonFlowLayout(QWidget* parent) : QLayout(parent) {}

ButtonFlowLayout::~ButtonFlowLayout()
{
    // A layout owns the items handed to it (not their widgets, which their parent owns).
    for (QLayoutItem* item : items_) {
        delete item;
    }
}

void ButtonFlowLayout::addItem(QLayoutItem* item)
{
    items_.push_back(item);
}

int ButtonFlowLayout::count() const
{
    return static_cast<int>(items_.size());
}

QLayoutItem* ButtonFlowLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)] : nullptr;
}

QLayoutItem* ButtonFlowLayout::takeAt(int index)
{
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    QLayoutItem* item = items_[static_cast<std::size_t>(index)];
    items_.erase(items_.begin() + index);
    invalidate();
    return item;
}

Qt::Orientations ButtonFlowLayout::expandingDirections() const
{
    return {};
}

bool ButtonFlowLayout::hasHeightForWidth() const
{
    return true;
}

int ButtonFlowLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize ButtonFlowLayout::minimumSize() const
{
    QSize widest;
    for (const QLayoutItem* item : items_) {
        if (!item->isEmpty()) {
            widest = widest.expandedTo(item->minimumSize());
        }
    }
    const QMargins margins = contentsMargins();
    return widest + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize ButtonFlowLayout::sizeHint() const
{
    // All on one line where there is room for it.
    int width = 0;
    int height = 0;
    for (const QLayoutItem* item : items_) {
        if (!item->isEmpty()) {
            const QSize hint = item->sizeHint();
            width += (width > 0 ? spacing() : 0) + hint.width();
            height = std::max(height, hint.height());
        }
    }
    const QMargins margins = contentsMargins();
    return {width + margins.left() + margins.right(), height + margins.top() + margins.bottom()};
}

void ButtonFlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int ButtonFlowLayout::arrange(const QRect& rect, bool place) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int gap = std::max(spacing(), 0);
    std::vector<QLayoutItem*> line;
    int lineWidth = 0;
    int lineHeight = 0;
    int top = area.top();
    const auto endLine = [&] {
        if (line.empty()) {
            return;
        }
        if (place) {
            // Right-aligned, as a dialog's buttons are; one wider than the area is cut to it.
            int left = std::max(area.left(), area.right() + 1 - lineWidth);
            for (QLayoutItem* item : line) {
                const QSize hint = item->sizeHint();
                const int width = std::min(hint.width(), area.right() + 1 - left);
                item->setGeometry(QRect(left, top, width, lineHeight));
                left += width + gap;
            }
        }
        top += lineHeight + gap;
        line.clear();
        lineWidth = 0;
        lineHeight = 0;
    };
    for (QLayoutItem* item : items_) {
        if (item->isEmpty()) {
            continue;
        }
        const QSize hint = item->sizeHint();
        if (!line.empty() && lineWidth + gap + hint.width() > area.width()) {
            endLine();
        }
        lineWidth += (line.empty() ? 0 : gap) + hint.width();
        lineHeight = std::max(lineHeight, hint.height());
        line.push_back(item);
    }
    endLine();
    const int used = top == area.top() ? 0 : top - gap - area.top();
    const QMargins margins = contentsMargins();
    return used + margins.top() + margins.bottom();
}

} // namespace veldronix::qt
