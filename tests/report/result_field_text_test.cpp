// The result fields' rule at the layout's widths: a value field is 43 dialog
// units wide, マニュアル減速点 38; at 96 DPI with the dialog's 9-point font
// (12 px) a dialog unit is 1.5 px across, and the sunken edge and margin take 4 px.
#include "report/result_field_text.h"
#include "report/text_measure.h"

#include <gtest/gtest.h>

#include <string>

namespace veldronix::report {
namespace {

constexpr double fontSize = 12.0;
constexpr double valueRoom = 43 * 1.5 - 4;      // 60.5 px
constexpr double decelPointRoom = 38 * 1.5 - 4; // 53 px

TEST(ResultFieldText, ShrinksToFitThenCutsVisiblyKeepingTheLeadingDigits)
{
    const std::string huge = "1" + std::string(300, '0') + ".000"; // マニュアル減速点 of 1e300 pulses, in its order
    const struct {
        std::string text;
        double room;
        std::string shown; // "" : the text itself
        bool shrunk;
        bool cut;
    } cases[] = {
        {"50.000 ", valueRoom, "", false, false},
        {"", valueRoom, "", false, false},
        // 7 digits and a stop take 7 x 0.66 + 0.6 = 5.22 em: 62.6 px at 12 px, 60.5 px at 11.6 px.
        {"8485.000", valueRoom, "", true, false},
        {"5000.000 ", valueRoom + 10, "", false, false},
        // K and L of 100 s ramps, the deceleration point of 123456789 pulses: cut, their start kept.
        {"31565656.566", valueRoom, "31565656.…", true, true},
        {"123455274.000", decelPointRoom, "12345527…", true, true},
        {huge, decelPointRoom, "10000000…", true, true},
    };
    for (const auto& c : cases) {
        const ResultFieldText made = resultFieldText(c.text, c.room, fontSize);
        EXPECT_EQ(made.shown, c.shown.empty() ? c.text : c.shown) << c.text;
        EXPECT_EQ(made.cut, c.cut) << c.text;
        EXPECT_EQ(made.scale < 1.0, c.shrunk) << c.text;
        EXPECT_GE(made.scale, smallestResultScale) << c.text;
        EXPECT_LE(textWidth(made.shown, fontSize * made.scale), c.room) << c.text;
    }
}

} // namespace
} // namespace veldronix::report
