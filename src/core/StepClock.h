// The world's clock, apart from the drawing: the world advances in fixed steps of 1/60 s, as
// many in each pass of the frame loop as the clock has run since the previous pass, so that the
// aircraft handles the same at any frame rate.
#pragma once

#include <cstdint>

constexpr int steps_per_second = 60;
// At most this many steps per pass: below 10 frames a second the world slows down rather than
// falling ever further behind.
constexpr int max_steps_per_pass = 6;

// The time in seconds every step moves the world by: 1/60 as a float.
extern float step_time;

// Steps owed to the clock, counted exactly in integer ticks.
struct StepClock {
    bool started = false;
    int64_t last = 0;  // clock reading of the previous pass
    int64_t owed = 0;  // ticks times steps_per_second not yet stepped, below one step's worth

    // The number of steps for a pass whose clock reads `now` (ticks of `frequency` a second):
    // one for the first pass, then the whole steps the clock has run since the previous pass,
    // at most max_steps_per_pass (the rest is dropped).
    int steps_due(int64_t now, int64_t frequency);
    // A pass without steps (the pause): the time since the previous pass is not owed.
    void hold(int64_t now);
};

extern StepClock step_clock;
// Steps the world has taken since start-up; the number of the step under way while one runs.
extern int64_t step_count;
