#include "cockpit/Options.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "aircraft/FlightModel.h"
#include "aircraft/FlightState.h"
#include "cockpit/ControlWindow.h"
#include "cockpit/Figures.h"
#include "core/Timer.h"
#include "terrain/TerrainGrid.h"
#include "core/Settings.h"
#include "core/Switches.h"
#include "platform/GL.h"

namespace {

void (*simulation_idle)() = nullptr;
std::optional<ControlWindow> options;  // built once, kept to the end of the process

void options_idle()
{
    if (options) options->serve();
    if (simulation_idle) simulation_idle();
}

void (*reset_action)() = nullptr;
void reset_model(int) { reset_action(); }

// The time, height and frame count at the previous reading, for the climb and frame rates.
HeightReading reading;
int64_t read_frames = 0;

// The switches the table puts in `panel`, in its order: a slider for a range, else a checkbox.
void add_switches(int panel, SwitchPanel which)
{
    for (const Switch& s : switches) {
        if (s.panel != which) continue;
        if (s.high > 1)
            options->add_slider_to_panel(panel, s.label, s.value, s.low, s.high);
        else if (s.key)  // the key's input: recorded, and held back during a replay where it flies
            options->add_key_checkbox_to_panel(panel, s.label, s.value, s.key);
        else
            options->add_checkbox_to_panel(panel, s.label, s.value);
    }
}

}  // namespace

std::string flight_data()
{
    const float elapsed = t.Time - reading.time;
    const double frame_rate = elapsed > 0 ? double(t.frames - read_frames) / elapsed : 0;
    const float climb = climb_since(reading);
    read_frames = t.frames;

    const int heading = heading_degrees();
    char text[400];
    std::snprintf(text, sizeof text,
                  "Speed     %6.1f /s\nAltitude  %6.0f\nHeading      %03d\nPitch     %6.1f\n"
                  "Climb     %6.1f /s\nThrottle  %6.0f %%\nGear      %6s\nFlaps     %6.1f\n"
                  "Terrain   level %d, %zu triangles\nFrames    %6.1f /s",
                  air_speed(), world_y, heading, -head_pitch, climb, throttle_percent(),
                  gear_position(), angle_flap, level, terrain.indices.size() / 3, frame_rate);
    return text;
}

void init_glui(void (*keys)(unsigned char, int, int), void (*special)(int, int, int),
               void (*reset)(), void (*changed)(int* flag))
{
    if (options) return;
    reset_action = reset;
    options.emplace("Options Box", 192, 610);
    options->add_statictext("Kestrix Options Box");
    options->add_separator();
    add_switches(options->add_panel("Rendering Options:"), RenderingPanel);
    add_switches(options->add_panel("Sound:"), SoundPanel);
    options->add_column();
    add_switches(options->add_panel("Viewing Options:"), ViewingPanel);
    options->add_button("RESET", 0, reset_model);
    options->add_button("EXIT", 0, std::exit);
    const int figures = options->add_panel("Flight data:");
    options->add_readout_to_panel(figures, flight_data);
    options->set_main_gfx_window(window_main);
    options->forward_keys(keys, special);
    options->changed = changed;
}

ControlWindow* options_window() { return options ? &*options : nullptr; }

void options_set_idle_func(void (*idle_fn)())
{
    simulation_idle = idle_fn;
    glutIdleFunc(options_idle);
}
