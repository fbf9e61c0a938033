// The stall warning's horn: a reed's buzz, synthesised for the audio device and looped on the
// warning channel while the wing is near its stall.
#pragma once

#include <cstdint>
#include <vector>

// One second of the horn for a device of `rate` frames a second and `channels`.
std::vector<int16_t> stall_horn_samples(int rate, int channels);
// Sounds the horn, or stops it.
void set_stall_horn(bool on);
