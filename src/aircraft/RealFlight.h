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
    // Where the elevator (trim included), ailerons and rudder stand, in the keys' units (-45 to
    // 45), and the flaps, in degrees: they follow the controls at a surface's rate.
    double surfaces[4];
    double trim;  // the elevator's trim, in the keys' units, nose up positive
    int on_ground;  // 1 while the wheels carry it
};
extern RigidBody body;

// One fixed step of the flight, in place of the kinematic step: forces, moments and the wheels,
// then heading, pitch and bank written so that turning the model by head_yaw about y, then
// head_pitch about x, then head_roll about z gives the body's attitude. Frozen after a crash.
void real_plane_idle();
// The body at rest where the flight state puts it (the start of the runway after init_Model).
void reset_real_flight();
// What a touch-down on the wheels survives: the sink rate in m/s, the bank and the nose's angle
// up (where the tail strikes) and down, in degrees.
constexpr double most_sink = 3, most_bank = 15, most_nose_up = 15, most_nose_down = 5;

// The true airspeed, in units a second.
float real_air_speed();
// The wing's angle of attack, in degrees.
float angle_of_attack();
// Whether the stall warning sounds: in the air, with the wing near its stall.
bool stall_warning();

enum Surface { Elevator, Ailerons, Rudder, Flaps };
// The trim moves the elevator's resting place in steps of trim_step, within trim_limit of the
// centre (in the keys' units), so that the aircraft flies hands-off at any speed.
constexpr float trim_step = 0.5f, trim_limit = 22.5f;
// One step of trim, nose up (steps > 0) or nose down, within the limit.
void trim_elevator(int steps);
