#include "aircraft/EngineSound.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>

#include "core/Global.h"
#include "platform/Sound.h"

namespace {

// The main thread sets the power; the audio thread glides towards it and towards the volume
// sample by sample, so a change of either never steps the waveform.
const float idle_firing_hz = 30, full_firing_hz = 110;  // firings a second at power 0 and 1
const float glide_seconds = 0.05f;                      // time constant of every change
const float full_scale = 12000;  // peak of the tone at full power and volume, leaving headroom
                                 // for the explosion mixed on top

// One crank cycle, two firings: harmonics of the cycle, the firing rate's (even) ones strong,
// the odd ones weak for the unevenness between the two; and the combustion noise's envelope,
// a burst at each firing. The last entry repeats the first for the interpolation.
const int table_size = 512;
float tone[table_size + 1], burst[table_size + 1];

std::atomic<float> target_power{0};
// Set when the sound starts: the audio thread resets its state before the next samples, so a
// start never races with samples being made.
std::atomic<bool> restart{false};

// The audio thread's own state.
float cycle = 0;  // how far through the crank cycle, 0 to 1
float firing_hz = idle_firing_hz, gain = 0, rumble = 0;
uint32_t noise = 1;

void build_tables()
{
    float peak = 0;
    for (int i = 0; i <= table_size; ++i) {
        const double angle = 2 * pi * i / table_size;
        double sum = 0;
        for (int k = 1; k <= 12; ++k)  // spread phases keep the sum from one sharp spike
            sum += (k % 2 ? 0.25 : 1.0) * 2 / (k + 1) * std::sin(k * angle + 0.7 * k * k);
        tone[i] = float(sum);
        peak = std::max(peak, std::fabs(tone[i]));
        burst[i] = float(std::pow(0.5 + 0.5 * std::cos(2 * angle), 4));
    }
    for (float& value : tone) value /= peak;
}

float lookup(const float* table, float at)
{
    const int i = int(at);
    return table[i] + (table[i + 1] - table[i]) * (at - i);
}

// Writes the engine into the stream, every channel the same, before the explosion's channel is
// mixed on top.
void synthesise(int16_t* out, int frames, int channels, int rate, float volume)
{
    if (restart.exchange(false)) {
        cycle = rumble = gain = 0;
        firing_hz = idle_firing_hz;
        noise = 1;
    }
    const float power = target_power;
    const float goal_hz = idle_firing_hz + (full_firing_hz - idle_firing_hz) * power;
    const float goal_gain = power > 0 ? volume * (0.3f + 0.7f * power) : 0;
    if (gain == 0 && goal_gain == 0) return;  // the stream holds silence already
    const float follow = 1 - std::exp(-1 / (glide_seconds * float(rate)));
    for (int frame = 0; frame < frames; ++frame, out += channels) {
        firing_hz += (goal_hz - firing_hz) * follow;
        gain += (goal_gain - gain) * follow;
        if (goal_gain == 0 && gain * full_scale < 0.5f) gain = 0;  // below one step: silence
        cycle += firing_hz / 2 / float(rate);
        if (cycle >= 1) cycle -= 1;
        noise = noise * 1664525u + 1013904223u;
        rumble += (int32_t(noise) / 2147483648.0f - rumble) * 0.3f;  // a darker noise
        const float at = cycle * table_size;
        const float value = lookup(tone, at) + 0.6f * lookup(burst, at) * rumble;
        std::fill_n(out, channels, int16_t(std::lrint(value * gain * full_scale)));
    }
}

}  // namespace

void start_engine_sound()
{
    static const bool built = (build_tables(), true);
    (void)built;
    target_power = 0;
    restart = true;
    play_stream(synthesise);
}

void set_engine_sound(float power) { target_power = std::clamp(power, 0.0f, 1.0f); }
