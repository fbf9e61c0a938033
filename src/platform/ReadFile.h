// Reading files that a player or another program may have replaced with anything: opened without
// blocking (a FIFO in a file's place must not hold up the program), and taken only when they are
// regular files of a bounded size.
#pragma once

#include <cstddef>
#include <string>

// What opening or reading a file came to.
enum class FileState { Read, Missing, Refused };

// Opens `path` for reading and checks it: the descriptor, or -1 with `state` Missing (nothing
// there) or Refused and `why` saying what is wrong ("Permission denied", "a directory, not a
// regular file", "longer than 64 KiB").
int open_to_read(const std::string& path, size_t largest, FileState& state, std::string& why);

// Reads the whole file at `path` into `text` (at most `largest` bytes); Read, or else as above.
FileState read_file(const std::string& path, size_t largest, std::string& text, std::string& why);

// "256 MiB", "64 KiB" or "100 bytes".
std::string size_text(size_t bytes);
