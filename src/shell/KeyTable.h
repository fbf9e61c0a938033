// The keys that reach the world through the recorder, and the names recordings give them.
#pragma once

// The keys a recording carries: those that fly the aircraft or move the view. The pause, the key
// table, the figures, full screen, screenshots and Esc act at once and are never recorded.
bool is_recorded_key(unsigned char key);
bool is_recorded_special(int key);
// Whether a character key flies the aircraft; every recorded special key does.
bool is_flight_key(unsigned char key);
// The recorded special keys, with their names in recordings.
struct SpecialKey {
    int code;
    const char* name;
};
constexpr int recorded_special_count = 11;
extern const SpecialKey recorded_specials[recorded_special_count];
