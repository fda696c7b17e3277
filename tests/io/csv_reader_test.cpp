#include "io/csv_reader.h"
#include "support/stream_helpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace veldronix::io {
namespace {

struct Read {
    std::vector<std::string> fields;
    std::size_t line;
    std::string problem;
};

std::vector<Read> readAll(std::string_view text)
{
    const auto file = testing_support::fileWith(text);
    CsvReader reader(file.get());
    std::vector<Read> out;
    CsvRecord record;
    while (reader.next(record)) {
        out.push_back({record.fields, record.line, record.problem});
    }
    EXPECT_FALSE(reader.readFailed());
    return out;
}

using Fields = std::vector<std::string>;

struct ReaderCase {
    const char* name;
    std::string input;
    std::vector<Fields> records;
};

void PrintTo(const ReaderCase& c, std::ostream* os)
{
    *os << c.name;
}

class CsvReaderRecords : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(CsvReaderRecords, SplitsFieldsAsRfc4180)
{
    const auto records = readAll(GetParam().input);
    ASSERT_EQ(records.size(), GetParam().records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].fields, GetParam().records[i]) << "record " << i;
        EXPECT_EQ(records[i].problem, "") << "record " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CsvReaderRecords,
    ::testing::Values(
        ReaderCase{"Lf", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        ReaderCase{"Crlf", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        ReaderCase{"NoFinalLineBreak", "a,b\r\nc,d", {{"a", "b"}, {"c", "d"}}},
        ReaderCase{"LoneCr", "a\rb\r", {{"a"}, {"b"}}},
        ReaderCase{"EmptyFields", ",,\n", {{"", "", ""}}},
        ReaderCase{"QuotedComma", "\"1,5\",x\n", {{"1,5", "x"}}},
        ReaderCase{"DoubledQuote", "\"say \"\"hi\"\"\",\"\"\"\"\n", {{"say \"hi\"", "\""}}},
        ReaderCase{"EmptyQuoted", "\"\",a\n", {{"", "a"}}},
        ReaderCase{"LineBreaksInQuotes", "\"a\nb\",\"c\r\nd\"\ne\n", {{"a\nb", "c\r\nd"}, {"e"}}},
        ReaderCase{"BlanksKept", " a , b \n", {{" a ", " b "}}},
        ReaderCase{"Bom", "\xEF\xBB\xBFtype,x\n1,2\n", {{"type", "x"}, {"1", "2"}}},
        ReaderCase{"BomOnlyAtStart", "a\n\xEF\xBB\xBF" "b\n", {{"a"}, {"\xEF\xBB\xBF" "b"}}},
        ReaderCase{"PartialBomIsData", "\xEF\xBB" "a\n", {{"\xEF\xBB" "a"}}},
        ReaderCase{"EmptyLinesSkipped", "\n\r\na\n\n\r\nb\n\n", {{"a"}, {"b"}}},
        ReaderCase{"NulByte", std::string("a\0b,c\n", 6), {{std::string("a\0b", 3), "c"}}},
        ReaderCase{"Empty", "", {}},
        ReaderCase{"BomOnly", "\xEF\xBB\xBF", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvReader, LineNumbersCountPhysicalLines)
{
    const auto records = readAll("h\r\n\"a\nb\nc\"\n\nd\r\"e\r\nf\"\ng\n");
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].line, 1u);
    EXPECT_EQ(records[1].line, 2u);
    EXPECT_EQ(records[2].line, 6u);
    EXPECT_EQ(records[3].line, 7u);
    EXPECT_EQ(records[4].line, 9u);
}

TEST(CsvReader, MalformedQuotingIsNamedAndReadingGoesOn)
{
    const auto records = readAll("a\"b,c\n\"x\"y,z\nok\n1,\"open\r\nrest,2\r\n\r\nlast\n");
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[0].problem, "a quote inside an unquoted field");
    EXPECT_EQ(records[0].fields, (Fields{"a\"b", "c"}));
    EXPECT_EQ(records[1].problem, "text follows the closing quote of a field");
    EXPECT_EQ(records[1].fields, (Fields{"xy", "z"}));
    EXPECT_EQ(records[2].problem, "");
    // An unclosed quote ends with its line; the lines after it are records again.
    EXPECT_EQ(records[3].problem, "a quoted field opened on line 4 has no closing quote");
    EXPECT_EQ(records[3].line, 4u);
    EXPECT_EQ(records[3].fields, (Fields{"1", "open"}));
    EXPECT_EQ(records[4].problem, "");
    EXPECT_EQ(records[4].line, 5u);
    EXPECT_EQ(records[4].fields, (Fields{"rest", "2"}));
    EXPECT_EQ(records[5].line, 7u);
    EXPECT_EQ(records[5].fields, (Fields{"last"}));
}

TEST(CsvReader, FieldsLongerThanTheBufferAndManyRecords)
{
    const std::string longField(200000, 'x');
    std::string input = "\"" + longField + "\"," + longField + "\n";
    for (int i = 0; i < 20000; ++i) {
        input += "1,2,3\r\n";
    }
    const auto records = readAll(input);
    ASSERT_EQ(records.size(), 20001u);
    EXPECT_EQ(records[0].fields, (Fields{longField, longField}));
    EXPECT_EQ(records.back().fields, (Fields{"1", "2", "3"}));
    EXPECT_EQ(records.back().line, 20001u);
}

// The stream is read 64 KiB at a time: whatever byte of a record falls on the
// edge of a read (a comma, the CR of a CRLF, a lone CR that ends a record, a
// quote), the records and their lines are those of any other position.
TEST(CsvReader, RecordsAcrossTheEdgeOfARead)
{
    const std::string tail = "a,b\r\nc\rd\ne,\"f,g\"\n,,\n\"h\"\"i\",j\r\nk\n";
    const std::vector<Fields> expected = {{"a", "b"}, {"c"}, {"d"}, {"e", "f,g"}, {"", "", ""}, {"h\"i", "j"}, {"k"}};
    const std::size_t expectedLines[] = {2, 3, 4, 5, 6, 7, 8};
    constexpr std::size_t readSize = 1 << 16;
    for (std::size_t pad = readSize - tail.size() - 2; pad <= readSize + 1; ++pad) {
        const auto records = readAll(std::string(pad, 'p') + "\n" + tail);
        ASSERT_EQ(records.size(), expected.size() + 1) << pad;
        EXPECT_EQ(records[0].fields, (Fields{std::string(pad, 'p')})) << pad;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(records[i + 1].fields, expected[i]) << pad << " record " << i;
            EXPECT_EQ(records[i + 1].line, expectedLines[i]) << pad << " record " << i;
            EXPECT_EQ(records[i + 1].problem, "") << pad << " record " << i;
        }
    }
}

// A record that shrinks after a longer one keeps none of its fields.
TEST(CsvReader, FewerFieldsThanTheRecordBefore)
{
    const auto records = readAll("1,2,3,4\n5\n6,\"7\"\n8,9\n");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[1].fields, (Fields{"5"}));
    EXPECT_EQ(records[2].fields, (Fields{"6", "7"}));
    EXPECT_EQ(records[3].fields, (Fields{"8", "9"}));
}

} // namespace
} // namespace veldronix::io
