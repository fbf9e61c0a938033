// Frame timer and console statistics: each frame's length in seconds, a frames-per-second figure
// every 50 frames, and the processor clock rate measured once at start-up. The timer also keeps
// the frame loop from drawing more often than the display shows (the world keeps its own fixed
// steps, see StepClock).
#pragma once

#include <cstdint>

class Timer {
public:
    int64_t TimerFreq;     // performance-counter ticks per second
    int64_t TimeStart;     // performance counter at init
    int64_t TimeCur;       // performance counter at the latest idle
    int64_t startCounter;  // cycle counter when the clock-rate measurement starts
    int64_t result;        // cycle counter when it ends
    int64_t difference;    // result - startCounter
    int64_t ticks;         // performance counter, read while waiting
    int64_t value;         // performance counter value at which the wait ends
    int fps_count;         // frames since the last report
    int64_t frames;        // frames since init
    float fps_time;        // seconds summed since the last report
    float OldTime;         // Time of the previous frame
    float Time;            // seconds since init
    float DeltaTime;       // seconds between the last two frames
    double max_rate = 60;  // passes a second at most; 0 for as many as the machine draws

    void init();
    // Reads the counter for this frame. Sooner than 1/max_rate s after the previous reading,
    // it first sleeps for the rest of that time.
    void idle();
    void get_fps();
    void set_ticks_start();
    void set_ticks_end();
    void get_CPU();
};

extern Timer t;

// Whether the console's last line is an unfinished frames-per-second report: the report starts
// with a carriage return and ends without a newline, so that the next one overwrites it.
extern bool console_line_open;
// Ends that line, so that what is printed next (or the shell's prompt after the program) starts
// on a line of its own.
void end_console_line();

// Start-up banner, processor clock rate, OpenGL renderer and version (needs a current context).
void instructions_display();
