#include <gtest/gtest.h>

#include "e2e_support.h"

namespace {

// Untextured runway and apron concrete, grey but for a trace of fog.
bool is_concrete(const unsigned char* p)
{
    return p[0] > 70 && p[0] < 115 && is_grey(p);
}

bool is_stripe(const unsigned char* p) { return p[0] > 225 && p[1] > 225 && p[2] > 225; }

bool is_not_grass(const unsigned char* p) { return !is_grass(p); }

using Scenery = RunningProgram;

// From the top of the control tower the camera looks down at the aircraft on the runway's
// threshold, in the middle of the view; the runway and the apron fill much of the picture, and
// the parked aircraft stand on the apron in the lower left.
TEST_F(Scenery, TowerViewShowsTheAirfieldAndTheAircraft)
{
    press(window, "t");
    pause(1000);
    const Image image = screenshot(window, "tower_view");
    const int w = image.width, h = image.height;
    EXPECT_GT(count(image, is_concrete, 0, 0, w, h), w * h / 5);
    EXPECT_GT(count(image, is_stripe, 0, h / 3, w, h), 100);
    EXPECT_GT(count(image, is_skin, w / 2 - 50, h / 2 - 50, w / 2 + 50, h / 2 + 50), 40)
        << "the aircraft in the middle";
    EXPECT_GT(count(image, is_skin, 0, h / 2, w / 2, h), 200) << "the parked aircraft";
}

// Overhead and brought down to 2000 units with the zoom key, the camera looks straight down:
// the runway is a grey strip running up the middle from the aircraft, the city a grey octagon
// 500 units to the aircraft's left (the right of the picture, as the view's up is the runway's
// direction); everything else is landscape.
TEST_F(Scenery, OverheadViewShowsTheRunwayAndTheCity)
{
    press(window, "s");
    press(window, "7", 360);  // 50 units closer each
    pause(1000);
    const Image image = screenshot(window, "overhead_view");
    const int w = image.width, h = image.height;
    // 2000 units up with a field of view of 80 degrees: 0.143 pixels a unit.
    const int runway_top = h / 2 - 480 * 143 / 1000, runway_bottom = h / 2;
    const int runway_area = 3 * (runway_bottom - runway_top);
    EXPECT_GT(count(image, is_not_grass, w / 2 - 1, runway_top, w / 2 + 2, runway_bottom),
              runway_area * 9 / 10);
    const int city_x = w / 2 + 500 * 143 / 1000, city_y = h / 2 - 230 * 143 / 1000;
    EXPECT_EQ(count(image, is_not_grass, city_x - 30, city_y - 30, city_x + 30, city_y + 30),
              60 * 60);
    EXPECT_LT(count(image, is_not_grass, 0, 0, w, h), w * h / 20);
}

}  // namespace
