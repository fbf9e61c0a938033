// The world's state that a replay must reproduce, listed once: the checksum sums it and the
// reset puts it back at the start, both from the same table, so that a piece of state added to
// the world is added to both or to neither.
#pragma once

#include <cstdint>

// A checksum of the world's state: the flight state, the crash and the explosion's particles,
// the random source, and the rigid body while it flies.
uint64_t world_checksum();

// Aircraft (in both flight models), controls, explosion, landing and chase camera back to their
// start state. Leaves old_head_yaw, the tower camera, the other option flags and the terrain
// level alone.
void init_Model();
