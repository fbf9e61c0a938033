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
#include "aircraft/WorldState.h"
#include "aircraft/Plane.h"
#include "aircraft/RealFlight.h"
#include "cockpit/TouchdownReport.h"
#include "core/Settings.h"
#include "platform/GL.h"
#include "shell/Keyboard.h"

namespace {

constexpr double step = 1.0 / 60, degrees = 180 / M_PI;

double height() { return body.position[1]; }

// A test pilot: the ailerons hold a bank; the elevator holds a pitch attitude, which is set to
// hold a height or an airspeed, each loop with an integral term that trims it.
struct Pilot {
    double bank = 0;                             // degrees, positive right
    bool wings = true;                           // the ailerons hold the bank
    double hold_height = NAN, hold_speed = NAN;  // the elevator holds one, or neither
    double pitch_trim = 0, elevator_trim = 0;

    void fly_step()
    {
        if (wings)
            angle_aileron = float(std::clamp(
                1.5 * (head_roll - bank) + 0.5 * body.rates[2] * degrees, -45.0, 45.0));
        const double error = std::isnan(hold_height)
                                 ? real_air_speed() - hold_speed
                                 : std::clamp(0.2 * (hold_height - height()), -3.0, 3.0) -
                                       body.velocity[1];
        if (!std::isnan(error)) {
            pitch_trim += 0.2 * error * step;
            const double pitch_error = pitch_trim + 1.5 * error + head_pitch;
            elevator_trim = std::clamp(elevator_trim + pitch_error * step, -45.0, 45.0);
            angle_elevator = float(std::clamp(
                elevator_trim + 3 * pitch_error + body.rates[0] * degrees, -45.0, 45.0));
        }
        real_plane_idle();
    }
    // Flies `seconds`, or until `done` says so.
    void fly(double seconds, const std::function<bool()>& done = [] { return false; })
    {
        for (int n = 0; n < int(seconds * 60) && !done(); ++n) fly_step();
    }
};

// In the air at `height`, level along +z at `speed`, gear down, at `power`; the pilot holds the
// speed, or the height when `level`.
Pilot flying(double speed, float power, bool level = false, double height = 1000)
{
    init_Model(), world_y = float(height), reset_real_flight();
    body.velocity[2] = speed, body.on_ground = 0, throttle = power;
    Pilot pilot;
    (level ? pilot.hold_height : pilot.hold_speed) = level ? height : speed;
    return pilot;
}

// The published figures are the sea level's: the aircraft climbs from just above it, and flies
// level or glides from as low as the flight allows.
constexpr double climb_start = 20, level_height = 50, glide_start = 400;

// The airspeed at which the wings no longer hold the height, throttle closed; the stall warning
// sounds between 1.5 and 4 m/s faster.
double stall_speed(float flaps)
{
    Pilot pilot = flying(35, 0, true, level_height);
    angle_flap = flaps, pilot.fly(10);
    const double start = height();
    double warned = 0;
    pilot.fly(120, [&] {
        if (warned == 0 && stall_warning()) warned = real_air_speed();
        return height() < start - 3;
    });
    EXPECT_TRUE(warned - real_air_speed() > 1.5 && warned - real_air_speed() < 4) << warned << " " << real_air_speed();
    return real_air_speed();
}

// Climb rate and distance flown a second, steady at `speed` and `power`.
std::array<double, 2> steady(double speed, float power)
{
    Pilot pilot = flying(speed, power, false, power > 0 ? climb_start : glide_start);
    pilot.fly(60);
    const double y = height(), z = body.position[2];
    pilot.fly(30);
    return {(height() - y) / 30, (body.position[2] - z) / 30};
}

TEST(RealFlight, MeetsTheTrainersPublishedFigures)
{
    double best_climb = 0, best_glide = 0, best_glide_speed = 0;
    for (double speed = 30; speed <= 48; speed += 1) {
        const std::array<double, 2> climb = steady(speed, 1005), glide = steady(speed, 0);
        best_climb = std::max(best_climb, climb[0]);
        if (glide[1] / -glide[0] > best_glide) best_glide_speed = speed;
        best_glide = std::max(best_glide, glide[1] / -glide[0]);
    }
    // The service ceiling: where a climb at full power falls below 0.5 m/s.
    Pilot climbing = flying(36, 1005, false, climb_start);
    for (double last = -1; height() - last >= 15 && height() < 9000;)
        last = height(), climbing.fly(30);
    const double ceiling = height();
    flying(50, 1005, true, level_height).fly(300);
    const double top_speed = real_air_speed();
    init_Model();  // on the runway at full power, 10 degrees of flap, the nose raised at 26 m/s
    throttle = 1005, angle_flap = 10;
    for (int n = 0; n < 3600 && body.on_ground; ++n)
        angle_elevator = real_air_speed() > 26 ? 20 : 0, real_plane_idle();
    const struct {
        const char* name;
        double published, measured;
    } figures[] = {
        {"take-off ground roll (m)", 290, body.position[2] + 230},
        {"stall speed, clean (m/s)", 25, stall_speed(0)},
        {"stall speed, full flaps (m/s)", 21, stall_speed(30)},
        {"best climb rate (m/s)", 3.7, best_climb},
        {"top level speed (m/s)", 64, top_speed},
        {"best glide ratio", 9, best_glide},
        {"best glide speed (m/s)", 35, best_glide_speed},
        {"service ceiling (m)", 4100, ceiling},
    };
    std::printf("%-32s %10s %10s %10s\n", "figure", "published", "measured", "tolerance");
    for (const auto& f : figures) {
        std::printf("%-32s %10.1f %10.1f %9.0f %%\n", f.name, f.published, f.measured, 10.0);
        EXPECT_NEAR(f.measured, f.published, 0.1 * f.published) << f.name;
    }
}

// Trimmed at the elevator's centre as a pilot does it, the ailerons holding the wings level:
// the throttle set in its key steps until the height holds over 20 s, about a period of the
// slow pitch oscillation. Then 60 s hands-off, and a full circle at 30 degrees of bank, the
// ailerons holding it, with two key steps of back pressure on the elevator.
TEST(RealFlight, FliesHandsOffWhenTrimmedAndTurnsWhenBanked)
{
    Pilot pilot = flying(47, 600);
    pilot.hold_speed = NAN, angle_elevator = 0;
    for (int round = 0; round < 10; ++round) {
        const double start = height();
        pilot.fly(20);
        throttle -= 15 * float(std::round((height() - start) / 2));
    }
    for (int manoeuvre : {0, 1}) {
        pilot.wings = manoeuvre == 1, angle_aileron = 0;
        pilot.bank = 30 * manoeuvre, angle_elevator += 5.f * manoeuvre;
        const double start = height();
        double highest = 0, lowest = 0, turned = 0;
        for (int n = 0; n < 60 * (manoeuvre ? 120 : 60) && turned < 360; ++n) {
            pilot.fly_step();
            turned += manoeuvre * std::remainder(double(old_head_yaw - head_yaw), 360.0);
            highest = std::max(highest, height() - start);
            lowest = std::min(lowest, height() - start);
        }
        std::printf("%s: %+.1f m to %+.1f m\n", manoeuvre ? "circle" : "hands-off", lowest,
                    highest);
        EXPECT_LT(std::max(highest, -lowest), manoeuvre ? 30 : 50) << manoeuvre;
        EXPECT_TRUE(!manoeuvre || turned >= 360) << "a right bank turns right: " << turned;
    }
}

// A loop and a roll at full power: the heading, pitch and bank written give the body's attitude
// back at every step (the drawing turns by them), and the attitude never jumps.
TEST(RealFlight, LoopsAndRollsWithoutAJumpInAttitude)
{
    for (const std::array<float, 3> m : {std::array<float, 3>{25, 0, 0}, {0, -45, 2}}) {
        flying(60, 1005);
        angle_elevator = m[0], angle_aileron = m[1];
        double turn = 0, mismatch = 0, steady = 1;
        for (int n = 0; n < 60 * 30 && std::fabs(turn) < 2 * M_PI; ++n) {
            const RigidBody before = body;
            real_plane_idle();
            turn += body.rates[size_t(m[2])] * step;
            const RigidBody after = body;
            reset_real_flight();  // the body as the written angles put it
            double match = 0, change = 0;  // cosines of half the angles between attitudes
            for (size_t i = 0; i < 4; ++i)
                match += body.attitude[i] * after.attitude[i],
                    change += before.attitude[i] * after.attitude[i];
            mismatch = std::max(mismatch, std::fabs(1 - std::fabs(match)));
            steady = std::min(steady, std::fabs(change));
            body = after;
        }
        EXPECT_GE(std::fabs(turn), 2 * M_PI) << "incomplete: " << m[0];
        EXPECT_LT(mismatch, 1e-9) << m[0] << ": the written angles are not the body's";
        EXPECT_GT(steady, std::cos(0.5 * 0.05)) << m[0] << ": more than 0.05 radians in a step";
        EXPECT_EQ(explo_enable, 0) << m[0];
    }
}

// Elevator held full up, throttle closed, wings level: the nose rises to the stall, no further,
// then breaks down through 5 degrees and nods there while the aircraft sinks.
// Elevator held full up, throttle closed: the nose drops past the stall, the wings held level.
// Hands off the ailerons, the wings stay level if the rudder is centred, but a wing drops if the
// rudder yaws the aircraft into the stall.
TEST(RealFlight, PastTheStallTheNoseDropsAndAYawedStallDropsAWing)
{
    for (const float rudder : {0.f, 15.f}) {
        Pilot pilot = flying(30, 0);
        pilot.hold_speed = NAN, pilot.wings = false, angle_elevator = 45, angle_rudder = rudder;
        double highest = 0, lowest_after = 90, nose_up = 0, bank = 0;
        for (int n = 0; n < 60 * 20; ++n, nose_up = -head_pitch) {
            pilot.fly_step();
            highest = std::max(highest, nose_up);
            if (nose_up < highest - 1) lowest_after = std::min(lowest_after, nose_up);
            if (n == 120) bank = head_roll;  // a second after the stall
        }
        std::printf("past the stall, rudder %.0f: nose up to %.1f degrees, then down to %.1f, "
                    "sinking %.1f m/s; banked %.1f a second after\n",
                    double(rudder), highest, lowest_after, -body.velocity[1], bank);
        EXPECT_TRUE(highest > 15 && highest < 25 && lowest_after < 5);
        EXPECT_TRUE(rudder == 0 ? bank == 0 && -body.velocity[1] > 3 : bank > 60) << bank;
    }
}

TEST(RealFlight, LandsOnTheGearAndCrashesOtherwise)
{
    const struct {
        double sink, bank, nose_up;  // m/s, degrees, degrees
        bool gear_up;
        float rudder;          // steers the nose wheel on the roll-out
        const char* reported;  // the report's first line
    } touchdowns[] = {
        {2.5, 0, 4, false, 0, "LANDED"},
        {3.5, 0, 4, false, 0, "CRASHED: sink over 3 m/s"},
        {1, 20, 4, false, 0, "CRASHED: bank over 15 deg"},
        {1, 0, 20, false, 0, "CRASHED: tail first, over 15 up"},
        {1, 0, -8, false, 0, "CRASHED: nose first, over 5 down"},
        {1, 0, 4, true, 0, "CRASHED: on its belly, gear up"},
        {1, 10, -3, false, 10, "LANDED"},
    };
    for (const auto& t : touchdowns) {
        SCOPED_TRACE(testing::Message() << t.sink << " m/s, " << t.bank << " and " << t.nose_up);
        init_Model(), world_y = 0.01f, head_roll = float(t.bank), head_pitch = float(-t.nose_up);
        if (t.gear_up) gear_out = 0, angle_nose_gear = 120;
        reset_real_flight(), angle_rudder = t.rudder, airborne = true;
        body.on_ground = 0, body.velocity[1] = -t.sink, body.velocity[2] = 30;
        for (int n = 0; n < 60 * 60; ++n) real_plane_idle();  // engine off: the brakes stop it
        const std::vector<std::string> report = touchdown_report();
        EXPECT_EQ(report.at(0), t.reported);
        EXPECT_EQ(explo_enable == 0, report[0] == "LANDED");
        EXPECT_TRUE(world_y == 0 && real_air_speed() == 0 && world_z < 300) << "stopped on it";
        EXPECT_EQ(head_yaw < 0, t.rudder > 0) << "right rudder steers right";
    }
    EXPECT_EQ(touchdown_report()[1], "sink 1.1 m/s, bank 10 deg, nose 3 down");
}

// The report says where the wheels touched, seen the way the aircraft flew.
TEST(RealFlight, TheReportSaysWhereOnTheRunway)
{
    const struct {
        float x, z, heading;
        const char* place;
    } places[] = {
        {0.2f, -180, 0, "50 m down the runway, centred"},
        {5, -180, 10, "50 m down the runway, 5 m left"},
        {5, 180, 180, "50 m down the runway, 5 m right"},
        {-40, 0, 0, "on the grass, 25 m right of the runway"},
        {0, -400, -10, "150 m short of the runway"},
        {0, -300, 180, "50 m past the runway's end"},
    };
    init_Model(), landed = true;
    for (const auto& p : places) {
        touchdown = {Landed, 1, 0, 4, p.x, p.z, p.heading};
        EXPECT_EQ(touchdown_report().back(), p.place);
    }
    landed = false;
    EXPECT_TRUE(touchdown_report().empty()) << "off the ground again";
}

// The trim keys move the elevator's rest in the real model only, within their limit; the
// surfaces follow the keys at a hand's rate and the flaps at their motor's.
TEST(RealFlight, TrimAndSurfacesFollowTheKeys)
{
    for (const int model : {0, 1}) {
        init_Model(), real_flight = model;
        for (int press = 0; press < 50; ++press) special_keys(GLUT_KEY_INSERT, 0, 0);
        special_keys(GLUT_KEY_HOME, 0, 0);
        EXPECT_EQ(body.trim, model ? 22 : 0);
    }
    angle_elevator = 22.5f, angle_flap = 30;
    const struct {
        int steps;
        double elevator, flaps;
    } after[] = {{1, 2.5, 0.05}, {17, 42.5, 0.85}, {18, 44.5, 0.9}, {600, 44.5, 30}};
    int step = 1;
    for (const auto& a : after) {
        for (; step <= a.steps; ++step) real_plane_idle();
        EXPECT_NEAR(body.surfaces[Elevator], a.elevator, 1e-4) << a.steps;
        EXPECT_NEAR(body.surfaces[Flaps], a.flaps, 1e-4) << a.steps;
    }
    real_flight = 0;
}
// Anywhere, at any speed and attitude, the map's edge included, under random controls.
TEST(RealFlight, StaysFiniteAndAboveTheGroundUnderRandomControls)
{
    std::mt19937 random(7);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    for (int flight = 0; flight < 40; ++flight) {
        init_Model();
        if (flight % 4 != 0) {
            world_x = float(flight % 4 == 1 ? max_pos - 300 : uniform(-1000, 1000));
            world_y = float(uniform(0, 3000)), head_yaw = float(uniform(-180, 180));
            head_pitch = float(uniform(-90, 90)), head_roll = float(uniform(-180, 180));
            reset_real_flight(), body.on_ground = 0;
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
            double sum = head_yaw + head_pitch + head_roll;
            for (const double* values : {body.position, body.velocity, body.rates, body.attitude})
                sum += values[0] + values[1] + values[2];
            ASSERT_TRUE(std::isfinite(sum + body.attitude[3]) && world_y >= 0 &&
                        real_air_speed() < 300)
                << "flight " << flight << ", step " << n;
        }
    }
}

}  // namespace
