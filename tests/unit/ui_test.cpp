#include <gtest/gtest.h>

#include <array>

#include "cockpit/UI.h"

namespace {

// The markers at the ends of their controls' travel, and the tint at steep pitches.
TEST(UI, MarkerPlacesAndAttitudeTint)
{
    EXPECT_FLOAT_EQ(throttle_marker_height(0), 13);
    EXPECT_FLOAT_EQ(throttle_marker_height(1005), 113.5f);  // above the slot and the panel
    EXPECT_FLOAT_EQ(alt_marker_height(15000), 50.5f);
    EXPECT_FLOAT_EQ(control_marker_offset(45), 30);  // inside the plus sign's arms
    EXPECT_FLOAT_EQ(control_marker_offset(-45), -30);
    EXPECT_EQ(attitude_tint(45), (std::array<float, 3>{1, 0, 0.5f}));
    EXPECT_EQ(attitude_tint(-45), (std::array<float, 3>{0, 1, 0.5f}));
}

}  // namespace
