#include "ui/qt/details_section.h"

#include "report/comparison_texts.h"
#include "report/details_texts.h"
#include "ui/qt/details_widgets.h"
#include "ui/qt/plot_widget.h"
#include "ui/qt/window_texts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace veldronix::qt {
namespace {

namespace t = report::detailsTexts;

QString captionOf(report::SectionAction action)
{
    switch (action) {
    case report::SectionAction::Copy:
        return fromUtf8(t::copyButton);
    case report::SectionAction::SavePlot:
        return fromUtf8(t::saveButton);
    case report::SectionAction::ChooseRow:
        break;
    }
    return fromUtf8(report::japaneseComparisonTexts.chooseButton);
}

QString nameOf(report::SectionAction action)
{
    switch (action) {
    case report::SectionAction::Copy:
        return QStringLiteral("copyButton");
    case report::SectionAction::SavePlot:
        return QStringLiteral("saveButton");
    case report::SectionAction::ChooseRow:
        break;
    }
    return QStringLiteral("chooseButton");
}

bool isEnter(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

DetailsSectionView::DetailsSectionView(QWidget* parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("section"));
    auto* column = new QVBoxLayout(this);
    plot_ = new PlotWidget;
    plot_->setObjectName(QStringLiteral("plot"));
    plot_->hide();
    column->addWidget(plot_, 1);
    table_ = new DetailsTableWidget;
    table_->setObjectName(QStringLiteral("table"));
    table_->hide();
    column->addWidget(table_);
    lines_ = new QVBoxLayout;
    column->addLayout(lines_);
    buttonRow_ = new QWidget;
    auto* buttons = new QHBoxLayout(buttonRow_);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch();
    column->addWidget(buttonRow_);

    connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { chooseCurrentRow(); });
    table_->installEventFilter(this);
}

void DetailsSectionView::showSection(const report::DetailsSection& section,
                                     const std::optional<report::PlotModel>& plot)
{
    setTitle(fromUtf8(section.heading));
    const bool plotted = section.kind == report::SectionKind::Plot && plot.has_value();
    plot_->setPlot(plotted ? plot : std::nullopt);
    // The table of a Table section, or the phases under a plot.
    table_->showTable(section.kind == report::SectionKind::Lines ? report::DetailsTable{} : section.table);

    const bool choosable = std::find(section.actions.begin(), section.actions.end(),
                                     report::SectionAction::ChooseRow) != section.actions.end();
    rowIndices_ = choosable ? section.rowIndices : std::vector<int>{};
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(choosable ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
    table_->setFocusPolicy(choosable ? Qt::StrongFocus : Qt::NoFocus);

    while (QLayoutItem* item = lines_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const report::DetailsLine& line : section.lines) {
        auto* label = new DetailsLineLabel(line);
        lines_->addWidget(label);
        label->show(); // at once: a layout would show it only on the event loop's next turn
    }

    // The buttons, made again only when the actions change, so that the focus stays.
    std::vector<report::SectionAction> shown;
    for (const auto& [action, button] : buttons_) {
        shown.push_back(action);
    }
    if (shown != section.actions) {
        for (const auto& [action, button] : buttons_) {
            delete button;
        }
        buttons_.clear();
        auto* row = static_cast<QHBoxLayout*>(buttonRow_->layout());
        int at = 0;
        for (const report::SectionAction action : section.actions) {
            QAbstractButton* button = nullptr;
            if (action == report::SectionAction::Copy) {
                // A click copies the default format; its arrow offers the others.
                auto* tool = new QToolButton;
                tool->setPopupMode(QToolButton::MenuButtonPopup);
                tool->setToolButtonStyle(Qt::ToolButtonTextOnly);
                button = tool;
            } else {
                auto* push = new QPushButton;
                push->setAutoDefault(false);
                button = push;
            }
            button->setText(captionOf(action));
            button->setObjectName(nameOf(action));
            connect(button, &QAbstractButton::clicked, this, [this, action] {
                if (action == report::SectionAction::ChooseRow) {
                    chooseCurrentRow();
                } else {
                    emit actionTriggered(action);
                }
            });
            row->insertWidget(at++, button);
            button->show();
            buttons_.emplace_back(action, button);
        }
    }
    buttonRow_->setVisible(!buttons_.empty());
    if (QAbstractButton* save = button(report::SectionAction::SavePlot)) {
        save->setEnabled(plotted);
    }
    if (QAbstractButton* choose = button(report::SectionAction::ChooseRow)) {
        choose->setEnabled(!rowIndices_.empty());
    }
}

QAbstractButton* DetailsSectionView::button(report::SectionAction action) const
{
    for (const auto& [shown, button] : buttons_) {
        if (shown == action) {
            return button;
        }
    }
    return nullptr;
}

void DetailsSectionView::chooseCurrentRow()
{
    const int row = table_->currentRow();
    if (row >= 0 && static_cast<std::size_t>(row) < rowIndices_.size()) {
        emit rowChosen(rowIndices_[static_cast<std::size_t>(row)]);
    }
}

bool DetailsSectionView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        isEnter(static_cast<const QKeyEvent&>(*event)) && !rowIndices_.empty()) {
        chooseCurrentRow();
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace veldronix::qt
