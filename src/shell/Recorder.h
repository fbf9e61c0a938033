// The flight recorder: every input that drives the world goes through here. Recording, it is
// written with the number of the step it comes before, and every 60 steps the world's state;
// replaying, the recorded inputs come back at their steps and the state is checked. A timedemo
// replays flat out, one step per drawn frame, and reports the frame times.
#pragma once

#include <cstdint>
#include <string>

#include "shell/RecordingFormat.h"

// Opens `path` and writes the header; false, with the reason in `error`, when it cannot. The
// file is flushed at least once a second and closed with its end line on every way out.
bool start_recording(const std::string& path, std::string& error);
// Flies `recording` (read from `name`) from the start: its level, option flags and flight model
// now, its inputs at their steps. Called before the aircraft is put at the start (init_Model),
// which places it for the model set here. A timedemo ends the program once its last step is
// drawn.
void start_replay(const Recording& recording, const std::string& name, bool timedemo);
// While a replay still has steps to fly.
bool replaying();

// An input from the player: applied at once and recorded for the next step. While a replay
// flies, inputs that fly the aircraft are left out until it ends.
void take_input(const Input& input);
// The GLUT keyboard callbacks: recorded keys go through take_input, the others act at once.
void key_typed(unsigned char key, int x, int y);
void special_typed(int key, int x, int y);
// The options window's RESET, and a flag it has just set.
void reset_typed();
void option_set(int* flag);

// Around each step of the world: the replayed inputs before it; the state line or the check
// against the recording after it.
void begin_step();
void end_step();
// The number of steps the next pass runs (none while paused; one in a timedemo), given the
// clock's reading at the start of the pass.
int steps_for_pass(int64_t now, int64_t frequency);
// After the steps of a pass: flushes the recording once a second, and ends the program as the
// signal asked after closing the recording.
void end_pass(int64_t now, int64_t frequency);

// A checksum of everything that drives the world: flight state, control surfaces, the crash
// and the explosion's particles, the random source, and the rigid body while it flies.
uint64_t world_checksum();
// Writes the end line and closes the recording; nothing when none is open.
void close_recording();
