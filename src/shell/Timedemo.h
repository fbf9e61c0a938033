// The timedemo: a recording replayed flat out, one step per drawn frame, then the frame times
// on the console and the end of the program.
#pragma once

#include <cstdint>
#include <string>

#include "shell/RecordingFormat.h"

// Replays `recording` (read from `name`) as a timedemo.
void start_timedemo(Recording recording, const std::string& name);
// The number of steps the next pass runs, given the clock's reading at the start of the pass:
// as many as the step clock holds, none while paused, one in a timedemo (which ends the program
// once its last step has been drawn).
int steps_for_pass(int64_t now, int64_t frequency);
