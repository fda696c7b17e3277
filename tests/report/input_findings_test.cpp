// What the fields were read as and why a command failed: the findings made from
// the controller's reading, their Japanese sentences as the details show them,
// and the details' status lines from the failure and freshness values.
#include "controller/recording_view.h"
#include "report/command_status.h"
#include "report/comparison_table.h"
#include "report/details.h"
#include "report/texts_ja.h"
#include "report/input_findings.h"
#include "report/texts_en.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veldronix::testing_support {
namespace {

using report::InputFinding;
using report::InputProblem;
namespace t = report::texts::ja;

// A finding as "field problem [text] read", for compact expectations.
std::string brief(const InputFinding& f)
{
    static const char* const fields[] = {"type", "initial", "drive", "accel", "decel", "multiplier", "pulses"};
    static const char* const problems[] = {"negative", "notANumber", "trailingText", "cut", "noItem", "wideForms"};
    return std::string(fields[static_cast<int>(f.field)]) + " " + problems[static_cast<int>(f.problem)] + " [" +
           f.text + "] " + (f.read ? std::to_string(*f.read) : "null");
}

TEST_F(ControllerTest, InputFindingsNameEachFieldAndProblemInOrder)
{
    const std::string long79 = "1" + std::string(77, '0') + "5";
    struct Case {
        const char* what;
        int type;
        std::string initial, drive, accel, decel, pulses; // pulses "": 算出 not run
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"clean, with blanks around", 3, " 100", "10000 ", "\t0.2\n", "0.3", "10000", {}},
        {"empty fields are no finding", 0, "", "10000", "0.2", "", "", {}},
        {"1,000 and 12abc", 0, "1,000", "12abc", "0.2", "", "", {"initial trailingText [1,000] 1.000000", "drive trailingText [12abc] 12.000000"}},
        {"abc reads 0", 0, "100", "abc", "0.2", "", "", {"drive notANumber [abc] 0.000000"}},
        {"-0.2 is negative, -0 is not", 0, "-0", "10000", "-0.2", "", "", {"accel negative [-0.2] -0.200000"}},
        {"negative with text after it", 0, "-5x", "10000", "0.2", "", "", {"initial negative [-5x] -5.000000", "initial trailingText [-5x] -5.000000"}},
        {"a cut number", 0, "100", long79, "0.2", "", "", {"drive cut [" + long79.substr(0, 78) + "] " + std::to_string(1e77)}},
        {"decel counts for asymmetric types only", 0, "100", "10000", "0.2", "abc", "", {}},
        {"decel of an asymmetric type", 2, "100", "10000", "0.2", "0.3s", "", {"decel trailingText [0.3s] 0.300000"}},
        {"pulse count after the speeds", 3, "100", "10000", "0.2", "0.3", "1e4 pulses", {"pulses trailingText [1e4 pulses] 10000.000000"}},
        {"full-width forms read as ASCII", 0, "１００", "１,０００", "0.2　", "", "", {"initial wideForms [１００] 100.000000", "drive trailingText [１,０００] 1.000000", "drive wideForms [１,０００] 1.000000"}},
        {"ideographic spaces alone are blanks", 0, "　", "10000", "0.2", "", "", {}},
        {"a type naming no item comes last", -1, "x", "10000", "0.2", "", "", {"initial notANumber [x] 0.000000", "type noItem [] null"}},
    };
    for (const Case& c : cases) {
        controller.reset();
        view.texts[IDC_DRIVE_TYPE] = "";
        view.enter(c.type, c.initial.c_str(), c.drive.c_str(), c.accel.c_str(), c.decel.c_str());
        controller.onCalculate();
        if (!c.pulses.empty()) {
            view.texts[IDC_PULSE_COUNT] = c.pulses;
            controller.onComputeDecelPoint();
        }
        std::vector<std::string> found;
        for (const InputFinding& f : report::findInputProblems(*controller.lastReading())) {
            found.push_back(brief(f));
        }
        EXPECT_EQ(found, c.expected) << c.what;
    }
}

// What the dialogs mark at the fields themselves: every field misread, with all
// of its sentences; full-width digits read as the number they show mark none.
TEST_F(ControllerTest, FieldFindingsMarkEachMisreadFieldWithItsSentences)
{
    struct Case {
        int type;
        const char *initial, *drive, *accel;
        std::vector<report::FieldFinding> expected;
    };
    const Case cases[] = {
        {0, "100", "10000", "0.2", {}},
        {0, "１００", "10000", "0.2", {}},
        {0, "100", "1,000", "-0.2",
         {{ControlId::IDC_DRIVE_SPEED, "ドライブ速度「1,000」は1と読まれました。数値の後の文字は無視されます。"},
          {ControlId::IDC_ACCEL_TIME, "ドライブ速度に達する時間「-0.2」は-0.2と読まれました。0より小さい値です。"}}},
        {0, "１,０００", "10000", "0.2",
         {{ControlId::IDC_INITIAL_SPEED, "初速度「１,０００」は1と読まれました。数値の後の文字は無視されます。\n"
                                         "初速度「１,０００」は全角の数字や記号を半角として1と読まれました。"}}},
        {-1, "100", "10000", "0.2",
         {{ControlId::IDC_DRIVE_TYPE, "ドライブ種類が選択されていないため、種類なしとして扱われます。"}}},
    };
    EXPECT_EQ(report::fieldFindings(controller, t::inputFindings), std::vector<report::FieldFinding>{});
    for (const Case& c : cases) {
        controller.reset();
        view.texts[IDC_DRIVE_TYPE] = "";
        view.enter(c.type, c.initial, c.drive, c.accel, "");
        controller.onCalculate();
        EXPECT_EQ(report::fieldFindings(controller, t::inputFindings), c.expected) << c.initial << c.drive << c.accel;
    }
}

TEST(InputFindingSentences, NameTheFieldTheTextAndTheNumberRead)
{
    struct Case {
        InputFinding finding;
        std::string sentence;
    };
    const Case cases[] = {
        {{InputField::DriveSpeed, InputProblem::TrailingText, "1,000", 1.0},
         "ドライブ速度「1,000」は1と読まれました。数値の後の文字は無視されます。"},
        {{InputField::AccelTime, InputProblem::Negative, "-0.2", -0.2},
         "ドライブ速度に達する時間「-0.2」は-0.2と読まれました。0より小さい値です。"},
        {{InputField::InitialSpeed, InputProblem::NotANumber, "abc", 0.0}, "初速度「abc」は数値ではないため、0と読まれました。"},
        {{InputField::PulseCount, InputProblem::Cut, std::string(78, '9'), 1e78},
         "出力パルス数は78バイトを超えるため、先頭の「" + std::string(78, '9') + "」だけが1e+78と読まれました。"},
        {{InputField::DriveType, InputProblem::NoItem, "台形", std::nullopt},
         "ドライブ種類「台形」は選択肢のどの項目でもないため、種類なしとして扱われます。"},
        {{InputField::DriveType, InputProblem::NoItem, "", std::nullopt},
         "ドライブ種類が選択されていないため、種類なしとして扱われます。"},
        {{InputField::InitialSpeed, InputProblem::WideForms, "１００", 100.0},
         "初速度「１００」は全角の数字や記号を半角として100と読まれました。"},
        // Control characters stay on the line; malformed bytes become U+FFFD.
        {{InputField::DecelTime, InputProblem::TrailingText, "1\n\x01\xFF", 1.0},
         "初速度に達する時間「1\\n\\x01\uFFFD」は1と読まれました。数値の後の文字は無視されます。"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(report::inputFindingSentence(c.finding, t::inputFindings), c.sentence);
    }
}

// A field added to the table without its names would name nothing in a finding.
TEST(InputFindingSentences, EveryFieldHasANameInEachLanguage)
{
    for (const InputFieldDescription& field : inputFields) {
        EXPECT_FALSE(t::inputFindings.fieldNames[field.id].empty()) << field.member;
        EXPECT_FALSE(report::texts::en::inputFindings.fieldNames[field.id].empty()) << field.member;
    }
}

TEST(CommandStatus, EachFailureHasItsSentenceAndStaleResultsTheirLines)
{
    using enum NoSettingReason;
    const auto noSetting = [](Command command, NoSettingReason reason, int selected = -1, int automatic = -1) {
        return CommandFailure{command, InputError::NoSetting, reason, selected, automatic};
    };
    const auto check = [](Command command, InputError error) {
        return CommandFailure{command, error, std::nullopt, -1, -1};
    };
    struct Case {
        CommandFailure failure;
        std::string sentence;
    };
    const Case cases[] = {
        {noSetting(Command::Calculate, NoMultiplierFits), "決定:どの倍率でも、4,000,000 PPSを超えるドライブ速度は設定できません。"},
        {check(Command::Calculate, InputError::DriveSpeedZero), "決定:ドライブ速度が0です(空欄や数値でない文字は0と読まれます)。"},
        {check(Command::Recalculate, InputError::InitialAboveDrive), "再計算:初速度がドライブ速度より大きいです。"},
        {noSetting(Command::Recalculate, NothingCalculated), "再計算:再計算の前に、決定で設定値を求める必要があります。"},
        {noSetting(Command::ComputeDecelPoint, NothingCalculated),
         "算出:算出の前に、非対称S字の設定値を決定で求める必要があります。"},
        {noSetting(Command::Recalculate, SmallerMultiplier, 0, 1), "再計算:選択した倍率1は、決定で選ばれた倍率2より小さいため使えません。"},
        {noSetting(Command::Recalculate, NoMultiplierSelected, -1, 1), "再計算:倍率が選択されていません。"},
        {noSetting(Command::ComputeDecelPoint, PulseCountTooSmall),
         "算出:出力パルス数が減速に必要なパルス数以下のため、0より大きい減速点がありません。"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(report::failureSentence(c.failure, t::commandStatus), c.sentence);
    }

    const ResultFreshness bothStale{true, true};
    EXPECT_EQ(report::commandStatusLines(cases[0].failure, bothStale, t::commandStatus),
              (std::vector<std::string>{cases[0].sentence, std::string(t::commandStatus.valuesStale),
                                        std::string(t::commandStatus.decelPointStale)}));
    EXPECT_TRUE(report::commandStatusLines(std::nullopt, ResultFreshness{}, t::commandStatus).empty());
    // Tooltips: the value fields and the summary share one note, マニュアル減速点 has its own.
    const ResultFreshness pointStale{false, true};
    EXPECT_EQ(report::staleFieldNote(IDC_OUT_L, bothStale, t::commandStatus), t::commandStatus.valuesStale);
    EXPECT_EQ(report::staleFieldNote(IDC_SUMMARY, pointStale, t::commandStatus), "");
    EXPECT_EQ(report::staleFieldNote(IDC_DECEL_POINT, pointStale, t::commandStatus), t::commandStatus.decelPointStale);
    EXPECT_EQ(report::staleFieldNote(IDC_DRIVE_SPEED, bothStale, t::commandStatus), "");
}

// The details of the controller carry its failure, its stale results and its findings.
TEST_F(ControllerTest, DetailsOfTheControllerSayWhyAndWhatWasRead)
{
    view.enter(3, "100", "10000", "0.2", "0.3");
    controller.onCalculate();
    view.texts[IDC_PULSE_COUNT] = "10000";
    controller.onComputeDecelPoint();
    report::Details details = report::makeDetails(controller, controller.readPulseCount());
    EXPECT_TRUE(details.status.empty());
    EXPECT_TRUE(details.inputFindings.empty());

    view.enter(3, "100", "4000001", "-0.2", "0.3");
    controller.onCalculate();
    view.texts[IDC_PULSE_COUNT] = "1,000";
    details = report::makeDetails(controller, controller.readPulseCount());
    EXPECT_FALSE(details.calculated);
    EXPECT_EQ(details.status,
              (std::vector<std::string>{"決定:どの倍率でも、4,000,000 PPSを超えるドライブ速度は設定できません。",
                                        std::string(t::commandStatus.valuesStale),
                                        std::string(t::commandStatus.decelPointStale)}));
    EXPECT_EQ(details.inputFindings,
              (std::vector<std::string>{"ドライブ速度に達する時間「-0.2」は-0.2と読まれました。0より小さい値です。",
                                        "出力パルス数「1,000」は1と読まれました。数値の後の文字は無視されます。"}));

    // A message that follows from a misread field says so, right under the failure.
    view.enter(0, "１００", "1,000", "0.2", "");
    controller.onCalculate();
    details = report::makeDetails(controller, std::nullopt);
    EXPECT_EQ(details.status, (std::vector<std::string>{"決定:初速度がドライブ速度より大きいです。",
                                                        "ドライブ速度「1,000」を1と読んだため、このメッセージになりました。",
                                                        std::string(t::commandStatus.valuesStale),
                                                        std::string(t::commandStatus.decelPointStale)}));
    view.enter(0, "100", "abc", "", "");
    controller.onCalculate();
    details = report::makeDetails(controller, std::nullopt);
    EXPECT_EQ(details.status[1], "ドライブ速度「abc」を0と読んだため、このメッセージになりました。");
    EXPECT_EQ(details.status.size(), 4u); // the empty accel time is no finding, and not the cause
}

// A negative time gives the registers of the positive one: under its finding no
// "なし", and no multiplier recommended, with the reason under the comparison.
TEST_F(ControllerTest, AnInputFindingThatMakesDeviationsMeaninglessWithholdsTheRecommendation)
{
    struct Case {
        const char* accel;
        const char* initial;
        bool withheld;
    };
    const std::string long79 = "0.2" + std::string(76, '0');
    const Case cases[] = {{"-0.2", "100", true}, {long79.c_str(), "100", true}, {"0.2", "-100", true},
                          {"0.2s", "100", false}, {"0.2", "１００", false}};
    for (const Case& c : cases) {
        view.enter(1, c.initial, "10000", c.accel, "");
        controller.onCalculate();
        ASSERT_TRUE(controller.lastCalculation()) << c.accel;
        const report::Details details = report::makeDetails(controller, std::nullopt);
        ASSERT_FALSE(details.inputFindings.empty()) << c.accel;
        EXPECT_EQ(details.findingsNote.find("なし"), std::string::npos) << c.accel;
        ASSERT_TRUE(details.comparison);
        EXPECT_EQ(details.comparison->recommendationWithheldBy.has_value(), c.withheld) << c.accel << c.initial;
        EXPECT_EQ(!details.comparison->recommendedIndex, c.withheld) << c.accel << c.initial;
        const auto section = report::comparisonSection(details);
        ASSERT_TRUE(section);
        const bool saysWhy = section->lines[1].text.starts_with("推奨する倍率はありません。") &&
                             section->lines[1].text.ends_with("この入力では、どの倍率の偏差も比べる意味がありません。");
        EXPECT_EQ(saysWhy, c.withheld) << section->lines[1].text;
    }
    const report::Details clean = (view.enter(1, "100", "10000", "0.2", ""), controller.onCalculate(),
                                   report::makeDetails(controller, std::nullopt));
    EXPECT_EQ(clean.findingsNote, t::findingsNone);
}

} // namespace
} // namespace veldronix::testing_support
