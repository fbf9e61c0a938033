#include "aircraft/Collision.h"

#include "aircraft/FlightState.h"
#include "aircraft/Plane.h"
#include "core/Settings.h"
#include "platform/DataDir.h"
#include "platform/Sound.h"

float max_alt = 15000;
float max_pos = 508032;
float max_neg = -508032;
bool airborne = false, landed = false;
Touchdown touchdown{};

namespace {

// The warnings start this far inside the limits.
const float warning_margin = 1000;

}  // namespace

void crash(bool sound)
{
    throttle = 0;
    plane_enable = 0;
    explo_enable = 1;
    if (sound) play_sound(data_file("Explo.wav").c_str());
}

void note_landing()
{
    if (!airborne) return;  // rolling on from the last touch-down, or from the start
    airborne = false, landed = true;
}

Touchdown touchdown_here(Outcome outcome)
{
    return {outcome, 0, head_roll, -head_pitch, world_x, world_z, head_yaw};
}

void collisions()
{
    gravity();
    if (world_y > 0) airborne = true, landed = false;
    collision_map();
    collision_tower();
}

void gravity() {}

int warnings_due(Warning warnings[6])
{
    int n = 0;
    if (world_y > max_alt - warning_margin) warnings[n++] = PullDown;
    if (world_y < 100 && gear_out == 0) warnings[n++] = PullUp;
    if (world_z < max_neg + warning_margin) warnings[n++] = TurnAround;
    if (world_x < max_neg + warning_margin) warnings[n++] = TurnAround;
    if (world_z > max_pos - warning_margin) warnings[n++] = TurnAround;
    if (world_x > max_pos - warning_margin) warnings[n++] = TurnAround;
    return n;
}

void collision_map()
{
    if (world_y < 0) {  // held on the ground, level
        world_y = 0;
        head_roll = 0;
        head_pitch = 0;
        if (gear_out != 0 && airborne) touchdown = touchdown_here(Landed);
        if (gear_out != 0) note_landing();
        if (gear_out == 0) {  // on its belly
            touchdown = touchdown_here(GearUp);
            crash();
            // Shown with the gear down; the next contact is then no second crash.
            gear_out = 1;
            angle_nose_gear = nose_gear_down;
            angle_main_gear = 0;
            move_gear();
        }
    }
    // Set exactly onto the edge, the aircraft is not past it in the next frame (strict tests).
    // Past two edges at once it crashes twice, the second sound restarting the first.
    const bool past_edge = world_z < max_neg || world_x < max_neg || world_z > max_pos ||
                           world_x > max_pos;
    if (past_edge) touchdown = touchdown_here(AtTheMapEdge);
    if (world_z < max_neg) {
        world_z = max_neg;
        crash();
    }
    if (world_x < max_neg) {
        world_x = max_neg;
        crash();
    }
    if (world_z > max_pos) {
        world_z = max_pos;
        crash();
    }
    if (world_x > max_pos) {
        world_x = max_pos;
        crash();
    }
}

void collision_tower()
{
    if (-80 < world_x && world_x < -50 && -160 < world_z && world_z < -130 && world_y < 37) {
        // The stopped aircraft stays in the box and touches it again every frame until a
        // reset: each contact crashes, but the sound plays once per crash, so a contact while
        // the explosion runs does not restart it. The hidden flag is no guard: an aircraft
        // hidden from the options window still collides.
        if (explo_enable == 0) touchdown = touchdown_here(IntoTheTower);
        crash(explo_enable == 0);
    }
}
