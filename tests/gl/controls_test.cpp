// The frame loop's handling of keys, cameras, warnings and options; drawing where the driver
// lacks entry points.
#include "gl_support.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <stb_image.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>

#include "aircraft/Collision.h"
#include "aircraft/FlightState.h"
#include "aircraft/Plane.h"
#include "cockpit/ControlWindow.h"
#include "cockpit/Figures.h"
#include "cockpit/Help.h"
#include "cockpit/Options.h"
#include "cockpit/UI.h"
#include "core/Camera.h"
#include "platform/GLExt.h"
#include "platform/Gamepad.h"
#include "shell/Keyboard.h"
#include "shell/PadControls.h"
#include "shell/Render.h"
#include "shell/Sim.h"
#include "terrain/TerrainGrid.h"

namespace {

// The gear key commands the gear only in the air, but always swings the legs one step.
TEST_F(GLTest, GearKeyCommandsTheGearOnlyInTheAir)
{
    angle_nose_gear = 0, angle_main_gear = 10;  // on its way down, on the ground
    keyb('G', 0, 0);
    EXPECT_TRUE(gear_out == 1 && angle_nose_gear == -5) << angle_nose_gear;
    world_y = 0.001f, keyb('g', 0, 0);
    EXPECT_TRUE(gear_out == 0 && angle_nose_gear == 0 && angle_main_gear == 10) << "reversed at once";
}

// Paused, the aircraft, its propeller and the turning chase camera hold still while frames go
// on; resumed, the next step moves them all.
TEST_F(GLTest, PauseHoldsTheFlightAndTheCamera)
{
    throttle = 600, angle_rudder = 10;
    keyb('8', 0, 0), keyb('p', 0, 0);
    const std::vector<double> held = {world_z, head_yaw, angle_prop, camera.Eye[1]};
    draw_frames();
    EXPECT_EQ((std::vector<double>{world_z, head_yaw, angle_prop, camera.Eye[1]}), held);
    keyb('p', 0, 0), idle();
    EXPECT_TRUE(world_z > held[0] && head_yaw < held[1] && angle_prop != held[2] && camera.Eye[1] != held[3]);
}

// SDL's own path with a virtual game controller: sticks set the surfaces past the dead zone and
// leave the keys' settings alone until they move, a button works the gear in the air, and a
// controller pulled out and plugged in again drives again.
TEST_F(GLTest, VirtualGamepad)
{
    ASSERT_TRUE(init_gamepads());
    const auto set = [](SDL_Joystick* pad, int axis, Sint16 value) {
        SDL_JoystickSetVirtualAxis(pad, axis, value), gamepad_idle();
    };
    for (int plugging = 0; plugging < 2; ++plugging) {
        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                                    SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
        SDL_Joystick* pad = SDL_JoystickOpen(index);
        ASSERT_NE(pad, nullptr) << SDL_GetError();
        gamepad_idle();
        special_keys(GLUT_KEY_LEFT, 0, 0);
        set(pad, SDL_CONTROLLER_AXIS_LEFTX, -32768);
        set(pad, SDL_CONTROLLER_AXIS_LEFTY, -16384);
        set(pad, SDL_CONTROLLER_AXIS_RIGHTY, 30000);
        EXPECT_EQ(angle_aileron, 45);
        EXPECT_EQ(angle_elevator, -17.5f) << "-18.53 on the keys' grid";
        for (int key = 0; key < 12; ++key) special_keys(GLUT_KEY_UP, 0, 0);
        EXPECT_EQ(angle_elevator, -45) << "keys stop at the limit after the stick";
        EXPECT_EQ(angle_rudder, -2.5f) << "the key's setting holds until the stick moves";
        set(pad, SDL_CONTROLLER_AXIS_RIGHTX, 4000);  // inside the dead zone
        EXPECT_EQ(angle_rudder, 0);
        set(pad, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
        EXPECT_EQ(angle_rudder, 45);

        world_y = 10, gear_out = 1;
        SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1), gamepad_idle(), gamepad_idle();
        EXPECT_EQ(gear_out, 0) << "once per press";
        SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 0), gamepad_idle();

        SDL_JoystickClose(pad), SDL_JoystickDetachVirtual(index), gamepad_idle();
        reset_to_start();
    }
}

// F12 saves the next frame, as drawn, into the pictures directory the user's XDG settings name,
// and says where; where it cannot be written (nowhere, or a disk that takes 1000 bytes), one line
// says why, no broken picture is left, and the frames go on. The frames after it say so too, for
// two seconds of the frame clock.
TEST_F(GLTest, ScreenshotKey)
{
    namespace fs = std::filesystem;
    const fs::path config = fs::temp_directory_path() / ("kestrix-config-" + std::to_string(getpid()));
    fs::create_directories(config / "pictures"), fs::create_directories(config / "full");
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    rlimit unlimited, full = {1000, RLIM_INFINITY};
    getrlimit(RLIMIT_FSIZE, &unlimited), signal(SIGXFSZ, SIG_IGN);
    for (const std::string& pictures : {(config / "pictures").string(), std::string("/proc"),
                                        (config / "full").string()}) {
        std::ofstream(config / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"" << pictures << "\"\n";
        printed(draw_frames);  // settled: the frames after the picture draw the same
        special_keys(GLUT_KEY_F12, 0, 0);
        testing::internal::CaptureStderr();
        if (pictures == (config / "full").string()) setrlimit(RLIMIT_FSIZE, &full);
        const std::string said = printed(display), errors = testing::internal::GetCapturedStderr();
        setrlimit(RLIMIT_FSIZE, &unlimited);
        const Frame shot = read_back();
        const std::string file = pictures + "/kestrix-20[0-9]{6}-[0-9]{6}\\.png";
        const bool saved = pictures == (config / "pictures").string();
        const std::regex line(saved ? "\r  Screenshot: " + file + "\n" : "Screenshot not saved to " + file + ": .+\n");
        ASSERT_TRUE(std::regex_match(saved ? said : errors, line)) << said << errors;
        for (int passes : {0, 119, 2}) {
            printed([&] { for (int pass = 0; pass < passes; ++pass) idle(); });
            display();
            EXPECT_EQ(differing_pixels(shot, read_back()) > 0, passes != 2) << pictures << passes;
        }
        if (!saved) continue;
        const std::string path = said.substr(15, said.size() - 16);
        int w = 0, h = 0, n = 0;
        unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &n, 3);
        ASSERT_NE(pixels, nullptr) << path;
        EXPECT_EQ(differing_pixels(Frame{w, h, {pixels, pixels + w * h * 3}}, shot), 0);
        stbi_image_free(pixels);
    }
    EXPECT_EQ(differing_pixels(Frame{1, 1, {0, 0, 0}}, Frame{2, 1, {0, 0, 0, 0, 0, 0}}), 2)
        << "pictures of different sizes differ everywhere";
    display();  // nothing more is saved
    EXPECT_EQ(std::distance(fs::directory_iterator(config / "pictures"), {}), 1);
    EXPECT_TRUE(fs::is_empty(config / "full")) << "a picture cut short is removed";
    unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(config);
}

// The key table stands clear of the instrument overlay at full throttle, whatever the window's
// shape: no pixel is drawn by both.
TEST_F(GLTest, KeyTableClearOfTheOverlay)
{
    throttle = 1005;
    for (const auto& [w, h] : {std::pair{640, 480}, std::pair{640, 200}}) {
        reshape(w, h);
        Frame drawn[2];  // the overlay over black, the key table over white
        for (int i = 0; i < 2; ++i) {
            glClearColor(float(i), float(i), float(i), 1);
            glClear(GL_COLOR_BUFFER_BIT);
            i ? draw_help() : draw_ui();
            drawn[i] = read_back();
        }
        int overlay = 0, table = 0, both = 0;
        for (size_t p = 0; p < drawn[0].rgb.size(); ++p) {
            overlay += drawn[0].rgb[p] != 0, table += drawn[1].rgb[p] != 255;
            both += drawn[0].rgb[p] != 0 && drawn[1].rgb[p] != 255;
        }
        EXPECT_TRUE(overlay && table && !both) << w << "x" << h << ": " << both << " drawn by both";
    }
    glClearColor(0.4f, 0.8f, 0.8f, 1);
}

// How many warnings are due at each place: at x, y, z with the gear out or not.
TEST_F(GLTest, WarningsStartAtTheirLimits)
{
    const float edge = 508032 - 1000;
    const std::array<float, 5> places[] = {
        {0, 99.9f, 0, 0, 1},       {0, 100, 0, 0, 0},           {0, 99.9f, 0, 1, 0},
        {0, 14000.5f, 0, 1, 1},    {0, 14000, 0, 1, 0},         {edge + 1, 500, 0, 1, 1},
        {-edge - 1, 500, 0, 1, 1}, {0, 500, edge + 1, 1, 1},    {0, 500, -edge - 1, 1, 1},
        {edge, 500, -edge, 1, 0},  {edge + 1, 50, edge + 1, 0, 3},
    };
    for (const auto& [x, y, z, gear, due] : places) {
        world_x = x, world_y = y, world_z = z, gear_out = gear;
        Warning warnings[6];
        EXPECT_EQ(warnings_due(warnings), due) << "at " << x << ", " << y << ", " << z << ", gear " << gear;
    }
}

// The options window's checkboxes and slider in order, each showing and writing its switch
// (the reference frames of the window hold their places and panels); RESET puts the aircraft
// back at the start.
TEST_F(GLTest, OptionsWindowControls)
{
    const std::vector<std::pair<std::string, int*>> expected = {
        {"Plane ON/OFF:", &plane_enable}, {"Wireframe:", &wire_frame}, {"Texture Mapping:", &texture1_},
        {"Light Map:", &texture2_}, {"Fog:", &fog_enable}, {"Lighting:", &lighting_enable},
        {"Culling:", &culling_enable}, {"Terrain LOD:", &detail_by_distance}, {"Mute:", &sound_mute}, {"Volume:", &sound_volume},
        {"Tower View / Chase View:", &tower_view}, {"On Screen Display ON/OFF:", &ui_enable},
        {"Real flight:", &real_flight}, {"Figures:", &figures_enable}};
    const ControlWindow* window = options_window();
    ASSERT_TRUE(window);
    std::vector<std::pair<std::string, int*>> live;
    const Control* reset = nullptr;
    for (const Control& c : window->controls) {
        if (c.live) live.push_back({c.label, c.live});
        if (c.label == "RESET") reset = &c;
    }
    EXPECT_EQ(live, expected);
    world_z = 500, plane_enable = 0;
    ASSERT_TRUE(reset);
    reset->callback(reset->id);
    EXPECT_EQ(world_z, -230);
    EXPECT_EQ(plane_enable, 1);
    // Mute and volume reach the sound channel in the next pass.
    sound_volume = 50, idle();
    EXPECT_EQ(Mix_Volume(0, -1), MIX_MAX_VOLUME / 2);
    sound_mute = 1, idle();
    EXPECT_EQ(Mix_Volume(0, -1), 0);
    sound_mute = 0, sound_volume = 100, idle();

    // Its callbacks (here reshape and display) leave the main window current: GLUT's deferred
    // full screen acts on the current window, and must not act on this one.
    glutDisplayFunc([] {});
    glutSetWindow(window->window), glutReshapeWindow(300, 200), glutSetWindow(window_main);
    for (int pass = 0; pass < 20; ++pass, usleep(10000)) {
        glutMainLoopEvent();
        ASSERT_EQ(glutGetWindow(), window_main) << pass;
    }
}

void* nothing_found(const char*, const char*) { return nullptr; }

void* all_but_unlock(const char* extension, const char* name)
{
    return std::strcmp(name, "glUnlockArraysEXT") ? window_system_extension_proc(extension, name)
                                                   : nullptr;
}

// Where the driver lacks extension entry points, the core functions draw the same frame; array
// locking is used in pairs or not at all.
TEST_F(GLTest, MissingEntryPointsAreNeverCalled)
{
    for (auto lookup : {nothing_found, all_but_unlock}) {
        reset_to_start();
        gl_extension_proc = lookup;
        EXPECT_EQ(init_Ext(), lookup == nothing_found ? 0 : 1);
        EXPECT_TRUE(matches_reference("chase", draw_frames()));
        EXPECT_NO_GL_ERROR();
    }
    gl_extension_proc = window_system_extension_proc;
    init_Ext();
}

// A unit whose texture is off still points at the current level's coordinates: drawing reads
// every enabled array, and the level before was larger, so its places lie past the new end.
TEST_F(GLTest, CoordinateArraysFollowALevelSwitch)
{
    printed([] { terrain.update_current(3); });
    terrain.display_terrain();
    printed([] { terrain.update_current(0); });
    texture1_ = texture2_ = 0;
    terrain.display_terrain();
    for (int unit : {0, 1}) {  // after positions, colours and normals (and unit 0's coordinates)
        glClientActiveTexture(GL_TEXTURE0 + unit);
        void* pointer = nullptr;
        glGetPointerv(GL_TEXTURE_COORD_ARRAY_POINTER, &pointer);
        EXPECT_EQ(size_t(pointer), terrain.indices.size() * (unit ? 11 : 9) * sizeof(float));
        EXPECT_EQ(gl_int(GL_TEXTURE_COORD_ARRAY_BUFFER_BINDING), GLint(terrain.mesh_buffers[0]));
    }
    printed([] { terrain.update_current(level); });
}

}  // namespace
