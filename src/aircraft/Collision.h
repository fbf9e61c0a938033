// Ground, map-edge and control-tower contact, landings, and the warnings the aircraft's place
// calls for.
#pragma once

extern float max_alt;  // "PULL-DOWN" shows from 1000 below it; nothing stops the climb
extern float max_pos;  // upper map edge for x and z
extern float max_neg;  // lower map edge for x and z

// Stops and hides the aircraft and sets off the explosion, then, if `sound`, (re)starts the
// explosion sound.
void crash(bool sound = true);
// The aircraft's touch-downs: seen off the ground since the last one or the reset, and landed
// (on its gear since then, in one piece). The figures show "LANDED" from them.
extern bool airborne, landed;
// A touch-down on the gear; only the first since the aircraft was last off the ground counts.
void note_landing();

// How the last touch-down went, or why the aircraft crashed: what the report on the main window
// says, kept with the world's state so that a replay says the same.
enum Outcome : int { NoTouchdown, Landed, SinkTooFast, TooMuchBank, GearUp, NoseFirst, TailFirst,
                     IntoTheTower, AtTheMapEdge };
struct Touchdown {
    int outcome;       // an Outcome
    float sink, bank;  // m/s and degrees (positive right wing down) at the touch
    float nose_up;     // degrees
    float x, z, heading;  // where, and which way it was flying
};
extern Touchdown touchdown;
// `outcome` with the aircraft's attitude, place and heading as the flight state holds them.
Touchdown touchdown_here(Outcome outcome);

// The collision step of the world, on the place the last step left: off the ground, the
// aircraft is no longer landed; then the ground and map edges, then the tower.
void collisions();
// The place of a fall under gravity; it changes nothing.
void gravity();
enum Warning { PullDown, PullUp, TurnAround };
// The warnings the aircraft's place calls for, in drawing order, into `warnings` (at most six):
// "PULL-DOWN" high up, "PULL-UP" low with the gear retracted and "TURN-AROUND" once for each map
// edge within 1000 units. Returns their number.
int warnings_due(Warning warnings[6]);
// Below the ground the aircraft is set on it and levelled: a landing with the gear extended, a
// crash on its belly. Past a map edge it is set onto the edge and crashes.
void collision_map();
// A crash inside the control tower's box; the position stays.
void collision_tower();
