#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "aircraft/FlightState.h"
#include "platform/GL.h"
#include "shell/Camera.h"
#include "shell/Keyboard.h"
#include "shell/Sim.h"

namespace {

std::function<void()> special(int key)
{
    return [key] { special_keys(key, 0, 0); };
}

std::function<void()> character(unsigned char key)
{
    return [key] { keyb(key, 0, 0); };
}

// A control key, the value it steps, the presses from 0 to its limit, and a value inside the
// limit but off the step grid with where one press takes it.
struct Control {
    const char* name;
    std::function<void()> press;
    float* value;
    int presses;
    float limit;
    float off_grid;
    float past;
};

const std::vector<Control>& controls()
{
    static const std::vector<Control> table{
        {"F3", special(GLUT_KEY_F3), &angle_aileron, 9, 45, 44, 49},
        {"F4", special(GLUT_KEY_F4), &angle_aileron, 9, -45, -44, -49},
        {"Right", special(GLUT_KEY_RIGHT), &angle_rudder, 18, 45, 44, 46.5f},
        {"Left", special(GLUT_KEY_LEFT), &angle_rudder, 18, -45, -44, -46.5f},
        {"Down", special(GLUT_KEY_DOWN), &angle_elevator, 18, 45, 44, 46.5f},
        {"Up", special(GLUT_KEY_UP), &angle_elevator, 18, -45, -44, -46.5f},
        {"Page Up", special(GLUT_KEY_PAGE_UP), &angle_flap, 12, 30, 29, 31.5f},
        {"+", character('+'), &throttle, 67, 1005, 999, 1014},
    };
    return table;
}

TEST(Keyboard, ControlsReachTheirLimitsAndStop)
{
    for (const Control& c : controls()) {
        init_Model();
        for (int k = 0; k < c.presses; ++k) c.press();
        EXPECT_EQ(*c.value, c.limit) << c.name;
        c.press();
        EXPECT_EQ(*c.value, c.limit) << c.name << " once more";
    }

    // The flap and the throttle come back from their limits to 0 and stop there.
    angle_flap = 30;
    throttle = 1005;
    for (int k = 0; k < 12; ++k) special_keys(GLUT_KEY_PAGE_DOWN, 0, 0);
    for (int k = 0; k < 67; ++k) keyb('-', 0, 0);
    EXPECT_EQ(angle_flap, 0);
    EXPECT_EQ(throttle, 0);
    special_keys(GLUT_KEY_PAGE_DOWN, 0, 0);
    keyb('-', 0, 0);
    EXPECT_EQ(angle_flap, 0);
    EXPECT_EQ(throttle, 0);
}

// A value put off the step grid by hand shows the order: inside the limit, one full step is taken
// even if it crosses the limit, and nothing pulls the value back.
TEST(Keyboard, LimitIsTestedBeforeTheStepAndNeverClamped)
{
    for (const Control& c : controls()) {
        init_Model();
        *c.value = c.off_grid;
        c.press();
        EXPECT_EQ(*c.value, c.past) << c.name;
        c.press();
        EXPECT_EQ(*c.value, c.past) << c.name << " once more";
    }

    init_Model();
    angle_flap = 1;
    throttle = 1;
    special_keys(GLUT_KEY_PAGE_DOWN, 0, 0);
    keyb('-', 0, 0);
    EXPECT_EQ(angle_flap, -1.5f);
    EXPECT_EQ(throttle, -14);
    // The throttle is raised only below 1000, not below the 1005 it can reach.
    throttle = 1001;
    keyb('+', 0, 0);
    EXPECT_EQ(throttle, 1001);
}

TEST(Keyboard, EndCentresTheControlSurfacesOnly)
{
    init_Model();
    angle_rudder = 10;
    angle_elevator = -7.5f;
    angle_flap = 15;
    angle_aileron = -20;
    throttle = 300;
    special_keys(GLUT_KEY_END, 0, 0);
    EXPECT_EQ(angle_rudder, 0);
    EXPECT_EQ(angle_elevator, 0);
    EXPECT_EQ(angle_flap, 0);
    EXPECT_EQ(angle_aileron, 0);
    EXPECT_EQ(throttle, 300);
}

double distance(const Camera& c) { return std::hypot(c.Eye[0], c.Eye[1], c.Eye[2]); }

// The camera keys work on the chase camera, also while the tower's view is shown.
TEST(Keyboard, CameraKeysTurnAndZoomTheChaseCamera)
{
    camera.Position(0, 100, -200, 0, 0, 0, 0, 1, 0);
    tower.Position(-70, 40, -150, 0, 0, 0, 0, 1, 0);
    tower_view = 1;
    for (unsigned char key : {'8', '8', '2', '4', '6', '6', '1', '3', '3', '3'}) keyb(key, 0, 0);
    EXPECT_EQ(camera.xr, 1);
    EXPECT_EQ(camera.yr, -1);
    EXPECT_EQ(camera.zr, -2);
    keyb('5', 0, 0);
    EXPECT_EQ(camera.xr, 0);
    EXPECT_EQ(camera.yr, 0);
    EXPECT_EQ(camera.zr, 0);

    const double start = distance(camera);
    keyb('7', 0, 0);
    EXPECT_NEAR(distance(camera), start - 50, 1e-9);
    keyb('9', 0, 0);
    keyb('9', 0, 0);
    EXPECT_NEAR(distance(camera), start + 50, 1e-9);
    EXPECT_EQ(tower.Eye[2], -150);
    EXPECT_EQ(tower_view, 1);

    // S and s look straight down from high above and stop the turning.
    for (unsigned char key : {'S', 's'}) {
        camera.Position(1, 2, 3, 4, 5, 6, 7, 8, 9);
        camera.xr = camera.yr = camera.zr = 3;
        keyb(key, 0, 0);
        const std::vector<double> view{camera.Eye[0], camera.Eye[1], camera.Eye[2],
                                       camera.At[0],  camera.At[1],  camera.At[2],
                                       camera.Up[0],  camera.Up[1],  camera.Up[2]};
        EXPECT_EQ(view, (std::vector<double>{0, 20000, -20, 0, 0, 0, 0, 1, 0})) << key;
        EXPECT_EQ(camera.xr | camera.yr | camera.zr, 0) << key;
    }
    tower_view = 0;
}

// Every global a key could touch, in one list.
std::vector<double> everything()
{
    std::vector<double> v{world_x, world_y, world_z, head_yaw, head_pitch, head_roll,
                          old_head_yaw, throttle, gear_out, angle_rudder, angle_elevator,
                          angle_aileron, angle_flap, angle_prop, angle_nose_gear,
                          angle_main_gear, double(fog_enable), double(wire_frame),
                          double(tower_view), double(lighting_enable), double(culling_enable),
                          double(plane_enable), double(explo_enable), double(ui_enable),
                          double(texture1_), double(texture2_), double(level), double(surface)};
    for (const Camera* c : {&camera, &tower}) {
        v.insert(v.end(), {c->Eye[0], c->Eye[1], c->Eye[2], c->At[0], c->At[1], c->At[2],
                           c->Up[0], c->Up[1], c->Up[2], c->fov, c->znear, c->zfar,
                           double(c->w), double(c->h), double(c->xr), double(c->yr),
                           double(c->zr)});
    }
    return v;
}

TEST(Keyboard, UnknownKeysDoNothing)
{
    init_Model();
    world_y = 50;
    throttle = 510;
    angle_rudder = angle_elevator = angle_aileron = angle_flap = 10;
    gear_out = 0;
    angle_nose_gear = 40;
    angle_main_gear = 50;
    camera.Position(0, 5, -20, 0, 0, 0, 0, 1, 0);
    camera.xr = 2;
    camera.yr = -3;
    camera.zr = 4;
    const int saved_level = level;
    level = 2;
    const std::vector<double> before = everything();

    // Neighbours of the known codes, codes of one table tried in the other, and freeglut's
    // extra special keys.
    const unsigned char characters[] = {0,   3,   27,  ' ', '0', '=', '_', '*',
                                        'x', 'X', 'h', 'Q', 127, 200, 255};
    for (unsigned char key : characters) keyb(key, 0, 0);
    const int codes[] = {-1, 0, GLUT_KEY_F5, GLUT_KEY_F12, GLUT_KEY_HOME, GLUT_KEY_INSERT,
                         GLUT_KEY_NUM_LOCK, GLUT_KEY_DELETE, GLUT_KEY_SHIFT_L, 'G', 'T', '+', 1000};
    for (int key : codes) special_keys(key, 0, 0);

    EXPECT_EQ(everything(), before);
    level = saved_level;
}

}  // namespace
