#include "aircraft/WorldState.h"

#include <cstddef>

#include "aircraft/Collision.h"
#include "aircraft/Explosion.h"
#include "aircraft/FlightState.h"
#include "aircraft/RealFlight.h"
#include "core/Camera.h"
#include "core/Global.h"
#include "core/Settings.h"

namespace {

// 64-bit FNV-1a over the bytes it is given.
struct Checksum {
    uint64_t sum = 14695981039346656037ull;
    void add(const void* data, size_t size)
    {
        for (size_t i = 0; i < size; ++i) {
            sum ^= static_cast<const unsigned char*>(data)[i];
            sum *= 1099511628211ull;
        }
    }
    template <typename T>
    void operator()(const T& value) { add(&value, sizeof value); }
};

// One piece of the world's state: how the checksum reads it, and how the reset puts it back at
// the start. Where either is null, the row says why.
struct StatePiece {
    void (*sum)(Checksum&);
    void (*reset)();
};

// In the checksum's order, which every recording's sums depend on; the reset follows the same
// order, the rigid body last, placed where the flight state now puts it.
const StatePiece world_state[] = {
    {[](Checksum& c) { c(world_x); }, [] { world_x = 0; }},
    {[](Checksum& c) { c(world_y); }, [] { world_y = 0; }},
    {[](Checksum& c) { c(world_z); }, [] { world_z = -runway_threshold; }},
    {[](Checksum& c) { c(head_yaw); }, [] { head_yaw = 0; }},
    {[](Checksum& c) { c(head_pitch); }, [] { head_pitch = 0; }},
    {[](Checksum& c) { c(head_roll); }, [] { head_roll = 0; }},
    // Kept: the step sets it before it is read, so the chase camera does not turn by the jump.
    {[](Checksum& c) { c(old_head_yaw); }, nullptr},
    {[](Checksum& c) { c(throttle); }, [] { throttle = 0; }},
    {[](Checksum& c) { c(gear_out); }, [] { gear_out = 1; }},
    {[](Checksum& c) { c(angle_rudder); }, [] { angle_rudder = 0; }},
    {[](Checksum& c) { c(angle_elevator); }, [] { angle_elevator = 0; }},
    {[](Checksum& c) { c(angle_aileron); }, [] { angle_aileron = 0; }},
    {[](Checksum& c) { c(angle_flap); }, [] { angle_flap = 0; }},
    {[](Checksum& c) { c(angle_prop); }, [] { angle_prop = 0; }},
    {[](Checksum& c) { c(angle_nose_gear); }, [] { angle_nose_gear = nose_gear_down; }},
    {[](Checksum& c) { c(angle_main_gear); }, [] { angle_main_gear = 0; }},
    {[](Checksum& c) { c(explo_enable); }, [] { explo_enable = 0; }},
    {[](Checksum& c) {
         for (const particles& p : particle) {
             const float values[] = {p.life, p.fade, p.r, p.g, p.b, p.x,
                                     p.y,    p.z,    p.xi, p.yi, p.zi};
             c(values);
             c(p.active);
         }
     },
     ResetExplosion},
    // The random source never starts again: the terrain drew first, the explosions go on.
    {[](Checksum& c) { c(random_state); }, nullptr},
    // Summed only while it flies, so that the simple model's sums stay what they were.
    {[](Checksum& c) {
         if (!real_flight) return;
         c.add(&body, offsetof(RigidBody, on_ground) + sizeof body.on_ground);
     },
     reset_real_flight},
    // Shown, not flown: they follow from the height, which is summed.
    {nullptr, [] { airborne = landed = false; }},
    // Summed, like the body, only while the real model flies, which reports it.
    {[](Checksum& c) {
         if (real_flight) c(touchdown);
     },
     [] { touchdown = {}; }},
    // A switch as well: the recording carries the player's changes, and the crash that hides it.
    {nullptr, [] { plane_enable = 1; }},
};

}  // namespace

uint64_t world_checksum()
{
    Checksum checksum;
    for (const StatePiece& piece : world_state)
        if (piece.sum) piece.sum(checksum);
    return checksum.sum;
}

void init_Model()
{
    for (const StatePiece& piece : world_state)
        if (piece.reset) piece.reset();
    camera.Position(0, 10, -30, 0, 0, 0, 0, 1, 0);  // the view, not the world: no sum
}
