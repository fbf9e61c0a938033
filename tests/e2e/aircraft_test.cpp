#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e_support.h"

namespace {

// Grass, or the runway, apron and stripes: untextured, so grey but for a trace of fog.
bool is_ground(const unsigned char* p)
{
    return is_grass(p) || is_grey(p);
}

// A light, nearly colourless pixel: the aircraft's metal skin.
bool is_metal(const unsigned char* p)
{
    return p[0] > 120 && std::abs(p[0] - p[1]) < 40 && std::abs(p[1] - p[2]) < 40;
}

// Pixels that differ between two pictures of the same size, above row `below`.
int changed_above(const Image& a, const Image& b, int below)
{
    int changed = 0;
    for (int y = 0; y < below; ++y)
        for (int x = 0; x < a.width; ++x) {
            const unsigned char* p = a.pixel(x, y);
            const unsigned char* q = b.pixel(x, y);
            if (p[0] != q[0] || p[1] != q[1] || p[2] != q[2]) ++changed;
        }
    return changed;
}

using Aircraft = RunningProgram;

// From the chase camera the aircraft stands at the centre of the window, seen from behind and
// above, in its metal skin over the runway: wide (the wing), and as much to the left of the
// centre line as to the right. The middle half of the width is searched: the parked aircraft and
// the tower stand to the right.
TEST_F(Aircraft, StandsInTheChaseViewAtTheCentre)
{
    const Image image = screenshot(window, "aircraft");
    int metal = 0, left = 0, right = 0, low_x = image.width, high_x = 0, low_y = image.height,
        high_y = 0;
    for (int y = image.height * 2 / 5; y < image.height; ++y)  // below the city on the horizon
        for (int x = image.width / 4; x < image.width * 3 / 4; ++x) {
            const unsigned char* p = image.pixel(x, y);
            if (is_ground(p)) continue;
            (x < image.width / 2 ? left : right) += 1;
            low_x = std::min(low_x, x);
            high_x = std::max(high_x, x);
            low_y = std::min(low_y, y);
            high_y = std::max(high_y, y);
            if (is_metal(p)) ++metal;
        }
    EXPECT_GT(metal, 2000);
    EXPECT_NEAR(left, right, 0.1 * (left + right));
    EXPECT_NEAR((low_x + high_x) / 2.0, image.width / 2.0, 8);
    EXPECT_GT(high_x - low_x, image.width / 4);  // the span
    EXPECT_GT(low_x, image.width / 4 + 10);  // clear of the searched band: narrower than half
    EXPECT_LT(high_x, image.width * 3 / 4 - 10);
    EXPECT_NEAR((low_y + high_y) / 2.0, image.height / 2.0, image.height / 10.0);
}

// Standing still, the picture does not change; with the throttle opened the aircraft rolls
// toward the hills ahead, which grow from one picture to the next.
TEST_F(Aircraft, ThrottleMovesItAlongTheRunway)
{
    const int horizon = 170;  // the hills and mountains ahead lie above this row
    const Image still = screenshot(window, "standing");
    pause(1000);
    EXPECT_EQ(changed_above(still, screenshot(window, "still_standing"), horizon), 0);

    press(window, "plus", 67);  // full throttle
    pause(1000);
    const Image rolling = screenshot(window, "rolling");
    pause(1500);
    const Image later = screenshot(window, "rolling_later");
    EXPECT_GT(changed_above(rolling, later, horizon), 1000);
}

}  // namespace
