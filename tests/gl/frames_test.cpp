// Reference frames of the whole program: the start-up scene, each view and option, a flight
// with the overlay and warnings, and an explosion, drawn by the frame loop itself.
#include "gl_support.h"

#include "aircraft/FlightState.h"
#include "core/Camera.h"
#include "shell/Keyboard.h"
#include "shell/Sim.h"

namespace {

using Frames = GLTest;

// From behind the tower, over the apron to the city.
void look_at_the_city() { camera.Position(-20, 70, -60, -420, 0, 240, 0, 1, 0); }

// Up past the aircraft's nose at the sun, 8000 above it.
void look_at_the_sun() { camera.Position(0, 5, -20, 0, 8000, 3000, 0, 1, 0); }

// A belly landing on the runway, seen at a slant for `frames` frames of the explosion.
void burst_and_watch(int frames)
{
    world_y = -1, gear_out = 0;
    camera.Position(14, 6, -14, 0, 0, 0, 0, 1, 0);
    for (int pass = 0; pass < frames; ++pass) display(), idle();
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
    {"city_plain",
     [] {  // the light map alone, unlit, without fog or culling
         look_at_the_city();
         texture1_ = fog_enable = lighting_enable = culling_enable = 0;
     }},
    {"sky", look_at_the_sun},
    {"sky_plain", [] { look_at_the_sun(), texture1_ = 0; }},
    // The finest level from high above, through the keys.
    {"overhead", [] { printed([] { keyb('a', 0, 0), keyb('A', 0, 0), keyb('s', 0, 0); }); }},
    {"flight",
     [] {  // low with the gear up, every control deflected, the chase camera turning, the overlay
         keyb('8', 0, 0);
         world_x = 25, world_y = 50, world_z = 100;
         head_yaw = 30, head_pitch = -10, head_roll = 25;
         angle_rudder = -15, angle_elevator = 20, angle_aileron = 30, angle_flap = 20;
         throttle = 600;
         gear_out = 0, angle_nose_gear = 120, angle_main_gear = 130;
         ui_enable = 1;
     }},
    {"explosion", [] { burst_and_watch(40); }},
    {"explosion_plain",
     [] {  // untextured squares in their own colours, outlined
         texture1_ = 0, wire_frame = 1;
         burst_and_watch(40);
     }},
    // The explosion stands still under the pause notice and the key table.
    {"paused_help", [] { burst_and_watch(40), keyb('p', 0, 0), keyb('h', 0, 0); }},
    {"high",
     [] {  // unlit, near the map's edge, above the warning height: no sun
         look_at_the_sun();
         world_x = -507500, world_y = 14500, world_z = 0;
         lighting_enable = 0;
     }},
};

TEST_F(Frames, EveryViewAndOption)
{
    for (const Scene& scene : scenes) {
        reset_to_start();
        scene.set();
        EXPECT_TRUE(matches_reference(scene.name, draw_frames()));
        EXPECT_NO_GL_ERROR() << scene.name;
    }
}

}  // namespace
