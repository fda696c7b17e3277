#include "io/machine_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace veldronix::io {
namespace {

AxisMechanics mechanics(AxisMechanicsTexts texts)
{
    return std::get<AxisMechanics>(AxisMechanics::make(std::move(texts)));
}

// One axis as the file holds it; the bad files below are edits of it.
const std::string oneAxis = R"({
  "format": "veldronix-machine",
  "version": 1,
  "axes": [
    {
      "name": "X",
      "mechanics": {
        "pulsesPerRev": "3200",
        "gear": "",
        "travelPerRev": "5",
        "unit": "mm"
      },
      "driveType": "asymmetric-s-curve",
      "fields": {
        "initialSpeed": "640",
        "driveSpeed": "32000",
        "accelTime": "0.2",
        "decelTime": "0.3 s\t\"",
        "pulseCount": null
      },
      "multiplier": 50,
      "design": {}
    }
  ]
}
)";

TEST(MachineFile, writesOneMemberALineAndReadsItBack)
{
    MachineAxis x;
    x.name = "X";
    x.mechanics = mechanics({"3200", "", "5", AxisUnit::Millimetre});
    x.driveType = 3;
    x.initialSpeed = "640";
    x.driveSpeed = "32000";
    x.accelTime = "0.2";
    x.decelTime = "0.3 s\t\"";
    x.multiplierIndex = 5;
    const Machine machine{{x}};
    ASSERT_EQ(writeMachine(machine), oneAxis);
    const auto read = readMachine(oneAxis);
    ASSERT_TRUE(std::holds_alternative<Machine>(read));
    EXPECT_EQ(writeMachine(std::get<Machine>(read)), oneAxis);
}

TEST(MachineFile, threeAxesSaveAndOpenByteForByte)
{
    MachineAxis x;
    x.name = "X";
    x.mechanics = mechanics({"3200", "1", "5", AxisUnit::Millimetre});
    MachineAxis table;
    table.name = "回転テーブル";
    table.mechanics = mechanics({"3200", "3", "", AxisUnit::Degree});
    table.driveType = -1;
    table.pulseCount = "";
    // Keys the form does not know, the empty one too, stay as they are.
    table.design = {{"distance", "90"}, {"time", "0.5"}, {"", "é😀"}};
    MachineAxis bare;
    bare.name = "Z";
    bare.initialSpeed = "\x7f\x01";
    Machine machine{{x, table, bare}};

    testing_support::TempDir dir;
    const std::string path = dir.file("mill.veldronix.json");
    ASSERT_EQ(saveMachineFile(path, machine), std::nullopt);
    const std::string saved = testing_support::readWhole(path);
    auto opened = loadMachineFile(path);
    ASSERT_TRUE(std::holds_alternative<Machine>(opened));
    const Machine& back = std::get<Machine>(opened);
    ASSERT_EQ(back.axes.size(), 3u);
    EXPECT_EQ(back.axes[1].mechanics->pulsesPerUnitText(), "26.666667");
    EXPECT_EQ(back.axes[1].design, table.design);
    EXPECT_EQ(back.axes[1].pulseCount, "");
    EXPECT_EQ(back.axes[2].initialSpeed, "\x7f\x01");
    ASSERT_EQ(saveMachineFile(path, back), std::nullopt);
    EXPECT_EQ(testing_support::readWhole(path), saved);

    // An axis replaces the one of its name and keeps the others' order.
    MachineAxis y = x;
    y.name = "Y";
    machine.replaceOrAdd(y);
    x.driveSpeed = "1";
    machine.replaceOrAdd(x);
    ASSERT_EQ(machine.axes.size(), 4u);
    EXPECT_EQ(machine.axes[0].driveSpeed, "1");
    EXPECT_EQ(machine.axes[3].name, "Y");
}

TEST(MachineFile, refusesToSaveWhatItCouldNotReadBack)
{
    MachineAxis axis;
    axis.name = "X";
    const struct {
        Machine machine;
        MachineFileProblem problem;
        const char* member;
    } cases[] = {
        {Machine{}, MachineFileProblem::NoAxes, "axes"},
        {Machine{{axis, axis}}, MachineFileProblem::DuplicateAxis, "axes[1].name"},
        {Machine{{MachineAxis{}}}, MachineFileProblem::BadName, "axes[0].name"},
        {[&] { auto a = axis; a.driveSpeed = "\xff"; return Machine{{a}}; }(), MachineFileProblem::NotUtf8,
         "axes[0].fields.driveSpeed"},
        {[&] { auto a = axis; a.pulseCount = std::string(79, '1'); return Machine{{a}}; }(),
         MachineFileProblem::TextTooLong, "axes[0].fields.pulseCount"},
        {[&] { auto a = axis; a.design = {{"k", "1"}, {"k", "2"}}; return Machine{{a}}; }(),
         MachineFileProblem::DuplicateMember, "axes[0].design"},
    };
    testing_support::TempDir dir;
    const std::string path = dir.write("kept.veldronix.json", "kept");
    for (const auto& c : cases) {
        const auto error = saveMachineFile(path, c.machine);
        ASSERT_TRUE(error) << c.member;
        EXPECT_EQ(error->problem, c.problem) << c.member;
        EXPECT_EQ(error->member, c.member);
    }
    EXPECT_EQ(testing_support::readWhole(path), "kept");
}

std::string edited(std::string_view from, std::string_view to)
{
    std::string text = oneAxis;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(MachineFile, badFilesNameTheirMemberAndLine)
{
    using P = MachineFileProblem;
    const struct {
        std::string text;
        P problem;
        std::string member;
        std::size_t line;
        std::string detail;
    } cases[] = {
        {"", P::NotJson, "", 1, ""},
        {"R,A,SV\n1,2,3\n", P::NotJson, "", 1, ""},
        {edited("\"version\": 1,", "\"version\": 1"), P::NotJson, "", 4, ""},
        {edited("\"axes\": [", "\"axes\": [\n\"x\xff\","), P::NotUtf8, "", 5, ""},
        {edited("\"X\"", "\"\\udc00\""), P::NotUtf8, "", 6, ""},
        {std::string(10'000'000, '['), P::TooDeep, "", 1, ""},
        {edited("\"format\"", "\"version\": 2, \"format\""), P::DuplicateMember, "", 3, "version"},
        {"[]", P::NotMachineFile, "", 1, ""},
        {edited("veldronix-machine", "other-tool"), P::NotMachineFile, "format", 2, "other-tool"},
        {edited("\"version\": 1", "\"version\": 2"), P::NewerVersion, "version", 3, "2"},
        {edited("\"version\": 1", "\"version\": 1e999"), P::NumberOutOfRange, "version", 3, "1e999"},
        {edited("\"version\": 1", "\"version\": 0.5"), P::BadValue, "version", 3, "0.5"},
        {edited("\"version\": 1", "\"version\": \"1\""), P::WrongType, "version", 3, "number"},
        {edited("\"version\": 1,", ""), P::MissingMember, "version", 1, ""},
        {edited("\"version\": 1,", "\"version\": 1, \"comment\": 0,"), P::UnknownMember, "comment", 3, ""},
        {R"({"format": "veldronix-machine", "version": 1, "axes": []})", P::NoAxes, "axes", 1, ""},
        {edited("      \"name\": \"X\",\n", ""), P::MissingMember, "axes[0].name", 5, ""},
        {edited("\"X\"", "\"\""), P::BadName, "axes[0].name", 6, ""},
        {edited("\"3200\"", "3200"), P::WrongType, "axes[0].mechanics.pulsesPerRev", 8, "string"},
        {edited("\"3200\"", "\"0\""), P::BadMechanics, "axes[0].mechanics.pulsesPerRev", 8, ""},
        {edited("\"mm\"", "\"inch\""), P::BadValue, "axes[0].mechanics.unit", 11, "inch"},
        {edited("\"asymmetric-s-curve\"", "3"), P::WrongType, "axes[0].driveType", 13, "string or null"},
        {edited("\"asymmetric-s-curve\"", "\"fast\""), P::BadValue, "axes[0].driveType", 13, "fast"},
        {edited("\"32000\"", "\"" + std::string(79, '9') + "\""), P::TextTooLong, "axes[0].fields.driveSpeed", 16,
         ""},
        {edited("\"32000\"", "\"32\\u0000\""), P::NulCharacter, "axes[0].fields.driveSpeed", 16, ""},
        {edited("\"pulseCount\": null", "\"pulses\": null"), P::MissingMember, "axes[0].fields.pulseCount", 14, ""},
        {edited("\"multiplier\": 50", "\"multiplier\": 3"), P::BadValue, "axes[0].multiplier", 21, "3"},
        {edited("\"multiplier\": 50", "\"multiplier\": -1e999"), P::NumberOutOfRange, "axes[0].multiplier", 21,
         "-1e999"},
        {edited("\"design\": {}", "\"design\": {\"t\": 1}"), P::WrongType, "axes[0].design.t", 22, "string"},
        {edited("    }\n  ]", "    },\n    {}\n  ]"), P::MissingMember, "axes[1].name", 24, ""},
    };
    for (const auto& c : cases) {
        const auto read = readMachine(c.text);
        ASSERT_TRUE(std::holds_alternative<MachineFileError>(read)) << c.text.substr(0, 200);
        const MachineFileError& error = std::get<MachineFileError>(read);
        EXPECT_EQ(error.problem, c.problem) << c.text.substr(0, 200);
        EXPECT_EQ(error.member, c.member) << c.text.substr(0, 200);
        EXPECT_EQ(error.line, c.line) << c.text.substr(0, 200);
        EXPECT_EQ(error.detail, c.detail) << c.text.substr(0, 200);
    }
}

TEST(MachineFile, aDuplicateAxisNameIsRefused)
{
    const std::size_t first = oneAxis.find("    {\n");
    const std::size_t end = oneAxis.find("    }\n") + 5;
    std::string two = oneAxis;
    two.insert(end, "," + oneAxis.substr(first - 1, end - first + 1));
    const auto read = readMachine(two);
    ASSERT_TRUE(std::holds_alternative<MachineFileError>(read));
    EXPECT_EQ(std::get<MachineFileError>(read).problem, MachineFileProblem::DuplicateAxis);
    EXPECT_EQ(std::get<MachineFileError>(read).member, "axes[1].name");
    EXPECT_EQ(std::get<MachineFileError>(read).line, 25u);
}

TEST(MachineFile, aFileThatCannotBeReadSaysWhy)
{
    testing_support::TempDir dir;
    const auto missing = loadMachineFile(dir.file("none.veldronix.json"));
    ASSERT_TRUE(std::holds_alternative<MachineFileError>(missing));
    EXPECT_EQ(std::get<MachineFileError>(missing).problem, MachineFileProblem::CannotRead);
    EXPECT_EQ(std::get<MachineFileError>(missing).detail, "No such file or directory");
    const auto folder = loadMachineFile(dir.path());
    ASSERT_TRUE(std::holds_alternative<MachineFileError>(folder));
    EXPECT_EQ(std::get<MachineFileError>(folder).problem, MachineFileProblem::CannotRead);
}

} // namespace
} // namespace veldronix::io
