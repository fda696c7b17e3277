// The rules every window obeys and none writes itself: which button Enter
// presses, when a section's button can be pressed and what choosing a row asks
// of the dialog, how the details window grows, and which file a save writes.
#include "report/details_layout.h"
#include "report/dialog_keys.h"
#include "report/plot_file.h"
#include "report/window_placement.h"

#include <gtest/gtest.h>

namespace veldronix::report {
namespace {

using enum ControlId;

// Every field and both selectors press the button that uses them; a button
// (its own click), a result and a control without an identifier press none.
TEST(EnterKeys, eachFieldAndSelectorPressesItsButton)
{
    const std::pair<ControlId, std::optional<ControlId>> cases[] = {
        {IDC_DRIVE_TYPE, IDC_CALCULATE},      {IDC_INITIAL_SPEED, IDC_CALCULATE}, {IDC_DRIVE_SPEED, IDC_CALCULATE},
        {IDC_ACCEL_TIME, IDC_CALCULATE},      {IDC_DECEL_TIME, IDC_CALCULATE},    {IDC_MULTIPLIER, IDC_RECALCULATE},
        {IDC_PULSE_COUNT, IDC_COMPUTE_DECEL_POINT}, {IDC_CALCULATE, std::nullopt}, {IDC_RECALCULATE, std::nullopt},
        {IDC_OUT_R, std::nullopt},            {IDC_DECEL_POINT, std::nullopt},    {IDC_STATIC, std::nullopt},
    };
    for (const auto& [field, button] : cases) {
        EXPECT_EQ(enterButton(field), button) << toInt(field);
    }
}

TEST(SectionButtons, enabledOnlyWhereTheyWouldDoSomething)
{
    SectionButton choose = sectionButton(SectionAction::ChooseRow, "choose");
    choose.needsSelectedRow = true;
    SectionButton greyed = sectionButton(SectionAction::Copy, "copy");
    greyed.enabled = false;
    const SectionButton save = sectionButton(SectionAction::SavePlot, "save");
    EXPECT_FALSE(isEnabled(choose, false));
    EXPECT_TRUE(isEnabled(choose, true));
    choose.enabled = false; // a table without rows: greyed with a row or not
    EXPECT_FALSE(isEnabled(choose, true));
    EXPECT_FALSE(isEnabled(greyed, true));
    EXPECT_TRUE(isEnabled(save, false));
}

// Rows 0 to 2 stand for the multipliers 2, 5 and 10 (selector indices 1, 2, 3).
TEST(SectionButtons, choosingARowSelectsItsMultiplierAndRecalculates)
{
    DetailsSection comparison;
    comparison.rowIndices = {1, 2, 3};
    EXPECT_EQ(chooseRowRequests(comparison, 2),
              (std::vector{DialogRequest::select(IDC_MULTIPLIER, 3), DialogRequest::press(IDC_RECALCULATE)}));
    EXPECT_EQ(chooseRowRequests(comparison, 0).front(), DialogRequest::select(IDC_MULTIPLIER, 1));
    for (const int row : {-1, 3, 1000}) {
        EXPECT_TRUE(chooseRowRequests(comparison, row).empty()) << row;
    }
}

// A work area of 1280 x 720; the dialog centred (359 to 921), at the left (0
// to 500) or at the right (780 to 1280) of it.
TEST(DetailsGrowth, growsAwayFromTheDialogAndUpwardsNeverSmaller)
{
    const ScreenRect work{0, 0, 1280, 720};
    const ScreenRect centred{359, 0, 562, 722};
    const ScreenRect left{0, 0, 500, 722};
    const ScreenRect right{780, 0, 500, 722};
    struct Case {
        const char* name;
        ScreenRect dialog;
        ScreenRect window;
        int wantedWidth, wantedHeight;
        ScreenRect grown;
    } const cases[] = {
        {"wider up to the right edge, the left edge kept", centred, {921, 100, 359, 320}, 800, 320, {921, 100, 359, 320}},
        {"wider where there is room", left, {500, 100, 460, 320}, 700, 320, {500, 100, 700, 320}},
        // At the dialog's left the window widens leftwards, its right edge beside the dialog.
        {"at the left, wider towards the left edge", right, {320, 100, 460, 320}, 700, 320, {80, 100, 700, 320}},
        {"at the left, up to the left edge", right, {320, 100, 460, 320}, 5000, 320, {0, 100, 780, 320}},
        // Placed over the dialog where neither side had room: no wider, so that it covers no more of it.
        {"over the dialog, no wider", centred, {808, 0, 354, 320}, 800, 600, {808, 0, 354, 600}},
        {"taller, raised to end at the bottom", left, {500, 300, 460, 320}, 460, 600, {500, 120, 460, 600}},
        {"no taller than the work area", left, {500, 300, 460, 320}, 460, 5000, {500, 0, 460, 720}},
        {"never smaller", left, {500, 100, 700, 600}, 10, 10, {500, 100, 700, 600}},
        {"kept where it does not grow", left, {500, 650, 460, 320}, 100, 100, {500, 650, 460, 320}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grownToContent(work, c.dialog, c.window, c.wantedWidth, c.wantedHeight), c.grown) << c.name;
    }
}

TEST(DetailsGrowth, growsForANewShapeUntilTheUserSizesIt)
{
    DetailsLayout nothing;
    DetailsLayout lines;
    lines.sections.push_back({});
    DetailsLayout longer = lines;
    longer.sections[0].lines.push_back({std::string(300, '9'), false});
    DetailsLayout plotted = lines;
    plotted.sections[0].plotted = true;
    EXPECT_TRUE(growsToContent(nothing, lines, false));
    EXPECT_TRUE(growsToContent(lines, plotted, false));
    EXPECT_FALSE(growsToContent(lines, longer, false)); // a longer text wraps or is elided
    EXPECT_FALSE(growsToContent(nothing, lines, true)); // the size the user gave it stays
}

TEST(PlotSave, theNameSaysTheFormatElseTheChosenTypeDoes)
{
    using enum PlotFileFormat;
    const struct {
        const char* chosen;
        PlotFileFormat type;
        PlotSaveTarget target;
    } cases[] = {
        {"plot.png", Svg, {"plot.png", Png}},
        {"plot.SVG", Png, {"plot.SVG", Svg}},
        {"Plot.Png", Svg, {"Plot.Png", Png}},
        {"plot", Png, {"plot.png", Png}},
        {"plot", Svg, {"plot.svg", Svg}},
        {"plot.txt", Svg, {"plot.txt.svg", Svg}},
        {"plot.svg.png", Svg, {"plot.svg.png", Png}},
        {"/tmp/ファイル.png", Svg, {"/tmp/ファイル.png", Png}},
        {"png", Svg, {"png.svg", Svg}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plotSaveTarget(c.chosen, c.type), c.target) << c.chosen;
    }
    EXPECT_EQ(plotFileTypes()[0].label, "SVG 画像 (*.svg)");
    EXPECT_EQ(plotFileTypes()[1].pattern, "*.png");
    EXPECT_EQ(plotFileTypes()[1].format, Png);
}

} // namespace
} // namespace veldronix::report
