#include "aircraft/FlightState.h"

#include "aircraft/Collision.h"
#include "aircraft/Explosion.h"
#include "aircraft/RealFlight.h"
#include "core/Camera.h"
#include "core/Settings.h"

float world_x, world_y, world_z;
float head_yaw, head_pitch, head_roll, old_head_yaw;
float throttle, gear_out;
float angle_rudder, angle_elevator, angle_aileron, angle_flap, angle_prop;
float angle_nose_gear, angle_main_gear;

void init_Model()
{
    plane_enable = 1;
    explo_enable = 0;

    head_yaw = 0;
    head_pitch = 0;
    head_roll = 0;

    world_x = 0;
    world_y = 0;
    world_z = -230;  // on the runway centreline, at its threshold

    angle_prop = 0;
    angle_aileron = 0;
    angle_elevator = 0;
    angle_flap = 0;
    angle_rudder = 0;
    angle_nose_gear = nose_gear_down;
    angle_main_gear = 0;
    gear_out = 1;
    throttle = 0;

    ResetExplosion();
    reset_real_flight();
    airborne = landed = false;

    camera.Position(0, 10, -30, 0, 0, 0, 0, 1, 0);
}

void reset_()
{
    angle_rudder = 0;
    angle_elevator = 0;
    angle_flap = 0;
    angle_aileron = 0;
}

const char* gear_position()
{
    return angle_nose_gear <= nose_gear_down ? "down" : angle_nose_gear >= nose_gear_up ? "up" : "moving";
}
