#include "ui/qt/details_form_view.h"

#include "report/details_style.h"
#include "ui/qt/window_texts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace veldronix::qt {
namespace {

// What decides the widgets a form needs: its choices' and fields' keys, labels, units and items.
bool sameWidgets(const report::DetailsForm& a, const report::DetailsForm& b)
{
    if (a.name != b.name || a.choices.size() != b.choices.size() || a.fields.size() != b.fields.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.choices.size(); ++i) {
        const report::FormChoice& x = a.choices[i];
        const report::FormChoice& y = b.choices[i];
        if (x.key != y.key || x.label != y.label || x.items != y.items) {
            return false;
        }
    }
    for (std::size_t i = 0; i < a.fields.size(); ++i) {
        const report::FormField& x = a.fields[i];
        const report::FormField& y = b.fields[i];
        if (x.key != y.key || x.label != y.label || x.unit != y.unit) {
            return false;
        }
    }
    return true;
}

// The characters a choice's box is wide enough for; a longer item (an axis's name) is cut.
constexpr int choiceCharacters = 8;

QLabel* plainLabel(const std::string& text)
{
    auto* label = new QLabel(fromUtf8(text));
    label->setTextFormat(Qt::PlainText);
    // Wrapped where the window is narrow, so that a long label or unit never widens it.
    label->setWordWrap(true);
    return label;
}

} // namespace

DetailsFormView::DetailsFormView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("form"));
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setColumnStretch(1, 1);
}

void DetailsFormView::rebuild()
{
    // The old widgets go once control is back in the event loop: the form is
    // rebuilt from a command that one of them (Enter in a field) is still sending.
    while (QLayoutItem* item = grid_->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        delete item;
    }
    fields_.clear();
    findings_.clear();
    choices_.clear();
    int row = 0;
    for (const report::FormChoice& choice : form_.choices) {
        auto* combo = new QComboBox;
        combo->setObjectName(fromUtf8("formChoice_" + choice.key));
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(choiceCharacters);
        for (const std::string& item : choice.items) {
            combo->addItem(fromUtf8(item));
        }
        connect(combo, &QComboBox::activated, this, &DetailsFormView::edited);
        QLabel* label = plainLabel(choice.label);
        label->setBuddy(combo);
        grid_->addWidget(label, row, 0);
        // A choice has no unit: its box takes the unit's column too.
        grid_->addWidget(combo, row++, 1, 1, 2);
        choices_.emplace(choice.key, combo);
    }
    for (const report::FormField& field : form_.fields) {
        auto* edit = new QLineEdit;
        edit->setObjectName(fromUtf8("formField_" + field.key));
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // The user's typing only: a text the controller sets is no edit.
        connect(edit, &QLineEdit::textEdited, this, &DetailsFormView::edited);
        const std::string key = field.key;
        connect(edit, &QLineEdit::returnPressed, this, [this, key] {
            for (const report::FormField& shown : form_.fields) {
                if (shown.key == key && !shown.enterCommand.empty()) {
                    emit commandRequested(fromUtf8(shown.enterCommand));
                }
            }
        });
        QLabel* label = plainLabel(field.label);
        label->setBuddy(edit);
        QLabel* finding = plainLabel({});
        finding->setObjectName(QStringLiteral("finding"));
        finding->setWordWrap(true);
        grid_->addWidget(label, row, 0);
        grid_->addWidget(edit, row, 1);
        grid_->addWidget(plainLabel(field.unit), row++, 2);
        grid_->addWidget(finding, row++, 0, 1, 3);
        fields_.emplace(field.key, edit);
        findings_.emplace(field.key, finding);
    }
}

void DetailsFormView::showForm(const report::DetailsForm& form)
{
    const bool same = !fields_.empty() || !choices_.empty() ? sameWidgets(form_, form) : false;
    form_ = form;
    if (!same) {
        rebuild();
    }
    for (const report::FormChoice& choice : form_.choices) {
        QComboBox* combo = choices_.at(choice.key);
        if (combo->currentIndex() != choice.selected) {
            combo->setCurrentIndex(choice.selected);
        }
    }
    for (const report::FormField& field : form_.fields) {
        QLineEdit* edit = fields_.at(field.key);
        const QString text = fromUtf8(field.text);
        if (edit->text() != text) {
            edit->setText(text);
        }
        edit->setEnabled(field.used);
        QLabel* finding = findings_.at(field.key);
        finding->setText(fromUtf8(field.finding));
        finding->setVisible(!field.finding.empty());
        QPalette ink = finding->palette();
        ink.setColor(QPalette::WindowText, field.findingWarning
                                               ? QColor(fromUtf8(report::detailsColours.warning))
                                               : palette().color(QPalette::WindowText));
        finding->setPalette(ink);
    }
}

std::string DetailsFormView::fieldText(std::string_view key)
{
    const auto found = fields_.find(key);
    return found == fields_.end() ? std::string() : found->second->text().toStdString();
}

int DetailsFormView::selectedIndex(std::string_view key)
{
    const auto found = choices_.find(key);
    return found == choices_.end() ? -1 : found->second->currentIndex();
}

} // namespace veldronix::qt
