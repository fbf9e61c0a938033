#include "core/Timer.h"

#include <cstdio>
#include <iostream>

#include "platform/Clock.h"
#include "platform/GL.h"

Timer t;
bool console_line_open = false;

void Timer::init()
{
    TimerFreq = perf_frequency();
    TimeStart = perf_counter();
    TimeCur = TimeStart;
}

void Timer::idle()
{
    const int64_t previous = TimeCur;
    TimeCur = perf_counter();
    if (max_rate <= 0 || TimerFreq <= 0) return;
    const int64_t step = int64_t(double(TimerFreq) / max_rate);
    while (TimeCur - previous < step) {
        sleep_seconds(double(previous + step - TimeCur) / double(TimerFreq));
        TimeCur = perf_counter();
    }
}

// A counter without a frequency cannot tell time: the clock then stands still at 0 rather than
// turning every frame into an infinite or undefined length.
void Timer::get_fps()
{
    OldTime = Time;
    if (TimerFreq > 0) Time = float(double(TimeCur - TimeStart) / double(TimerFreq));
    DeltaTime = Time - OldTime;
    fps_time += DeltaTime;
    fps_count += 1;
    frames += 1;
    if (fps_count == 50) {
        const double fps = fps_time > 0 ? fps_count / double(fps_time) : 0.0;
        printf("\r  FPS = %.2f    ", fps);
        fflush(stdout);
        console_line_open = true;
        fps_time = 0;
        fps_count = 0;
    }
}

void end_console_line()
{
    if (!console_line_open) return;
    std::fputs("\n", stdout);
    std::fflush(stdout);
    console_line_open = false;
}

void Timer::set_ticks_start()
{
    ticks = perf_counter();
    value = ticks + TimerFreq;
    startCounter = cycle_counter();
}

void Timer::set_ticks_end() { result = cycle_counter(); }

// Counts processor cycles over one second of counter time. Without a counter frequency there is
// no second to wait for, so the wait is skipped and the figure comes out near 0.
void Timer::get_CPU()
{
    set_ticks_start();
    if (TimerFreq > 0) {
        while (ticks <= value) ticks = perf_counter();
    }
    set_ticks_end();
    difference = result - startCounter;
    std::cout << "  CPU: " << difference / 1000000 << "mhz" << std::endl;
}

// glGetString gives null without a current context; print nothing for it then.
static const char* gl_string(GLenum name)
{
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

void instructions_display()
{
    const char* stars = "  *******************************************\n";
    const char* blank = "  **                                       **\n";
    std::cout << "\n\n" << stars << "  **    F L I G H T   S I M U L A T O R    **\n" << stars << stars
              << blank << blank << blank << stars << "\n";
    t.get_CPU();
    std::cout << "  Renderer: " << gl_string(GL_VENDOR) << " " << gl_string(GL_RENDERER) << "\n";
    std::cout << "  OpenGL Version: " << gl_string(GL_VERSION) << "\n\n" << std::flush;
}
