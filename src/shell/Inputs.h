// Every input the player gives reaches the world through here, from the keyboard, the gamepad
// and the options window: applied at once and recorded for the next step. While a replay flies,
// the inputs that fly the aircraft are left out until it ends; the others act as given.
#pragma once

#include "shell/RecordingFormat.h"

// An input from the player.
void take_input(const Input& input);
// Applies an input to the world, as the player gave it or as a replay gives it back.
void apply_input(const Input& input);
// The GLUT keyboard callbacks: recorded keys go through take_input, the others act at once.
void key_typed(unsigned char key, int x, int y);
void special_typed(int key, int x, int y);
// The options window's RESET, and a switch it has just set.
void reset_typed();
void option_set(int* flag);
