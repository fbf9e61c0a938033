// Sound effects: a file played asynchronously on one mixer channel, beside it a warning looped on
// a channel of its own, and one stream of samples that the caller computes as it plays.
#pragma once

#include <cstdint>
#include <vector>

// Opens the audio device. Without one the program runs on silently: one line on stderr, and
// every later request is ignored. Returns whether sound is available.
bool init_sound();
// Stops what plays and closes the device (registered to run at exit by init_sound).
void close_sound();

// Sets the volume of what plays and of what will, 0 to 100 per cent; at once, also while a
// sound plays.
void set_sound_volume(int percent);

// Fills `frames` frames of `channels` interleaved samples at `rate` frames a second, on the
// audio thread. The samples hold silence when it is called; `volume`, 0 to 1, is the volume
// set for the sounds, which the source applies itself.
using SampleSource = void (*)(int16_t* samples, int frames, int channels, int rate, float volume);
// Plays `source` as the stream beside the channel, from now on and again whenever the device
// opens. Only on a device of 16-bit samples in the machine's byte order.
void play_stream(SampleSource source);

// Starts `file` and returns at once. A new request stops the sound still playing and starts
// again from the beginning. A file that cannot be loaded is skipped without a word after the
// first. A pointer, so tests can record the requests.
extern void (*play_sound)(const char* file);
void mixer_play(const char* file);

// Makes a sound for the warning channel: interleaved samples of `channels` at `rate` frames a
// second, 16-bit in the machine's byte order, which loop without a seam.
using LoopMaker = std::vector<int16_t> (*)(int rate, int channels);
// Loops the sound `make` makes (made once, for the open device) on the warning channel while
// `on`, at the volume set for the sounds; stops it when not.
void set_warning_sound(LoopMaker make, bool on);
