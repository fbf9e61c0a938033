#include "aircraft/RealFlight.h"

#include <algorithm>
#include <cmath>

#include "aircraft/Collision.h"
#include "aircraft/FlightState.h"
#include "aircraft/Plane.h"
#include "core/Global.h"
#include "core/Settings.h"
#include "core/StepClock.h"

RigidBody body;

namespace {

constexpr double radians(double degrees) { return degrees * (pi / 180); }

// The aircraft: a typical four-seat high-wing trainer with struts and a fixed-pitch propeller.
// Mass, wing and engine are the published figures of the type (1,100 kg, 16.2 m², 11 m span,
// 134 kW); the moments of inertia and the stability and control derivatives are the textbook
// values for a single-engine high-wing four-seater (Roskam, Airplane Flight Dynamics, part I,
// appendix B; Nelson, Flight Stability and Automatic Control, appendix B). Lift, drag and
// thrust are fitted so that the model meets the type's published figures at sea level: stall
// 25 m/s clean and 21 m/s with full flaps, best climb 3.7 m/s, top speed 64 m/s, best glide
// 9:1 at 35 m/s, take-off ground roll 290 m. Those figures are flown with the gear down, as the
// type's gear is fixed; here it retracts, and retracted it takes its drag away.
constexpr double mass = 1100;  // kg
constexpr double weight = mass * 9.81;  // N
constexpr double air_density = 1.225;  // kg/m³, sea level
constexpr double wing_area = 16.2, span = 11.0, chord = 1.47;  // m², m, m
constexpr double inertia[3] = {1825, 2667, 1285};  // kg m² about pitch, yaw and roll

// Lift: CL = CL0 + CLα α + CLq q̂ − CLδe δe + ΔCL flaps (a raised elevator pushes the tail
// down), blended past the critical angle of attack into the flat plate's 2 sin²α cos α (the
// sigmoid blend of Beard and McLain, Small Unmanned Aircraft, ch. 4), so the lift breaks at the
// stall and stays bounded at any angle.
constexpr double lift_at_zero = 0.31;
constexpr double lift_slope = 4.9;  // per radian, aspect ratio 7.5
constexpr double stall_angle = radians(20);  // where the blend is half way
constexpr double stall_sharpness = 60;  // per radian: how quickly lift breaks
constexpr double lift_pitch_rate = 3.9, lift_elevator = 0.43;
constexpr double lift_full_flaps = 0.73;  // at 30 degrees
// Drag: CD = CD0 + k CL² (k = 1/(π e A), e = 0.68) + the flat plate's 2 sin²α past the stall.
constexpr double drag_clean = 0.030;
constexpr double drag_gear = 0.008;  // the legs and wheels, extended
constexpr double drag_full_flaps = 0.06;  // grows with the square of the setting
constexpr double drag_windmilling = 0.011;  // the propeller turned by the air
constexpr double induced_drag = 0.0626;
constexpr double side_sideslip = -0.31, side_rudder = -0.187;
// Pitch: Cm = Cm0 + Cmα sin α + Cmq q̂ + Cmδe δe, nose down past the stall; Cm0 trims the
// aircraft at 47 m/s with the elevator centred.
constexpr double pitch_at_zero = 0.031, pitch_stability = -0.89, pitch_damping = -12.4;
constexpr double pitch_elevator = 1.28;  // per radian of nose-up elevator
constexpr double pitch_stalled = -0.25;  // the stalled wing's centre of pressure moves aft
// Roll: Cl = Clβ β + Clp p̂ + Clr r̂ + Clδa δa; yaw: Cn = Cnβ β + Cnp p̂ + Cnr r̂ + Cnδr δr +
// Cnδa δa, with p, r positive right wing down and nose right, δa, δr positive to the right.
constexpr double roll_sideslip = -0.089, roll_damping = -0.47, roll_yaw_rate = 0.096;
constexpr double roll_aileron = 0.178;
constexpr double yaw_sideslip = 0.065, yaw_roll_rate = -0.03, yaw_damping = -0.099;
constexpr double yaw_rudder = 0.0657, yaw_aileron = -0.0053;
// Thrust of the fixed-pitch propeller at full power, falling with airspeed: T = T0 - a V².
constexpr double static_thrust = 2290, thrust_fall = 0.1383;  // N, N s²/m²

// Full key deflection (45) is this many degrees of the surface; full flaps are 30 degrees. The
// elevator's travel is less than the type's, so that a key step (2.5) moves the speed the
// aircraft settles at by about 4 m/s, and full up still reaches the stall.
constexpr double elevator_travel = 15, aileron_travel = 20, rudder_travel = 25;

// On the wheels: rolling friction, the brakes (on while the throttle is closed), nose-wheel
// steering from the rudder within the tyres' grip, the weight's nose-down lever about the main
// wheels once the nose wheel is off, and the attitudes and sink rate a touch-down survives.
constexpr double rolling_friction = 0.02, braking_friction = 0.3;
constexpr double steering_travel = radians(10), wheel_base = 1.65, main_wheel_lever = 0.3;
constexpr double tyre_grip = 3;  // m/s², the sideways acceleration the tyres hold
constexpr double tail_strike_pitch = radians(15), worst_nose_down = radians(5);
constexpr double worst_bank = radians(15), worst_sink_rate = 3;

constexpr int substeps = 4;  // the short-period and roll modes want steps of 1/240 s

struct Vec {
    double x, y, z;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(double s, Vec a) { return {s * a.x, s * a.y, s * a.z}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec cross(Vec a, Vec b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(Vec a) { return std::sqrt(dot(a, a)); }

struct Quat {
    double w, x, y, z;
};
Quat operator*(Quat a, Quat b)
{
    return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z,
            a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}
Quat normalized(Quat q)
{
    const double n = std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
    return n > 0 ? Quat{q.w / n, q.x / n, q.y / n, q.z / n} : Quat{1, 0, 0, 0};
}
// Model frame to world frame, and back.
Vec rotate(Quat q, Vec v)
{
    const Vec u = {q.x, q.y, q.z};
    const Vec t = 2 * cross(u, v);
    return v + q.w * t + cross(u, t);
}
Vec unrotate(Quat q, Vec v) { return rotate({q.w, -q.x, -q.y, -q.z}, v); }

// The turn by `angle` radians about a unit axis.
Quat turn(Vec axis, double angle)
{
    const double s = std::sin(angle / 2);
    return {std::cos(angle / 2), s * axis.x, s * axis.y, s * axis.z};
}

// Heading about y, then pitch (positive nose down) about x, then bank about the nose, in radians.
struct Euler {
    double yaw, pitch, roll;
};
Quat from_euler(Euler e)
{
    return turn({0, 1, 0}, e.yaw) * turn({1, 0, 0}, e.pitch) * turn({0, 0, 1}, e.roll);
}
Euler to_euler(Quat q)
{
    const Vec nose = rotate(q, {0, 0, 1}), left = rotate(q, {1, 0, 0}), up = rotate(q, {0, 1, 0});
    return {std::atan2(nose.x, nose.z), std::asin(std::clamp(-nose.y, -1.0, 1.0)),
            std::atan2(left.y, up.y)};
}

Vec load(const double v[3]) { return {v[0], v[1], v[2]}; }
void store(Vec a, double v[3]) { v[0] = a.x, v[1] = a.y, v[2] = a.z; }

// The pilot's settings, as surface deflections in radians and fractions.
struct Controls {
    double elevator, aileron, rudder;  // nose up, bank right, yaw right
    double flaps;                      // 0 to 1 of full
    double power;                      // 0 to 1
    double gear;                       // 0 up to 1 down
};
Controls controls()
{
    return {radians(angle_elevator / control_limit * elevator_travel),
            radians(-angle_aileron / control_limit * aileron_travel),
            radians(angle_rudder / control_limit * rudder_travel),
            std::clamp(angle_flap / double(flap_limit), 0.0, 1.0),
            std::clamp(throttle / double(throttle_top), 0.0, 1.0),
            std::clamp((nose_gear_up - angle_nose_gear) / double(nose_gear_up - nose_gear_down), 0.0,
                       1.0)};
}

struct Loads {
    Vec force, moment;  // model frame
};

// Aerodynamic and propeller loads for an airflow of `air` (the body's velocity in the model
// frame) and angular rates `rates` (model frame). The textbook's axes are forward, right, down:
// u = z, v = -x, w = -y; roll rate p = z, pitch rate q = -x, yaw rate r = -y.
Loads loads(Vec air, Vec rates, const Controls& c)
{
    const double speed = length(air);
    const double alpha = std::atan2(-air.y, air.z);
    const double beta = speed > 0 ? std::asin(std::clamp(-air.x / speed, -1.0, 1.0)) : 0;
    const double pressure = 0.5 * air_density * speed * speed;
    const double rate_scale = 1 / (2 * std::max(speed, 1.0));
    const double p = rates.z * span * rate_scale, q = -rates.x * chord * rate_scale,
                 r = -rates.y * span * rate_scale;

    // 1 below the stall on either side, 0 well past it.
    const double attached = 1 / (1 + std::exp(stall_sharpness * (std::fabs(alpha) - stall_angle)));
    const double sin_alpha = std::sin(alpha);
    const double linear_lift = lift_at_zero + lift_slope * alpha + lift_pitch_rate * q -
                               lift_elevator * c.elevator + lift_full_flaps * c.flaps;
    const double plate_lift = 2 * sin_alpha * std::fabs(sin_alpha) * std::cos(alpha);
    const double lift = attached * linear_lift + (1 - attached) * plate_lift;
    const double drag = drag_clean + drag_gear * c.gear + drag_full_flaps * c.flaps * c.flaps +
                        drag_windmilling * (1 - c.power) + induced_drag * lift * lift +
                        (1 - attached) * 2 * sin_alpha * sin_alpha;
    const double side = side_sideslip * beta + side_rudder * c.rudder;

    const double roll = roll_sideslip * beta + roll_damping * p + roll_yaw_rate * r +
                        roll_aileron * c.aileron;
    const double pitch = pitch_at_zero + pitch_stability * sin_alpha + pitch_damping * q +
                         pitch_elevator * c.elevator +
                         pitch_stalled * std::copysign(1 - attached, alpha);
    const double yaw = yaw_sideslip * beta + yaw_roll_rate * p + yaw_damping * r +
                       yaw_rudder * c.rudder + yaw_aileron * c.aileron;

    Loads out{{0, 0, 0}, {0, 0, 0}};
    if (speed > 0) {
        const Vec along = (1 / speed) * air;
        const Vec lift_way = cross(along, {1, 0, 0});  // up from the airflow, in the symmetry plane
        const double n = length(lift_way);
        const Vec lift_unit = n > 1e-9 ? (1 / n) * lift_way : Vec{0, 1, 0};
        out.force = pressure * wing_area * (lift * lift_unit - drag * along + Vec{-side, 0, 0});
    }
    const double thrust = c.power * std::max(0.0, static_thrust - thrust_fall * speed * speed);
    out.force.z += thrust;
    out.moment = pressure * wing_area * Vec{-chord * pitch, -span * yaw, span * roll};
    return out;
}

// Ground contact after a free step: on the wheels the aircraft stands at height 0, level across,
// its nose between the nose wheel and the tail, rolling along its heading; a touch-down that the
// gear cannot take crashes it. `support` is the ground's upward push the wheels took, in N.
void touch_ground(Quat& q, Vec& velocity, Vec& rates, double support, const Controls& c,
                  double dt)
{
    Euler attitude = to_euler(q);
    if (!body.on_ground) {
        const bool gear_down = angle_nose_gear <= nose_gear_down;
        if (!gear_down || -velocity.y >= worst_sink_rate ||
            std::fabs(attitude.roll) > worst_bank || attitude.pitch > worst_nose_down ||
            -attitude.pitch > tail_strike_pitch) {
            body.position[1] = 0;
            crash();
            return;
        }
        body.on_ground = 1;
        note_landing();
    }
    body.position[1] = 0;
    velocity.y = std::max(velocity.y, 0.0);

    // Level across; the nose between its wheel and the tail's strike.
    const double nose_up = -attitude.pitch;
    Vec pitch_rate = {rates.x, 0, 0};
    if (nose_up <= 0 && rates.x > 0) pitch_rate.x = 0;
    if (nose_up >= tail_strike_pitch && rates.x < 0) pitch_rate.x = 0;
    attitude.pitch = -std::clamp(nose_up, 0.0, tail_strike_pitch);
    attitude.roll = 0;
    q = from_euler(attitude);

    // Rolling along the heading: the tyres take the side slip, friction the speed.
    const Vec ahead = {std::sin(attitude.yaw), 0, std::cos(attitude.yaw)};
    double rolling = dot(velocity, ahead);
    const double friction = (c.power > 0 ? rolling_friction : braking_friction) * support;
    rolling -= std::copysign(std::min(std::fabs(rolling), friction / mass * dt), rolling);
    velocity = rolling * ahead + Vec{0, velocity.y, 0};

    // The nose wheel steers: the heading turns as a wheel of that angle would lead it, as far as
    // the tyres grip sideways.
    const double steering = std::tan(c.rudder / radians(rudder_travel) * steering_travel);
    const double most = tyre_grip / std::max(std::fabs(rolling), 1.0);
    const double heading_rate = std::clamp(-rolling * steering / wheel_base, -most, most);
    rates = pitch_rate + unrotate(q, {0, heading_rate, 0});
}

void substep(const Controls& c, double dt)
{
    Quat q = {body.attitude[0], body.attitude[1], body.attitude[2], body.attitude[3]};
    Vec velocity = load(body.velocity), rates = load(body.rates);

    const Loads air = loads(unrotate(q, velocity), rates, c);
    Vec force = rotate(q, air.force) + Vec{0, -weight, 0};
    Vec moment = air.moment;
    double support = 0;
    if (body.on_ground) {
        support = std::max(0.0, -force.y);
        if (to_euler(q).pitch < 0) moment.x += support * main_wheel_lever;  // nose wheel off
    }

    velocity = velocity + (dt / mass) * force;
    const Vec spin = {inertia[0] * rates.x, inertia[1] * rates.y, inertia[2] * rates.z};
    const Vec turning = moment - cross(rates, spin);
    rates =
        rates + dt * Vec{turning.x / inertia[0], turning.y / inertia[1], turning.z / inertia[2]};

    store(load(body.position) + dt * velocity, body.position);
    const Quat change = q * Quat{0, 0.5 * dt * rates.x, 0.5 * dt * rates.y, 0.5 * dt * rates.z};
    q = normalized({q.w + change.w, q.x + change.x, q.y + change.y, q.z + change.z});
    if (body.position[1] <= 0) {
        touch_ground(q, velocity, rates, support, c, dt);
        if (explo_enable) return;
    } else {
        body.on_ground = 0;
    }
    store(velocity, body.velocity);
    store(rates, body.rates);
    body.attitude[0] = q.w, body.attitude[1] = q.x, body.attitude[2] = q.y, body.attitude[3] = q.z;
}

}  // namespace

void real_plane_idle()
{
    old_head_yaw = head_yaw;
    if (explo_enable) {  // the wreck lies still
        store({0, 0, 0}, body.velocity);
        store({0, 0, 0}, body.rates);
        return;
    }
    const Controls c = controls();
    for (int i = 0; i < substeps && !explo_enable; ++i) substep(c, double(step_time) / substeps);

    world_x = float(body.position[0]);
    world_y = float(body.position[1]);
    world_z = float(body.position[2]);
    const Euler e = to_euler({body.attitude[0], body.attitude[1], body.attitude[2],
                              body.attitude[3]});
    head_yaw = float(e.yaw * (180 / pi));
    head_pitch = float(e.pitch * (180 / pi));
    head_roll = float(e.roll * (180 / pi));
    if (throttle != 0) move_prop();
    if (angle_nose_gear > nose_gear_down && angle_nose_gear < nose_gear_up) move_gear();
}

void reset_real_flight()
{
    const Quat q = from_euler({radians(head_yaw), radians(head_pitch), radians(head_roll)});
    body = {{world_x, world_y, world_z}, {0, 0, 0}, {q.w, q.x, q.y, q.z}, {0, 0, 0},
            world_y <= 0 ? 1 : 0};
}

float real_air_speed() { return float(length(load(body.velocity))); }
