#include "io/csv_writer.h"
#include "support/stream_helpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace veldronix::io {
namespace {

TEST(CsvField, QuotesOnlyWhereAReaderWouldOtherwiseChangeTheText)
{
    const struct {
        std::string_view text;
        std::string_view field;
    } cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"4000000 ", "\"4000000 \""},
        {" lead", "\" lead\""},
        {"tab\t", "\"tab\t\""},
        {"in side", "in side"},
        {"2(4,000,000)", "\"2(4,000,000)\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"a\nb", "\"a\nb\""},
        {"a\rb", "\"a\rb\""},
        {"初速度:100", "初速度:100"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(csvField(c.text), c.field) << c.text;
    }
}

// The text as a field, byte by byte, the rule written out once more.
std::string referenceField(std::string_view text)
{
    bool quoted = !text.empty() && (text.front() == ' ' || text.front() == '\t' || text.back() == ' ' ||
                                    text.back() == '\t');
    for (const char c : text) {
        quoted = quoted || c == ',' || c == '"' || c == '\r' || c == '\n';
    }
    if (!quoted) {
        return std::string(text);
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

// Each byte that matters at each position of texts of many lengths, together
// with a quote elsewhere, and bytes with the high bit set or zero.
TEST(CsvField, EveryLengthAndPositionOfASpecialByte)
{
    const char specials[] = {',', '"', '\r', '\n', ' ', '\t', '\x80', '\xff', '\0'};
    for (std::size_t size = 1; size <= 40; ++size) {
        const std::string plain(size, 'a');
        EXPECT_EQ(csvField(plain), plain) << size;
        for (std::size_t at = 0; at < size; ++at) {
            for (const char special : specials) {
                std::string text = plain;
                text[at] = special;
                ASSERT_EQ(csvField(text), referenceField(text)) << size << " at " << at << " byte " << int(special);
                text[size - 1 - (at * 7) % size] = '"';
                ASSERT_EQ(csvField(text), referenceField(text)) << size << " at " << at << " byte " << int(special);
            }
        }
    }
}

// Plain, quoted and empty fields of many lengths side by side in records.
TEST(CsvWriter, FieldsOfEveryLengthInARecord)
{
    const auto file = testing_support::fileWith("");
    std::string expected;
    {
        CsvWriter writer(file.get());
        for (std::size_t size = 0; size <= 40; ++size) {
            const std::string plain(size, static_cast<char>('a' + size % 26));
            const std::string quoted = plain + ",";
            writer.field(plain);
            writer.field(quoted);
            writer.field({});
            writer.endRecord();
            expected += plain + "," + referenceField(quoted) + ",\r\n";
        }
        ASSERT_TRUE(writer.flush());
    }
    EXPECT_EQ(testing_support::contentsOf(file.get()), expected);
}

TEST(CsvWriter, RecordsAsWritten)
{
    const struct {
        const char* name;
        std::vector<std::string_view> fields;
        std::string_view text;
    } cases[] = {
        {"one plain field", {"a"}, "a\r\n"},
        {"one empty field", {""}, "\r\n"},
        {"empty fields", {"", "", ""}, ",,\r\n"},
        {"value with its trailing blank", {"1", "4000000 ", "x"}, "1,\"4000000 \",x\r\n"},
        {"comma, quote and line breaks", {"a,b", "\"", "c\r\nd"}, "\"a,b\",\"\"\"\",\"c\r\nd\"\r\n"},
        {"multi-byte text untouched", {"対称S字加減速", "é"}, "対称S字加減速,é\r\n"},
        {"quote inside a quoted field", {"say \"hi\", then go"}, "\"say \"\"hi\"\", then go\"\r\n"},
    };
    for (const auto& c : cases) {
        const testing_support::File file = testing_support::emptyFile();
        {
            CsvWriter writer(file.get());
            for (const auto field : c.fields) {
                writer.field(field);
            }
            writer.endRecord();
        }
        EXPECT_EQ(testing_support::contentsOf(file.get()), c.text) << c.name;
    }
}

TEST(CsvWriter, RecordsEndInCrlfAndSurviveManyFlushes)
{
    const testing_support::File file = testing_support::emptyFile();
    std::string expected;
    {
        CsvWriter writer(file.get());
        for (int i = 0; i < 10000; ++i) {
            writer.field("a");
            writer.field("");
            writer.field("b,c ");
            writer.endRecord();
            expected += "a,,\"b,c \"\r\n";
        }
        EXPECT_TRUE(writer.flush());
        writer.field("last");
        writer.endRecord();
        expected += "last\r\n";
    }
    EXPECT_EQ(testing_support::contentsOf(file.get()), expected);
}

// Far longer than the writer's buffer, and all quotes: the worst growth a field can ask for.
TEST(CsvWriter, FieldLongerThanItsBufferIsWrittenWhole)
{
    const testing_support::File file = testing_support::emptyFile();
    const std::string quotes(200000, '"');
    {
        CsvWriter writer(file.get());
        writer.field("x");
        writer.field(quotes);
        writer.endRecord();
    }
    EXPECT_EQ(testing_support::contentsOf(file.get()), "x,\"" + std::string(400000, '"') + "\"\r\n");
}

} // namespace
} // namespace veldronix::io
