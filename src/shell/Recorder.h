// The flight recorder: every input that drives the world goes through here. Recording, it is
// written with the number of the step it comes before, and every 60 steps the world's state;
// replaying, the recorded inputs come back at their steps and the state is checked. A timedemo
// replays flat out, one step per drawn frame, and reports the frame times.
#pragma once

#include <cstdint>
#include <string>

#include "shell/RecordingFormat.h"

// Opens `path` and writes the header; false, with the reason in `error`, when it cannot. Every
// line reaches the file whole as it is written, and the file is closed with its end line on
// every way out, a signal's (Ctrl+C, SIGTERM, SIGHUP) among them, at once wherever the program
// is. A write that fails (a full disk) or a file removed during the flight is said once on
// stderr and ends the recording, whole up to there; the flight goes on.
bool start_recording(const std::string& path, std::string& error);
// Flies `recording` (read from `name`) from the start: its level, option flags and flight model
// now, its inputs at their steps. Called before the aircraft is put at the start (init_Model),
// which places it for the model set here. A timedemo ends the program once its last step is
// drawn.
void start_replay(Recording recording, const std::string& name, bool timedemo);
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
// After the steps of a pass: once a second, looks whether the recording's file is still there.
void end_pass(int64_t now, int64_t frequency);

// Writes the end line, naming the last step taken or the next one where inputs were given for
// it, and closes the recording; nothing when none is open.
void close_recording();
