// The crash sound.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kSoundRate = 22050;

// About 1.5 s of a synthesised explosion at kSoundRate, mono: a sharp crack, a roar of
// filtered noise that darkens as it dies, flying debris and a long low rumble, peaking at 90
// per cent of full scale and fading to exact silence.
std::vector<std::int16_t> synth_explosion();
