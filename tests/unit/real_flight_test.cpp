// The rigid-body model flown by a scripted test pilot and measured against the published figures
// of the trainer it models, and shaken with random controls for anything not finite.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "aircraft/Collision.h"
#include "aircraft/FlightState.h"
#include "aircraft/Plane.h"
#include "aircraft/RealFlight.h"
#include "core/Settings.h"
#include "core/StepClock.h"

namespace {

constexpr double step = 1.0 / 60;

// In the air at `height`, level along +z at `speed`, gear down, engine off.
void airborne(double speed, double height = 1000)
{
    init_Model();
    world_y = float(height);
    reset_real_flight();
    body.velocity[2] = speed;
    body.on_ground = 0;
}

double height() { return body.position[1]; }
double climb() { return body.velocity[1]; }

// A test pilot: ailerons hold a bank; the elevator holds a pitch attitude, which is set to hold
// a height or an airspeed, each loop with an integral term that trims it, as a pilot would.
struct Pilot {
    double bank = 0;           // degrees, positive right
    double hold_height = NAN;  // else
    double hold_speed = NAN;
    double pitch_trim = 0, elevator_trim = 0;
    bool hands_off_elevator = false;

    void fly_step()
    {
        const double roll_rate = body.rates[2] * 180 / M_PI;
        angle_aileron = float(std::clamp(1.5 * (head_roll - bank) + 0.5 * roll_rate, -45.0, 45.0));
        if (hands_off_elevator) return real_plane_idle();
        const double error =
            std::isnan(hold_height)
                ? real_air_speed() - hold_speed
                : std::clamp(0.2 * (hold_height - height()), -3.0, 3.0) - climb();
        pitch_trim += 0.2 * error * step;
        const double nose_up = pitch_trim + 1.5 * error;
        const double pitch_error = nose_up + head_pitch;
        elevator_trim = std::clamp(elevator_trim + 1.0 * pitch_error * step, -45.0, 45.0);
        const double pitch_rate = body.rates[0] * 180 / M_PI;  // nose down
        angle_elevator =
            float(std::clamp(elevator_trim + 3 * pitch_error + pitch_rate, -45.0, 45.0));
        real_plane_idle();
    }
    // Flies `seconds`, or until `done` says so; false if it ran out of time.
    bool fly(double seconds, const std::function<bool()>& done = [] { return false; })
    {
        for (int n = 0; n < int(seconds * 60); ++n) {
            fly_step();
            if (done()) return true;
        }
        return false;
    }
};

// The airspeed at which the wings no longer hold the height, throttle closed.
double stall_speed(float flaps)
{
    airborne(35);
    angle_flap = flaps;
    Pilot pilot;
    pilot.hold_height = height();
    pilot.fly(10);
    const double start = height();
    pilot.fly(120, [&] { return height() < start - 3; });
    return real_air_speed();
}

// The steady climb rate at full power holding `speed`.
double climb_at(double speed)
{
    airborne(speed);
    throttle = 1005;
    Pilot pilot;
    pilot.hold_speed = speed;
    pilot.fly(60);
    const double start = height();
    pilot.fly(30);
    return (height() - start) / 30;
}

double top_speed()
{
    airborne(50);
    throttle = 1005;
    Pilot pilot;
    pilot.hold_height = height();
    pilot.fly(300);
    return real_air_speed();
}

// Distance over height lost, engine off, holding `speed`.
double glide_ratio(double speed)
{
    airborne(speed);
    Pilot pilot;
    pilot.hold_speed = speed;
    pilot.fly(60);
    const double z = body.position[2], y = height();
    pilot.fly(60);
    return (body.position[2] - z) / (y - height());
}

// From the start of the runway at full power and 10 degrees of flap, the nose raised at 26 m/s:
// the distance rolled until the wheels leave the runway.
double take_off_roll()
{
    init_Model();
    throttle = 1005;
    angle_flap = 10;
    for (int n = 0; n < 60 * 60 && body.on_ground; ++n) {
        if (real_air_speed() > 26) angle_elevator = 20;  // raise the nose
        real_plane_idle();
    }
    return body.position[2] - -230.0;
}

TEST(RealFlight, MeetsTheTrainersPublishedFigures)
{
    double best_climb = 0, best_glide = 0, best_glide_speed = 0;
    for (double speed = 32; speed <= 48; speed += 2)
        best_climb = std::max(best_climb, climb_at(speed));
    for (double speed = 30; speed <= 42; speed += 1) {
        const double ratio = glide_ratio(speed);
        if (ratio > best_glide) best_glide = ratio, best_glide_speed = speed;
    }
    struct Figure {
        const char* name;
        double published, measured;
    };
    const Figure figures[] = {
        {"stall speed, clean (m/s)", 25, stall_speed(0)},
        {"stall speed, full flaps (m/s)", 21, stall_speed(30)},
        {"best climb rate (m/s)", 3.7, best_climb},
        {"top level speed (m/s)", 64, top_speed()},
        {"best glide ratio", 9, best_glide},
        {"best glide speed (m/s)", 35, best_glide_speed},
        {"take-off ground roll (m)", 290, take_off_roll()},
    };
    std::printf("%-32s %10s %10s %10s\n", "figure", "published", "measured", "tolerance");
    for (const Figure& f : figures) {
        std::printf("%-32s %10.1f %10.1f %9.0f %%\n", f.name, f.published, f.measured, 10.0);
        EXPECT_NEAR(f.measured, f.published, 0.1 * f.published) << f.name;
    }
}

// Trimmed for level flight as a pilot does it: the elevator at a key setting, the ailerons
// holding the wings level, the throttle set in its key steps until the height holds, judged over
// 20 s, about a period of the slow pitch oscillation.
Pilot trimmed(float elevator, double speed)
{
    airborne(speed);
    angle_elevator = elevator;
    throttle = 600;
    Pilot pilot;
    pilot.hands_off_elevator = true;
    for (int round = 0; round < 10; ++round) {
        const double start = height();
        pilot.fly(20);
        const float steps = float(std::round((height() - start) / 20 / 0.1));
        throttle = std::clamp(throttle - 15 * steps, 0.0f, 1005.0f);
    }
    return pilot;
}

TEST(RealFlight, TurnsWhenBankedAndFliesHandsOffWhenTrimmed)
{
    Pilot pilot = trimmed(0, 47);
    const double start = height();
    angle_aileron = angle_rudder = 0;
    double lowest = start, highest = start;
    for (int n = 0; n < 60 * 60; ++n) {
        real_plane_idle();
        lowest = std::min(lowest, height()), highest = std::max(highest, height());
    }
    EXPECT_LT(highest - start, 50);
    EXPECT_LT(start - lowest, 50);
    std::printf("hands-off 60 s: %.1f m to %.1f m of the start\n", lowest - start, highest - start);

    // A full circle at 30 degrees of bank, the ailerons holding it, two key steps of back pressure.
    pilot = trimmed(0, 47);
    angle_elevator += 5;
    pilot.bank = 30;
    const double circle_start = height();
    double turned = 0;
    lowest = highest = circle_start;
    for (int n = 0; n < 60 * 120 && turned < 360; ++n) {
        pilot.fly_step();
        turned += std::remainder(double(old_head_yaw - head_yaw), 360.0);
        lowest = std::min(lowest, height()), highest = std::max(highest, height());
    }
    EXPECT_GE(turned, 360) << "a right bank turns right";
    EXPECT_LT(highest - circle_start, 30);
    EXPECT_LT(circle_start - lowest, 30);
    std::printf("30 degree circle: %.1f m to %.1f m of the start\n", lowest - circle_start,
                highest - circle_start);
}

using Vector = std::array<double, 3>;

// `v` turned by `degrees` about axis 0 (x), 1 (y) or 2 (z), as glRotatef turns it.
Vector turned(Vector v, int axis, double degrees)
{
    const double c = std::cos(degrees * M_PI / 180), s = std::sin(degrees * M_PI / 180);
    const int i = (axis + 1) % 3, j = (axis + 2) % 3;
    Vector r = v;
    r[size_t(i)] = c * v[size_t(i)] - s * v[size_t(j)];
    r[size_t(j)] = s * v[size_t(i)] + c * v[size_t(j)];
    return r;
}

// How far the drawn aircraft's axis `v` lies from the body's: the drawing turns by the bank,
// then the pitch, then the heading; the body by its quaternion.
double drawn_error(Vector v)
{
    const Vector drawn = turned(turned(turned(v, 2, head_roll), 0, head_pitch), 1, head_yaw);
    const double w = body.attitude[0];
    const Vector u = {body.attitude[1], body.attitude[2], body.attitude[3]};
    const auto cross = [](Vector a, Vector b) {
        return Vector{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                      a[0] * b[1] - a[1] * b[0]};
    };
    const Vector t = cross(u, v), tt = cross(u, t);
    double error = 0;
    for (size_t i = 0; i < 3; ++i)
        error = std::max(error, std::fabs(v[i] + 2 * w * t[i] + 2 * tt[i] - drawn[i]));
    return error;
}

TEST(RealFlight, LoopsAndRollsWithoutAJumpInAttitude)
{
    struct Manoeuvre {
        const char* name;
        float elevator, aileron;
        int axis;  // the body rate that adds up to a full turn
    };
    for (const Manoeuvre& m : {Manoeuvre{"loop", 25, 0, 0}, Manoeuvre{"roll", 0, -45, 2}}) {
        airborne(60);
        throttle = 1005;
        angle_elevator = m.elevator, angle_aileron = m.aileron;
        double turn = 0, worst = 0, jump = 0;
        Vector nose = {0, 0, 1};
        for (int n = 0; n < 60 * 30 && std::fabs(turn) < 2 * M_PI; ++n) {
            real_plane_idle();
            turn += body.rates[size_t(m.axis)] * step;
            worst = std::max({worst, drawn_error({0, 0, 1}), drawn_error({1, 0, 0})});
            const Vector now =
                turned(turned(turned({0, 0, 1}, 2, head_roll), 0, head_pitch), 1, head_yaw);
            jump = std::max(jump, std::hypot(now[0] - nose[0], now[1] - nose[1], now[2] - nose[2]));
            nose = now;
        }
        EXPECT_GE(std::fabs(turn), 2 * M_PI) << m.name << " incomplete";
        EXPECT_LT(worst, 1e-4) << m.name << ": drawn attitude differs from the body's";
        EXPECT_LT(jump, 0.05) << m.name << ": the nose jumped";
        EXPECT_EQ(explo_enable, 0) << m.name;
    }
}

TEST(RealFlight, LandsOnTheGearAndCrashesOtherwise)
{
    struct Touchdown {
        double sink, bank, nose_up;  // m/s, degrees, degrees
        bool gear_up, lands;
        float rudder;  // steers the nose wheel on the roll-out
    } const touchdowns[] = {
        {2.5, 0, 4, false, true, 0},  {3.5, 0, 4, false, false, 0}, {1, 20, 4, false, false, 0},
        {1, 0, 20, false, false, 0},  {1, 0, -8, false, false, 0},  {1, 0, 4, true, false, 0},
        {1, 10, -3, false, true, 10},
    };
    for (const Touchdown& t : touchdowns) {
        airborne(30, 0.01);
        if (t.gear_up) gear_out = 0, angle_nose_gear = 120;
        head_roll = float(t.bank), head_pitch = float(-t.nose_up);
        reset_real_flight();
        body.on_ground = 0;
        body.velocity[1] = -t.sink, body.velocity[2] = 30;
        angle_rudder = t.rudder;
        for (int n = 0; n < 60 * 60; ++n) real_plane_idle();  // engine off: the brakes stop it
        const std::string row = "sink " + std::to_string(t.sink) + ", bank " +
                                std::to_string(t.bank) + ", nose " + std::to_string(t.nose_up);
        EXPECT_EQ(explo_enable == 0, t.lands) << row;
        EXPECT_EQ(world_y, 0) << row;
        EXPECT_EQ(real_air_speed(), 0) << row << ": still rolling after a minute";
        EXPECT_LT(world_z, 300) << row;
        EXPECT_EQ(head_yaw < 0, t.rudder > 0) << row << ": right rudder steers right";
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
            double sum = 0;
            for (double v : body.position) sum += v;
            for (double v : body.velocity) sum += v;
            for (double v : body.attitude) sum += v;
            for (double v : body.rates) sum += v;
            sum += head_yaw + head_pitch + head_roll + real_air_speed();
            ASSERT_TRUE(std::isfinite(sum)) << "flight " << flight << ", step " << n;
            ASSERT_GE(world_y, 0) << "flight " << flight << ", step " << n;
            ASSERT_LT(real_air_speed(), 300) << "flight " << flight << ", step " << n;
        }
    }
}

}  // namespace
