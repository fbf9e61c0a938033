// The aircraft from the player's side: keys, one flight step, ground, map edges and tower, and
// the reset.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "aircraft/Collision.h"
#include "aircraft/FlightModel.h"
#include "aircraft/FlightState.h"
#include "aircraft/WorldState.h"
#include "aircraft/Plane.h"
#include "aircraft/RealFlight.h"
#include "cockpit/Options.h"
#include "core/Camera.h"
#include "core/StepClock.h"
#include "core/Timer.h"
#include "platform/GL.h"
#include "platform/Sound.h"
#include "shell/Keyboard.h"
#include "shell/PadControls.h"
#include "shell/Sim.h"

namespace {

// One flight step from the start of the runway with the row's settings, how far it moves the
// aircraft, and its attitude and propeller after it. The speed is a tenth of the throttle, three
// quarters of that with the gear down; the flaps' climb comes once a step, whatever its time.
struct Step {
    const char* what;
    float throttle, delta_time, gear, flap, yaw, pitch, rudder, elevator;
    float dx, dy, dz, new_yaw, new_pitch, prop;
};

const Step steps[] = {
    // throttle  dt  gear flap yaw  pitch rudder elev:   moved x, y, z     yaw  pitch  prop
    {"engine off freezes all", 0, 0.25f, 1, 30, 30, -20, -45, 45, 0, 0, 0, 30, -20, 0},
    {"1.125 a second, gear down", 15, 0.5f, 1, 0, 0, 0, 0, 0, 0, 0, 1.125f * 0.5f, 0, 0, 10},
    {"heading 90 flies along +x", 15, 2, 1, 0, 90, 0, 0, 0, 1.125f * 2, 0, 0, 90, 0, 10},
    {"gear up, full speed", 15, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1.5f * 2, 0, 0, 10},
    {"nose down 90 descends", 15, 2, 0, 0, 0, 90, 0, 0, 0, -1.5f * 2, 0, 0, 90, 10},
    {"flap climb per step", 1005, 0.001f, 1, 30, 0, 0, 0, 0, 0, 7.5375f, 75.375f * 0.001f, 0, 0, 670},
    {"whatever the frame time", 1005, 0.5f, 1, 30, 0, 0, 0, 0, 0, 7.5375f, 75.375f * 0.5f, 0, 0, 670},
    {"flaps with the gear up", 1005, 0.04f, 0, 30, 0, 0, 0, 0, 0, 10.05f, 100.5f * 0.04f, 0, 0, 670},
    {"moves, then turns", 15, 1, 0, 0, 0, 0, -45, -45, 0, 0, 1.5f, 0.225f, 0.225f, 10},
    {"heading past 180 negated", 15, 0, 1, 0, 179.9f, 0, -45, 0, 0, 0, 0, -180.125f, 0, 10},
    {"180 itself stays", 15, 0, 1, 0, 180, -180, 0, 0, 0, 0, 0, 180, -180, 10},
    {"pitch past 180 negated", 15, 0, 1, 0, 0, 179.9f, 0, -45, 0, 0, 0, 0, -180.125f, 10},
    {"below 0, no turn", -15, 0, 1, 0, 0, 0, -45, 45, 0, 0, 0, 0, 0, -10},
};

TEST(FlightModel, OneStep)
{
    for (const Step& s : steps) {
        init_Model();
        throttle = s.throttle, step_time = s.delta_time, gear_out = s.gear, angle_flap = s.flap;
        head_yaw = s.yaw, head_pitch = s.pitch, angle_rudder = s.rudder, angle_elevator = s.elevator;
        plane_idle();
        EXPECT_EQ(old_head_yaw, s.yaw) << s.what;
        const float got[] = {world_x, world_y, world_z + 230, head_yaw, head_pitch, angle_prop};
        const float want[] = {s.dx, s.dy, s.dz, s.new_yaw, s.new_pitch, s.prop};
        for (int i = 0; i < 6; ++i) EXPECT_NEAR(got[i], want[i], 1e-4) << s.what << ", value " << i;
    }
    step_time = 1.0f / 60;
    // The bank, for show only, is never folded.
    init_Model(), throttle = 15, head_roll = 179.9f, angle_aileron = -45;
    plane_idle();
    EXPECT_FLOAT_EQ(head_roll, 180.125f);
}

// The switch picks the model that steps the world, whether the world's checksum takes in the
// rigid body, and whose airspeed the figures show; either moves the gear.
TEST(FlightModel, TheSwitchPicksTheModel)
{
    for (int model : {0, 1}) {
        init_Model(), real_flight = model, throttle = 600;
        world_step();
        EXPECT_NEAR(world_z, model ? -230 : -229.25f, 0.1) << model << ": one step from rest";
        for (double* v : {body.position + 1, body.velocity + 2, body.attitude + 3, body.rates}) {
            const uint64_t sum = world_checksum();
            *v += 4;
            EXPECT_EQ(world_checksum() != sum, model == 1) << model << ": the body in the sum";
        }
        EXPECT_EQ(air_speed(), model ? real_air_speed() : 45) << model;
        // In the air, the gear drawn up goes all the way.
        world_y = 100, reset_real_flight(), gear_out = 0, move_gear();
        for (int step = 0; step < 120; ++step) world_step();
        EXPECT_EQ(angle_nose_gear, nose_gear_up) << model;
    }
    real_flight = 0;
}

std::vector<std::string> sounds;

// Contact with the ground, a map edge or the tower, from flight at throttle 300 with pitch 5
// and bank 7.
struct Contact {
    const char* what;
    float x, y, z, gear;
    int exploding;
    // after the collision step
    int sounds;
    bool crashed, levelled;
    float new_x, new_y, new_z;
};

const float edge = 508032;
const Contact contacts[] = {
    {"exactly on the ground", 0, 0, -230, 1, 0, 0, false, false, 0, 0, -230},
    {"landing", 0, -0.001f, -230, 1, 0, 0, false, true, 0, 0, -230},
    {"belly landing", 0, -2, -230, 0, 0, 1, true, true, 0, 0, -230},
    {"past -z", 0, 500, -508040, 1, 0, 1, true, false, 0, 500, -edge},
    {"past -x", -508040, 500, 0, 1, 0, 1, true, false, -edge, 500, 0},
    {"past +z", 0, 500, 508032.5f, 1, 0, 1, true, false, 0, 500, edge},
    {"past +x", 600000, 500, 0, 1, 0, 1, true, false, edge, 500, 0},
    {"resting on the edge", edge, 500, -edge, 1, 0, 0, false, false, edge, 500, -edge},
    {"past a corner", 510000, 500, -510000, 1, 0, 2, true, false, edge, 500, -edge},
    {"under the tower's top", -65, 36.9f, -145, 1, 0, 1, true, false, -65, 36.9f, -145},
    {"over it", -65, 37, -145, 1, 0, 0, false, false, -65, 37, -145},
    {"inside its corner", -79.9f, 10, -159.9f, 1, 0, 1, true, false, -79.9f, 10, -159.9f},
    {"inside, landing", -50.1f, -5, -130.1f, 1, 0, 1, true, true, -50.1f, 0, -130.1f},
    {"beside it, -x", -80, 10, -145, 1, 0, 0, false, false, -80, 10, -145},
    {"beside it, +x", -50, 10, -145, 1, 0, 0, false, false, -50, 10, -145},
    {"before it", -65, 10, -160, 1, 0, 0, false, false, -65, 10, -160},
    {"behind it", -65, 10, -130, 1, 0, 0, false, false, -65, 10, -130},
    {"in it, burning", -60, 10, -140, 1, 1, 0, true, false, -60, 10, -140},
};

TEST(Collision, GroundEdgesAndTower)
{
    play_sound = [](const char* file) { sounds.push_back(file); };
    for (const Contact& c : contacts) {
        init_Model(), sounds.clear();
        throttle = 300, head_pitch = 5, head_roll = 7;
        world_x = c.x, world_y = c.y, world_z = c.z, gear_out = c.gear;
        if (c.gear == 0) angle_nose_gear = 60, angle_main_gear = 70;
        explo_enable = c.exploding, plane_enable = !c.exploding;
        collision_map();
        collision_tower();
        EXPECT_EQ(sounds, std::vector<std::string>(size_t(c.sounds), "Data/Explo.wav")) << c.what;
        EXPECT_EQ(explo_enable, c.crashed) << c.what;
        EXPECT_EQ(plane_enable, !c.crashed) << c.what;
        EXPECT_EQ(throttle, c.crashed ? 0 : 300) << c.what;
        EXPECT_EQ(head_pitch, c.levelled ? 0 : 5) << c.what;
        EXPECT_EQ(head_roll, c.levelled ? 0 : 7) << c.what;
        EXPECT_TRUE(world_x == c.new_x && world_y == c.new_y && world_z == c.new_z) << c.what;
        // A belly landing leaves the gear extended, so that the next contact is a landing.
        EXPECT_EQ(gear_out, 1) << c.what;
        EXPECT_TRUE(c.gear || (angle_nose_gear == -10 && angle_main_gear == 0)) << c.what;
    }
    play_sound = mixer_play;
}

// Two seconds from a crash's start, in either flight model, the explosion has sounded once a
// crash: twice past a corner, once while the wreck rests in the tower, also when hidden.
TEST(Collision, TheExplosionSoundsOnceACrash)
{
    const struct {
        const char* what;
        void (*set)();
        size_t sounds;
    } crashes[] = {
        {"belly landing", [] { world_y = 0.05f, head_pitch = 5, gear_out = 0, angle_nose_gear = 120; }, 1},
        {"the tower, hidden", [] { world_x = -65, world_y = 10, world_z = -145, plane_enable = 0; }, 1},
        {"past a corner", [] { world_x = world_z = max_neg - 1, world_y = 500; }, 2},
    };
    play_sound = [](const char* file) { sounds.push_back(file); };
    for (const int model : {0, 1})
        for (const auto& crash : crashes) {
            init_Model(), real_flight = model, throttle = 300;
            crash.set(), reset_real_flight(), sounds.clear();
            for (int step = 0; step < 120; ++step) world_step();
            EXPECT_EQ(sounds.size(), crash.sounds) << crash.what << ", model " << model;
        }
    play_sound = mixer_play, real_flight = 0;
}

// Every flight-state global.
float* const flight_globals[] = {&world_x, &world_y, &world_z, &head_yaw, &head_pitch, &head_roll,
                                 &old_head_yaw, &throttle, &angle_rudder, &angle_elevator,
                                 &angle_aileron, &angle_flap, &angle_prop, &gear_out,
                                 &angle_nose_gear, &angle_main_gear};

std::vector<float> flight_state()
{
    std::vector<float> values;
    for (float* v : flight_globals) values.push_back(*v);
    return values;
}

void scramble()
{
    for (float* v : flight_globals) *v = 77.5f;
}

// R puts the aircraft, controls and chase camera back at the start and leaves the other
// options alone; so does M, which switches the flight model. End centres the control surfaces.
TEST(FlightState, ResetAndCentre)
{
    for (unsigned char key : {'R', 'r', 'M', 'm'}) {
        scramble();
        plane_enable = 0, explo_enable = 1, tower_view = 1, level = 3;
        camera.Position(1, 2, 3, 4, 5, 6, 7, 8, 9);
        camera.xr = 4, camera.fov = 80;
        keyb(key, 0, 0);
        EXPECT_EQ(flight_state(),
                  (std::vector<float>{0, 0, -230, 0, 0, 0, 77.5f, 0, 0, 0, 0, 0, 0, 1, -10, 0}));
        EXPECT_TRUE(plane_enable == 1 && explo_enable == 0 && tower_view == 1 && level == 3);
        EXPECT_TRUE(camera.Eye[1] == 10 && camera.Eye[2] == -30 && camera.Up[1] == 1);
        EXPECT_TRUE(camera.xr == 0 && camera.fov == 80);
        EXPECT_EQ(real_flight, key == 'M') << key;
    }
    tower_view = 0, level = 1, scramble();
    special_keys(GLUT_KEY_END, 0, 0);
    const float x = 77.5f;
    EXPECT_EQ(flight_state(), (std::vector<float>{x, x, x, x, x, x, x, x, 0, 0, 0, 0, x, x, x, x}));
}

// A control key (a character, or a special key's code) pressed `presses` times from `start`. The
// limit is tested before each step, and nothing is clamped after it.
TEST(Keyboard, ControlsStopAtTheirLimits)
{
    const struct {
        const char* key;
        int code;
        float* value;
        float start;
        int presses;
        float end;
    } presses[] = {
        {"F3", GLUT_KEY_F3, &angle_aileron, 0, 10, 45},
        {"F4", GLUT_KEY_F4, &angle_aileron, 0, 10, -45},
        {"Right", GLUT_KEY_RIGHT, &angle_rudder, 0, 19, 45},
        {"Left", GLUT_KEY_LEFT, &angle_rudder, 0, 19, -45},
        {"Down", GLUT_KEY_DOWN, &angle_elevator, 0, 19, 45},
        {"Up", GLUT_KEY_UP, &angle_elevator, 0, 19, -45},
        {"Page Up", GLUT_KEY_PAGE_UP, &angle_flap, 0, 13, 30},
        {"Page Down", GLUT_KEY_PAGE_DOWN, &angle_flap, 30, 13, 0},
        {"+", '+', &throttle, 0, 68, 1005},
        {"-", '-', &throttle, 1005, 68, 0},
        {"F3 off the grid", GLUT_KEY_F3, &angle_aileron, 44, 2, 49},
        {"Left off the grid", GLUT_KEY_LEFT, &angle_rudder, -44, 2, -46.5f},
        {"Page Down off the grid", GLUT_KEY_PAGE_DOWN, &angle_flap, 1, 2, -1.5f},
        {"+ off the grid", '+', &throttle, 999, 2, 1014},
        {"+ at 1001", '+', &throttle, 1001, 1, 1001},
        {"- off the grid", '-', &throttle, 1, 2, -14},
    };
    for (const auto& p : presses) {
        init_Model(), *p.value = p.start;
        for (int k = 0; k < p.presses; ++k)
            p.code == '+' || p.code == '-' ? keyb(char(p.code), 0, 0) : special_keys(p.code, 0, 0);
        EXPECT_EQ(*p.value, p.end) << p.key;
    }
}

// The view keys in either case, and the camera keys, which act on the chase camera also while
// the tower's view is shown. Keys of neither table change nothing.
TEST(Keyboard, ViewsAndTheChaseCamera)
{
    camera.Position(0, 100, -200, 0, 0, 0, 0, 1, 0);
    tower_view = 5;
    for (unsigned char key : {'t', 'T', '8', '8', '2', '4', '6', '6', '1', '3', '3', '3'}) keyb(key, 0, 0);
    EXPECT_EQ(tower_view, 1);
    EXPECT_EQ((std::vector<int>{camera.xr, camera.yr, camera.zr}), (std::vector<int>{1, -1, -2}));
    for (unsigned char key : {'5', '7', '9', '9'}) keyb(key, 0, 0);
    EXPECT_EQ((std::vector<int>{camera.xr, camera.yr, camera.zr}), (std::vector<int>{0, 0, 0}));
    EXPECT_NEAR(std::hypot(camera.Eye[0], camera.Eye[1], camera.Eye[2]), std::sqrt(50000.0) + 50, 1e-9);
    tower_view = 0;

    // C: the chase camera back at its start place, stopped; P and H switch pause and help.
    init_Model();
    const std::vector<float> before = flight_state();
    camera.yr = 3;
    for (unsigned char key : {'c', 'P', 'h'}) keyb(key, 0, 0);
    EXPECT_EQ((std::vector<double>{camera.Eye[0], camera.Eye[1], camera.Eye[2], double(camera.yr)}),
              (std::vector<double>{0, 5, -20, 0}));
    EXPECT_TRUE(paused && help_enable);
    for (unsigned char key : {'p', 'H', 'C'}) keyb(key, 0, 0);
    EXPECT_FALSE(paused || help_enable);
    EXPECT_EQ(flight_state(), before);

    init_Model();
    for (int key : {0, 32, 48, 61, 120, 113, 127, 255}) keyb(static_cast<unsigned char>(key), 0, 0);
    for (int key : {0, GLUT_KEY_F5, GLUT_KEY_HOME, GLUT_KEY_INSERT, int('G'), int('+')})
        special_keys(key, 0, 0);
    EXPECT_EQ(flight_state(), before);
    EXPECT_TRUE(camera.Eye[1] == 10 && tower_view == 0 && level == 1);
}

// A and Z step the level of detail within 0 to 3, selecting (and reporting) it at every press,
// also at a limit. The landscape is not generated here: every level has 0 triangles.
TEST(Keyboard, LevelOfDetail)
{
    level = 2;
    testing::internal::CaptureStdout();
    keyb('a', 0, 0), keyb('A', 0, 0);
    EXPECT_EQ(level, 3);
    for (unsigned char key : {'z', 'Z', 'z', 'Z'}) keyb(key, 0, 0);
    EXPECT_EQ(level, 0);
    std::string expected;
    for (int k = 0; k < 6; ++k) expected += "  Terrain: 0 triangles\n\n";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
    level = 1;
}

// The options window's flight figures; climb and frame rates over the time since the previous
// reading.
TEST(FlightData, Figures)
{
    init_Model(), t = Timer{}, level = 1;
    flight_data();
    throttle = 600, gear_out = 0, angle_nose_gear = 60, angle_flap = 12.5f;
    world_y = 150, head_yaw = -90.4f, head_pitch = -3;
    t.Time = 2, t.frames = 120;
    EXPECT_EQ(flight_data(), "Speed       60.0 /s\nAltitude     150\nHeading      090\nPitch        3.0\n"
                             "Climb       75.0 /s\nThrottle      60 %\nGear      moving\nFlaps       12.5\n"
                             "Terrain   level 1, 0 triangles\nFrames      60.0 /s");
    // Read again at once, no climb; near north the heading reads 000 from either side, never 360.
    const std::pair<float, const char*> headings[] = {
        {179.6f, "180"}, {0.4f, "000"}, {-0.4f, "000"}, {0.6f, "359"}, {-0.6f, "001"}};
    for (const auto& [yaw, heading] : headings) {
        head_yaw = yaw;
        const std::string expected = std::string("Heading      ") + heading + "\nPitch        3.0\nClimb        0.0 /s";
        EXPECT_NE(flight_data().find(expected), std::string::npos) << yaw;
    }
}

}  // namespace

// The mouse as a stick: the pointer's place in the window sets the ailerons and the elevator,
// where it last moved them; the d-pad's sides trim, once a press.
TEST(MouseAndPad, FlyTheAircraft)
{
    init_Model(), real_flight = 1, mouse_stick = 1;
    const struct {
        int x, y;
        float aileron, elevator;
    } places[] = {{320, 240, 0, 0},      {332, 234, 0, 0},          {640, 480, -45, 45},
                  {0, 0, 45, -45},       {480, 120, -21.5f, -21.5f}};
    for (const auto& p : places) {
        apply_mouse(p.x, p.y, 640, 480);
        EXPECT_TRUE(angle_aileron == p.aileron && angle_elevator == p.elevator) << p.x << ", " << p.y;
    }
    special_keys(GLUT_KEY_F3, 0, 0), apply_mouse(480, 120, 640, 480);
    EXPECT_EQ(angle_aileron, -16.5f) << "the key moved it last";
    mouse_stick = 0, apply_mouse(320, 240, 640, 480);
    EXPECT_EQ(angle_elevator, -21.5f) << "switched off";
    PadInput pad, last;
    pad.button[PadInput::DpadRight] = true;
    apply_pad(pad, last), apply_pad(pad, pad);
    EXPECT_EQ(body.trim, trim_step);
    real_flight = 0;
}
