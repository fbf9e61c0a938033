// The player's settings kept from one run to the next: an ini file in the user's configuration
// directory, read at the start and written back at every normal exit (exit(), not a signal).
// Parsing and formatting are pure; reading and writing the file are apart from them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/Switches.h"
#include "platform/ReadFile.h"

struct CommandLine;

// The file keeps every switch of the player's, under its setting's key.
// Reads the text of a settings file over `values`: each good entry replaces its value, the last
// one of a key holding. Each bad line is skipped and gives one message "path:line: what is
// wrong", up to a few; the rest are counted in one last message.
std::vector<std::string> parse_settings(const std::string& text, const std::string& path,
                                        SwitchValues& values);
// The text of a settings file holding `values` (flags written as 0 or 1, the others kept to
// their range), with a comment on each group.
std::string format_settings(const SwitchValues& values);

// settings.ini in the program's own directory of the user's configuration (config_dir); "" where
// there is none.
std::string settings_path(const char* config_home, const char* home);

// Reads the file at `path` over `values`, with its messages in `messages`. A missing file gives
// none; one that cannot be read, is no regular file or is too long gives one, leaves `values`
// alone and is Refused: it must not be written over.
FileState read_settings(const std::string& path, SwitchValues& values,
                        std::vector<std::string>& messages);
// Writes `text` to a new file beside `path` (beside the file it links to, where it is a
// symbolic link) and renames it over that file, creating the directory first: the old file
// stays whole until the new one is, and its mode is kept. Temporary files older than a minute,
// left by a save that was killed before its rename, are removed. Returns "" or why it failed.
std::string write_settings(const std::string& path, const std::string& text);

// Where each setting of a run comes from: the file (or the player during the run), the command
// line, or a replayed recording.
enum SettingSource : char { FromPlayer, FromCommandLine, FromRecording };
using SettingSources = std::array<SettingSource, switch_count>;
SettingSources setting_sources(const CommandLine& line);

// What the file keeps at the end of a run. A setting the command line gave holds for that run
// only: the file's value is written back, unless the player changed it during the run (it
// differs from its value at the start). The switches a replayed recording sets are the
// recording's, and its inputs may change them during the replay: the file's value always stays.
SwitchValues settings_to_keep(const SwitchValues& file, const SwitchValues& start,
                               const SwitchValues& now, const SettingSources& sources);

// Whether the run reads and writes the file. --defaults and a timedemo leave it alone: a run to
// try the defaults is not the player's new choice, and a benchmark measures the same on every
// machine.
bool uses_settings_file(const CommandLine& line);
// Takes the file's settings (before the command line is applied), with one stderr line for each
// message.
void load_settings(const CommandLine& line);
// Once the run's start state is complete (command line, replay, windows): remembers it and has
// the settings written back at every normal exit.
void keep_settings(const CommandLine& line);
