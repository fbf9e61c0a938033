// Ground, map-edge and control-tower contact, and the flight warnings.
#pragma once

extern float max_alt;  // "PULL-DOWN" shows from 1000 below it; nothing stops the climb
extern float max_pos;  // upper map edge for x and z
extern float max_neg;  // lower map edge for x and z

// Stops and hides the aircraft and sets off the explosion, then, if `sound`, (re)starts the
// explosion sound.
void crash(bool sound = true);
// The collision step of the world: the warnings' pulse advances for the warnings showing (the
// state the last frame drew), then the ground and map edges, then the tower.
void collisions();
// The place of a fall under gravity; it changes nothing.
void gravity();
// The warnings the aircraft's place calls for, in drawing order, into `warnings` (at most six):
// "PULL-DOWN" high up, "PULL-UP" low with the gear retracted and "TURN-AROUND" once for each map
// edge within 1000 units. Returns their number.
int warnings_due(void (*warnings[6])());
// Draws the warnings due.
void collision_messages();
// Below the ground the aircraft is set on it and levelled: a landing with the gear extended, a
// crash on its belly. Past a map edge it is set onto the edge and crashes.
void collision_map();
// A crash inside the control tower's box; the position stays.
void collision_tower();
