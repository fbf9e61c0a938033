// The program's command line: its own options, and GLUT's, which are passed on to glutInit.
#pragma once

#include <string>
#include <vector>

#include "core/Switches.h"

// A switch the command line leaves alone, and the values of a line that gives none.
constexpr int not_given = -1;
SwitchValues none_given();

struct CommandLine {
    std::string data;         // --data DIR: read the data files from DIR only
    // The switches set for this run, not_given for the others: --level N (0 to 3), --fullscreen,
    // --mute, --flight real|simple.
    SwitchValues for_run = none_given();
    bool uncapped = false;    // --uncapped: draw as often as the machine can
    bool defaults = false;    // --defaults: the settings file is neither read nor written
    std::string record;       // --record FILE: write the flight's inputs to FILE
    std::string replay;       // --replay FILE or --timedemo FILE: fly the recording in FILE
    bool timedemo = false;    // --timedemo: flat out, one step a frame, then the frame times
    bool geometry = false;    // GLUT's -geometry: the main window's start place and size
    bool help = false;        // --help
    bool version = false;     // --version
    std::string error;        // why the command line was refused; "" when it was not
    std::vector<char*> glut_arguments;  // the program's name and GLUT's options, then null
};

// Reads argv. GLUT's own options (-display NAME, -geometry WxH+X+Y, -direct, -indirect, -iconic,
// -gldebug, -sync) are kept for glutInit; anything else unknown is an error.
CommandLine parse_command_line(int argc, char** argv);

// The text of --help and of --version.
std::string usage_text(const char* program);
std::string version_text();

// The recording `given` names: the file itself, or where there is none such and the name has no
// directory, the file of that name in the data directory (so the shipped flight is found by its
// name from anywhere).
std::string recording_path(const std::string& given);

// Puts the options given into the settings they stand for (the others keep their values, from
// the settings file or the defaults) and chooses the data directory (which may write one line on
// stderr). Runs before GLUT starts.
void apply_command_line(const CommandLine& line);
// Sets the switches the command line gave for this run, of those that do not fly the aircraft
// with `flying` false (after a replay's start: the recording flies as it was recorded).
void set_switches_for_run(const CommandLine& line, bool flying = true);
