#include <gtest/gtest.h>

#include <string>

#include "aircraft/FlightState.h"
#include "platform/GL.h"
#include "shell/Camera.h"
#include "shell/Keyboard.h"
#include "shell/Sim.h"

namespace {

// The option flags and flight state as they stand when the program starts, copied before any
// test can change them (the globals are constant-initialised, before this copy runs).
struct StartState {
    int fog_enable = ::fog_enable, wire_frame = ::wire_frame, tower_view = ::tower_view,
        lighting_enable = ::lighting_enable, culling_enable = ::culling_enable, plane_enable = ::plane_enable,
        explo_enable = ::explo_enable, ui_enable = ::ui_enable, texture1_ = ::texture1_, texture2_ = ::texture2_,
        level = ::level;
    unsigned int surface = ::surface;
    float ui_alpha = ::ui_alpha;
    std::string title = Window_Title;
    float flight[4] = {::world_z, ::throttle, ::gear_out, ::angle_nose_gear};
} const at_start;

TEST(FlightState, ProgramStartValues)
{
    EXPECT_EQ(at_start.fog_enable, 1);
    EXPECT_EQ(at_start.wire_frame, 0);
    EXPECT_EQ(at_start.tower_view, 0);
    EXPECT_EQ(at_start.lighting_enable, 1);
    EXPECT_EQ(at_start.culling_enable, 1);
    EXPECT_EQ(at_start.plane_enable, 1);
    EXPECT_EQ(at_start.explo_enable, 0);
    EXPECT_EQ(at_start.ui_enable, 0);
    EXPECT_EQ(at_start.texture1_, 1);
    EXPECT_EQ(at_start.texture2_, 1);
    EXPECT_EQ(at_start.level, 1);
    EXPECT_EQ(at_start.surface, 9u);  // GL_POLYGON
    EXPECT_FLOAT_EQ(at_start.ui_alpha, 0.6f);
    EXPECT_EQ(at_start.title, "Kestrix b0.xxx");
    EXPECT_EQ(sizeof Window_Title, 15u);
    // The flight state is all 0 until start-up's init_Model gives it its start values.
    for (float v : at_start.flight) EXPECT_EQ(v, 0);
}

// Puts a value into every flight-state global that no start value equals.
void scramble_flight_state()
{
    for (float* v : {&world_x, &world_y, &world_z, &head_yaw, &head_pitch, &head_roll, &old_head_yaw,
                     &throttle, &gear_out, &angle_rudder, &angle_elevator, &angle_aileron, &angle_flap,
                     &angle_prop, &angle_nose_gear, &angle_main_gear})
        *v = 77.5f;
}

TEST(FlightState, InitModelPutsTheAircraftAtTheStart)
{
    scramble_flight_state();
    plane_enable = 0;
    explo_enable = 1;
    camera.Position(1, 2, 3, 4, 5, 6, 7, 8, 9);
    camera.xr = 4;
    camera.fov = 80;

    init_Model();

    EXPECT_EQ(plane_enable, 1);
    EXPECT_EQ(explo_enable, 0);
    EXPECT_EQ(world_x, 0);
    EXPECT_EQ(world_y, 0);
    EXPECT_EQ(world_z, -230);
    EXPECT_EQ(head_yaw, 0);
    EXPECT_EQ(head_pitch, 0);
    EXPECT_EQ(head_roll, 0);
    EXPECT_EQ(throttle, 0);
    EXPECT_EQ(gear_out, 1);
    EXPECT_EQ(angle_nose_gear, -10);
    EXPECT_EQ(angle_main_gear, 0);
    EXPECT_EQ(angle_main_gear, angle_nose_gear + 10);
    for (float angle : {angle_prop, angle_aileron, angle_elevator, angle_flap, angle_rudder}) EXPECT_EQ(angle, 0);

    const double eye[] = {0, 10, -30}, at[] = {0, 0, 0}, up[] = {0, 1, 0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(camera.Eye[i], eye[i]);
        EXPECT_EQ(camera.At[i], at[i]);
        EXPECT_EQ(camera.Up[i], up[i]);
    }
    EXPECT_EQ(camera.xr, 0);
    EXPECT_EQ(camera.fov, 80);  // the projection values stay
}

TEST(FlightState, InitModelLeavesTheRestAlone)
{
    scramble_flight_state();
    tower.Position(-70, 40, -150, 0, 0, 0, 0, 1, 0);
    fog_enable = 0;
    wire_frame = 1;
    tower_view = 1;
    lighting_enable = 0;
    culling_enable = 0;
    ui_enable = 1;
    texture1_ = 0;
    texture2_ = 0;
    level = 3;

    init_Model();

    EXPECT_EQ(old_head_yaw, 77.5f);
    EXPECT_EQ(tower.Eye[0], -70);
    EXPECT_EQ(tower.Eye[1], 40);
    EXPECT_EQ(tower.Eye[2], -150);
    EXPECT_EQ(fog_enable, 0);
    EXPECT_EQ(wire_frame, 1);
    EXPECT_EQ(tower_view, 1);
    EXPECT_EQ(lighting_enable, 0);
    EXPECT_EQ(culling_enable, 0);
    EXPECT_EQ(ui_enable, 1);
    EXPECT_EQ(texture1_, 0);
    EXPECT_EQ(texture2_, 0);
    EXPECT_EQ(level, 3);
}

TEST(FlightState, ResetCentresOnlyTheControlSurfaces)
{
    scramble_flight_state();
    reset_();
    EXPECT_EQ(angle_rudder, 0);
    EXPECT_EQ(angle_elevator, 0);
    EXPECT_EQ(angle_flap, 0);
    EXPECT_EQ(angle_aileron, 0);
    for (float v : {world_x, world_y, world_z, head_yaw, head_pitch, head_roll, throttle, gear_out,
                    angle_prop, angle_nose_gear, angle_main_gear})
        EXPECT_EQ(v, 77.5f);
}

TEST(FlightState, ViewAndResetKeysInEitherCase)
{
    tower_view = 0;
    keyb('t', 0, 0);
    EXPECT_EQ(tower_view, 1);
    keyb('T', 0, 0);
    EXPECT_EQ(tower_view, 0);
    tower_view = 5;  // any nonzero value counts as on
    keyb('t', 0, 0);
    EXPECT_EQ(tower_view, 0);

    scramble_flight_state();
    keyb('r', 0, 0);
    EXPECT_EQ(world_z, -230);
    scramble_flight_state();
    keyb('R', 0, 0);
    EXPECT_EQ(gear_out, 1);
}

TEST(FlightStateDeathTest, RightButtonPressEndsTheProgram)
{
    EXPECT_EXIT(mouse(GLUT_RIGHT_BUTTON, GLUT_DOWN, 10, 10), ::testing::ExitedWithCode(0), "");
    // A release, and the other buttons, are ignored.
    mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 10, 10);
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
    mouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 10, 10);
    SUCCEED();
}

}  // namespace
