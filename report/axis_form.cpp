#include "report/axis_form.h"

#include "report/texts_ja.h"
#include "report/details_units.h"

#include <fmt/format.h>

namespace veldronix::report {
namespace {

namespace t = texts::ja;

FormField field(std::string_view key, std::string_view label, std::string_view unit, std::string text)
{
    FormField f;
    f.key = std::string(key);
    f.label = std::string(label);
    f.unit = std::string(unit);
    f.text = std::move(text);
    return f;
}

SectionButton command(std::string_view label, std::string_view name, bool enabled = true)
{
    SectionButton button = sectionButton(SectionAction::Command, label);
    button.command = std::string(name);
    button.enabled = enabled;
    return button;
}

std::string_view mechanicsFault(AxisMechanicsProblem problem)
{
    switch (problem) {
    case AxisMechanicsProblem::NotANumber:
        return t::mechanicsNotANumber;
    case AxisMechanicsProblem::NotPositive:
        return t::mechanicsNotPositive;
    case AxisMechanicsProblem::OutOfRange:
        return t::mechanicsOutOfRange;
    case AxisMechanicsProblem::TooLong:
        return t::mechanicsTooLong;
    case AxisMechanicsProblem::RotaryNot360:
        break;
    }
    return t::mechanicsRotary;
}

// The label of an axis value's field (its name or a figure of its mechanics).
std::string_view valueLabel(InputField row)
{
    switch (row) {
    case InputField::PulsesPerRev:
        return t::axisPulsesPerRev;
    case InputField::Gear:
        return t::axisGear;
    case InputField::TravelPerRev:
        return t::axisTravelPerRev;
    default:
        return t::axisName;
    }
}

std::string_view valueUnit(InputField row, bool rotary)
{
    switch (row) {
    case InputField::PulsesPerRev:
        return t::unitPulsesPerRev;
    case InputField::Gear:
        return t::unitGear;
    case InputField::TravelPerRev:
        return rotary ? t::unitTravelDegree : t::unitTravelMillimetre;
    default:
        return {};
    }
}

bool noMechanics(const AxisMechanicsTexts& texts)
{
    const auto blank = [](const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; };
    for (const InputFieldDescription& row : axisRows) {
        if (const std::string* figure = mechanicsFigure(texts, row.id); figure != nullptr && !blank(*figure)) {
            return false;
        }
    }
    return true;
}

} // namespace

AxisForm::AxisForm(MachineSession& session, CalculatorView& dialog, const CalculatorController& controller)
    : session_(session), dialog_(dialog), controller_(controller)
{
}

AxisForm::Held AxisForm::fromSession() const
{
    Held held;
    held.chosen = static_cast<int>(session_.currentIndex());
    held.name = session_.current().name;
    if (const AxisMechanics* mechanics = session_.mechanics()) {
        held.mechanics = mechanics->texts();
    }
    return held;
}

AxisForm::Held AxisForm::shown() const
{
    return heldRevision_ == session_.revision() ? held_ : fromSession();
}

std::optional<DetailsSection> AxisForm::section(const Details&) const
{
    const Held held = shown();
    DetailsSection section;
    section.heading = std::string(t::axisHeading);
    DetailsForm form;
    form.name = std::string(formName);
    std::vector<std::string> names;
    for (const io::MachineAxis& axis : session_.axes()) {
        names.push_back(axis.name);
    }
    form.choices.push_back({"axis", std::string(t::axisChoice), std::move(names), held.chosen});
    const bool rotary = held.mechanics.unit == AxisUnit::Degree;
    form.choices.push_back({"unit", std::string(t::axisUnitChoice),
                            {std::string(t::axisUnitLinear), std::string(t::axisUnitRotary)}, rotary ? 1 : 0});
    // A field per typed value of the axis, keyed by its JSON member; the unit is the choice above.
    for (const InputFieldDescription& row : axisRows) {
        if (row.kind == FieldKind::Selector) {
            continue;
        }
        const std::string* figure = mechanicsFigure(held.mechanics, row.id);
        form.fields.push_back(field(row.member, valueLabel(row.id), valueUnit(row.id, rotary), figure ? *figure : held.name));
        form.fields.back().enterCommand = figure ? "mechanics" : "rename";
    }
    section.form = std::move(form);

    const io::MachineAxis& axis = session_.current();
    if (const AxisMechanics* mechanics = session_.mechanics()) {
        section.lines.push_back({fmt::format(t::axisPulsesPerUnit, axis.name, mechanics->pulsesPerUnitText(),
                                             axisUnitSymbol(mechanics->unit())),
                                 false});
    } else {
        section.lines.push_back({fmt::format(t::axisWithoutMechanics, axis.name), false});
    }
    const AxisMechanicsTexts applied = axis.mechanics ? axis.mechanics->texts() : AxisMechanicsTexts{};
    if (!(held.mechanics == applied) && !(noMechanics(held.mechanics) && !axis.mechanics)) {
        section.lines.push_back({std::string(t::mechanicsPending), false});
    }
    if (!problem_.empty()) {
        section.lines.push_back({fmt::format("{} {}", t::findingMark, problem_), true});
    }
    const bool several = session_.axes().size() > 1;
    section.buttons.push_back(command(t::chooseAxisButton, "choose",
                                      several && held.chosen != static_cast<int>(session_.currentIndex())));
    section.buttons.push_back(command(t::addAxisButton, "add"));
    section.buttons.push_back(command(t::renameAxisButton, "rename"));
    section.buttons.push_back(command(t::removeAxisButton, "remove", several));
    section.buttons.push_back(command(t::applyMechanicsButton, "mechanics"));
    section.buttons.push_back(sectionButton(SectionAction::SaveMachine, t::saveMachineButton));
    section.buttons.push_back(sectionButton(SectionAction::OpenMachine, t::openMachineButton));
    return section;
}

void AxisForm::onEdit(FormView& view)
{
    held_.chosen = view.selectedIndex("axis");
    held_.name = view.fieldText(describe(InputField::AxisName).member);
    for (const InputFieldDescription& row : axisRows) {
        if (std::string* figure = mechanicsFigure(held_.mechanics, row.id)) {
            *figure = view.fieldText(row.member);
        }
    }
    held_.mechanics.unit = view.selectedIndex("unit") == 1 ? AxisUnit::Degree : AxisUnit::Millimetre;
    heldRevision_ = session_.revision();
}

void AxisForm::capture()
{
    session_.capture(readDialogState(dialog_), controller_.lastCalculation());
}

std::vector<DialogRequest> AxisForm::onCommand(std::string_view command, FormView& view)
{
    onEdit(view);
    problem_.clear();
    std::optional<AxisEditProblem> problem;
    std::vector<DialogRequest> requests;
    if (command == "choose") {
        if (held_.chosen >= 0 && static_cast<std::size_t>(held_.chosen) != session_.currentIndex() &&
            static_cast<std::size_t>(held_.chosen) < session_.axes().size()) {
            capture();
            session_.choose(static_cast<std::size_t>(held_.chosen));
            requests = session_.restoreRequests();
        }
    } else if (command == "add") {
        capture();
        problem = session_.add(held_.name);
    } else if (command == "rename") {
        problem = session_.rename(held_.name);
        if (!problem) {
            // The mechanics typed and not yet applied stay in the form.
            heldRevision_ = session_.revision();
        }
    } else if (command == "remove") {
        problem = session_.remove();
        if (!problem) {
            requests = session_.restoreRequests();
        }
    } else if (command == "mechanics") {
        if (noMechanics(held_.mechanics)) {
            session_.setMechanics(std::nullopt);
        } else {
            auto made = AxisMechanics::make(held_.mechanics);
            if (const auto* error = std::get_if<AxisMechanicsError>(&made)) {
                problem_ = fmt::format(t::mechanicsBad, valueLabel(fieldOf(error->member)), mechanicsFault(error->problem));
                return {};
            }
            session_.setMechanics(std::get<AxisMechanics>(std::move(made)));
        }
    }
    if (problem) {
        problem_ = axisEditMessage(*problem, held_.name);
        // What was typed stays, so that it can be mended.
        heldRevision_ = session_.revision();
    }
    return requests;
}

} // namespace veldronix::report
