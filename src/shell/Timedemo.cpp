#include "shell/Timedemo.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "core/Settings.h"
#include "core/StepClock.h"
#include "core/Timer.h"
#include "shell/Recorder.h"

namespace {

bool timedemo = false;
std::vector<int64_t> frame_ticks;  // the frame times, in clock ticks
int64_t frame_started = -1;

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

void start_timedemo(Recording recording, const std::string& name)
{
    start_replay(std::move(recording), name, false);
    timedemo = true;
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
    if (!replaying()) finish_timedemo(frequency);  // the last step has been drawn
    return 1;
}
