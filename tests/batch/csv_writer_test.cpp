#include "cli/csv_writer.h"
#include "stream_helpers.h"

#include <gtest/gtest.h>

namespace veldronix::cli {
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

TEST(CsvWriter, RecordsEndInCrlfAndSurviveManyFlushes)
{
    const testing::File file(std::tmpfile());
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
    EXPECT_EQ(testing::contentsOf(file.get()), expected);
}

// Far longer than the writer's buffer, and all quotes: the worst growth a field can ask for.
TEST(CsvWriter, FieldLongerThanItsBufferIsWrittenWhole)
{
    const testing::File file(std::tmpfile());
    const std::string quotes(200000, '"');
    {
        CsvWriter writer(file.get());
        writer.field("x");
        writer.field(quotes);
        writer.endRecord();
    }
    EXPECT_EQ(testing::contentsOf(file.get()), "x,\"" + std::string(400000, '"') + "\"\r\n");
}

} // namespace
} // namespace veldronix::cli
