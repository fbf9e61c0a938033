#include "shell/Recorder.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "aircraft/Explosion.h"
#include "aircraft/FlightModel.h"
#include "aircraft/FlightState.h"
#include "aircraft/RealFlight.h"
#include "core/Global.h"
#include "core/Settings.h"
#include "core/StepClock.h"
#include "core/Timer.h"
#include "shell/Keyboard.h"

namespace {

// What pad controls and options set.
float* const pad_targets[pad_controls] = {&angle_aileron, &angle_elevator, &angle_rudder,
                                          &throttle};
int* const option_targets[option_flags] = {&fog_enable,      &wire_frame,     &texture1_,
                                           &texture2_,       &lighting_enable, &culling_enable,
                                           &tower_view,      &ui_enable,      &plane_enable};

FILE* out = nullptr;
int64_t last_flush = 0;  // clock reading at the latest flush

Recording replay;
std::string replay_name;
bool replay_on = false;
bool timedemo = false;
size_t next_input = 0, next_check = 0;
float height_before_step = 0;
std::vector<int64_t> frame_ticks;  // the timedemo's frame times, in clock ticks
int64_t frame_started = -1;

volatile std::sig_atomic_t signal_caught = 0;
void on_signal(int signal) { signal_caught = signal; }

// Writes `input` as applied before step `step`.
void record(const Input& input, int64_t step)
{
    if (out) std::fputs(input_line(step, input).c_str(), out);
}

void apply(const Input& input)
{
    switch (input.kind) {
    case Input::Key: keyb(static_cast<unsigned char>(input.code), 0, 0); break;
    case Input::Special: special_keys(input.code, 0, 0); break;
    case Input::Pad: *pad_targets[input.code] = input.value; break;
    case Input::Option: *option_targets[input.code] = input.value != 0; break;
    case Input::Reset: init_Model(); break;
    }
}

// Frames, seconds, average frames a second, the slowest frame and the 1 % low (the frame rate
// over the slowest hundredth of the frames), then the end of the program.
void finish_timedemo(int64_t frequency)
{
    std::vector<int64_t> ticks = frame_ticks;
    std::sort(ticks.begin(), ticks.end(), std::greater<int64_t>());
    const double tick = frequency > 0 ? 1.0 / double(frequency) : 0;
    double seconds = 0, slowest_hundredth = 0;
    const size_t hundredth = std::max<size_t>(1, ticks.size() / 100);
    for (size_t i = 0; i < ticks.size(); ++i) {
        seconds += double(ticks[i]) * tick;
        if (i < hundredth) slowest_hundredth += double(ticks[i]) * tick;
    }
    const auto rate = [](double frames, double time) { return time > 0 ? frames / time : 0.0; };
    end_console_line();
    std::printf("  Timedemo: %zu frames in %.2f s, %.1f frames a second, slowest frame %.1f ms, "
                "1%% low %.1f frames a second\n",
                ticks.size(), seconds, rate(double(ticks.size()), seconds),
                ticks.empty() ? 0.0 : double(ticks[0]) * tick * 1000,
                rate(double(std::min(hundredth, ticks.size())), slowest_hundredth));
    std::fflush(stdout);
    std::exit(0);
}

}  // namespace

bool start_recording(const std::string& path, std::string& error)
{
    close_recording();
    out = std::fopen(path.c_str(), "w");
    if (!out) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    int options[option_flags];
    for (int i = 0; i < option_flags; ++i) options[i] = *option_targets[i];
    std::fputs(header_text(KESTRIX_VERSION, level, options, real_flight).c_str(), out);
    std::fflush(out);
    std::atexit(close_recording);
    struct sigaction action = {};
    action.sa_handler = on_signal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    return true;
}

void start_replay(const Recording& recording, const std::string& name, bool as_timedemo)
{
    replay = recording;
    replay_name = name;
    replay_on = recording.steps > 0;
    timedemo = as_timedemo;
    next_input = next_check = 0;
    level = recording.level;
    for (int i = 0; i < option_flags; ++i) *option_targets[i] = recording.options[i];
    real_flight = recording.real_flight;  // the aircraft is put at the start after this
}

bool replaying() { return replay_on; }

void take_input(const Input& input)
{
    if (replay_on && flies(input)) return;  // the recording flies until it ends
    apply(input);
    record(input, step_count + 1);
}

void key_typed(unsigned char key, int x, int y)
{
    if (is_recorded_key(key))
        take_input({Input::Key, key});
    else
        keyb(key, x, y);
}

void special_typed(int key, int x, int y)
{
    if (is_recorded_special(key))
        take_input({Input::Special, key});
    else
        special_keys(key, x, y);
}

void reset_typed() { take_input({Input::Reset}); }

void option_set(int* flag)
{
    for (int i = 0; i < option_flags; ++i)
        if (option_targets[i] == flag)
            record({Input::Option, i, float(*flag != 0)}, step_count + 1);
}

void begin_step()
{
    height_before_step = world_y;
    for (; replay_on && next_input < replay.inputs.size(); ++next_input) {
        const RecordedInput& recorded = replay.inputs[next_input];
        if (recorded.step > step_count) break;
        apply(recorded.input);
        record(recorded.input, step_count);
    }
}

void end_step()
{
    if (out && step_count % 60 == 0) {
        const StateFigures figures = {world_x,     world_y,   world_z,
                                      head_yaw,    head_pitch, head_roll,
                                      air_speed(), (world_y - height_before_step) / step_time,
                                      throttle,    angle_flap, gear_position(),
                                      explo_enable != 0};
        std::fputs(state_line(step_count, figures, world_checksum()).c_str(), out);
    }
    if (!replay_on) return;
    for (; next_check < replay.checks.size(); ++next_check) {
        const StateCheck& check = replay.checks[next_check];
        if (check.step > step_count) break;
        if (check.checksum != world_checksum())
            std::fprintf(stderr, "kestrix: %s: step %lld: the world differs from the recording\n",
                         replay_name.c_str(), static_cast<long long>(step_count));
    }
    if (step_count >= replay.steps) {
        replay_on = false;
        if (!timedemo) {
            end_console_line();
            std::printf("  End of the recording at step %lld: you have the controls\n",
                        static_cast<long long>(step_count));
        }
    }
}

int steps_for_pass(int64_t now, int64_t frequency)
{
    if (paused || timedemo) step_clock.hold(now);
    if (paused) {
        frame_started = -1;  // a timedemo times the frames that step
        return 0;
    }
    if (!timedemo) return step_clock.steps_due(now, frequency);
    if (frame_started >= 0) frame_ticks.push_back(now - frame_started);
    frame_started = now;
    if (!replay_on) finish_timedemo(frequency);  // the last step has been drawn
    return 1;
}

void end_pass(int64_t now, int64_t frequency)
{
    if (out && (now - last_flush >= frequency || signal_caught)) {
        std::fflush(out);
        last_flush = now;
    }
    if (signal_caught) {  // as the signal's own action would, once the recording is whole
        close_recording();
        std::signal(signal_caught, SIG_DFL);
        std::raise(signal_caught);
    }
}

uint64_t world_checksum()
{
    uint64_t sum = 14695981039346656037ull;  // 64-bit FNV-1a
    const auto add = [&sum](const void* data, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            sum ^= static_cast<const unsigned char*>(data)[i];
            sum *= 1099511628211ull;
        }
    };
    const float flight[] = {world_x,         world_y,        world_z,        head_yaw,
                            head_pitch,      head_roll,      old_head_yaw,   throttle,
                            gear_out,        angle_rudder,   angle_elevator, angle_aileron,
                            angle_flap,      angle_prop,     angle_nose_gear, angle_main_gear};
    add(flight, sizeof flight);
    add(&explo_enable, sizeof explo_enable);
    for (const particles& p : particle) {
        const float values[] = {p.life, p.fade, p.r, p.g, p.b, p.x, p.y, p.z, p.xi, p.yi, p.zi};
        add(values, sizeof values);
        add(&p.active, sizeof p.active);
    }
    add(&random_state, sizeof random_state);
    if (real_flight) {  // only then: the kinematic model's sums, Demo.rec's among them, stay
        add(body.position, sizeof body.position);
        add(body.velocity, sizeof body.velocity);
        add(body.attitude, sizeof body.attitude);
        add(body.rates, sizeof body.rates);
        add(&body.on_ground, sizeof body.on_ground);
    }
    return sum;
}

void close_recording()
{
    if (!out) return;
    std::fputs(end_line(step_count).c_str(), out);
    std::fclose(out);
    out = nullptr;
}
