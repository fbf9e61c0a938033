#include <gtest/gtest.h>

#include <algorithm>

#include "aircraft/FlightModel.h"
#include "aircraft/FlightState.h"
#include "aircraft/Plane.h"
#include "shell/Timer.h"

namespace {

// The aircraft at the start of the runway with the given throttle and frame time.
void start(float throttle_setting, float delta_time)
{
    init_Model();
    throttle = throttle_setting;
    t.DeltaTime = delta_time;
}

TEST(FlightModel, StoppedEngineFreezesEverything)
{
    start(0, 0.25f);
    angle_rudder = -45;
    angle_elevator = 45;
    angle_aileron = 45;
    angle_flap = 30;
    head_yaw = 30;
    head_pitch = -20;
    head_roll = 10;
    plane_idle();
    EXPECT_EQ(world_x, 0);
    EXPECT_EQ(world_y, 0);
    EXPECT_EQ(world_z, -230);
    EXPECT_EQ(head_yaw, 30);
    EXPECT_EQ(head_pitch, -20);
    EXPECT_EQ(head_roll, 10);
    EXPECT_EQ(angle_prop, 0);
    EXPECT_EQ(old_head_yaw, 30);

    // A throttle below 0 still holds the attitude, but it is not 0, so the propeller turns.
    throttle = -15;
    plane_idle();
    EXPECT_EQ(head_yaw, 30);
    EXPECT_EQ(head_roll, 10);
    EXPECT_EQ(angle_prop, -10);
}

// Throttle 15 is 1.5 units per second, three quarters of it with the gear down, on the ground
// as in the air; the distance scales with the frame time and follows the heading.
TEST(FlightModel, SpeedFollowsThrottleGearAndFrameTime)
{
    start(15, 0.5f);
    plane_idle();
    EXPECT_EQ(world_z, -230 + 1.125f * 0.5f);
    EXPECT_EQ(world_x, 0);
    EXPECT_EQ(world_y, 0);

    start(15, 2);
    head_yaw = 90;  // toward +x
    plane_idle();
    EXPECT_EQ(world_x, 2.25f);
    EXPECT_FLOAT_EQ(world_z, -230);

    start(15, 2);
    gear_out = 0;
    world_y = 500;
    plane_idle();
    EXPECT_EQ(world_z, -227);

    // Nose down 90 degrees (positive pitch) descends at the full speed and goes nowhere else.
    start(15, 2);
    gear_out = 0;
    world_y = 500;
    head_pitch = 90;
    plane_idle();
    EXPECT_EQ(world_y, 497);
    EXPECT_FLOAT_EQ(world_z, -230);
}

// The flap climb is added once per step: 0.2 of the speed at flaps 30 (sine 0.5), whatever the
// frame time, on top of the climb by the pitch, which is per second.
TEST(FlightModel, FlapClimbIsPerStep)
{
    start(1005, 0.001f);
    angle_flap = 30;
    plane_idle();
    EXPECT_FLOAT_EQ(world_y, 7.5375f);
    t.DeltaTime = 0.5f;
    plane_idle();
    EXPECT_FLOAT_EQ(world_y, 2 * 7.5375f);

    start(1005, 0.04f);
    angle_flap = 30;
    gear_out = 0;
    plane_idle();
    EXPECT_FLOAT_EQ(world_y, 10.05f);

    start(1005, 0.1f);
    angle_flap = 30;
    gear_out = 0;
    head_pitch = -90;  // nose straight up: 100.5 per second
    plane_idle();
    EXPECT_FLOAT_EQ(world_y, 10.05f + 10.05f);
}

// Full left rudder carries the heading past 180, where it is negated (the same direction); the
// next step brings it back inside. Exactly 180 stays. Pitch folds the same way.
TEST(FlightModel, HeadingAndPitchFoldPast180)
{
    start(15, 0.01f);
    head_yaw = 179.9f;
    angle_rudder = -45;
    plane_idle();
    EXPECT_EQ(head_yaw, -180.125f);
    plane_idle();
    EXPECT_FLOAT_EQ(head_yaw, -179.9f);
    angle_rudder = 45;
    head_yaw = -179.9f;
    plane_idle();
    EXPECT_EQ(head_yaw, 180.125f);

    start(15, 0.01f);
    head_pitch = 179.9f;
    angle_elevator = -45;
    plane_idle();
    EXPECT_EQ(head_pitch, -180.125f);
    plane_idle();
    EXPECT_FLOAT_EQ(head_pitch, -179.9f);

    start(15, 0.01f);
    head_yaw = 180;
    head_pitch = -180;
    head_roll = 179.9f;
    angle_aileron = -45;
    plane_idle();
    EXPECT_EQ(head_yaw, 180);
    EXPECT_EQ(head_pitch, -180);
    EXPECT_FLOAT_EQ(head_roll, 180.125f);  // the bank is never folded
}

// A step stores the heading, moves along the attitude it found, and only then turns: the first
// step out of heading 0 with full rudder goes straight along +z.
TEST(FlightModel, StepMovesBeforeTurning)
{
    start(15, 1);
    gear_out = 0;
    angle_rudder = -45;
    angle_elevator = -45;
    angle_aileron = 45;
    old_head_yaw = 99;
    plane_idle();
    EXPECT_EQ(old_head_yaw, 0);
    EXPECT_FLOAT_EQ(head_yaw, 0.225f);
    EXPECT_FLOAT_EQ(head_pitch, 0.225f);
    EXPECT_FLOAT_EQ(head_roll, -0.225f);
    EXPECT_EQ(world_x, 0);
    EXPECT_EQ(world_y, 0);
    EXPECT_EQ(world_z, -228.5f);
    EXPECT_EQ(angle_prop, 10);  // throttle x 2/3 per step
    const float turned = head_yaw;
    plane_idle();
    EXPECT_EQ(old_head_yaw, turned);
    EXPECT_GT(world_x, 0);  // now turned toward +x
    EXPECT_LT(world_y, 0);  // and nose down
    EXPECT_EQ(angle_prop, 20);
}

// The legs swing 5 degrees a step, main always 10 past nose. The gear key kicks a leg off its
// end stop; from there the flight steps carry it to the other end, where they leave it.
TEST(FlightModel, GearTravelsBetweenItsStops)
{
    start(0, 0.02f);
    gear_out = 0;
    plane_idle();
    EXPECT_EQ(angle_nose_gear, -10);  // not kicked: stays down

    move_gear();
    int steps = 1;
    while (angle_nose_gear < 120 && steps < 100) {
        plane_idle();
        ++steps;
        ASSERT_EQ(angle_main_gear, angle_nose_gear + 10);
    }
    EXPECT_EQ(steps, 26);
    EXPECT_EQ(angle_nose_gear, 120);

    gear_out = 1;
    plane_idle();
    EXPECT_EQ(angle_nose_gear, 120);  // not kicked: stays up
    move_gear();
    for (steps = 1; angle_nose_gear > -10 && steps < 100; ++steps) plane_idle();
    EXPECT_EQ(steps, 26);
    EXPECT_EQ(angle_main_gear, 0);

    // Reversed half way, the legs go back on the same 5-degree grid and stop at the ends.
    gear_out = 0;
    move_gear();
    for (int k = 0; k < 9; ++k) plane_idle();
    EXPECT_EQ(angle_nose_gear, 40);
    gear_out = 1;
    for (int k = 0; k < 20; ++k) {
        plane_idle();
        ASSERT_EQ(angle_main_gear, angle_nose_gear + 10);
        ASSERT_EQ(angle_nose_gear, std::max(35.0f - 5 * k, -10.0f));
    }
}

}  // namespace
