// The player's switches, one row each: every setting the player chooses, with its name in the
// settings file, in recordings and in the options window, the values it takes, and what a
// recording and a replay do with it. The settings file, the recorder and its format, the options
// window and the command line all read this table: a new switch is a new row.
#pragma once

#include <array>

// The options window's panel that shows a switch.
enum SwitchPanel : char { NotShown, RenderingPanel, SoundPanel, ViewingPanel };

struct Switch {
    int* value;           // the global it sets
    const char* setting;  // its key in the settings file
    // Its name in recordings, where a replay sets it: the header's "level" and "flight" lines,
    // or among the header's option flags and the inputs "option NAME 0|1". Null where it is the
    // player's alone (the sound, the figures, full screen): a replay leaves it as it is.
    const char* recorded;
    const char* label;  // its control in the options window
    SwitchPanel panel;
    int low, high;                  // the values it takes: 0 and 1 for a flag
    const char* comment = nullptr;  // the settings file's comment above it
    bool flies = false;  // it changes how the aircraft flies: a replay holds the recording's
    char key = 0;        // the key that switches it, which its tick types rather than set it
};

constexpr int switch_count = 18;
extern const Switch switches[switch_count];

// A value for every switch, in the table's order.
using SwitchValues = std::array<int, switch_count>;
SwitchValues current_switches();
void set_switches(const SwitchValues& values);

// The row of the switch that sets `value`; -1 for a global that is none.
int switch_of(const int* value);
