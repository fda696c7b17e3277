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

} // namespace
} // namespace veldronix::cli
