// The rigid-body flight model: the aircraft as a mass with inertia, moved by lift, drag, thrust,
// gravity and the moments of its control surfaces, rolling on its wheels on the ground. It reads
// the same controls as the kinematic model and writes the same flight state.
#pragma once

// The body's state, in the world frame of the flight state (x across the map, y up, z along
// the runway; 1 unit = 1 m) and the model frame of the drawing (x the left wing, y up, z the
// nose).
struct RigidBody {
    double position[3];  // x, y, z of the aircraft's reference point; y = 0 on its wheels
    double velocity[3];  // m/s, world frame
    double attitude[4];  // unit quaternion w, x, y, z turning the model frame into the world's
    double rates[3];     // rad/s about the model's x, y and z axes
    int on_ground;       // 1 while the wheels carry it
};
extern RigidBody body;

// One fixed step of the flight, in place of the kinematic step: forces, moments and the wheels,
// then heading, pitch and bank written so that turning the model by head_yaw about y, then
// head_pitch about x, then head_roll about z gives the body's attitude. Frozen after a crash.
void real_plane_idle();
// The body at rest where the flight state puts it (the start of the runway after init_Model).
void reset_real_flight();
// The true airspeed, in units a second.
float real_air_speed();
