#include "aircraft/FlightState.h"

float world_x, world_y, world_z;
float head_yaw, head_pitch, head_roll, old_head_yaw;
float throttle, gear_out;
float angle_rudder, angle_elevator, angle_aileron, angle_flap, angle_prop;
float angle_nose_gear, angle_main_gear;

void reset_()
{
    angle_rudder = 0;
    angle_elevator = 0;
    angle_flap = 0;
    angle_aileron = 0;
}

double throttle_percent() { return throttle * 100 / double(throttle_top); }

const char* gear_position()
{
    return angle_nose_gear <= nose_gear_down ? "down"
           : angle_nose_gear >= nose_gear_up ? "up"
                                             : "moving";
}
