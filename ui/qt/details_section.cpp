#include "ui/qt/details_section.h"

#include "ui/qt/button_flow_layout.h"
#include "ui/qt/details_form_view.h"
#include "ui/qt/details_widgets.h"
#include "ui/qt/plot_widget.h"
#include "ui/qt/window_texts.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace veldronix::qt {
namespace {

// The name a user's tools (and the tests) know a button by.
QString nameOf(report::SectionAction action)
{
    switch (action) {
    case report::SectionAction::Copy:
        return QStringLiteral("copyButton");
    case report::SectionAction::SavePlot:
        return QStringLiteral("saveButton");
    case report::SectionAction::Command:
        return QStringLiteral("commandButton");
    case report::SectionAction::SaveMachine:
        return QStringLiteral("saveMachineButton");
    case report::SectionAction::OpenMachine:
        return QStringLiteral("openMachineButton");
    case report::SectionAction::ChooseRow:
        break;
    }
    return QStringLiteral("chooseButton");
}

bool isEnter(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// Whether two lists of buttons need other widgets: their actions, labels or menus differ.
bool sameButtons(const std::vector<report::SectionButton>& a, const std::vector<report::SectionButton>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.action == y.action && x.label == y.label && x.command == y.command && x.menu == y.menu;
    });
}

} // namespace

DetailsSectionView::DetailsSectionView(QWidget* parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("section"));
    auto* column = new QVBoxLayout(this);
    form_ = new DetailsFormView;
    form_->hide();
    column->addWidget(form_);
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
    // A form's many buttons take as many lines as the window's width asks for.
    auto* buttons = new ButtonFlowLayout(buttonRow_);
    buttons->setContentsMargins(0, 0, 0, 0);
    column->addWidget(buttonRow_);

    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row) { chooseRow(row); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DetailsSectionView::updateButtonStates);
    connect(form_, &DetailsFormView::edited, this, &DetailsSectionView::formEdited);
    connect(form_, &DetailsFormView::commandRequested, this, &DetailsSectionView::formCommandRequested);
    table_->installEventFilter(this);
}

void DetailsSectionView::showSection(const report::DetailsSection& section,
                                     const std::optional<report::PlotModel>& plot)
{
    const bool sameButtonWidgets = sameButtons(section_.buttons, section.buttons);
    section_ = section;
    setTitle(fromUtf8(section.heading));
    form_->setVisible(section.form.has_value());
    if (section.form) {
        form_->showForm(*section.form);
    }
    plot_->setPlot(section.plotted ? plot : std::nullopt);
    // The table of a Table section, or the phases under a plot; no row selected.
    table_->showTable(section.kind == report::SectionKind::Lines ? report::DetailsTable{} : section.table);

    const bool choosable = !section.rowIndices.empty();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(choosable ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
    table_->setFocusPolicy(choosable ? Qt::StrongFocus : Qt::NoFocus);
    table_->clearSelection();

    while (QLayoutItem* item = lines_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const report::DetailsLine& line : section.lines) {
        auto* label = new DetailsLineLabel(line);
        lines_->addWidget(label);
        label->show(); // at once: a layout would show it only on the event loop's next turn
    }
    // The buttons, made again only when they change, so that the focus stays.
    if (!sameButtonWidgets || buttons_.size() != section.buttons.size()) {
        showButtons();
    }
    updateButtonStates();
}

QAbstractButton* DetailsSectionView::makeButton(const report::SectionButton& value)
{
    QAbstractButton* button = nullptr;
    if (value.menu.size() > 1) {
        // A click does the menu's first choice; its arrow offers them all.
        auto* tool = new QToolButton;
        tool->setPopupMode(QToolButton::MenuButtonPopup);
        tool->setToolButtonStyle(Qt::ToolButtonTextOnly);
        auto* menu = new QMenu(tool);
        menu->setObjectName(QStringLiteral("copyFormats"));
        for (const report::ButtonChoice& choice : value.menu) {
            const QString text = fromUtf8(choice.text);
            connect(menu->addAction(fromUtf8(choice.label)), &QAction::triggered, this,
                    [this, text] { emit copyRequested(text); });
        }
        tool->setMenu(menu);
        button = tool;
    } else {
        auto* push = new QPushButton;
        push->setAutoDefault(false);
        button = push;
    }
    button->setText(fromUtf8(value.label));
    button->setObjectName(nameOf(value.action));
    return button;
}

void DetailsSectionView::showButtons()
{
    for (QAbstractButton* button : buttons_) {
        delete button;
    }
    buttons_.clear();
    for (std::size_t i = 0; i < section_.buttons.size(); ++i) {
        QAbstractButton* button = makeButton(section_.buttons[i]);
        connect(button, &QAbstractButton::clicked, this, [this, i] {
            const report::SectionButton& value = section_.buttons[i];
            switch (value.action) {
            case report::SectionAction::Copy:
                if (!value.menu.empty()) {
                    emit copyRequested(fromUtf8(value.menu.front().text));
                }
                break;
            case report::SectionAction::SavePlot:
                emit saveRequested();
                break;
            case report::SectionAction::ChooseRow:
                chooseRow(selectedRow());
                break;
            case report::SectionAction::Command:
                emit formCommandRequested(fromUtf8(value.command));
                break;
            case report::SectionAction::SaveMachine:
            case report::SectionAction::OpenMachine:
                emit machineFileRequested(value.action == report::SectionAction::SaveMachine);
                break;
            }
        });
        buttonRow_->layout()->addWidget(button);
        button->show();
        buttons_.push_back(button);
    }
    buttonRow_->setVisible(!buttons_.empty());
}

void DetailsSectionView::updateButtonStates()
{
    const bool rowSelected = selectedRow() >= 0;
    for (std::size_t i = 0; i < buttons_.size() && i < section_.buttons.size(); ++i) {
        buttons_[i]->setEnabled(report::isEnabled(section_.buttons[i], rowSelected));
    }
}

QAbstractButton* DetailsSectionView::button(report::SectionAction action) const
{
    for (std::size_t i = 0; i < buttons_.size() && i < section_.buttons.size(); ++i) {
        if (section_.buttons[i].action == action) {
            return buttons_[i];
        }
    }
    return nullptr;
}

int DetailsSectionView::selectedRow() const
{
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void DetailsSectionView::chooseRow(int row)
{
    const std::vector<DialogRequest> requests = report::chooseRowRequests(section_, row);
    if (!requests.empty()) {
        emit dialogRequested(requests);
    }
}

bool DetailsSectionView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        isEnter(static_cast<const QKeyEvent&>(*event)) && !section_.rowIndices.empty()) {
        chooseRow(selectedRow());
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace veldronix::qt
