// The registers as code: the copy formats of the details, exactly, for a drive
// without findings and for each kind of finding; the C snippet and the JSON
// object name the product's version.
#include "controller/recording_view.h"
#include "fuzz/markup_check.h"
#include "report/details.h"
#include "veldronix/version.h"

#include <gtest/gtest.h>

#include <string>

namespace veldronix::testing_support {
namespace {

// The expected text with the product's version in place of "@VERSION@".
std::string withVersion(std::string text)
{
    for (auto at = text.find("@VERSION@"); at != std::string::npos; at = text.find("@VERSION@")) {
        text.replace(at, 9, version::text);
    }
    return text;
}

struct CodeCase {
    const char* name;
    int driveType;
    const char* initial;
    const char* drive;
    const char* accel;
    const char* decel;
    std::string lines;
    std::string c;
    std::string json;
};

TEST_F(ControllerTest, copyFormatsGiveTheIntegersAsLinesCAndJson)
{
    const CodeCase cases[] = {
        // The details' drive at x2 (see details_test.cpp): K 126.263 -> 126, L 284.091 -> 284.
        {"asymmetricSCurve", 3, "100", "10000", "0.2", "0.3",
         "R=4000000\nA=8000\nSV=50\nV=5000\nK=126\nAO=0\nD=8000\nL=284\n",
         "/* Veldronix @VERSION@: asymmetric-s-curve drive, 100 PPS to 10000 PPS, acceleration 0.2 s, deceleration "
         "0.3 s, multiplier 2 */\n"
         "#define DRIVE_R 4000000\n#define DRIVE_A 8000\n#define DRIVE_SV 50\n#define DRIVE_V 5000\n"
         "#define DRIVE_K 126\n#define DRIVE_AO 0\n#define DRIVE_D 8000\n#define DRIVE_L 284\n",
         R"({"version":"@VERSION@","driveType":"asymmetric-s-curve","multiplier":2,"registers":{"R":4000000,"A":8000,)"
         R"("SV":50,"V":5000,"K":126,"AO":0,"D":8000,"L":284},"findings":[]})"
         "\n"},
        // A = 7900 / 0.005 x 0.008 = 12640 at x1, above 8000.
        {"aboveMaximum", 0, "100", "8000", "0.005", "", "R=8000000\nA=12640\nSV=100\nV=8000\n",
         "/* Veldronix @VERSION@: symmetric-trapezoid drive, 100 PPS to 8000 PPS, acceleration 0.005 s, multiplier 1 */\n"
         "#define DRIVE_R 8000000\n#define DRIVE_A 12640 /* check: above the register's maximum of 8000 */\n"
         "#define DRIVE_SV 100\n#define DRIVE_V 8000\n",
         R"({"version":"@VERSION@","driveType":"symmetric-trapezoid","multiplier":1,"registers":{"R":8000000,)"
         R"("A":12640,"SV":100,"V":8000},"findings":[{"register":"A","problem":"above-maximum"}]})"
         "\n"},
        // SV = -100 in parentheses; A = 8100 / 0.2 x 0.008 = 324.
        {"negative", 0, "-100", "8000", "0.2", "", "R=8000000\nA=324\nSV=-100\nV=8000\n",
         "/* Veldronix @VERSION@: symmetric-trapezoid drive, -100 PPS to 8000 PPS, acceleration 0.2 s, multiplier 1 */\n"
         "#define DRIVE_R 8000000\n#define DRIVE_A 324\n"
         "#define DRIVE_SV (-100) /* check: the register holds no negative value */\n#define DRIVE_V 8000\n",
         R"({"version":"@VERSION@","driveType":"symmetric-trapezoid","multiplier":1,"registers":{"R":8000000,)"
         R"("A":324,"SV":-100,"V":8000},"findings":[{"register":"SV","problem":"negative"}]})"
         "\n"},
        // Equal speeds: K infinite, no #define; 0.4 PPS rounds to 0.
        {"notFiniteAndZero", 1, "0.4", "0.4", "0.2", "", "R=8000000\nA=8000\nSV=0\nV=0\nK=なし\nAO=0\n",
         "/* Veldronix @VERSION@: symmetric-s-curve drive, 0.4 PPS to 0.4 PPS, acceleration 0.2 s, multiplier 1 */\n"
         "#define DRIVE_R 8000000\n#define DRIVE_A 8000\n"
         "#define DRIVE_SV 0 /* check: rounds to 0, which gives no drive */\n"
         "#define DRIVE_V 0 /* check: rounds to 0, which gives no drive */\n"
         "/* DRIVE_K: not a finite number, so no value can be set */\n#define DRIVE_AO 0\n",
         R"({"version":"@VERSION@","driveType":"symmetric-s-curve","multiplier":1,"registers":{"R":8000000,)"
         R"("A":8000,"SV":0,"V":0,"K":null,"AO":0},"findings":[{"register":"SV","problem":"zero"},)"
         R"({"register":"V","problem":"zero"},{"register":"K","problem":"not-finite"}]})"
         "\n"},
    };
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        view.enter(c.driveType, c.initial, c.drive, c.accel, c.decel);
        controller.onCalculate();
        const report::Details details = report::makeDetails(controller.lastCalculation(), std::nullopt);
        ASSERT_EQ(details.copyFormats.size(), 3u);
        EXPECT_EQ(details.copyFormats[0].kind, report::CopyFormatKind::Lines);
        EXPECT_EQ(details.copyFormats[0].label, "整数の設定値(1行に1つ)");
        EXPECT_EQ(details.copyFormats[0].text, c.lines);
        EXPECT_EQ(details.copyFormats[0].text, details.clipboardText);
        EXPECT_EQ(details.copyFormats[1].kind, report::CopyFormatKind::C);
        EXPECT_EQ(details.copyFormats[1].label, "C言語の#define");
        EXPECT_EQ(details.copyFormats[1].text, withVersion(c.c));
        EXPECT_EQ(details.copyFormats[2].kind, report::CopyFormatKind::Json);
        EXPECT_EQ(details.copyFormats[2].label, "JSON");
        EXPECT_EQ(details.copyFormats[2].text, withVersion(c.json));
        EXPECT_EQ(fuzz::jsonProblem(c.json), "");
    }
}

} // namespace
} // namespace veldronix::testing_support
