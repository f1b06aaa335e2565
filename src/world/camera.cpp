// Camera easing and clamping.
#include "world/camera.h"

#include <cmath>

#include "app/draw.h"

void camera_follow(World& world, double target_x, double target_y, double offset_x, double offset_y,
                   double divisor_x, double divisor_y) {
    double t = tile_size();
    double step = (target_x + offset_x - world.camera_x) / divisor_x;
    if (std::fabs(step) > 0.001) {
        world.camera_x += step;
        if (world.camera_x <= 0) world.camera_x = 0;
        double right = grid_width - window_width / t;
        if (world.camera_x > right) world.camera_x = right;
    }
    step = (target_y - offset_y - world.camera_y) / divisor_y;
    if (std::fabs(step) > 0.001) {
        world.camera_y += step;
        double top = grid_height - window_height / t;
        if (world.camera_y > top) world.camera_y = top;
        if (world.camera_y <= 0) world.camera_y = 0;
    }
}
