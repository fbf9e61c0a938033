// The options window beside the main window.
#pragma once

#include <string>

class ControlWindow;

// Builds the options window, its panels of the player's switches as their table places them;
// keys typed into it go to `keys` and `special`, the main window's keyboard handlers, RESET to
// `reset`, and each switch a control has just set to `changed`. The tick of a switch that has a
// key ("Real flight:", M) types the key into `keys` instead.
void init_glui(void (*keys)(unsigned char, int, int), void (*special)(int, int, int),
               void (*reset)(), void (*changed)(int* flag));
// The options window, or null before init_glui.
ControlWindow* options_window();
// The figures of the flight data panel: speed, altitude, heading (0 to 359, clockwise from the
// runway's direction), pitch (nose up positive), climb rate and frame rate since the previous reading, throttle in
// per cent, gear, flaps, terrain level and triangles.
std::string flight_data();
// Installs the GLUT idle handler, which serves the options window and then calls idle_fn.
void options_set_idle_func(void (*idle_fn)());
