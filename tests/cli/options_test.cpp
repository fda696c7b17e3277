#include "cli/options.h"
#include "tests/cli/typed_drive.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix::cli {
namespace {

std::variant<Options, UsageError> parse(std::vector<std::string_view> arguments)
{
    return parseOptions(arguments);
}

struct IndexCase {
    std::string_view text;
    std::optional<int> index;
};

void PrintTo(const IndexCase& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

class DriveTypeTest : public testing::TestWithParam<IndexCase> {};

TEST_P(DriveTypeTest, Parses)
{
    EXPECT_EQ(parseDriveType(GetParam().text), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DriveTypeTest,
    testing::Values(IndexCase{"0", 0}, IndexCase{"3", 3}, IndexCase{"-1", -1},
                    IndexCase{"symmetric-trapezoid", 0}, IndexCase{"symmetric-s-curve", 1},
                    IndexCase{"asymmetric-trapezoid", 2}, IndexCase{"asymmetric-s-curve", 3},
                    IndexCase{"4", std::nullopt}, IndexCase{"-2", std::nullopt}, IndexCase{"", std::nullopt},
                    IndexCase{"1x", std::nullopt}, IndexCase{" 1", std::nullopt}, IndexCase{"+1", std::nullopt},
                    IndexCase{"Symmetric-Trapezoid", std::nullopt},
                    IndexCase{"99999999999999999999", std::nullopt}));

class MultiplierIndexTest : public testing::TestWithParam<IndexCase> {};

TEST_P(MultiplierIndexTest, Parses)
{
    EXPECT_EQ(parseMultiplierIndex(GetParam().text), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Texts, MultiplierIndexTest,
                         testing::Values(IndexCase{"-1", -1}, IndexCase{"0", 0}, IndexCase{"8", 8},
                                         IndexCase{"9", std::nullopt}, IndexCase{"-2", std::nullopt},
                                         IndexCase{"abc", std::nullopt}, IndexCase{"", std::nullopt},
                                         IndexCase{"3.0", std::nullopt},
                                         // The multiplier itself, each of the nine, and what is none of them.
                                         IndexCase{"x1", 0}, IndexCase{"x2", 1}, IndexCase{"x5", 2},
                                         IndexCase{"x10", 3}, IndexCase{"X20", 4}, IndexCase{"x50", 5},
                                         IndexCase{"x100", 6}, IndexCase{"x200", 7}, IndexCase{"x500", 8},
                                         IndexCase{"x0", std::nullopt}, IndexCase{"x3", std::nullopt},
                                         IndexCase{"x-1", std::nullopt}, IndexCase{"x 5", std::nullopt},
                                         IndexCase{"x5.0", std::nullopt}, IndexCase{"x1000", std::nullopt},
                                         IndexCase{"×50", std::nullopt}, IndexCase{"50", std::nullopt}));

TEST(ParseOptions, NothingGivenIsAnEmptyRequestOnTheFirstType)
{
    const auto parsed = parse({});
    ASSERT_TRUE(std::holds_alternative<Options>(parsed));
    const auto& options = std::get<Options>(parsed);
    EXPECT_EQ(options.request, DriveRequest{}); // the dialog as it opens: no text, the first drive type
    EXPECT_FALSE(options.json);
    EXPECT_FALSE(options.help);
}

TEST(ParseOptions, SeparateAndInlineValuesAreTheSame)
{
    const auto parsed = parse({"--type=asymmetric-s-curve", "--initial", "100", "--drive=10000", "--accel", "0.2",
                               "--decel=0.3", "--multiplier", "3", "--pulses=", "--json"});
    ASSERT_TRUE(std::holds_alternative<Options>(parsed));
    const auto& options = std::get<Options>(parsed);
    EXPECT_EQ(options.request, typedDrive(3, "100", "10000", "0.2", "0.3", 3, ""));
    EXPECT_TRUE(options.json);
}

TEST(ParseOptions, FieldTextsAreTakenAsGiven)
{
    // A value that looks like an option is still the field's text, and only the first '=' splits.
    const auto parsed = parse({"--initial", "--json", "--drive= 1e3=x", "--accel", ""});
    ASSERT_TRUE(std::holds_alternative<Options>(parsed));
    const auto& request = std::get<Options>(parsed).request;
    EXPECT_EQ(request.texts[InputField::InitialSpeed], "--json");
    EXPECT_EQ(request.texts[InputField::DriveSpeed], " 1e3=x");
    EXPECT_EQ(request.texts[InputField::AccelTime], "");
    EXPECT_FALSE(std::get<Options>(parsed).json);
}

TEST(ParseOptions, TheLastOfARepeatedOptionWins)
{
    const auto parsed = parse({"--drive", "1", "--drive", "2", "--type", "1", "--type", "2"});
    ASSERT_TRUE(std::holds_alternative<Options>(parsed));
    EXPECT_EQ(std::get<Options>(parsed).request.texts[InputField::DriveSpeed], "2");
    EXPECT_EQ(std::get<Options>(parsed).request.items[InputField::DriveType], 2);
}

struct UsageCase {
    std::vector<std::string_view> arguments;
    std::string message;
};

void PrintTo(const UsageCase& c, std::ostream* os)
{
    for (const auto argument : c.arguments) {
        *os << argument << ' ';
    }
}

class UsageErrorTest : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrorTest, NamesTheFault)
{
    const auto parsed = parse(GetParam().arguments);
    ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
    EXPECT_EQ(std::get<UsageError>(parsed).message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UsageErrorTest,
    testing::Values(
        UsageCase{{"--bogus"}, "unknown option '--bogus'"},
        UsageCase{{"--bogus=1"}, "unknown option '--bogus=1'"},
        UsageCase{{"100"}, "unknown option '100'"},
        UsageCase{{"--drive"}, "option --drive needs a value"},
        UsageCase{{"--json=yes"}, "option --json takes no value"},
        UsageCase{{"--multiplier", "9"}, "bad --multiplier '9': give a multiplier x1, x2, x5, x10, x20, x50, x100, "
                                         "x200 or x500, or an item index from -1 to 8"},
        UsageCase{{"--multiplier=abc"}, "bad --multiplier 'abc': give a multiplier x1, x2, x5, x10, x20, x50, x100, "
                                        "x200 or x500, or an item index from -1 to 8"},
        UsageCase{{"--multiplier", "x"}, "bad --multiplier 'x': give a multiplier x1, x2, x5, x10, x20, x50, x100, "
                                         "x200 or x500, or an item index from -1 to 8"},
        UsageCase{{"--multiplier", "x1000"}, "bad --multiplier 'x1000': give a multiplier x1, x2, x5, x10, x20, "
                                             "x50, x100, x200 or x500, or an item index from -1 to 8"},
        UsageCase{{"--pulses", "1", "--svg", "-", "--json"},
                  "--svg - writes the plot to standard output, where nothing else may go: give no --json, --rounded, "
                  "--compare or --registers"},
        UsageCase{{"--pulses", "1", "--rounded", "--svg=-"},
                  "--svg - writes the plot to standard output, where nothing else may go: give no --json, --rounded, "
                  "--compare or --registers"},
        UsageCase{{"--pulses", "1", "--svg=-", "--compare"},
                  "--svg - writes the plot to standard output, where nothing else may go: give no --json, --rounded, "
                  "--compare or --registers"},
        UsageCase{{"--pulses", "1", "--registers", "c", "--svg", "-"},
                  "--svg - writes the plot to standard output, where nothing else may go: give no --json, --rounded, "
                  "--compare or --registers"},
        UsageCase{{"--compare=yes"}, "option --compare takes no value"},
        UsageCase{{"--registers"}, "option --registers needs a value"},
        UsageCase{{"--registers", "C"}, "bad --registers 'C': give lines, c or json"},
        UsageCase{{"--registers="}, "bad --registers '': give lines, c or json"},
        UsageCase{{"--registers", "c", "--registers=json"}, "option --registers given twice"},
        UsageCase{{"--registers", "json", "--json"},
                  "--registers prints only the registers on standard output: give no --json, --rounded or --compare"},
        UsageCase{{"--compare", "--registers=lines"},
                  "--registers prints only the registers on standard output: give no --json, --rounded or --compare"},
        UsageCase{{"--registers=lines", "--rounded"},
                  "--registers prints only the registers on standard output: give no --json, --rounded or --compare"},
        UsageCase{{"--csv", "-", "--compare"}, "--csv takes the drives from its file: give no other option"},
        UsageCase{{"--registers", "c", "--csv", "-"}, "--csv takes the drives from its file: give no other option"},
        UsageCase{{"--type", "5"},
                  "bad --type '5': give 0 to 3, -1, symmetric-trapezoid, symmetric-s-curve, "
                  "asymmetric-trapezoid or asymmetric-s-curve"},
        // The first fault stops the reading.
        UsageCase{{"--type", "x", "--bogus"},
                  "bad --type 'x': give 0 to 3, -1, symmetric-trapezoid, symmetric-s-curve, "
                  "asymmetric-trapezoid or asymmetric-s-curve"}));

} // namespace
} // namespace veldronix::cli
