// A section's form through its controller, as every window draws it and
// hands its edits and commands back: the window holds no rule of its own.
#include "controller/recording_view.h"
#include "report/details.h"
#include "support/fake_form_view.h"
#include "support/sample_form.h"

#include <gtest/gtest.h>

namespace veldronix::testing_support {
namespace {

class DetailsFormsTest : public ControllerTest {
protected:
    DetailsFormsTest()
    {
        auto made = std::make_unique<SampleForm>();
        form = made.get();
        forms.add(std::move(made));
        forms.add(nullptr); // nothing is added
    }

    const report::DetailsSection& formSection(const report::Details& details)
    {
        shown = forms.layout(details);
        return shown.sections.back();
    }

    report::DetailsForms forms;
    SampleForm* form = nullptr;
    report::DetailsLayout shown;
};

// After the details' own sections, calculated or not; its fields, units, the
// field the question does not use greyed, and Enter's command in each.
TEST_F(DetailsFormsTest, theFormsSectionFollowsTheDetailsOwn)
{
    const report::Details none = report::makeDetails(std::nullopt, std::nullopt);
    const report::DetailsSection& empty = formSection(none);
    EXPECT_EQ(shown.sections.size(), 1u);
    EXPECT_EQ(empty.heading, SampleForm::heading);
    ASSERT_TRUE(empty.form);
    EXPECT_EQ(empty.form->name, "sample");
    EXPECT_EQ(empty.form->choices.at(0).items, (std::vector<std::string>{"最短時間", "時間指定"}));
    ASSERT_EQ(empty.form->fields.size(), 2u);
    const report::FormField& speed = empty.form->fields[0];
    EXPECT_EQ(std::tie(speed.label, speed.unit, speed.text, speed.used, speed.enterCommand),
              std::make_tuple("最高速度", "PPS", "20000", true, "apply"));
    EXPECT_FALSE(empty.form->fields[1].used);

    view.enter(0, "100", "10000", "0.2", "");
    controller.onCalculate();
    const report::Details calculated = report::makeDetails(controller.lastCalculation(), std::nullopt);
    EXPECT_EQ(formSection(calculated).lines.at(0).text, "速度 20000 PPS、計算あり");
    EXPECT_EQ(shown.sections.size(), report::detailsLayout(calculated).sections.size() + 1);
}

// Each edit is read through the view: what the fields hold survives the next
// details (a command of the dialog), the choice changes which fields are used,
// a text that is no number gets its finding, and the button greys without a speed.
TEST_F(DetailsFormsTest, editsAreReadThroughTheViewAndKept)
{
    FakeFormView fields;
    fields.texts = {{"speed", "12x"}, {"time", "2"}};
    fields.selections = {{"question", 1}};
    forms.edit("sample", fields);
    forms.edit("another", fields); // no such form: nothing
    EXPECT_EQ(form->edits, 1);
    const report::DetailsSection& section = formSection(report::makeDetails(std::nullopt, std::nullopt));
    EXPECT_EQ(section.form->choices[0].selected, 1);
    EXPECT_EQ(section.form->fields[0].text, "12x");
    EXPECT_EQ(section.form->fields[0].finding, "▲ 「12x」は数値ではありません。");
    EXPECT_TRUE(section.form->fields[0].findingWarning && section.form->fields[1].used);
    EXPECT_TRUE(section.form->fields[1].finding.empty());
    EXPECT_TRUE(report::isEnabled(section.buttons.at(0), false));

    fields.texts = {};
    forms.edit("sample", fields);
    EXPECT_FALSE(report::isEnabled(formSection(report::makeDetails(std::nullopt, std::nullopt)).buttons.at(0), false));
}

// A command reads the form first and answers what the dialog must do, in
// order; carried out, they type and press as a user would.
TEST_F(DetailsFormsTest, aCommandsRequestsAreCarriedOutOnTheDialog)
{
    FakeFormView fields;
    fields.texts = {{"speed", "30000"}};
    const std::vector<DialogRequest> requests = forms.command("sample", "apply", fields);
    EXPECT_EQ(requests, (std::vector{DialogRequest::write(IDC_DRIVE_SPEED, "30000"), DialogRequest::press(IDC_CALCULATE)}));
    EXPECT_TRUE(forms.command("sample", "unknown", fields).empty());
    EXPECT_TRUE(forms.command("another", "apply", fields).empty());
    EXPECT_EQ(form->commands, (std::vector<std::string>{"apply", "unknown"}));

    view.enter(0, "100", "10000", "0.2", "");
    std::vector<ControlId> pressed;
    performRequests(requests, view, [&](ControlId button) {
        pressed.push_back(button);
        controller.onCalculate();
    });
    EXPECT_EQ(pressed, std::vector{IDC_CALCULATE});
    EXPECT_EQ(view.texts[IDC_OUT_V], "6000.000 "); // 30000 PPS needs 5(1,600,000): V = 30000 / 5
    performRequests(std::vector{DialogRequest::select(IDC_MULTIPLIER, 3)}, view, nullptr);
    EXPECT_EQ(view.selected[IDC_MULTIPLIER], 3);
}

} // namespace
} // namespace veldronix::testing_support
