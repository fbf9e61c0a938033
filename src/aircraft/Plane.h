// The aircraft drawn from its pieces: the flown one with its propeller disc, the two parked
// types on the apron, and the propeller and undercarriage animation steps.
#pragma once

// Draws the flown aircraft at the origin, turned by its attitude. The kinematic model's turns
// are called as bank, heading, pitch (the pitch turns the model first, the bank last, about the
// world's z); the rigid-body model's as heading, pitch, bank (the bank about the nose). Leaves
// the matrix stack balanced, the blend function at (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA) and
// texturing off.
void draw_plane();
// The propeller and, above throttle 400, its blurred disc, in the hub's frame.
void draw_prop();
// A parked aircraft of the player's type, in the caller's frame, with the player's control and
// undercarriage angles.
void draw_plane_parked2();
// A parked jet, five times the size. Translates, scales and turns the current matrix before its
// own push, so the caller restores the matrix afterwards.
void draw_plane_parked1();

// Turns the propeller by an amount proportional to the throttle.
void move_prop();
// Swings both undercarriage legs 5 degrees toward the position gear_out commands.
void move_gear();
