// The kinematic flight model: the throttle sets the speed, the control surfaces turn the
// aircraft at rates proportional to their deflection.
#pragma once

// One flight step: position, attitude, propeller and undercarriage.
void plane_idle();
// Units a second along the heading: a tenth of the throttle, a quarter less with the gear out;
// the rigid-body model's airspeed while it flies.
float air_speed();
// Moves the aircraft along its heading and pitch for the step's time, and lifts it by the flaps
// once per step.
void move_plane();
// Turns heading, pitch and bank by the control deflections (per step).
void head_plane();
