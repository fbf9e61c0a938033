// The cameras, the frame timer and its console lines, the command line, the random source, the
// explosion's reset and the overlay's marker places.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "aircraft/Explosion.h"
#include "cockpit/UI.h"
#include "core/Camera.h"
#include "core/Global.h"
#include "core/Timer.h"
#include "platform/Clock.h"
#include "shell/CommandLine.h"

namespace {

// A camera placed at `eye` looking at the origin with up +y, moved, and where its eye and up
// vector end. RotateY turns x toward z for a positive angle (the opposite of glRotate); both new
// coordinates of a turn come from the old pair.
struct Move {
    const char* what;
    void (*move)(Camera&);
    double eye[3], new_eye[3], new_up[3];
};

const double k = 1 - 50 / std::sqrt(425.0);  // zoomed in from 20.6 away: through to (0, -7.1, 28.5)
const Move moves[] = {
    {"RotateY", [](Camera& c) { c.RotateY(1.5707964f); }, {1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {"RotateX", [](Camera& c) { c.RotateX(1.5707964f); }, {0, 1, 0}, {0, 0, 1}, {0, 0, 1}},
    {"RotateZ", [](Camera& c) { c.RotateZ(1.5707964f); }, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}},
    {"rates about x, then y", [](Camera& c) { c.xr = c.yr = 1571, c.Motion(); }, {0, 0, 1}, {0, -1, 0}, {-1, 0, 0}},
    {"placing stops them", [](Camera& c) { c.xr = 3, c.Position(0, 1, 0, 0, 0, 0, 0, 1, 0), c.Motion(); }, {1, 0, 0}, {0, 1, 0}, {0, 1, 0}},
    {"ZoomIn", [](Camera& c) { c.ZoomIn(); }, {0, 5, -20}, {0, 5 * k, -20 * k}, {0, 1, 0}},
    {"ZoomIn twice", [](Camera& c) { c.ZoomIn(), c.ZoomIn(); }, {0, 5, -20}, {0, 5, -20}, {0, 1, 0}},
    {"ZoomOut", [](Camera& c) { c.ZoomOut(); }, {0, 5, -20}, {0, 5 * (2 - k), -20 * (2 - k)}, {0, 1, 0}},
    {"zoom at the origin", [](Camera& c) { c.ZoomIn(), c.ZoomOut(); }, {0, 0, 0}, {0, 0, 0}, {0, 1, 0}},
};

TEST(Camera, Moves)
{
    for (const Move& m : moves) {
        Camera c{};
        c.Position(m.eye[0], m.eye[1], m.eye[2], 0, 0, 0, 0, 1, 0);
        m.move(c);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(c.Eye[i], m.new_eye[i], 1e-3) << m.what << ", eye " << i;
            EXPECT_NEAR(c.Up[i], m.new_up[i], 1e-3) << m.what << ", up " << i;
            EXPECT_EQ(c.At[i], 0) << m.what;
        }
    }
}

// A scripted clock: the counter advances by `step` at each reading, and a runaway wait ends after
// a million readings (failing the test); the cycle counter gives the two `cycles` in turn.
int64_t frequency = 1000, now = 0, step = 1, readings = 0, cycles[2] = {}, cycle_readings = 0;
int64_t fake_frequency() { return frequency; }
int64_t fake_counter() { return ++readings > 1000000 ? INT64_MAX : now += step; }
int64_t fake_cycles() { return cycles[cycle_readings++ % 2]; }

struct ScriptedClock {
    ScriptedClock(int64_t ticks_per_second, int64_t ticks_per_reading)
    {
        frequency = ticks_per_second, step = ticks_per_reading, now = readings = cycle_readings = 0;
        perf_frequency = fake_frequency, perf_counter = fake_counter, cycle_counter = fake_cycles;
        t = Timer{};
        t.init();
    }
    ~ScriptedClock()
    {
        perf_frequency = monotonic_frequency, perf_counter = monotonic_counter;
        cycle_counter = timestamp_counter, sleep_seconds = thread_sleep;
    }
};

std::string frame(int64_t ms)
{
    t.TimeCur += ms;
    testing::internal::CaptureStdout();
    t.get_fps();
    return testing::internal::GetCapturedStdout();
}

// Every 50th frame prints frames over summed time: 49 frames of 10 ms and one of 510 ms are 50
// frames in a second, though the mean of their rates is near 98.
TEST(Timer, FrameRateEveryFiftyFrames)
{
    ScriptedClock clock(1000, 0);
    std::string before;
    for (int i = 1; i < 50; ++i) before += frame(10);
    EXPECT_EQ(before, "");
    EXPECT_EQ(frame(510), "\r  FPS = 50.00    ");
    EXPECT_NEAR(t.DeltaTime, 0.51f, 1e-6);
    for (int i = 1; i < 50; ++i) frame(25);
    EXPECT_EQ(frame(25), "\r  FPS = 40.00    ");
    EXPECT_NEAR(t.Time, 2.25f, 1e-5);

    // Without a frequency the clock stands still rather than dividing by zero.
    ScriptedClock stopped(0, 0);
    for (int i = 1; i < 50; ++i) frame(10);
    EXPECT_EQ(frame(10), "\r  FPS = 0.00    ");
    EXPECT_EQ(t.DeltaTime, 0);
}

// Frames that take 4 ms: each idle pass sleeps out the rest of its sixtieth of a second and then
// reads the clock once more, rather than reading it in a loop. Uncapped, nothing waits.
std::vector<double> sleeps;

TEST(Timer, StepsAtMostSixtyTimesASecond)
{
    sleep_seconds = [](double seconds) { sleeps.push_back(seconds), now += std::llround(seconds * 1e6); };
    for (const double rate : {60.0, 0.0}) {
        ScriptedClock clock(1000000, 4000);
        t.max_rate = rate;
        sleeps.clear();
        for (int step = 0; step < 5; ++step) {
            const int64_t previous = t.TimeCur, before = readings;
            t.idle();
            EXPECT_EQ(t.TimeCur - previous, rate ? 20666 : 4000) << rate;
            EXPECT_EQ(readings - before, rate ? 2 : 1) << rate;
        }
        EXPECT_EQ(sleeps, std::vector<double>(rate ? 5 : 0, 0.012666)) << rate;
    }
}

// Command lines and what the program takes from them, written as one line: its own options,
// then GLUT's, which pass on in their order.
const std::pair<std::vector<std::string>, std::string> command_lines[] = {
    {{}, ""},
    {{"--level", "3", "--data=/d", "--fullscreen", "--mute", "--uncapped"}, "data /d mute=1 level=3 fullscreen=1 uncapped"},
    {{"--level=0", "-display", ":5", "-iconic", "--data", "x y", "--help", "--version"}, "data x y level=0 help version | -display :5 -iconic"},
    {{"-geometry", "9x9", "-sync", "-direct", "-indirect", "-gldebug", "-h"}, " help geometry | -geometry 9x9 -sync -direct -indirect -gldebug"},
    {{"--level", "4"}, "error --level takes 0, 1, 2 or 3, not '4'"},
    {{"--level"}, "error --level needs a value"},
    {{"--data="}, "error --data needs a value"},
    {{"--mute=yes"}, "error --mute takes no value"},
    {{"--fly", "--help"}, "error unknown option '--fly'"},
    {{"--record", "f", "--timedemo=d", "--level=1"}, " level=1 record f timedemo d"},
    {{"--replay", "a", "--timedemo", "b"}, "error one recording at a time, to replay or time"},
    {{"-display"}, "error unknown option '-display'"},
    {{"--flight", "real"}, " real_flight=1"},
    {{"--flight=real", "--flight=simple"}, " real_flight=0"},
    {{"--flight", "fast"}, "error --flight takes real or simple, not 'fast'"},
};

TEST(CommandLine, OptionsAndRefusals)
{
    for (const auto& [arguments, expected] : command_lines) {
        std::vector<char*> argv = {const_cast<char*>("kestrix")};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        const CommandLine line = parse_command_line(int(argv.size()), argv.data());
        std::string got = line.data.empty() ? "" : "data " + line.data;
        for (int i = 0; i < switch_count; ++i)
            if (line.for_run[size_t(i)] != not_given)
                got += std::string(" ") + switches[i].setting + "=" + std::to_string(line.for_run[size_t(i)]);
        const std::pair<bool, const char*> flags[] = {
            {line.uncapped, " uncapped"}, {line.help, " help"}, {line.version, " version"}, {line.geometry, " geometry"}};
        for (const auto& [on, word] : flags) got += on ? word : "";
        if (!line.record.empty()) got += " record " + line.record;
        if (!line.replay.empty()) got += (line.timedemo ? " timedemo " : " replay ") + line.replay;
        ASSERT_EQ(line.glut_arguments.front(), argv[0]);
        ASSERT_EQ(line.glut_arguments.back(), nullptr);
        if (line.glut_arguments.size() > 2) got += " |";
        for (size_t i = 1; i + 1 < line.glut_arguments.size(); ++i) got += std::string(" ") + line.glut_arguments[i];
        if (!line.error.empty()) got = "error " + line.error;
        EXPECT_EQ(got, expected);
    }
}

// The clock rate counts cycles over one counter second, ending at the first reading beyond it,
// and truncates: 733.9 million cycles print as 733. Without a frequency it does not wait.
TEST(Timer, ClockRate)
{
    ScriptedClock clock(100, 1);
    cycles[0] = 1000000000, cycles[1] = 1733900000, readings = 0;
    testing::internal::CaptureStdout();
    t.get_CPU();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "  CPU: 733mhz\n");
    EXPECT_EQ(readings, 102);

    ScriptedClock stopped(0, 0);
    cycles[0] = 10, cycles[1] = 20;
    testing::internal::CaptureStdout();
    t.get_CPU();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "  CPU: 0mhz\n");
    EXPECT_LT(readings, 10);
}

// The generator of the C standard's example from state 1, scaled by the float 1/32767 in double
// precision; the degree conversion in its own order.
TEST(Random, SourceAndConversions)
{
    random_state = 1;
    for (int value : {16838, 5758, 10113, 17515, 31051}) EXPECT_EQ(random_next(), value);
    uint32_t before_largest = random_state = 1;  // the largest draw scales to just below 1
    while (random_next() != 32767) before_largest = random_state;
    random_state = before_largest;
    EXPECT_EQ(float_rand(), 1.0 - 1.0 / (1 << 30));
    EXPECT_EQ(dtr(1), 0.017453292522222223);
    EXPECT_EQ(dtr(-45.5), -0.7941248097611112);
}

// A reset puts every particle at the burst point in its colour row (nine in row 0, ten in each
// row after, the last one alone in row 10) and keeps the velocities of the last launch. (The
// relaunch below life 0 draws what the explosion's reference frames show.)
TEST(Explosion, Reset)
{
    for (particles& p : particle) p = {false, -3, 7, 0, 0, 0, 1, 2, 3, 80, -160, 240, 0, 0, 0};
    ResetExplosion();
    for (int i = 0; i < 100; ++i) {
        const particles& p = particle[i];
        const float* row = colors[i < 9 ? 0 : i == 99 ? 10 : (i - 9) / 10 + 1];
        EXPECT_TRUE(p.active && p.life == 1 && p.fade == 1 && p.x == 0 && p.z == 5) << i;
        EXPECT_TRUE(p.r == row[0] && p.g == row[1] && p.b == row[2] && p.xi == 80) << i;
    }
}

// The altitude marker at the top of its scale (a flight's reference frames show the others, which
// move further), and the tint at steep pitches.
TEST(Overlay, MarkerPlacesAndAttitudeTint)
{
    EXPECT_FLOAT_EQ(alt_marker_height(15000), 50.5f);
    EXPECT_EQ(attitude_tint(45), (std::array<float, 3>{1, 0, 0.5f}));
}

}  // namespace
