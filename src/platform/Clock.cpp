#include "platform/Clock.h"

#include <ctime>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

int64_t monotonic_frequency() { return 1000000000; }

int64_t monotonic_counter()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

int64_t timestamp_counter()
{
#if defined(__x86_64__) || defined(__i386__)
    return int64_t(__rdtsc());
#else
    return monotonic_counter();
#endif
}

int64_t (*perf_frequency)() = monotonic_frequency;
int64_t (*perf_counter)() = monotonic_counter;
int64_t (*cycle_counter)() = timestamp_counter;
