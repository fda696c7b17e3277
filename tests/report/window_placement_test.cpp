#include "report/window_placement.h"

#include <gtest/gtest.h>

namespace veldronix::report {
namespace {

struct PlacementCase {
    const char* name;
    ScreenRect workArea;
    ScreenRect dialog;
    int wantedWidth;
    int wantedHeight;
    ScreenRect placed;
};

// The Qt dialog is 562 x 722; the details window wants 814 x 1050 with its plot
// and is never narrower than 354.
TEST(DetailsPlacement, besideTheDialogInsideTheWorkArea)
{
    const PlacementCase cases[] = {
        // 1280 x 720, the dialog centred (359 px each side): beside it, as wide as the room, as high as the screen.
        {"small screen, dialog centred", {0, 0, 1280, 720}, {359, 0, 562, 722}, 814, 1050, {921, 0, 359, 720}},
        // The dialog at the left: all the room to its right, as wide as wanted.
        {"small screen, dialog left", {0, 0, 1280, 720}, {0, 0, 562, 722}, 814, 1050, {562, 0, 718, 720}},
        // The dialog at the right: to its left.
        {"small screen, dialog right", {0, 0, 1280, 720}, {718, 0, 562, 722}, 814, 1050, {0, 0, 718, 720}},
        // 300 px each side: at the right edge, 354 wide, over 54 px of the dialog.
        {"no room beside", {0, 0, 1162, 720}, {300, 0, 562, 722}, 814, 1050, {808, 0, 354, 720}},
        // 1920 x 1080 with a panel of 40 px at the top: beside, level with the dialog, whole.
        {"large screen", {0, 40, 1920, 1040}, {679, 200, 562, 722}, 814, 800, {1241, 200, 679, 800}},
        // Too low to stay level with the dialog: raised to end at the work area's bottom.
        {"large screen, raised", {0, 40, 1920, 1040}, {0, 300, 562, 722}, 814, 1050, {562, 40, 814, 1040}},
        // A second screen to the right of the first: its own coordinates.
        {"second screen", {1920, 0, 1280, 720}, {1920, 0, 562, 722}, 814, 1050, {2482, 0, 718, 720}},
        // A work area narrower than the narrowest window: as wide as the work area, inside it.
        {"tiny screen", {0, 0, 300, 200}, {0, 0, 562, 722}, 814, 1050, {0, 0, 300, 200}},
    };
    for (const PlacementCase& c : cases) {
        EXPECT_EQ(placeBeside(c.workArea, c.dialog, c.wantedWidth, c.wantedHeight, 354), c.placed) << c.name;
    }
}

// Dialogs of 562 x 722 (the Qt dialog) and 819 x 1326 (the Windows dialog at 192 DPI).
TEST(DialogPlacement, insideTheWorkAreaItsTitleBarAlwaysOnIt)
{
    const struct {
        const char* name;
        ScreenRect workArea;
        ScreenRect window;
        ScreenRect kept;
    } cases[] = {
        {"inside: where it is", {0, 0, 1920, 1040}, {679, 159, 562, 722}, {679, 159, 562, 722}},
        {"past the bottom: raised as far as it must", {0, 0, 1920, 1040}, {679, 400, 562, 722}, {679, 318, 562, 722}},
        {"above and left of it: moved in", {0, 40, 1920, 1040}, {-30, 0, 562, 722}, {0, 40, 562, 722}},
        {"exactly as tall: at the top", {0, 0, 1280, 722}, {359, 20, 562, 722}, {359, 0, 562, 722}},
        // 2 px taller than the work area: its top at the top, the bottom off the screen.
        {"taller: at the top", {0, 0, 1280, 720}, {359, 0, 562, 722}, {359, 0, 562, 722}},
        {"taller, opened low: at the top", {0, 30, 1280, 690}, {359, 200, 562, 722}, {359, 30, 562, 722}},
        {"taller and wider: at the top left", {0, 0, 800, 600}, {100, -50, 819, 1326}, {0, 0, 819, 1326}},
        {"a second screen's own work area", {1920, 0, 1280, 720}, {3000, 500, 562, 722}, {2638, 0, 562, 722}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keptOnScreen(c.workArea, c.window), c.kept) << c.name;
    }
}

} // namespace
} // namespace veldronix::report
