// Reference frames of the whole program: the start-up scene, each view and option, a flight
// with the overlay and warnings in each flight model, and an explosion, drawn by the frame loop
// itself. The scenery's sparing drawing order against the plain one.
#include "gl_support.h"

#include "aircraft/FlightState.h"
#include "aircraft/WorldState.h"
#include "aircraft/RealFlight.h"
#include "cockpit/Figures.h"
#include "core/Camera.h"
#include "scenery/DrawOrder.h"
#include "scenery/World.h"
#include "shell/Keyboard.h"
#include "shell/Render.h"
#include "shell/Sim.h"
#include "terrain/TerrainGrid.h"

namespace {

using Frames = GLTest;

// From behind the tower, over the apron to the city.
void look_at_the_city() { camera.Position(-20, 70, -60, -420, 0, 240, 0, 1, 0); }

// Up past the aircraft's nose at the sun, 8000 above it.
void look_at_the_sun() { camera.Position(0, 5, -20, 0, 8000, 3000, 0, 1, 0); }

// A belly landing on the runway, seen at a slant: the first step crashes, then `frames` more
// steps of the explosion before the three frames of draw_frames.
void burst_and_watch(int frames)
{
    world_y = -1, gear_out = 0;
    camera.Position(14, 6, -14, 0, 0, 0, 0, 1, 0);
    for (int pass = 0; pass <= frames; ++pass) idle();
}

// Just above the runway, nose down: seen in the air in the first frame, down in the third.
void land() { world_y = 0.1f, head_pitch = 10, throttle = 600, figures_enable = 1; }

// Landed, then climbing away with the overlay on, read for half a second; a picture taken.
void climb_with_figures()
{
    land(), draw_frames();
    world_y = 60, head_yaw = 30, head_pitch = -10, throttle = 600, figures_enable = ui_enable = 1;
    for (int pass = 0; pass < 30; ++pass) idle(), display();
    note_screenshot("/home/player/Pictures/kestrix-20261207-105342.png");
}

// The rigid-body model banked in a climb, flaps going down, trimmed nose up, the elevator
// further up, the gear up; paused, so that the picture shows this state, whatever the model's
// next steps would make of it.
void climb_on_instruments(float nose_up = 10)
{
    real_flight = paused = 1, world_y = 300, head_yaw = 30, head_pitch = -nose_up, head_roll = 25;
    reset_real_flight(), body.on_ground = 0, body.velocity[0] = 22.5, body.velocity[2] = 39;
    body.velocity[1] = 4, throttle = 600, angle_flap = 20, body.surfaces[Flaps] = 10, body.trim = 8;
    angle_elevator = 10, body.surfaces[Elevator] = 18;
    gear_out = 0, angle_nose_gear = 120, angle_main_gear = 130;
}

struct Scene {
    const char* name;
    void (*set)();
};

const Scene scenes[] = {
    {"chase", [] {}},
    {"tower", [] { tower_view = 1; }},
    {"tower_climb",
     [] {  // outlined, just by the tower: a fully retracted gear is not drawn
         tower_view = wire_frame = 1, world_x = -45, world_y = 33, world_z = -120;
         gear_out = 0, angle_nose_gear = 120, angle_main_gear = 130;
     }},
    {"reset", init_Model},
    {"wireframe", [] { wire_frame = 1; }},
    {"city", look_at_the_city},
    // The light map alone, unlit, without fog or culling.
    {"city_plain", [] { look_at_the_city(), texture1_ = fog_enable = lighting_enable = culling_enable = 0; }},
    {"sky", look_at_the_sun},
    {"sky_plain", [] { look_at_the_sun(), texture1_ = 0; }},
    // The finest level from high above, through the keys.
    {"overhead", [] { printed([] { keyb('a', 0, 0), keyb('A', 0, 0), keyb('s', 0, 0); }); }},
    {"flight",
     [] {  // low with the gear up, every control deflected, the chase camera turning, the overlay
         keyb('8', 0, 0);
         world_x = 25, world_y = 50, world_z = 100;
         head_yaw = 30, head_pitch = -10, head_roll = 25;
         angle_rudder = -15, angle_elevator = 20, angle_aileron = 30, angle_flap = 20, throttle = 600;
         gear_out = 0, angle_nose_gear = 120, angle_main_gear = 130, ui_enable = 1;
     }},
    {"explosion", [] { burst_and_watch(40); }},
    // Untextured squares in their own colours, outlined.
    {"explosion_plain", [] { texture1_ = 0, wire_frame = 1, burst_and_watch(40); }},
    // The explosion stands still under the pause notice and the key table.
    {"paused_help", [] { burst_and_watch(40), keyb('p', 0, 0), keyb('h', 0, 0); }},
    // Unlit, near the map's edge, above the warning height: no sun.
    {"high", [] { look_at_the_sun(), world_x = -507500, world_y = 14500, lighting_enable = 0; }},
    {"real_flight",
     [] {  // the rigid-body model's aircraft banked in a climbing turn, drawn as the body lies
         real_flight = ui_enable = 1, world_y = 300, head_yaw = 30, head_pitch = -10, head_roll = 25;
         reset_real_flight(), body.on_ground = 0, body.velocity[0] = 22.5, body.velocity[2] = 39;
         throttle = 600;
     }},
    {"figures", climb_with_figures},
    {"figures_landed", land},
    // Landed, then taxied into the tower: the crash is what shows.
    {"figures_landed_crashed", [] { land(), draw_frames(), world_x = -65, world_z = -145; }},
    // Landed, then back at the start and rolling nose down: each step touches, none lands.
    {"figures_rolling", [] { land(), draw_frames(), keyb('r', 0, 0), head_pitch = 10, throttle = 600; }},
    {"figures_real_landed", [] {
         real_flight = figures_enable = 1, world_y = 0.02f, throttle = 300, reset_real_flight();
         body.on_ground = 0, body.velocity[1] = -1, body.velocity[2] = 30; }},
    // The top left of a full screen's picture, 1280 by 1024.
    {"figures_full_screen", [] { reshape(1280, 1024), glViewport(0, 480 - 1024, 1280, 1024), climb_with_figures(); }},
    {"instruments", [] { climb_on_instruments(); }},
    // The middle of a full screen's picture.
    {"instruments_full_screen",
     [] { reshape(1280, 1024), glViewport(-320, -400, 1280, 1024), climb_on_instruments(); }},
    // Nose high and slow.
    {"instruments_stall",
     [] { climb_on_instruments(25), body.velocity[0] = 12, body.velocity[2] = 18; }},
    // The real model's keys below the others, the table still clear of the pause notice.
    {"instruments_help", [] { climb_on_instruments(), help_enable = 1; }},
    {"screenshot", [] { figures_enable = 0, note_screenshot("./kestrix-20261207-105342.png"); }},
    // Over the key table and the pause notice, with a picture that could not be saved.
    {"figures_crashed", [] {
         burst_and_watch(40), keyb('p', 0, 0), keyb('h', 0, 0), figures_enable = 1;
         note_screenshot_failed("Permission denied"); }},
};

TEST_F(Frames, EveryViewAndOption)
{
    for (const Scene& scene : scenes) {
        reset_to_start();
        scene.set();
        EXPECT_TRUE(matches_reference(scene.name, draw_frames()));
        EXPECT_NO_GL_ERROR() << scene.name;
    }
    figures_enable = 0;
}

// The scenery in its sparing order, with only the terrain patches in view, against the plain
// drawing (sky, sun, then the world with every patch), pixel for pixel, from eyes placed
// relative to the aircraft's origin.
struct View {
    const char* name;
    float at_x, at_y, at_z;  // aircraft origin, world coordinates
    double eye_y, look[3];   // eye height above it, and the point it looks at
    bool runway_depth_first, terrain_before_sky;
    void (*options)();
};

const View views[] = {
    {"along the runway", 0, 3.2f, 250, 5, {0, 0, -400}, true, true, [] {}},
    {"along the runway, plain", 0, 3.2f, 250, 5, {0, 0, -400}, true, true,
     [] { texture1_ = texture2_ = fog_enable = lighting_enable = culling_enable = 0; }},
    {"along the runway, outlined, finest", 0, 3.2f, 250, 5, {0, 0, -400}, false, true,
     [] { wire_frame = 1, printed([] { terrain.update_current(level = 3); }); }},
    {"to the hills, finest", 300, 10, 300, 0, {100, 5, 100}, true, true,
     [] { printed([] { terrain.update_current(level = 3); }); }},
    {"down through the cab", -120, 60, -150, 0, {120, -59, 0}, false, true, [] {}},
    {"low through the canopies", -120, 12.5f, -205, 0, {120, -11.5, 0}, false, true, [] {}},
    {"down through the sun", 0, 500, 0, 9000, {0, 0, 100}, false, false, [] {}},
    {"to mountains past the dome", 12000, 500, 12000, 0, {-26784, 2500, -26784}, true, false,
     [] {}},
    {"from outside the dome", 0, 200, 40000, 0, {0, -200, -40000}, false, false,
     [] { culling_enable = 0; }},
};

TEST_F(Frames, SceneryOrderKeepsThePicture)
{
    // Drawn off screen with 24 bits of depth, and with 16, where the terrain cannot go first.
    for (bool shallow : {false, true})
        for (const View& view : views) {
            reset_to_start();
            OffScreen off_screen(shallow ? GL_DEPTH_COMPONENT16 : GL_DEPTH_COMPONENT24);
            view.options();
            ui_idle();
            world_x = view.at_x, world_y = view.at_y - 3.2f, world_z = view.at_z;
            camera.Position(0, view.eye_y, 0, view.look[0], view.look[1], view.look[2], 0, 1, 0);
            const DrawOrder order = draw_order(camera.Eye);
            EXPECT_EQ(order.runway_depth_first, view.runway_depth_first) << view.name;
            EXPECT_EQ(order.terrain_before_sky, view.terrain_before_sky && !shallow) << view.name;
            Frame pictures[2];
            for (int sparing = 0; sparing < 2; ++sparing)
                for (int pass = 0; pass < 2; ++pass) {  // the second sees what the first left
                    terrain.cull_patches = sparing;
                    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                    glLoadIdentity();
                    camera.Aim();
                    if (sparing)
                        draw_scenery(camera.Eye);
                    else
                        draw_sky(), draw_sun(), draw_world();
                    pictures[sparing] = read_back();
                }
            EXPECT_TRUE(pictures[0].rgb == pictures[1].rgb) << view.name << ", shallow " << shallow;
            EXPECT_NO_GL_ERROR() << view.name;
        }
}

// How much of the terrain is sent at each level: a share of it from the start, all of it seen
// from far above, none of it with the eye turned up to the sky.
TEST_F(Frames, TerrainOutOfViewIsNotSent)
{
    const struct {
        const char* name;
        void (*set)();
        double least, most;  // share of the mesh sent
    } cases[] = {
        {"from the start", [] {}, 0.2, 0.4},
        {"from far above", [] { camera.Position(0, 60000, 1, 0, 0, 0, 0, 1, 0); }, 1, 1},
        {"at the sky", [] { camera.Position(0, 5, -20, 0, 100, -20.1, 0, 1, 0); }, 0, 0},
    };
    for (const auto& c : cases)
        for (int lod = 0; lod <= 3; ++lod) {
            reset_to_start();
            printed([&] { terrain.update_current(level = lod); });
            c.set();
            display();
            const double sent = double(terrain.drawn_indices) / double(terrain.indices.size());
            EXPECT_GE(sent, c.least) << c.name << ", level " << lod;
            EXPECT_LE(sent, c.most) << c.name << ", level " << lod;
        }
}

}  // namespace
