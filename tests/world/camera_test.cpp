// Camera easing and its two clamp orders.
#include "world/camera.h"

#include <gtest/gtest.h>

#include "app/draw.h"

TEST(Camera, EasesAFractionOfTheWayAndStaysInTheLevel) {
    window_width = 1000;
    window_height = 600;
    grid_width = 200;
    grid_height = 60;
    World w;
    camera_follow(w, 50, 30, -20, 16, 15, 10);
    EXPECT_NEAR(w.camera_x, 30.0 / 15, 1e-12);
    EXPECT_NEAR(w.camera_y, 14.0 / 10, 1e-12);
    // Steps of a thousandth or less are not taken.
    World still;
    still.camera_x = 10;
    camera_follow(still, 30.01, 16, -20, 16, 15, 10);
    EXPECT_EQ(still.camera_x, 10);
    // Clamped at 0 and at the far edges (view 40 × 24 cells).
    World edge;
    camera_follow(edge, -50, -50, 0, 0, 1, 1);
    EXPECT_EQ(edge.camera_x, 0);
    EXPECT_EQ(edge.camera_y, 0);
    camera_follow(edge, 500, 500, 0, 0, 1, 1);
    EXPECT_EQ(edge.camera_x, 160);
    EXPECT_EQ(edge.camera_y, 36);
}

TEST(Camera, NarrowLevelsSitRightAndLowLevelsSitAtTheBottom) {
    window_width = 1000;
    window_height = 600;
    grid_width = 30;   // narrower than the 40 columns shown
    grid_height = 10;  // lower than the 24 rows shown
    World w;
    camera_follow(w, 5, 5, -20, 16, 15, 10);
    EXPECT_EQ(w.camera_x, -10);
    EXPECT_EQ(w.camera_y, 0);
    camera_follow(w, 25, 50, -20, 16, 15, 10);
    EXPECT_EQ(w.camera_x, -10);
    EXPECT_EQ(w.camera_y, 0);
}
