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
// The standard atmosphere's troposphere: density falls from 1.225 kg/m³ at sea level (the
// ground plane) with the temperature's lapse; the engine's power falls with the density by
// Gagg and Ferrar's rule for an engine without a supercharger, P/P0 = 1.132 σ - 0.132.
constexpr double sea_level_density = 1.225;  // kg/m³
constexpr double temperature_lapse = 2.25577e-5, density_exponent = 4.2559;  // per m; -
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
// A rolling wing meets the air at a larger angle on its falling side, by p y / V at y out from
// the root: at the half wing's centre of lift (0.4 of its span) 0.4 p̂. Past the stall that wing
// lifts less and falls faster, so an aircraft that stalls rolling (yawed by the rudder, or with
// a wing low) drops a wing. Each half wing's lift acts at 0.2 of the span.
// The difference is bounded where the rates leave the model's reach.
constexpr double wing_roll_angle = 0.4, half_wing_lever = 0.2, most_roll_angle = radians(10);
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
// Lowered flaps move the wing's lift aft, nose down: they slow the speed the aircraft settles
// at less than their lift alone would, and lowered it balloons less.
constexpr double pitch_full_flaps = -0.04;
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
// How fast the surfaces follow the controls: the pilot's hand takes 0.3 s from the centre to
// full deflection; the electric flaps take 10 s from up to full.
constexpr double surface_rate = control_limit / 0.3, flap_rate = flap_limit / 10.0;  // a second

// On the wheels: rolling friction, the brakes (on while the throttle is closed), nose-wheel
// steering from the rudder within the tyres' grip, the weight's nose-down lever about the main
// wheels once the nose wheel is off, and the attitudes and sink rate a touch-down survives.
constexpr double rolling_friction = 0.02, braking_friction = 0.3;
constexpr double steering_travel = radians(10), wheel_base = 1.65, main_wheel_lever = 0.3;
constexpr double tyre_grip = 3;  // m/s², the sideways acceleration the tyres hold
constexpr double tail_strike_pitch = radians(most_nose_up);
constexpr double worst_nose_down = radians(most_nose_down);
constexpr double worst_bank = radians(most_bank), worst_sink_rate = most_sink;

// The stall warning's angle of attack, clean and with full flaps (which lift more at a given
// angle): about 2.5 m/s above the stall speed in either.
constexpr double warning_clean = 12, warning_full_flaps = 9;  // degrees

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
    const double* s = body.surfaces;
    return {radians(s[Elevator] / control_limit * elevator_travel),
            radians(-s[Ailerons] / control_limit * aileron_travel),
            radians(s[Rudder] / control_limit * rudder_travel),
            std::clamp(s[Flaps] / double(flap_limit), 0.0, 1.0),
            std::clamp(throttle / double(throttle_top), 0.0, 1.0),
            std::clamp((nose_gear_up - angle_nose_gear) / double(nose_gear_up - nose_gear_down), 0.0,
                       1.0)};
}

// The surfaces one step nearer the controls, the trim added to the elevator's.
void move_surfaces()
{
    const double wanted[4] = {std::clamp(angle_elevator + body.trim, -double(control_limit),
                                         double(control_limit)),
                              angle_aileron, angle_rudder, angle_flap};
    for (int i = 0; i < 4; ++i) {
        const double most = (i == Flaps ? flap_rate : surface_rate) * step_time;
        body.surfaces[i] += std::clamp(wanted[i] - body.surfaces[i], -most, most);
    }
}

// Air density at `height` metres, and the engine's share of its sea-level power there.
double air_density(double height)
{
    return sea_level_density *
           std::pow(1 - temperature_lapse * std::max(height, 0.0), density_exponent);
}
double power_share(double density) { return 1.132 * density / sea_level_density - 0.132; }

// The lift coefficient at the angle of attack `alpha`, the linear lift's other terms `rest`,
// and how attached the flow is there (1 below the stall, 0 well past it).
struct WingLift {
    double lift, attached;
};
WingLift wing_lift(double alpha, double rest)
{
    const double attached = 1 / (1 + std::exp(stall_sharpness * (std::fabs(alpha) - stall_angle)));
    const double sin_alpha = std::sin(alpha);
    const double plate_lift = 2 * sin_alpha * std::fabs(sin_alpha) * std::cos(alpha);
    return {attached * (rest + lift_slope * alpha) + (1 - attached) * plate_lift, attached};
}

struct Loads {
    Vec force, moment;  // model frame
};

// Aerodynamic and propeller loads for an airflow of `air` (the body's velocity in the model
// frame) and angular rates `rates` (model frame). The textbook's axes are forward, right, down:
// u = z, v = -x, w = -y; roll rate p = z, pitch rate q = -x, yaw rate r = -y.
Loads loads(Vec air, Vec rates, const Controls& c, double density)
{
    const double speed = length(air);
    const double alpha = std::atan2(-air.y, air.z);
    const double beta = speed > 0 ? std::asin(std::clamp(-air.x / speed, -1.0, 1.0)) : 0;
    const double pressure = 0.5 * density * speed * speed;
    const double rate_scale = 1 / (2 * std::max(speed, 1.0));
    const double p = rates.z * span * rate_scale, q = -rates.x * chord * rate_scale,
                 r = -rates.y * span * rate_scale;

    // Each half wing at its own angle; the whole wing's lift is their mean. Their difference
    // rolls the aircraft, less the attached wing's linear part, which the roll damping holds.
    const double rest = lift_at_zero + lift_pitch_rate * q - lift_elevator * c.elevator +
                        lift_full_flaps * c.flaps;
    const double roll_angle = std::clamp(wing_roll_angle * p, -most_roll_angle, most_roll_angle);
    const WingLift left = wing_lift(alpha - roll_angle, rest),
                   right = wing_lift(alpha + roll_angle, rest);
    const double attached = wing_lift(alpha, rest).attached;
    const double lift = (left.lift + right.lift) / 2;
    const double stall_roll =
        half_wing_lever * (left.lift - right.lift + attached * 2 * lift_slope * roll_angle);
    const double sin_alpha = std::sin(alpha);
    const double drag = drag_clean + drag_gear * c.gear + drag_full_flaps * c.flaps * c.flaps +
                        drag_windmilling * (1 - c.power) + induced_drag * lift * lift +
                        (1 - attached) * 2 * sin_alpha * sin_alpha;
    const double side = side_sideslip * beta + side_rudder * c.rudder;

    const double roll = roll_sideslip * beta + roll_damping * p + roll_yaw_rate * r +
                        roll_aileron * c.aileron + stall_roll;
    const double pitch = pitch_at_zero + pitch_stability * sin_alpha + pitch_damping * q +
                         pitch_elevator * c.elevator + pitch_full_flaps * c.flaps +
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
    const double thrust = c.power * power_share(density) *
                          std::max(0.0, static_thrust - thrust_fall * speed * speed);
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
        const double sink = -velocity.y;
        const Outcome outcome = angle_nose_gear > nose_gear_down         ? GearUp
                                : sink >= worst_sink_rate                ? SinkTooFast
                                : std::fabs(attitude.roll) > worst_bank  ? TooMuchBank
                                : attitude.pitch > worst_nose_down       ? NoseFirst
                                : -attitude.pitch > tail_strike_pitch    ? TailFirst
                                                                         : Landed;
        constexpr double degrees = 180 / pi;
        touchdown = {outcome, float(sink), float(attitude.roll * degrees),
                     float(-attitude.pitch * degrees), float(body.position[0]),
                     float(body.position[2]), float(attitude.yaw * degrees)};
        if (outcome != Landed) {
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

    const Loads air = loads(unrotate(q, velocity), rates, c, air_density(body.position[1]));
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
    move_surfaces();
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
            {angle_elevator, angle_aileron, angle_rudder, angle_flap}, 0, world_y <= 0 ? 1 : 0};
}

float real_air_speed() { return float(length(load(body.velocity))); }

float angle_of_attack()
{
    const Quat q = {body.attitude[0], body.attitude[1], body.attitude[2], body.attitude[3]};
    const Vec air = unrotate(q, load(body.velocity));
    return float(std::atan2(-air.y, air.z) * (180 / pi));
}

bool stall_warning()
{
    const double flaps = body.surfaces[Flaps] / flap_limit;
    return !body.on_ground && !explo_enable && real_air_speed() > 1 &&
           angle_of_attack() > warning_clean + (warning_full_flaps - warning_clean) * flaps;
}

void trim_elevator(int steps)
{
    body.trim = std::clamp(body.trim + steps * double(trim_step), -double(trim_limit),
                           double(trim_limit));
}
