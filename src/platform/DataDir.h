// Where the game's images and sounds are read from: the first of several places that holds
// them, so that the program finds them wherever it is started from.
#pragma once

#include <string>
#include <vector>

// The directory data files are read from: "Data" (relative to the current directory) until
// find_data_dir chooses another.
extern std::string data_dir;

// The path of the data file `name` ("Sky.bmp") in data_dir.
std::string data_file(const char* name);

// The places looked in, in order: `chosen` alone when given (the --data option); else Data/ in
// the current directory, beside the executable `executable` and in its parent directory (a
// build tree), and the installed data directory relative to it (`installed_from_bin`, as
// "../share/kestrix/Data" from bin/).
std::vector<std::string> data_candidates(const std::string& chosen, const std::string& executable,
                                         const std::string& installed_from_bin);

// The data files that `dir` lacks or holds as something it cannot use (a directory, a FIFO, a
// file it may not read), each with why: "Sky.bmp (a directory, not a regular file)".
std::vector<std::string> unusable_data_files(const std::string& dir);

// Sets data_dir to the first candidate that holds every data file and returns true. Where none
// does, it takes the first of those that hold the most, with one line on stderr naming each
// file it cannot use there, and returns true. Where none holds any, writes one line on stderr
// naming the places looked in, leaves data_dir as it is and returns false: the program then
// runs untextured and silent.
bool find_data_dir(const std::vector<std::string>& candidates);
// What find_data_dir last said was wrong, in short for the main window's message line ("Game
// data that cannot be used: Sky.bmp, Font.bmp"), once: "" when nothing was wrong, or once taken.
std::string take_data_problem();

// The running program's own file (from /proc/self/exe), or "" when it cannot be read.
std::string executable_path();
