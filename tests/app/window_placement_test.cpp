#include "app/window_placement.h"

#include <gtest/gtest.h>

namespace {

// A 1600 x 900 screen; the dialog 600 x 370 wherever each case puts it. The
// window never covers the dialog where it can help it, and never leaves the screen.
TEST(PlaceBeside, BesideTheDialogNarrowedOrWithTheDialogMovedWhenItMustBe) {
    const QRect screen(0, 0, 1600, 900);
    const struct {
        const char* what;
        QPoint dialogAt;
        QSize size;
        QRect window;
        QPoint dialogTo;
    } cases[] = {
        {"room on the right", {100, 200}, {800, 600}, {700, 200, 800, 600}, {100, 200}},
        {"room on the left only", {900, 200}, {800, 600}, {100, 200, 800, 600}, {900, 200}},
        {"neither side wide enough: narrowed on the roomier one",
         {350, 200},
         {1100, 600},
         {950, 200, 650, 600},
         {350, 200}},
        {"narrowed on the left", {660, 200}, {1100, 600}, {0, 200, 660, 600}, {660, 200}},
        {"centred dialog, too little on either side: the dialog moves to the edge",
         {500, 100},
         {1100, 640},
         {600, 100, 1000, 640},
         {0, 100}},
        {"taller than the screen from the dialog down: kept on the screen",
         {100, 500},
         {800, 600},
         {700, 300, 800, 600},
         {100, 500}},
        {"larger than the screen: as large as it",
         {500, 0},
         {3000, 2000},
         {600, 0, 1000, 900},
         {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QRect dialog(c.dialogAt, QSize(600, 370));
        const app::Placement p = app::PlaceBeside(dialog, c.size, 640, screen);
        EXPECT_EQ(p.window, c.window);
        EXPECT_EQ(p.dialogAt, c.dialogTo);
        EXPECT_TRUE(screen.contains(p.window));
        EXPECT_FALSE(p.window.intersects(QRect(p.dialogAt, dialog.size())));
    }
}

}  // namespace
