#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/Clock.h"
#include "shell/Timer.h"

namespace {

// A scripted clock: the counter advances by `step` at every read, the cycle counter returns
// the values queued in `cycles` one after the other.
struct FakeClock {
    static int64_t frequency, now, step, reads, cycles[2], cycle_reads;
    static int64_t get_frequency() { return frequency; }
    static int64_t get_counter()
    {
        ++reads;
        if (reads > 1000000) return INT64_MAX;  // a runaway wait ends, and the test fails
        return now += step;
    }
    static int64_t get_cycles() { return cycles[cycle_reads++ % 2]; }
};
int64_t FakeClock::frequency, FakeClock::now, FakeClock::step, FakeClock::reads, FakeClock::cycles[2],
    FakeClock::cycle_reads;

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakeClock::frequency = 1000;
        FakeClock::now = 0;
        FakeClock::step = 1;
        FakeClock::reads = 0;
        FakeClock::cycle_reads = 0;
        perf_frequency = FakeClock::get_frequency;
        perf_counter = FakeClock::get_counter;
        cycle_counter = FakeClock::get_cycles;
        t = Timer{};
    }
    void TearDown() override
    {
        perf_frequency = monotonic_frequency;
        perf_counter = monotonic_counter;
        cycle_counter = timestamp_counter;
    }

    // One frame of `ms` milliseconds (counter at 1000 ticks per second); returns what it printed.
    std::string frame(int64_t ms)
    {
        t.TimeCur += ms;
        testing::internal::CaptureStdout();
        t.get_fps();
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(TimerTest, InitReadsFrequencyAndStart)
{
    FakeClock::now = 5000;
    t.init();
    EXPECT_EQ(t.TimerFreq, 1000);
    EXPECT_EQ(t.TimeStart, 5001);
}

// The figure is frames over summed time: 49 frames of 10 ms and one of 510 ms make 50 frames in
// one second, though the mean of the per-frame rates would be about 98.
TEST_F(TimerTest, ReportsEveryFiftiethFrameAsFramesOverTime)
{
    t.TimerFreq = 1000;
    for (int i = 1; i <= 49; ++i) EXPECT_EQ(frame(10), "") << "call " << i;
    EXPECT_EQ(frame(510), "\r  FPS = 50.00    ");
    EXPECT_EQ(t.fps_count, 0);
    EXPECT_EQ(t.fps_time, 0);
    EXPECT_NEAR(t.DeltaTime, 0.51f, 1e-6);
    EXPECT_NEAR(t.Time, 1.0f, 1e-6);

    for (int i = 51; i <= 99; ++i) EXPECT_EQ(frame(25), "") << "call " << i;
    EXPECT_EQ(frame(25), "\r  FPS = 40.00    ");
    EXPECT_NEAR(t.Time, 2.25f, 1e-5);  // the clock carries on across reports
}

TEST_F(TimerTest, ZeroFrequencyKeepsFrameTimesFinite)
{
    t.TimerFreq = 0;
    std::string printed;
    for (int i = 0; i < 50; ++i) printed += frame(10);
    EXPECT_TRUE(std::isfinite(t.Time));
    EXPECT_TRUE(std::isfinite(t.DeltaTime));
    EXPECT_EQ(t.DeltaTime, 0);
    EXPECT_EQ(printed, "\r  FPS = 0.00    ");
}

// 733.9 million cycles in the second print as 733; the wait ends at the first counter reading
// strictly greater than its target.
TEST_F(TimerTest, ClockRateWaitsOneCounterSecondAndTruncates)
{
    FakeClock::frequency = 100;
    FakeClock::cycles[0] = 1000000000;
    FakeClock::cycles[1] = 1733900000;
    t.init();
    FakeClock::reads = 0;
    testing::internal::CaptureStdout();
    t.get_CPU();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "  CPU: 733mhz\n");
    EXPECT_EQ(t.difference, 733900000);
    EXPECT_EQ(t.ticks, t.value + 1);
    EXPECT_EQ(FakeClock::reads, 1 + 101);  // the start, then readings up to target + 1
}

TEST_F(TimerTest, ClockRateWithoutFrequencyDoesNotSpin)
{
    FakeClock::frequency = 0;
    FakeClock::step = 0;  // a counter that never moves either
    FakeClock::cycles[0] = 10;
    FakeClock::cycles[1] = 20;
    t.init();
    testing::internal::CaptureStdout();
    t.get_CPU();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "  CPU: 0mhz\n");
    EXPECT_LT(FakeClock::reads, 10);
}

}  // namespace
