// The options window beside the main window.
#pragma once

class ControlWindow;

// Builds the options window and its controls.
void init_glui();
// The options window, or null before init_glui.
ControlWindow* options_window();
// Installs the GLUT idle handler, which serves the options window and then calls idle_fn.
void options_set_idle_func(void (*idle_fn)());
