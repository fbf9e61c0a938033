// Flies the real flight model once round the airfield as the README's circuit tells a new player
// to, pressing only the keys it names when the instruments or the view show what it names, and
// records the flight: Data/Circuit.rec is this program's output. GLUT's keys want a window, so
// it runs under an X server:
//
//     xvfb-run build/tools/fly_circuit Data/Circuit.rec
//
// The pilot is a careful player: one key at a time for each hand, a moment between presses, and
// the corrections a player makes by eye (wings level, the runway's centre line ahead).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "aircraft/Collision.h"
#include "aircraft/FlightState.h"
#include "aircraft/RealFlight.h"
#include "aircraft/WorldState.h"
#include "cockpit/Figures.h"
#include "cockpit/TouchdownReport.h"
#include "core/Settings.h"
#include "core/StepClock.h"
#include "platform/GL.h"
#include "shell/Inputs.h"
#include "shell/Recorder.h"
#include "shell/Sim.h"

namespace {

constexpr int steps_a_second = 60;

// What the player reads: the instruments, and the runway out of the window.
double speed() { return real_air_speed(); }
double height() { return world_y; }
double bank() { return head_roll; }  // right wing down positive
// The heading's difference from `wanted`, -180 to 180, positive to the right of it.
double off_heading(double wanted)
{
    return std::remainder(heading_degrees() - wanted, 360.0);
}

// A hand on the keys: presses one at a time, `gap` steps apart.
struct Hand {
    int gap, next = 0;
    bool ready() const { return step_count >= next; }
    void press_key(unsigned char key) { key_typed(key, 0, 0), next = int(step_count) + gap; }
    void press_special(int key) { special_typed(key, 0, 0), next = int(step_count) + gap; }
};

Hand stick{15}, wheel{15}, throttle_hand{3}, left_hand{20};

// The bank toward `wanted`: the ailerons set how fast it rolls, so they are kept deflected as
// far as the roll still wanted.
void hold_bank(double wanted)
{
    const double roll_wanted = std::clamp(0.8 * (wanted - bank()), -12.0, 12.0);  // degrees/s
    const double per_step = 7 * speed() / 45;  // what 5 of aileron roll it, a second
    const float ailerons = float(-5 * std::clamp(std::round(roll_wanted / per_step), -3.0, 3.0));
    if (!stick.ready()) return;
    if (angle_aileron < ailerons) stick.press_special(GLUT_KEY_F3);
    else if (angle_aileron > ailerons) stick.press_special(GLUT_KEY_F4);
}

// Turns onto `heading`, banked at most `most`.
void hold_heading(double heading, double most = 20)
{
    hold_bank(std::clamp(-1.2 * off_heading(heading), -most, most));
}

// The nose's place on the horizon, in degrees up: Down raises it and Up lowers it, pressed so
// that it neither overshoots nor lags (the player watches the pitch ladder move).
double pitch() { return -head_pitch; }
double last_pitch = 0;
void hold_pitch(double wanted)
{
    const double rate = (pitch() - last_pitch) * steps_a_second;
    last_pitch = pitch();
    if (!wheel.ready()) return;
    const double elevator = angle_elevator + 1.2 * (wanted - pitch()) - 0.8 * rate;
    if (elevator - angle_elevator >= 2.5 && angle_elevator < 30) wheel.press_special(GLUT_KEY_DOWN);
    else if (angle_elevator - elevator >= 2.5 && angle_elevator > -20)
        wheel.press_special(GLUT_KEY_UP);
}

// The speed, by the nose: faster than wanted, a little higher; slower, lower.
double pitch_for_speed = NAN;
void hold_speed(double wanted)
{
    if (std::isnan(pitch_for_speed)) pitch_for_speed = pitch();
    const double error = speed() - wanted;
    pitch_for_speed = std::clamp(pitch_for_speed + 0.3 / steps_a_second * error, -8.0, 12.0);
    hold_pitch(std::clamp(pitch_for_speed + 0.8 * error, -10.0, 15.0));
}

// The throttle toward `percent`, in its key steps.
void set_throttle(double percent)
{
    if (!throttle_hand.ready()) return;
    const double now = throttle_percent();
    if (percent - now >= 1.5 && throttle < 1000) throttle_hand.press_key('+');
    else if (now - percent >= 1.5 && throttle > 0) throttle_hand.press_key('-');
}

// The height: the throttle climbs or descends at the speed the elevator holds.
void hold_height(double wanted, double cruise_power)
{
    const double climb_wanted = std::clamp(0.1 * (wanted - height()), -2.0, 2.0);
    set_throttle(std::clamp(cruise_power + 12 * (climb_wanted - body.velocity[1]), 20.0, 100.0));
}

// The flaps toward `degrees`.
void set_flaps(double degrees)
{
    if (!left_hand.ready()) return;
    if (angle_flap < degrees) left_hand.press_special(GLUT_KEY_PAGE_UP);
    else if (angle_flap > degrees) left_hand.press_special(GLUT_KEY_PAGE_DOWN);
}

enum Phase { Roll, Climb, Crosswind, Downwind, Base, Final, Flare, Rollout, Stopped };
const char* const phase_names[] = {"roll", "climb", "crosswind", "downwind", "base",
                                   "final", "flare", "roll-out", "stopped"};

// The circuit, in the README's words; returns the phase for the next step.
Phase fly(Phase phase)
{
    constexpr double circuit_height = 200, threshold = -runway_threshold;
    switch (phase) {
    case Roll:  // flaps 10, full power, and at 26 m/s the nose up by 8 presses of Down
        set_flaps(10);
        if (throttle < 1000) throttle_hand.press_key('+');
        if (speed() >= 26 && angle_elevator < 20 && wheel.ready())
            wheel.press_special(GLUT_KEY_DOWN);
        if (height() > 5) return Climb;
        break;
    case Climb:  // Up 3 times; gear up at 30 m, flaps up at 60; climbing at 35 m/s
        hold_speed(height() < 60 ? 33 : 35);
        hold_heading(0);
        if (height() > 30 && gear_out == 1) key_typed('g', 0, 0);
        if (height() > 60) set_flaps(0);
        if (height() > 120) return Crosswind;
        break;
    case Crosswind:  // left onto 270; level at 200 m, at 45 m/s
        hold_heading(270);
        hold_speed(height() < circuit_height - 10 ? 35 : 45);
        if (height() < circuit_height - 10) set_throttle(100);
        else hold_height(circuit_height, 60);
        if (world_x > 600) return Downwind;
        break;
    case Downwind:  // left onto 180; abeam the threshold gear down and flaps 10
        hold_heading(180);
        hold_height(circuit_height, 60);
        if (world_z < threshold) {
            if (gear_out == 0) key_typed('g', 0, 0);
            set_flaps(10);
            hold_speed(36);
        } else {
            hold_speed(45);
        }
        if (world_z < threshold - 900) return Base;
        break;
    case Base:  // left onto 090; flaps 20, descending to 120 m at 32 m/s
        hold_heading(90);
        set_flaps(20);
        hold_speed(32);
        hold_height(120, 45);
        if (world_x < 330) return Final;
        break;
    case Final: {  // left onto 000, lined up; full flaps, 30 m/s, down the glide path
        const double to_go = threshold + 30 - world_z;
        const double line = std::clamp(double(world_x) / 250, -0.35, 0.35);
        hold_heading(std::asin(line) * 180 / M_PI, 15);
        set_flaps(30);
        hold_speed(29);
        const double above_path = height() - to_go * 0.08;  // a path of 4.5 degrees
        set_throttle(std::clamp(35 - above_path - 8 * (body.velocity[1] + 2.2), 0.0, 80.0));
        if (height() < 6) return Flare;
        break;
    }
    case Flare:  // the throttle closed, and the nose raised a few degrees to touch gently
        hold_bank(0);
        if (throttle > 0 && throttle_hand.ready()) throttle_hand.press_key('-');
        hold_pitch(std::min(6.0, 8 - height()));
        if (body.on_ground) return Rollout;
        break;
    case Rollout:  // throttle closed: the brakes stop it
        if (throttle > 0) key_typed('-', 0, 0);
        if (real_air_speed() < 0.1) return Stopped;
        break;
    case Stopped: break;
    }
    return phase;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s RECORDING\n", argv[0]);
        return 2;
    }
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    window_main = glutCreateWindow("fly_circuit");
    init();  // as the program starts: the terrain draws from the random source, which is summed
    real_flight = 1;
    init_Model();
    std::string error;
    if (!start_recording(argv[1], error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    Phase phase = Roll;
    for (int n = 0; n < 20 * 60 * steps_a_second && phase != Stopped && !explo_enable; ++n) {
        const Phase next = fly(phase);
        if (next != phase || n % (5 * steps_a_second) == 0)
            std::printf("%6.1f s %-9s x %6.0f z %6.0f height %5.1f speed %4.1f climb %5.1f "
                        "heading %03d bank %5.1f throttle %3.0f%% flaps %2.0f elevator %5.1f\n",
                        double(n) / steps_a_second, phase_names[next], double(world_x),
                        double(world_z), height(), speed(), body.velocity[1], heading_degrees(),
                        bank(), throttle_percent(), double(angle_flap),
                        angle_elevator + body.trim);
        phase = next;
        world_step();
    }
    for (int n = 0; n < 2 * steps_a_second; ++n) world_step();  // two seconds at rest
    close_recording();
    for (const std::string& line : touchdown_report()) std::printf("%s\n", line.c_str());
    std::printf("stopped at x %.1f z %.1f\n", double(world_x), double(world_z));
    return phase == Stopped ? 0 : 1;
}
