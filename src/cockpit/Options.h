// The options window beside the main window.
#pragma once

class ControlWindow;

// Builds the options window and its controls; keys typed into it go to `keys` and `special`,
// the main window's keyboard handlers.
void init_glui(void (*keys)(unsigned char, int, int), void (*special)(int, int, int));
// The options window, or null before init_glui.
ControlWindow* options_window();
// Installs the GLUT idle handler, which serves the options window and then calls idle_fn.
void options_set_idle_func(void (*idle_fn)());
