// The simulation shell: start-up and the frame loop's callbacks.
#pragma once

#include "core/Settings.h"

// One-time start-up, in a fixed order: later steps use what earlier ones made.
void init();
// One frame: sky, world, aircraft, collisions, explosion, overlay.
void display();
void reshape(int w, int h);
// One simulation step (none while paused), then a request to redraw.
void idle();
// The right button ends the program when pressed.
void mouse(int btn, int state, int x, int y);
// Centres the control surfaces.
void reset_();
