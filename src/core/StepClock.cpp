#include "core/StepClock.h"

float step_time = 1.0f / steps_per_second;
StepClock step_clock;
int64_t step_count = 0;

int StepClock::steps_due(int64_t now, int64_t frequency)
{
    if (!started || frequency <= 0) {  // a clock without a frequency steps once a pass
        hold(now);
        return 1;
    }
    if (now > last) owed += (now - last) * steps_per_second;  // a clock never runs backwards here
    last = now;
    int64_t steps = owed / frequency;
    owed -= steps * frequency;
    if (steps > max_steps_per_pass) steps = max_steps_per_pass;
    return steps < 0 ? 0 : int(steps);
}

void StepClock::hold(int64_t now)
{
    started = true;
    last = now;
    owed = 0;
}
