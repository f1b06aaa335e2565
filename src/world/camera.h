// The camera: eases the view toward a target and keeps it inside the level.
#pragma once
#include "session/world.h"

// Moves the camera a 1/divisor of the way from where it is to target + offset (x) and
// target − offset (y), then clamps: a level narrower than the view sits at the window's right
// edge, one lower than the view at its bottom.
void camera_follow(World& world, double target_x, double target_y, double offset_x, double offset_y,
                   double divisor_x, double divisor_y);
