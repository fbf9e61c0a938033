// Sound effects: a file played asynchronously on one mixer channel, and the engine's sound
// synthesised as it plays, beside that channel.
#pragma once

// Opens the audio device. Without one the program runs on silently: one line on stderr, and
// every later request is ignored. Returns whether sound is available.
bool init_sound();
// Stops what plays and closes the device (registered to run at exit by init_sound).
void close_sound();

// Sets the volume of what plays and of what will, 0 to 100 per cent; at once, also while a
// sound plays.
void set_sound_volume(int percent);

// The engine's sound at `power`, 0 (silent) to 1 (full throttle), on its own channel; it follows
// changes smoothly, and the volume set for the sounds applies to it too.
void set_engine_sound(float power);

// Starts `file` and returns at once. A new request stops the sound still playing and starts
// again from the beginning. A file that cannot be loaded is skipped without a word after the
// first. A pointer, so tests can record the requests.
extern void (*play_sound)(const char* file);
void mixer_play(const char* file);
