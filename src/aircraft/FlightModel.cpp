#include "aircraft/FlightModel.h"

#include <cmath>

#include "aircraft/FlightState.h"
#include "aircraft/Plane.h"
#include "aircraft/RealFlight.h"
#include "core/Global.h"
#include "core/Settings.h"
#include "core/StepClock.h"

namespace {

// Sine and cosine of an angle in degrees, taken in double precision and kept as floats.
float sin_deg(float angle) { return float(std::sin(dtr(angle))); }
float cos_deg(float angle) { return float(std::cos(dtr(angle))); }

// Keeps an angle in [-180, 180] by negating it once it has passed either end; the ends
// themselves stay.
void fold(float& angle)
{
    if (angle > 180 || angle < -180) angle = -angle;
}

// The kinematic model's speed. The product is formed in double and stored as float; for every
// throttle setting the keys reach this equals the float product.
float kinematic_speed()
{
    const float speed = float(throttle * 0.1);
    return gear_out != 0 ? speed * 0.75f : speed;  // the extended undercarriage drags
}

}  // namespace

void plane_idle()
{
    old_head_yaw = head_yaw;  // the chase camera turns by this step's change of heading
    move_plane();             // along the attitude from before this step's turn
    head_plane();
    if (throttle != 0) move_prop();
    // Only a leg already on its way is swung here; the gear key starts it off either end.
    if (angle_nose_gear > nose_gear_down && angle_nose_gear < nose_gear_up) move_gear();
}

float air_speed() { return real_flight ? real_air_speed() : kinematic_speed(); }

void move_plane()
{
    const float speed = kinematic_speed();

    // Every factor of the horizontal increments is a float, so they are float products.
    const float distance = step_time * speed;
    const float cos_pitch = cos_deg(head_pitch);
    world_z += cos_deg(head_yaw) * distance * cos_pitch;
    world_x += sin_deg(head_yaw) * distance * cos_pitch;

    // The pitch term is a float rate per second. The flap term is added once per step, not
    // scaled by the step's time; its constant 0.2 is a double, so the sum is formed in double
    // and rounded to float before it joins the position.
    const float pitch_climb = -sin_deg(head_pitch) * speed * step_time;
    const double flap_climb = sin_deg(angle_flap) * speed * 0.2;
    world_y += float(pitch_climb + flap_climb);
}

void head_plane()
{
    if (!(throttle > 0)) return;  // a stopped engine freezes the attitude

    // Rates per step, not per second. The bank is for show and is never limited.
    head_yaw += -angle_rudder * 0.005;
    head_roll += -angle_aileron * 0.005;
    head_pitch += -angle_elevator * 0.005;
    fold(head_yaw);
    fold(head_pitch);
}
