// What a run starts from, before any window opens.
#pragma once

#include <string>

#include "shell/CommandLine.h"

// The run's switches and flights, in this order: the last run's settings, the command line's
// for this run, a recording to replay or time (read whole and checked; its flight model holds
// over both, its other switches only over the settings), and a recording to make. False, with
// `error` saying why, where a recording cannot be read or written.
bool start_run(const CommandLine& line, std::string& error);
