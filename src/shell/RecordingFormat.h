// Flight recordings as text that reads and diffs well: a header, then the inputs that drive the
// world, each with the number of the step it comes before, and every 60 steps a line with the
// world's state and a checksum of it. The reader takes every line as hostile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One input to the world, as the player gave it.
struct Input {
    enum Kind { Key, Special, Pad, Option, Reset };
    Kind kind = Key;
    int code = 0;     // the character, the GLUT key code, the PadControl or the OptionFlag
    float value = 0;  // a pad control's new setting; an option's 0 or 1
};

// What a gamepad's sticks and lever set.
enum PadControl { PadAileron, PadElevator, PadRudder, PadThrottle, pad_controls };
// The options window's settings that change the picture.
enum OptionFlag {
    OptionFog, OptionWireframe, OptionTexture, OptionLightMap, OptionLighting, OptionCulling,
    OptionTower, OptionOverlay, OptionPlane, option_flags
};
extern const char* const pad_names[pad_controls];
extern const char* const option_names[option_flags];

// Whether a recording carries the key: those that fly the aircraft or move the view. The pause,
// the key table, full screen, screenshots and Esc act at once and are never recorded.
bool is_recorded_key(unsigned char key);
bool is_recorded_special(int key);
// Whether the input flies the aircraft; the others only change what is seen.
bool flies(const Input& input);

// Format 2 adds the flight model to the header; format 1, from before there was a choice, is
// still read, as flown by the simple model.
constexpr int recording_version = 2;
constexpr size_t longest_line = 400;  // in bytes, without the newline

// A state line of the recording: the step it follows and the world's checksum after it.
struct StateCheck {
    int64_t step = 0;
    uint64_t checksum = 0;
};

struct RecordedInput {
    int64_t step = 0;
    Input input;
};

struct Recording {
    std::string program;         // the version of the program that recorded it
    int level = 1;               // terrain level at the start
    int options[option_flags] = {};  // the option flags at the start
    int real_flight = 0;         // 1 when the rigid-body model flew it, 0 the kinematic one
    std::vector<RecordedInput> inputs;
    std::vector<StateCheck> checks;
    int64_t steps = 0;           // steps recorded: from its end line, else the last step named
};

// Reads a recording from `text`; on failure returns false with `error` set to
// "NAME:LINE: what is wrong". A last line without its newline was cut off and is left out.
bool parse_recording(const std::string& text, const std::string& name, Recording& recording,
                     std::string& error);
// Reads the whole file at `path` first, then parses it.
bool read_recording(const std::string& path, Recording& recording, std::string& error);

// The header: format, program version, terrain level, option flags and flight model.
std::string header_text(const std::string& program, int level, const int options[option_flags],
                        int real_flight);
std::string input_line(int64_t step, const Input& input);
// The world's figures after a step, readable, and its checksum.
struct StateFigures {
    float x, y, z, heading, pitch, bank, speed, climb, throttle, flaps;
    const char* gear;  // "down", "up" or "moving"
    bool crashed;
};
std::string state_line(int64_t step, const StateFigures& figures, uint64_t checksum);
std::string end_line(int64_t steps);
