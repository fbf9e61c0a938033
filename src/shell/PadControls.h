// Flying with a gamepad or joystick: its sticks set the control surfaces and the throttle, its
// buttons do what some keys do; and with the mouse as a stick. The keyboard keeps working: a
// control follows whichever input last moved it.
#pragma once

#include "platform/Gamepad.h"

// Sticks inside this distance from the centre count as centred.
extern const float dead_zone;

// Reads the driving device (see platform/Gamepad) and applies what changed since the last call.
void gamepad_idle();
// Applies `pad` given the device's state at the previous call, `last`.
void apply_pad(const PadInput& pad, const PadInput& last);

// The mouse as the control stick (with mouse_stick): the pointer at (x, y) of a window `width`
// by `height` pixels sets the ailerons across and the elevator up and down (toward the bottom
// nose up), centred in the window's middle and full at its edges, in steps of mouse_step.
constexpr float mouse_step = 0.5f;
void apply_mouse(int x, int y, int width, int height);
// GLUT's motion callbacks of the main window: apply_mouse, and the pointer a cross hair while
// the mouse flies.
void mouse_moved(int x, int y);
