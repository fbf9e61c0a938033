// Flight recordings as text that reads and diffs well: a header, then the inputs that drive the
// world, each with the number of the step it comes before, and every 60 steps a line with the
// world's state and a checksum of it. The reader takes every line as hostile.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "core/StepClock.h"
#include "core/Switches.h"

// One input to the world, as the player gave it. Eight bytes: a long recording holds many.
struct Input {
    enum Kind : uint8_t { Key, Special, Pad, Option, Reset };
    Kind kind = Key;
    int16_t code = 0;  // the character, the GLUT key code, the PadControl or the switch's row
    float value = 0;   // a pad control's new setting; an option's 0 or 1

    Input() = default;
    Input(Kind kind, int code = 0, float value = 0)
        : kind(kind), code(static_cast<int16_t>(code)), value(value) {}
};

// What a gamepad's sticks and lever set.
enum PadControl { PadAileron, PadElevator, PadRudder, PadThrottle, pad_controls };
extern const char* const pad_names[pad_controls];

// Whether recordings carry the switch in row `row` among their option flags: every recorded
// switch but the level and the flight model, which have header lines of their own.
bool is_recorded_flag(int row);
// Whether the input flies the aircraft; the others only change what is seen.
bool flies(const Input& input);

// Format 2 adds the flight model to the header; format 1, from before there was a choice, is
// still read, as flown by the simple model.
constexpr int recording_version = 2;
constexpr size_t longest_line = 400;        // in bytes, without the newline
constexpr size_t longest_recording = 256 << 20;  // in bytes: a longer file is not read
// The recorder writes a state line after every step whose number is a multiple of this.
constexpr int state_line_steps = 60;
// How far past the steps its state lines account for a recording may reach: a minute, for
// recordings written by hand. A longer claim (a replay or timedemo of years) is refused.
constexpr int64_t steps_past_state_lines = 60 * steps_per_second;

// A state line of the recording: the step it follows and the world's checksum after it.
struct StateCheck {
    int64_t step = 0;
    uint64_t checksum = 0;
};

struct RecordedInput {
    int32_t step = 0;  // 32 bits are ample (a year of steps) and keep an input in 12 bytes
    Input input;
};

// An option flag a recording's header does not name (one added since it was made): a replay
// leaves it as it is.
constexpr int not_named = -1;

struct Recording {
    std::string program;         // the version of the program that recorded it
    // The recorded switches at the start (the terrain level, the option flags and the flight
    // model); 0 for the others, not_named for a flag the header leaves out.
    SwitchValues switches{};
    // Blocks that grow without moving what they hold: reading never needs twice the room.
    std::deque<RecordedInput> inputs;
    std::deque<StateCheck> checks;
    int64_t steps = 0;           // steps recorded: from its end line, else the last step named
};

// Reads a recording as its bytes come, line by line, so that its text is never held whole.
// Every line is taken as hostile: the first that is wrong stops the reading with `error` set to
// "NAME:LINE: what is wrong".
struct RecordingReader {
    std::string name;   // of the file, for the messages
    std::string error;  // "" while every line has been sound
    Recording recording;
    std::string line;   // the line under way, kept to one byte past the longest
    int line_number = 0, header_lines = 4;
    int64_t last_step = 0;
    bool ended = false;  // the end line has been read

    explicit RecordingReader(std::string name) : name(std::move(name)) {}
    // Takes the next `size` bytes; false once a line was wrong.
    bool take(const char* bytes, size_t size);
    // After the last bytes: moves the recording to `out`, or returns false with `error` set when
    // a line was wrong or the header is incomplete. A last line without its newline was cut off
    // while it was written and is left out.
    bool finish(Recording& out);

private:
    std::vector<std::string> words;  // of the line under way, kept to spare allocations
    void take_line();
};

// Reads a recording from `text`.
bool parse_recording(const std::string& text, const std::string& name, Recording& recording,
                     std::string& error);
// Reads the file at `path`: a regular file of at most longest_recording bytes.
bool read_recording(const std::string& path, Recording& recording, std::string& error);

// The header: format, program version, and the recorded switches' `values`: the terrain level,
// the option flags (those not not_named) and the flight model.
std::string header_text(const std::string& program, const SwitchValues& values);
std::string input_line(int64_t step, const Input& input);
// The world's figures after a step, readable, and its checksum.
struct StateFigures {
    float x, y, z, heading, pitch, bank, speed, climb, throttle, flaps;
    const char* gear;  // "down", "up" or "moving"
    bool crashed;
};
std::string state_line(int64_t step, const StateFigures& figures, uint64_t checksum);
std::string end_line(int64_t steps);
// The same in `line`, without the heap, as a signal handler may write it: its length.
constexpr size_t end_line_size = 32;
size_t end_line(int64_t steps, char (&line)[end_line_size]);
