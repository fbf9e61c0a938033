#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aircraft/FlightState.h"
#include "platform/GL.h"
#include "shell/Camera.h"
#include "shell/Keyboard.h"
#include "shell/Sim.h"

namespace {

// The option flags, in the order of the options table: fog, wire-frame, tower view, lighting,
// culling, plane, explosion, overlay, texture, light map, level.
std::vector<int> flags()
{
    return {fog_enable, wire_frame, tower_view, lighting_enable, culling_enable, plane_enable,
            explo_enable, ui_enable, texture1_, texture2_, level};
}

// Every flight-state global, in the order of the flight-state table.
std::vector<float> flight_state()
{
    return {world_x, world_y, world_z, head_yaw, head_pitch, head_roll, old_head_yaw, throttle,
            angle_rudder, angle_elevator, angle_aileron, angle_flap, angle_prop, gear_out,
            angle_nose_gear, angle_main_gear};
}

// Copied before any test can change them: the globals are constant-initialised, before this
// dynamic initialisation runs.
const std::vector<int> flags_at_start = flags();
const std::vector<float> flight_state_at_start = flight_state();
const unsigned int surface_at_start = surface;
const float ui_alpha_at_start = ui_alpha;

TEST(FlightState, ProgramStartValues)
{
    EXPECT_EQ(flags_at_start, (std::vector<int>{1, 0, 0, 1, 1, 1, 0, 0, 1, 1, 1}));
    EXPECT_EQ(surface_at_start, 9u);  // GL_POLYGON
    EXPECT_FLOAT_EQ(ui_alpha_at_start, 0.6f);
    EXPECT_EQ(std::string(Window_Title), "Kestrix b0.xxx");
    EXPECT_EQ(sizeof Window_Title, 15u);
    // The flight state is all 0 until start-up's init_Model gives it its start values.
    EXPECT_EQ(flight_state_at_start, std::vector<float>(16, 0.0f));
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
    // At (0, 0, -230), heading 0, engine off, gear down; old_head_yaw is left alone.
    EXPECT_EQ(flight_state(),
              (std::vector<float>{0, 0, -230, 0, 0, 0, 77.5f, 0, 0, 0, 0, 0, 0, 1, -10, 0}));

    const std::vector<double> view{camera.Eye[0], camera.Eye[1], camera.Eye[2], camera.At[0], camera.At[1],
                                   camera.At[2], camera.Up[0], camera.Up[1], camera.Up[2]};
    EXPECT_EQ(view, (std::vector<double>{0, 10, -30, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(camera.xr, 0);
    EXPECT_EQ(camera.fov, 80);  // the projection values stay
}

TEST(FlightState, InitModelLeavesTheRestAlone)
{
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

    EXPECT_EQ(flags(), (std::vector<int>{0, 1, 1, 0, 0, 1, 0, 1, 0, 0, 3}));
    EXPECT_EQ(tower.Eye[0], -70);
    EXPECT_EQ(tower.Eye[1], 40);
    EXPECT_EQ(tower.Eye[2], -150);
}

TEST(FlightState, ResetCentresOnlyTheControlSurfaces)
{
    scramble_flight_state();
    reset_();
    const float x = 77.5f;
    EXPECT_EQ(flight_state(), (std::vector<float>{x, x, x, x, x, x, x, x, 0, 0, 0, 0, x, x, x, x}));
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
    // A release, and the other buttons, return normally.
    mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 10, 10);
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
    mouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 10, 10);
}

}  // namespace
