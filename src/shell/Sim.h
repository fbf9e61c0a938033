// The simulation shell: start-up and the frame loop's callbacks.
#pragma once

#include "core/Settings.h"

// One-time start-up, in a fixed order: later steps use what earlier ones made.
void init();
// One frame: sky, world, aircraft, warnings, explosion, overlay, figures. It changes nothing in
// the world; a screenshot due is saved and its message noted.
void display();
void reshape(int w, int h);
// One pass of the frame loop: the clock, the gamepad, as many steps of the world as the clock
// has run (none while paused), the options' GL state, then a request to redraw.
void idle();
// One step of the world, 1/60 s: the replayed inputs, the collisions and explosion of what was
// drawn last, then the flight step and the chase camera.
void world_step();
// The right button ends the program when pressed.
void mouse(int btn, int state, int x, int y);
