// The options window beside the main window.
#pragma once

// Builds the options window and its controls.
void init_glui();
// Installs the GLUT idle handler, which serves the options window and then calls idle_fn.
void options_set_idle_func(void (*idle_fn)());
