// The player's aircraft: position, attitude, engine, control surfaces and undercarriage, in
// world units and degrees, and the reset that puts them back at the start of the runway.
#pragma once

// The controls' ranges, which the keys and the gamepad keep.
constexpr float control_limit = 45;   // rudder, elevator and ailerons: -45 to 45
constexpr float flap_limit = 30;      // flaps: 0 to 30
constexpr float throttle_top = 1005;  // raised by 15 from 990, the throttle passes 1000
// The runway along z through the map's middle: 30 wide, its pavement to 250 either side of the
// middle and its thresholds, where the aircraft starts and landings are measured from, at 230.
constexpr float runway_half_width = 15, runway_end = 250, runway_threshold = 230;
// The nose leg's swing: down and locked, and fully up; the main legs swing 10 further.
constexpr float nose_gear_down = -10, nose_gear_up = 120;

extern float world_x;         // across the map
extern float world_y;         // height above the ground plane
extern float world_z;         // along the runway axis
extern float head_yaw;        // heading; 0 flies along +z, positive turns toward +x
extern float head_pitch;      // positive is nose down
extern float head_roll;       // bank, for drawing only
extern float old_head_yaw;    // head_yaw before the current flight step
extern float throttle;        // 0 to throttle_top in steps of 15
extern float gear_out;        // 1 extended or extending, 0 retracted or retracting
extern float angle_rudder;    // -45 to 45
extern float angle_elevator;  // -45 to 45
extern float angle_aileron;   // -45 to 45
extern float angle_flap;      // 0 to 30
extern float angle_prop;      // propeller blade angle, never wrapped
extern float angle_nose_gear; // nose_gear_down (locked) to nose_gear_up
extern float angle_main_gear; // always angle_nose_gear + 10

// Centres the control surfaces: rudder, elevator, flaps and ailerons.
void reset_();
// The throttle in per cent of its top.
double throttle_percent();
// "down" once the legs are down and locked, "up" once fully retracted, else "moving".
const char* gear_position();
