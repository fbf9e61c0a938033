#include "platform/Clock.h"

#include <cerrno>
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

void thread_sleep(double seconds)
{
    if (seconds <= 0) return;
    timespec wait;
    wait.tv_sec = time_t(seconds);
    wait.tv_nsec = long((seconds - double(wait.tv_sec)) * 1e9);
    while (nanosleep(&wait, &wait) == -1 && errno == EINTR) {}  // woken early by a signal
}

int64_t (*perf_frequency)() = monotonic_frequency;
int64_t (*perf_counter)() = monotonic_counter;
int64_t (*cycle_counter)() = timestamp_counter;
void (*sleep_seconds)(double) = thread_sleep;
