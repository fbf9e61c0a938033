// The rigid-body model flown by a scripted test pilot and measured against the published figures
// of the trainer it models, and shaken with random controls for anything not finite.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>

#include "aircraft/Collision.h"
#include "aircraft/FlightState.h"
#include "aircraft/Plane.h"
#include "aircraft/RealFlight.h"
#include "core/Settings.h"

namespace {

constexpr double step = 1.0 / 60, degrees = 180 / M_PI;

double height() { return body.position[1]; }

// A test pilot: the ailerons hold a bank; the elevator holds a pitch attitude, which is set to
// hold a height or an airspeed, each loop with an integral term that trims it.
struct Pilot {
    double bank = 0;           // degrees, positive right
    double hold_height = NAN;  // else
    double hold_speed = NAN;
    double pitch_trim = 0, elevator_trim = 0;
    bool hands_off_elevator = false, hands_off = false;

    void fly_step()
    {
        if (hands_off) return real_plane_idle();
        angle_aileron = float(std::clamp(1.5 * (head_roll - bank) + 0.5 * body.rates[2] * degrees,
                                         -45.0, 45.0));
        if (hands_off_elevator) return real_plane_idle();
        const double error = std::isnan(hold_height)
                                 ? real_air_speed() - hold_speed
                                 : std::clamp(0.2 * (hold_height - height()), -3.0, 3.0) -
                                       body.velocity[1];
        pitch_trim += 0.2 * error * step;
        const double pitch_error = pitch_trim + 1.5 * error + head_pitch;
        elevator_trim = std::clamp(elevator_trim + pitch_error * step, -45.0, 45.0);
        angle_elevator = float(std::clamp(
            elevator_trim + 3 * pitch_error + body.rates[0] * degrees, -45.0, 45.0));
        real_plane_idle();
    }
    // Flies `seconds`, or until `done` says so.
    void fly(double seconds, const std::function<bool()>& done = [] { return false; })
    {
        for (int n = 0; n < int(seconds * 60) && !done(); ++n) fly_step();
    }
};

// In the air at 1000 m, level along +z at `speed`, gear down, at `power`; the pilot holds the
// speed, or the height when `level`.
Pilot flying(double speed, float power, bool level = false)
{
    init_Model();
    world_y = 1000;
    reset_real_flight();
    body.velocity[2] = speed;
    body.on_ground = 0;
    throttle = power;
    Pilot pilot;
    (level ? pilot.hold_height : pilot.hold_speed) = level ? 1000 : speed;
    return pilot;
}

// The airspeed at which the wings no longer hold the height, throttle closed.
double stall_speed(float flaps)
{
    Pilot pilot = flying(35, 0, true);
    angle_flap = flaps;
    pilot.fly(10);
    const double start = height();
    pilot.fly(120, [start] { return height() < start - 3; });
    return real_air_speed();
}

// Climb rate and distance flown a second, steady at `speed` and `power`.
std::array<double, 2> steady(double speed, float power)
{
    Pilot pilot = flying(speed, power);
    pilot.fly(60);
    const double y = height(), z = body.position[2];
    pilot.fly(30);
    return {(height() - y) / 30, (body.position[2] - z) / 30};
}

// From the start of the runway at full power and 10 degrees of flap, the nose raised at 26 m/s:
// the distance rolled until the wheels leave the runway.
double take_off_roll()
{
    init_Model();
    throttle = 1005;
    angle_flap = 10;
    for (int n = 0; n < 60 * 60 && body.on_ground; ++n) {
        if (real_air_speed() > 26) angle_elevator = 20;
        real_plane_idle();
    }
    return body.position[2] + 230;
}

TEST(RealFlight, MeetsTheTrainersPublishedFigures)
{
    double best_climb = 0, best_glide = 0, best_glide_speed = 0;
    for (double speed = 30; speed <= 48; speed += 1) {
        const std::array<double, 2> climb = steady(speed, 1005), glide = steady(speed, 0);
        best_climb = std::max(best_climb, climb[0]);
        const double ratio = glide[1] / -glide[0];
        if (ratio > best_glide) best_glide = ratio, best_glide_speed = speed;
    }
    Pilot top = flying(50, 1005, true);
    top.fly(300);
    const double top_speed = real_air_speed();
    const struct {
        const char* name;
        double published, measured;
    } figures[] = {
        {"stall speed, clean (m/s)", 25, stall_speed(0)},
        {"stall speed, full flaps (m/s)", 21, stall_speed(30)},
        {"best climb rate (m/s)", 3.7, best_climb},
        {"top level speed (m/s)", 64, top_speed},
        {"best glide ratio", 9, best_glide},
        {"best glide speed (m/s)", 35, best_glide_speed},
        {"take-off ground roll (m)", 290, take_off_roll()},
    };
    std::printf("%-32s %10s %10s %10s\n", "figure", "published", "measured", "tolerance");
    for (const auto& f : figures) {
        std::printf("%-32s %10.1f %10.1f %9.0f %%\n", f.name, f.published, f.measured, 10.0);
        EXPECT_NEAR(f.measured, f.published, 0.1 * f.published) << f.name;
    }
}

// Trimmed for level flight as a pilot does it: the elevator at a key setting, the ailerons
// holding the wings level, the throttle set in its key steps until the height holds, judged over
// 20 s, about a period of the slow pitch oscillation.
Pilot trimmed(float elevator, double speed)
{
    Pilot pilot = flying(speed, 600);
    angle_elevator = elevator;
    pilot.hands_off_elevator = true;
    for (int round = 0; round < 10; ++round) {
        const double start = height();
        pilot.fly(20);
        throttle -= 15 * float(std::round((height() - start) / 2));
    }
    return pilot;
}

// The highest and lowest height over `steps` flown by `pilot`, from where it starts.
std::array<double, 2> heights(Pilot& pilot, int steps, double* turned = nullptr)
{
    const double start = height();
    std::array<double, 2> range = {0, 0};
    for (int n = 0; n < steps; ++n) {
        pilot.fly_step();
        if (turned) *turned += std::remainder(double(old_head_yaw - head_yaw), 360.0);
        range = {std::max(range[0], height() - start), std::min(range[1], height() - start)};
        if (turned && *turned >= 360) break;
    }
    return range;
}

TEST(RealFlight, TurnsWhenBankedAndFliesHandsOffWhenTrimmed)
{
    Pilot pilot = trimmed(0, 47);
    angle_aileron = 0;
    pilot.hands_off = true;
    std::array<double, 2> range = heights(pilot, 60 * 60);
    std::printf("hands-off for 60 s: %+.1f m to %+.1f m\n", range[1], range[0]);
    EXPECT_LT(range[0], 50);
    EXPECT_GT(range[1], -50);

    // A full circle at 30 degrees of bank, the ailerons holding it, two key steps of back
    // pressure on the elevator.
    pilot = trimmed(0, 47);
    angle_elevator += 5;
    pilot.bank = 30;
    double turned = 0;
    range = heights(pilot, 60 * 120, &turned);
    std::printf("30 degree circle: %+.1f m to %+.1f m\n", range[1], range[0]);
    EXPECT_GE(turned, 360) << "a right bank turns right";
    EXPECT_LT(range[0], 30);
    EXPECT_GT(range[1], -30);
}

using Vector = std::array<double, 3>;

// The model's axis `v` as drawn: turned by the bank about z, the pitch about x, the heading
// about y, as glRotatef turns it.
Vector drawn(Vector v)
{
    const double turns[3][2] = {{2, head_roll}, {0, head_pitch}, {1, head_yaw}};
    for (const auto& t : turns) {
        const double c = std::cos(t[1] / degrees), s = std::sin(t[1] / degrees);
        const size_t i = (size_t(t[0]) + 1) % 3, j = (size_t(t[0]) + 2) % 3;
        const double a = v[i], b = v[j];
        v[i] = c * a - s * b, v[j] = s * a + c * b;
    }
    return v;
}

// The model's axis `v` as the body's quaternion turns it.
Vector in_body(Vector v)
{
    const double w = body.attitude[0], *u = body.attitude + 1;
    const auto cross = [](const double* a, const double* b) {
        return Vector{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                      a[0] * b[1] - a[1] * b[0]};
    };
    const Vector t = cross(u, v.data()), tt = cross(u, t.data());
    for (size_t i = 0; i < 3; ++i) v[i] += 2 * (w * t[i] + tt[i]);
    return v;
}

double distance(Vector a, Vector b) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }

TEST(RealFlight, LoopsAndRollsWithoutAJumpInAttitude)
{
    struct {
        const char* name;
        float elevator, aileron;
        size_t axis;  // the body rate that adds up to the full turn
    } const manoeuvres[] = {{"loop", 25, 0, 0}, {"roll", 0, -45, 2}};
    for (const auto& m : manoeuvres) {
        flying(60, 1005);
        angle_elevator = m.elevator, angle_aileron = m.aileron;
        double turn = 0, worst = 0, jump = 0;
        Vector nose = drawn({0, 0, 1});
        for (int n = 0; n < 60 * 30 && std::fabs(turn) < 2 * M_PI; ++n) {
            real_plane_idle();
            turn += body.rates[m.axis] * step;
            for (const Vector& axis : {Vector{0, 0, 1}, Vector{1, 0, 0}})
                worst = std::max(worst, distance(drawn(axis), in_body(axis)));
            jump = std::max(jump, distance(drawn({0, 0, 1}), nose));
            nose = drawn({0, 0, 1});
        }
        EXPECT_GE(std::fabs(turn), 2 * M_PI) << m.name << " incomplete";
        EXPECT_LT(worst, 1e-4) << m.name << ": the drawn attitude differs from the body's";
        EXPECT_LT(jump, 0.05) << m.name << ": the nose jumped";
        EXPECT_EQ(explo_enable, 0) << m.name;
    }
}

TEST(RealFlight, LandsOnTheGearAndCrashesOtherwise)
{
    const struct {
        double sink, bank, nose_up;  // m/s, degrees, degrees
        bool gear_up, lands;
        float rudder;  // steers the nose wheel on the roll-out
    } touchdowns[] = {
        {2.5, 0, 4, false, true, 0},  {3.5, 0, 4, false, false, 0}, {1, 20, 4, false, false, 0},
        {1, 0, 20, false, false, 0},  {1, 0, -8, false, false, 0},  {1, 0, 4, true, false, 0},
        {1, 10, -3, false, true, 10},
    };
    for (const auto& t : touchdowns) {
        SCOPED_TRACE(testing::Message() << "sink " << t.sink << ", bank " << t.bank << ", nose "
                                        << t.nose_up << ", gear up " << t.gear_up);
        init_Model();
        world_y = 0.01f, head_roll = float(t.bank), head_pitch = float(-t.nose_up);
        if (t.gear_up) gear_out = 0, angle_nose_gear = 120;
        reset_real_flight();
        body.on_ground = 0, body.velocity[1] = -t.sink, body.velocity[2] = 30;
        angle_rudder = t.rudder;
        for (int n = 0; n < 60 * 60; ++n) real_plane_idle();  // engine off: the brakes stop it
        EXPECT_EQ(explo_enable == 0, t.lands);
        EXPECT_EQ(world_y, 0);
        EXPECT_EQ(real_air_speed(), 0) << "still rolling after a minute";
        EXPECT_LT(world_z, 300);
        EXPECT_EQ(head_yaw < 0, t.rudder > 0) << "right rudder steers right";
    }
}

TEST(RealFlight, StaysFiniteAndAboveTheGroundUnderRandomControls)
{
    std::mt19937 random(7);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    for (int flight = 0; flight < 40; ++flight) {
        init_Model();
        if (flight % 4 != 0) {  // anywhere, at any speed and attitude, the map's edge included
            world_x = float(flight % 4 == 1 ? max_pos - 300 : uniform(-1000, 1000));
            world_y = float(uniform(0, 3000));
            head_yaw = float(uniform(-180, 180)), head_pitch = float(uniform(-90, 90));
            head_roll = float(uniform(-180, 180));
            reset_real_flight();
            body.on_ground = 0;
            for (size_t i = 0; i < 3; ++i)
                body.velocity[i] = uniform(-150, 150), body.rates[i] = uniform(-4, 4);
        }
        for (int n = 0; n < 60 * 120; ++n) {
            if (n % 30 == 0) {
                angle_elevator = float(uniform(-45, 45)), angle_aileron = float(uniform(-45, 45));
                angle_rudder = float(uniform(-45, 45)), angle_flap = float(uniform(0, 30));
                throttle = float(15 * std::round(uniform(0, 67)));
                if (world_y > 0 && uniform(0, 1) < 0.1) gear_out = 1 - gear_out, move_gear();
            }
            collisions();
            if (explo_enable) throttle = 0;
            real_plane_idle();
            double sum = head_yaw + head_pitch + head_roll + real_air_speed();
            for (const double* values : {body.position, body.velocity, body.rates})
                sum += values[0] + values[1] + values[2];
            sum += body.attitude[0] + body.attitude[1] + body.attitude[2] + body.attitude[3];
            ASSERT_TRUE(std::isfinite(sum) && world_y >= 0 && real_air_speed() < 300)
                << "flight " << flight << ", step " << n;
        }
    }
}

}  // namespace
