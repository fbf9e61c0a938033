// Flying with a gamepad or joystick: its sticks set the control surfaces and the throttle, its
// buttons do what some keys do. The keyboard keeps working: a control follows whichever input
// last moved it.
#pragma once

#include "platform/Gamepad.h"

// Sticks inside this distance from the centre count as centred.
extern const float dead_zone;

// Reads the driving device (see platform/Gamepad) and applies what changed since the last call.
void gamepad_idle();
// Applies `pad` given the device's state at the previous call, `last`.
void apply_pad(const PadInput& pad, const PadInput& last);
