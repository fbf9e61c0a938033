// The player's aircraft: position, attitude, engine, control surfaces and undercarriage, in
// world units and degrees, and the reset that puts them back at the start of the runway.
#pragma once

extern float world_x;         // across the map
extern float world_y;         // height above the ground plane
extern float world_z;         // along the runway axis
extern float head_yaw;        // heading; 0 flies along +z, positive turns toward +x
extern float head_pitch;      // positive is nose down
extern float head_roll;       // bank, for drawing only
extern float old_head_yaw;    // head_yaw before the current flight step
extern float throttle;        // 0 to 1005 in steps of 15
extern float gear_out;        // 1 extended or extending, 0 retracted or retracting
extern float angle_rudder;    // -45 to 45
extern float angle_elevator;  // -45 to 45
extern float angle_aileron;   // -45 to 45
extern float angle_flap;      // 0 to 30
extern float angle_prop;      // propeller blade angle, never wrapped
extern float angle_nose_gear; // -10 down and locked, 120 fully up
extern float angle_main_gear; // always angle_nose_gear + 10

// Centres the control surfaces: rudder, elevator, flaps and ailerons.
void reset_();
// "down" once the legs are down and locked, "up" once fully retracted, else "moving".
const char* gear_position();

// Aircraft (in both flight models), controls, explosion and chase camera back to their start
// state. Leaves old_head_yaw, the tower camera, the other option flags and the terrain level
// alone.
void init_Model();
