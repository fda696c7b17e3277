#include "ui/qt/calc_dialog.h"

#include "core/field_text.h"
#include "core/texts_ja.h"
#include "report/axis_form.h"
#include "report/command_status.h"
#include "report/texts_ja.h"
#include "report/dialog_keys.h"
#include "report/input_findings.h"
#include "report/move_design_form.h"
#include "report/units_form.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/app_icon.h"
#include "ui/qt/details_window.h"
#include "ui/qt/dialog_builder.h"
#include "ui/qt/dialog_layout.h"
#include "ui/qt/result_field.h"
#include "ui/qt/window_geometry.h"
#include "ui/qt/window_texts.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>
#include <array>
#include <cstddef>

namespace veldronix::qt {
namespace {

template <std::size_t N>
void fillSelector(QComboBox* combo, const std::array<std::string_view, N>& items)
{
    for (const std::string_view item : items) {
        combo->addItem(fromUtf8(item));
    }
}

bool isEnter(const QKeyEvent& key)
{
    const bool plain = key.modifiers() == Qt::NoModifier ||
                       (key.modifiers() == Qt::KeypadModifier && key.key() == Qt::Key_Enter);
    return plain && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter);
}

} // namespace

CCalcDialog::CCalcDialog(QWidget* parent) : QDialog(parent)
{
    const std::vector<QWidget*> widgets = buildDialog(*this, layout::IDD_MAIN, layout::mainControls);
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        const ControlId id = layout::mainControls[i].id;
        if (id == ControlId::IDC_STATIC) {
            continue;
        }
        controls_[id] = widgets[i];
        // Enter in a field presses its command's button and Esc ends the dialog;
        // a focused button takes Enter as its own click.
        if (qobject_cast<QLineEdit*>(widgets[i]) != nullptr) {
            widgets[i]->installEventFilter(this);
        } else if (auto* combo = qobject_cast<QComboBox*>(widgets[i])) {
            combo->installEventFilter(this);
            combo->lineEdit()->installEventFilter(this);
        }
    }
    const auto connectButton = [this](ControlId id, void (CalculatorController::*command)()) {
        connect(qobject_cast<QPushButton*>(controls_.at(id)), &QPushButton::clicked, this, [this, command] {
            (controller_.*command)();
            showFreshness();
            showFindings();
            refreshDetails();
        });
    };
    connectButton(ControlId::IDC_CALCULATE, &CalculatorController::onCalculate);
    connectButton(ControlId::IDC_RECALCULATE, &CalculatorController::onRecalculate);
    connectButton(ControlId::IDC_COMPUTE_DECEL_POINT, &CalculatorController::onComputeDecelPoint);
    // The details' plot is of the pulse count the field holds now.
    connect(qobject_cast<QLineEdit*>(controls_.at(ControlId::IDC_PULSE_COUNT)), &QLineEdit::textChanged, this,
            &CCalcDialog::refreshDetails);
    // The details window goes when the dialog ends, by whichever key or button.
    connect(this, &QDialog::finished, this, [this] {
        if (detailsWindow_ != nullptr) {
            detailsWindow_->close();
        }
    });
    initDialog();
    title_ = windowTitle();
    forms_.add(std::make_unique<report::AxisForm>(machine_, *this, controller_));
    forms_.add(std::make_unique<report::UnitsForm>(machine_));
    forms_.add(std::make_unique<report::MoveDesignForm>(machine_));
}

report::Details CCalcDialog::details()
{
    return report::makeDetails(controller_, controller_.readPulseCount(), machine_.mechanics());
}

void CCalcDialog::chooseMachineFile(bool save)
{
    const report::MachineFileDialog rule = report::machineFileDialog();
    const QString filter = fromUtf8(rule.filter);
    const QString path = save ? QFileDialog::getSaveFileName(detailsWindow_, fromUtf8(rule.saveTitle),
                                                             fromUtf8(report::suggestedMachineFileName(machine_)), filter)
                              : QFileDialog::getOpenFileName(detailsWindow_, fromUtf8(rule.openTitle), QString(), filter);
    if (path.isEmpty()) {
        return;
    }
    save ? saveMachineTo(path) : openMachineFrom(path);
}

void CCalcDialog::saveMachineTo(const QString& path)
{
    showMachineOutcome(report::saveMachine(machine_, path.toStdString(), *this, controller_.lastCalculation()));
}

void CCalcDialog::openMachineFrom(const QString& path)
{
    showMachineOutcome(report::openMachine(machine_, path.toStdString()));
}

void CCalcDialog::showMachineOutcome(const report::MachineFileOutcome& outcome)
{
    perform(outcome.requests);
    setWindowTitle(fromUtf8(report::machineWindowTitle(title_.toStdString(), machine_.fileName())));
    if (detailsWindow_ != nullptr) {
        detailsWindow_->showNote(fromUtf8(outcome.note), outcome.failed);
    }
}

void CCalcDialog::initDialog()
{
    // Window managers keep the window menu to themselves, so the details and
    // About items go into the context menu of the dialog's background.
    const QString detailsText = fromUtf8(layout::IDS_DETAILS.text);
    if (!detailsText.isEmpty()) {
        detailsAction_ = new QAction(detailsText, this);
        detailsAction_->setObjectName(QStringLiteral("IDM_DETAILS"));
        connect(detailsAction_, &QAction::triggered, this, &CCalcDialog::showDetailsWindow);
        addAction(detailsAction_);
        setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    const QString aboutText = fromUtf8(layout::IDS_ABOUTBOX.text);
    if (!aboutText.isEmpty()) {
        aboutAction_ = new QAction(aboutText, this);
        aboutAction_->setObjectName(QStringLiteral("IDM_ABOUTBOX"));
        connect(aboutAction_, &QAction::triggered, this, &CCalcDialog::showAboutBox);
        addAction(aboutAction_);
        setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    setWindowIcon(appIcon());

    // The items first: selecting the first drive type needs them in place.
    fillSelector(selector(ControlId::IDC_DRIVE_TYPE), texts::ja::driveTypeItems);
    fillSelector(selector(ControlId::IDC_MULTIPLIER), texts::ja::multiplierItems);
    selector(ControlId::IDC_DRIVE_TYPE)->setCurrentIndex(0);
    selector(ControlId::IDC_MULTIPLIER)->setCurrentIndex(-1);
    // The first field gets the focus with its text selected, so that typing replaces it.
    selector(ControlId::IDC_DRIVE_TYPE)->lineEdit()->selectAll();
    controller_.reset();
    showFreshness();
    showFindings();
}

QComboBox* CCalcDialog::selector(ControlId id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : qobject_cast<QComboBox*>(found->second);
}

std::string CCalcDialog::readText(ControlId field)
{
    const auto found = controls_.find(field);
    if (found == controls_.end()) {
        return {};
    }
    QString text;
    if (const auto* edit = qobject_cast<QLineEdit*>(found->second)) {
        text = edit->text();
    } else if (const auto* combo = qobject_cast<QComboBox*>(found->second)) {
        text = combo->currentText();
    } else if (const auto* label = qobject_cast<QLabel*>(found->second)) {
        text = label->text();
    }
    return text.toStdString();
}

void CCalcDialog::writeText(ControlId field, std::string_view text)
{
    const auto found = controls_.find(field);
    if (found == controls_.end()) {
        return;
    }
    if (auto* label = qobject_cast<QLabel*>(found->second)) {
        label->setText(fromUtf8(text));
        // Its tooltip follows the text: the whole of it where it does not fit.
        if (std::find(resultFields.begin(), resultFields.end(), field) != resultFields.end()) {
            markResult(field);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(found->second)) {
        edit->setText(fromUtf8(text));
    } else if (auto* combo = qobject_cast<QComboBox*>(found->second)) {
        combo->setEditText(fromUtf8(text));
    }
}

int CCalcDialog::selectedIndex(ControlId selector)
{
    const QComboBox* combo = this->selector(selector);
    if (combo == nullptr) {
        return -1;
    }
    // The selection is what the edit part shows: a text the user typed over it
    // selects the item it names, or none.
    const QString editText = combo->currentText();
    const int current = combo->currentIndex();
    if (current >= 0 && combo->itemText(current) == editText) {
        return current;
    }
    return combo->findText(editText, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void CCalcDialog::setSelectedIndex(ControlId selector, int index)
{
    QComboBox* combo = this->selector(selector);
    if (combo == nullptr) {
        return;
    }
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    // The item's text even where the user had typed over the same item.
    combo->setEditText(combo->currentIndex() >= 0 ? combo->itemText(combo->currentIndex()) : QString());
}

void CCalcDialog::showError(std::string_view message)
{
    // The failure is the controller's already: the fields and the details say so
    // while the box is open, not only once it has closed.
    showFreshness();
    showFindings();
    refreshDetails();
    QMessageBox box(QMessageBox::Critical, applicationTitle(), fromUtf8(message), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void CCalcDialog::showDetailsWindow()
{
    const bool first = detailsWindow_ == nullptr;
    if (first) {
        detailsWindow_ = new CDetailsWindow(forms_, this);
        // A row of the comparison chosen, a form applied: what they ask of the dialog.
        connect(detailsWindow_, &CDetailsWindow::dialogRequested, this, &CCalcDialog::perform);
        connect(detailsWindow_, &CDetailsWindow::machineFileRequested, this, &CCalcDialog::chooseMachineFile);
    }
    const bool opening = first || !detailsWindow_->isVisible();
    detailsWindow_->showDetails(details());
    // Each time it opens, beside the dialog wherever that stands now.
    if (opening) {
        detailsWindow_->placeBeside(*this);
    }
    detailsWindow_->show();
    detailsWindow_->raise();
    detailsWindow_->activateWindow();
}

void CCalcDialog::showFreshness()
{
    freshness_ = controller_.resultFreshness();
    for (const ControlId id : resultFields) {
        markResult(id);
    }
}

void CCalcDialog::markResult(ControlId id)
{
    auto* field = qobject_cast<QLabel*>(controls_.at(id));
    const bool stale = veldronix::isStale(id, freshness_);
    markResultField(*field, stale, fromUtf8(report::staleFieldNote(id, freshness_, report::texts::ja::commandStatus)));
}

void CCalcDialog::showFindings()
{
    const std::vector<report::FieldFinding> findings =
        report::fieldFindings(controller_, report::texts::ja::inputFindings);
    for (const InputFieldDescription& field : inputFields) {
        const auto found = std::find_if(findings.begin(), findings.end(),
                                        [&field](const report::FieldFinding& f) { return f.control == field.control; });
        markInputField(*controls_.at(field.control), found != findings.end() ? fromUtf8(found->note) : QString());
    }
}

void CCalcDialog::refreshDetails()
{
    if (detailsWindow_ != nullptr && detailsWindow_->isVisible()) {
        detailsWindow_->showDetails(details());
    }
}

void CCalcDialog::perform(const std::vector<DialogRequest>& requests)
{
    performRequests(requests, *this, [this](ControlId button) {
        if (auto* push = qobject_cast<QPushButton*>(controls_.count(button) != 0 ? controls_.at(button) : nullptr)) {
            push->click();
        }
    });
    // What a form changed beside the dialog's fields (an axis's mechanics) shows too.
    refreshDetails();
}

void CCalcDialog::showAboutBox()
{
    CAboutDialog about(this);
    about.exec();
}

std::optional<ControlId> CCalcDialog::buttonForEnter(const QObject& field) const
{
    // An editable selector's keys reach its line edit, whose parent is the selector.
    const QObject* control = qobject_cast<const QLineEdit*>(&field) != nullptr &&
                                     qobject_cast<const QComboBox*>(field.parent()) != nullptr
                                 ? field.parent()
                                 : &field;
    for (const auto& [id, widget] : controls_) {
        if (widget == control) {
            return report::enterButton(id);
        }
    }
    return std::nullopt;
}

void CCalcDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event); // centres the dialog when it first opens
    // Then kept inside the work area, before it is first drawn: a dialog taller
    // than the screen's work area keeps its title bar on the screen.
    if (!event->spontaneous() && !placed_) {
        placed_ = true;
        keepOnScreen(*this);
    }
}

bool CCalcDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        // Enter confirms what was typed: it presses the field's button, so that
        // no keystroke meant for a number ends the program and loses the inputs.
        if (isEnter(key)) {
            if (const std::optional<ControlId> button = buttonForEnter(*watched)) {
                qobject_cast<QPushButton*>(controls_.at(*button))->click();
            }
            return true;
        }
        if (key.matches(QKeySequence::Cancel)) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace veldronix::qt
