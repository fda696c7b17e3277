// A form made for the tests, since the product shows none yet: the shape of a
// move to design. A choice of the question, which decides whether the target
// time is used; a speed and a time with units; a finding under a field whose
// text is no plain number; a line that follows every edit; an apply button
// (and Enter in either field) that writes the speed into the dialog and presses
// 決定. Shared by report/'s suite and each window's own, which render it.
#pragma once

#include "report/form_controller.h"

#include <string>
#include <string_view>
#include <vector>

namespace veldronix::testing_support {

class SampleForm final : public report::FormController {
public:
    static constexpr std::string_view formName = "sample";
    static constexpr std::string_view heading = "試験の設計";
    static constexpr std::string_view applyLabel = "適用(&P)";

    std::string_view name() const override { return formName; }

    std::optional<report::DetailsSection> section(const report::Details& details) const override
    {
        report::DetailsSection section;
        section.heading = std::string(heading);
        report::DetailsForm form;
        form.name = std::string(formName);
        form.choices.push_back({"question", "問い", {"最短時間", "時間指定"}, question_});
        form.fields.push_back(fieldOf("speed", "最高速度", "PPS", speed_, true));
        form.fields.push_back(fieldOf("time", "目標時間", "秒", time_, question_ == 1));
        section.form = std::move(form);
        // What follows each keystroke, and what the details it sits in are of.
        section.lines.push_back({"速度 " + speed_ + " PPS、" + (details.calculated ? "計算あり" : "計算なし"), false});
        report::SectionButton apply = report::sectionButton(report::SectionAction::Command, applyLabel);
        apply.command = "apply";
        apply.enabled = !speed_.empty();
        section.buttons.push_back(std::move(apply));
        return section;
    }

    void onEdit(report::FormView& view) override
    {
        ++edits;
        speed_ = view.fieldText("speed");
        time_ = view.fieldText("time");
        question_ = view.selectedIndex("question");
    }

    std::vector<DialogRequest> onCommand(std::string_view command, report::FormView& view) override
    {
        onEdit(view);
        commands.push_back(std::string(command));
        if (command != "apply") {
            return {};
        }
        return {DialogRequest::write(ControlId::IDC_DRIVE_SPEED, speed_),
                DialogRequest::press(ControlId::IDC_CALCULATE)};
    }

    int edits = 0;                     // onEdit calls, commands' own reads included
    std::vector<std::string> commands; // in the order run

private:
    static report::FormField fieldOf(const char* key, const char* label, const char* unit, const std::string& text,
                                     bool used)
    {
        report::FormField field;
        field.key = key;
        field.label = label;
        field.unit = unit;
        field.text = text;
        field.used = used;
        field.enterCommand = "apply";
        if (text.find_first_not_of("0123456789.") != std::string::npos) {
            field.finding = "▲ 「" + text + "」は数値ではありません。";
            field.findingWarning = true;
        }
        return field;
    }

    int question_ = 0;
    std::string speed_ = "20000";
    std::string time_ = "1.5";
};

} // namespace veldronix::testing_support
