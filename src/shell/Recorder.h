// The flight recorder. Recording, every input that drives the world is written with the number
// of the step it comes before, and every 60 steps the world's state; replaying, the recorded
// inputs come back at their steps and the state is checked against the recording's.
#pragma once

#include <cstdint>
#include <string>

#include "shell/RecordingFormat.h"

// Opens `path` and writes the header; false, with the reason in `error`, when it cannot. Every
// line reaches the file whole as it is written, and the file is closed with its end line on
// every way out, a signal's (Ctrl+C, SIGTERM, SIGHUP) among them, at once wherever the program
// is. A write that fails (a full disk) or a file removed during the flight is said once on
// stderr and on the main window, and ends the recording, whole up to there; the flight goes on.
bool start_recording(const std::string& path, std::string& error);
// Flies `recording` (read from `name`) from the start: its level, option flags and flight model
// now, its inputs at their steps. Called before the aircraft is put at the start (init_Model),
// which places it for the model set here. With `announce_end`, its end says that the player
// has the controls, on the console and on the main window; a state that differs from the
// recording's is said on stderr and on the main window.
void start_replay(Recording recording, const std::string& name, bool announce_end = true);
// While a replay still has steps to fly.
bool replaying();
// Writes `input`, applied before step `step`, to the recording under way, if any.
void record_input(const Input& input, int64_t step);

// Around each step of the world: before it, begin_step, then next_replayed gives each input the
// replay has for the step (and records it again, where a recording is under way), until it
// returns false; after it, end_step writes the state line or checks the state against the
// recording's.
void begin_step();
bool next_replayed(Input& input);
void end_step();
// After the steps of a pass: once a second, looks whether the recording's file is still there.
void end_pass(int64_t now, int64_t frequency);

// Writes the end line, naming the last step taken or the next one where inputs were given for
// it, and closes the recording; nothing when none is open.
void close_recording();
