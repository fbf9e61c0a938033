// Time sources of the frame timer: a monotonic performance counter and the processor's cycle
// counter. Each is reached through a pointer so that tests can put a scripted clock in its place.
#pragma once

#include <cstdint>

// Performance-counter ticks per second (1e9: the counter counts nanoseconds).
extern int64_t (*perf_frequency)();
// Monotonic performance counter, in ticks.
extern int64_t (*perf_counter)();
// Processor time-stamp counter (the monotonic clock where the processor has none).
extern int64_t (*cycle_counter)();
// Gives the processor away for `seconds` (the thread sleeps).
extern void (*sleep_seconds)(double seconds);

// The real sources, which the pointers above hold unless a test replaced them.
int64_t monotonic_frequency();
int64_t monotonic_counter();
int64_t timestamp_counter();
void thread_sleep(double seconds);
