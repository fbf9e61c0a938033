// The flight warnings at the top of the main window, pulsing: "PULL-DOWN", "PULL-UP" and
// "TURN-AROUND", as the aircraft's place calls for them.
#pragma once

// Phase of the warnings' pulse, shared by all three: each step of the world advances it once for
// every warning showing, and each warning drawn in a frame sees it one advance further.
extern float cnt1, cnt2;

// The world step's part: the pulse advances once for every warning showing.
void advance_warnings();
// Draws the warnings due, from the pulse's phase.
void collision_messages();
// The warnings, centred at the top of the frame.
void draw_pull_down();
void draw_pull_up();
void draw_map_warning();
