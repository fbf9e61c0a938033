// One flight at every frame rate: a flight recorded and replayed under scripted clocks, and the
// shipped demo flight against its own recorded states.
#include "gl_support.h"

#include <sys/resource.h>

#include <csignal>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>

#include "aircraft/Collision.h"
#include "aircraft/FlightState.h"
#include "aircraft/RealFlight.h"
#include "aircraft/WorldState.h"
#include "cockpit/Figures.h"
#include "cockpit/TouchdownReport.h"
#include "core/Camera.h"
#include "core/StepClock.h"
#include "core/Switches.h"
#include "core/Timer.h"
#include "platform/Clock.h"
#include "shell/Inputs.h"
#include "shell/Recorder.h"
#include "shell/Sim.h"

namespace {

// A clock that reads 1/fps s later at every reading, with the frame loop uncapped, for as long
// as it lives; then the test process's own clock again.
struct FrameRate {
    static constexpr int64_t ticks_per_second = 16560;  // a whole number of ticks at every rate
    static inline int64_t now = 0, per_reading = 0;
    int64_t (*saved_frequency)() = perf_frequency, (*saved_counter)() = perf_counter;

    explicit FrameRate(int fps)
    {
        per_reading = ticks_per_second / fps;
        perf_frequency = [] { return ticks_per_second; };
        perf_counter = [] { return now += per_reading; };
        t = Timer{}, t.max_rate = 0, t.init(), step_clock = StepClock{};
    }
    ~FrameRate() { perf_frequency = saved_frequency, perf_counter = saved_counter; }
};

// Replays `recording` to its end, passes drawing nothing, with `player` typing before the 100th
// pass, recording it to `record_to` where named; what it wrote on stderr.
std::string replay_to_end(const Recording& recording, int fps, void (*player)() = [] {},
                          const std::string& record_to = "")
{
    reset_to_start();
    FrameRate rate(fps);
    start_replay(recording, "flight");
    std::string error;
    if (!record_to.empty() && !start_recording(record_to, error)) return error;
    testing::internal::CaptureStderr();
    printed([player] {
        for (int pass = 1; replaying(); ++pass) {
            if (pass == 100) player();
            idle();
        }
    });
    close_recording();
    return testing::internal::GetCapturedStderr();
}

// The recorded flight's passes: M first for the real model, then the throttle, the elevator, the
// gear with a pad's rudder, the elevator back, wire-frame mode, and RESET with the chase camera
// zoomed out after it.
void fly_test_flight(int model)
{
    for (int pass = 1; pass <= 300; ++pass) {
        if (pass == 1 && model) key_typed('m', 0, 0);
        for (int key = 0; pass == 2 && key < 40; ++key) key_typed('+', 0, 0);
        for (int key = 0; pass == 3 && key < 4; ++key) special_typed(GLUT_KEY_DOWN, 0, 0);
        if (pass == 40) key_typed('g', 0, 0), take_input({Input::Pad, PadRudder, 12.5f});
        for (int key = 0; pass == 80 && key < 12; ++key) special_typed(GLUT_KEY_UP, 0, 0);
        if (pass == 200) wire_frame = 1, option_set(&wire_frame);
        if (pass == 260) reset_typed(), key_typed('9', 0, 0);
        idle();
    }
}

// A flight at 23 frames a second (keys, a pad, an option, a belly landing, RESET) replays at 144
// to its states at every state line, ending at its last step, in either flight model (M, first,
// is recorded); the player's flight keys wait for its end, view keys act at once, and the main
// window says the controls are theirs. Recorded again while it replays, it replays to the same
// states once more.
TEST_F(GLTest, RecordedFlightReplaysToTheSameStates)
{
    const std::string path = testing::TempDir() + "kestrix-flight.rec", again = path + "2";
    for (int model : {0, 1}) {
        SCOPED_TRACE(model ? "real flight" : "simple flight");
        reset_to_start();
        std::string error;
        {
            FrameRate rate(23);
            ASSERT_TRUE(start_recording(path, error)) << error;
            printed([model] { fly_test_flight(model); });
            EXPECT_EQ(step_count, 781);  // one in the first pass, then 60 a second
            close_recording();
        }
        Recording flight;
        ASSERT_TRUE(read_recording(path, flight, error)) << error;
        ASSERT_EQ(flight.checks.size(), 13u);
        EXPECT_EQ(flight.steps, 781);
        const uint64_t end = world_checksum();
        const std::vector<double> chase = {camera.Eye[0], camera.Eye[1], camera.Eye[2]};
        const auto player = [] {
            key_typed('+', 0, 0), special_typed(GLUT_KEY_F3, 0, 0), key_typed('t', 0, 0);
        };
        EXPECT_EQ(replay_to_end(flight, 144, player, again), "");
        EXPECT_EQ(message_shown(), "End of the recording: you have the controls");
        EXPECT_EQ(world_checksum(), end);
        EXPECT_TRUE(wire_frame == 1 && tower_view == 1 && real_flight == model && step_count == 781);
        EXPECT_EQ(chase, (std::vector<double>{camera.Eye[0], camera.Eye[1], camera.Eye[2]}));
        Recording second;
        ASSERT_TRUE(read_recording(again, second, error)) << error;
        EXPECT_EQ(replay_to_end(second, 60), "");
        EXPECT_TRUE(world_checksum() == end && tower_view == 1);

        // A replay that differs says so, at each state line from there on.
        flight.inputs.erase(flight.inputs.begin() + model);  // one "+" fewer
        const std::string differing = replay_to_end(flight, 60);
        const std::string first = "kestrix: flight: step 60: the world differs from the recording";
        EXPECT_EQ(differing.rfind(first + "\n", 0), 0u) << differing;
    }
    std::remove(path.c_str()), std::remove(again.c_str());
}

// Flights of random inputs, pauses and stops (inputs given while paused or just before the
// end among them): every file the recorder writes replays to its own states.
TEST_F(GLTest, EveryRecordingReplays)
{
    const std::string path = testing::TempDir() + "kestrix-random.rec";
    std::string error;
    uint32_t state = 7;
    const auto random = [&state](int n) { return int((state = state * 69069 + 1) >> 16) % n; };
    const int specials[] = {GLUT_KEY_UP, GLUT_KEY_DOWN, GLUT_KEY_LEFT, GLUT_KEY_F3, GLUT_KEY_END};
    const auto fly = [&](int passes) {
        for (int pass = 0; pass < passes; ++pass) {
            for (int inputs = random(4); inputs > 0; --inputs) switch (random(6)) {
                case 0: key_typed("+-gmrtz7sp"[random(10)], 0, 0); break;  // p pauses
                case 1: special_typed(specials[random(5)], 0, 0); break;
                case 2: take_input({Input::Pad, random(pad_controls), float(random(45))}); break;
                case 3: fog_enable = !fog_enable, option_set(&fog_enable); break;
                case 4: plane_enable = !plane_enable, option_set(&plane_enable); break;
                default: key_typed('+', 0, 0);
                }
            if (random(3)) idle();
        }
    };
    for (int flight = 0; flight < 8; ++flight) {
        SCOPED_TRACE(flight);
        reset_to_start();
        {
            FrameRate rate(20 + random(120));
            ASSERT_TRUE(start_recording(path, error)) << error;
            printed([&] { fly(random(600)); });
            close_recording();
        }
        const SwitchValues shown = current_switches();  // as recorded, the options too
        Recording flown;
        ASSERT_TRUE(read_recording(path, flown, error)) << error;
        EXPECT_EQ(replay_to_end(flown, 60), "");
        EXPECT_EQ(current_switches(), shown);
    }

    // A file removed during the flight, and one that cannot grow past 3999 bytes (as on a full
    // disk): each said once, also on the main window; what was written of the second ends on a
    // whole line and replays.
    signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited, limited = {3999, RLIM_INFINITY};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    for (const std::string why : {"the file was removed", "File too large"}) {
        reset_to_start();
        FrameRate rate(60);
        ASSERT_TRUE(start_recording(path, error)) << error;
        why[0] == 'F' ? setrlimit(RLIMIT_FSIZE, &limited) : std::remove(path.c_str());
        testing::internal::CaptureStderr();
        printed([&] { fly(300); });
        close_recording();
        setrlimit(RLIMIT_FSIZE, &unlimited);
        const std::string said = testing::internal::GetCapturedStderr();
        const std::regex once("kestrix: " + path + ": the recording stops at step [0-9]+: " + why +
                              "\n");
        EXPECT_TRUE(std::regex_match(said, once)) << said;
        const std::regex shown("Recording stopped at step [0-9]+: " + why);
        EXPECT_TRUE(std::regex_match(message_shown(), shown)) << message_shown();
    }
    std::ifstream file(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}).back(), '\n');
    Recording kept;
    ASSERT_TRUE(read_recording(path, kept, error)) << error;
    EXPECT_EQ(replay_to_end(kept, 60), "");
    std::remove(path.c_str());
}

// The shipped flights reach their recorded state at every state line at 60, 23 and 144 frames a
// second, and end landed on the runway, the first as pictured: the landing is the steps', also
// unseen.
TEST_F(GLTest, ShippedFlightIsTheSameAtAnyFrameRate)
{
    Recording demo;
    std::string error;
    ASSERT_TRUE(read_recording("Data/Demo.rec", demo, error)) << error;
    ASSERT_EQ(demo.checks.size(), 60u);
    for (const int fps : {60, 23, 144}) {
        EXPECT_EQ(replay_to_end(demo, fps), "") << fps;
        EXPECT_EQ(world_checksum(), demo.checks.back().checksum) << fps;
        EXPECT_TRUE(world_y == 0 && landed && !explo_enable && world_z > -150 && world_z < 0) << fps;
    }
    EXPECT_TRUE(matches_reference("demo_end", draw_frames()));
    // The real flight model's circuit ends stopped on the runway, as landed as its report says.
    Recording circuit;
    ASSERT_TRUE(read_recording("Data/Circuit.rec", circuit, error)) << error;
    for (const int fps : {23, 144}) {
        EXPECT_EQ(replay_to_end(circuit, fps), "") << fps;
        EXPECT_EQ(world_checksum(), circuit.checks.back().checksum) << fps;
        EXPECT_TRUE(real_flight && real_air_speed() == 0 && std::fabs(world_x) < 15 &&
                    std::fabs(world_z) < 230 && touchdown_report().at(0) == "LANDED") << fps;
    }
}

}  // namespace
