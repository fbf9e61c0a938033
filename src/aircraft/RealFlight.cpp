#include "aircraft/RealFlight.h"

#include "aircraft/FlightState.h"

RigidBody body;

void real_plane_idle() { old_head_yaw = head_yaw; }

void reset_real_flight()
{
    body = RigidBody{{world_x, world_y, world_z}, {0, 0, 0}, {1, 0, 0, 0}, {0, 0, 0}, 1};
}

float real_air_speed() { return 0; }
