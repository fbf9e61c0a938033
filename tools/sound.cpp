#include "sound.h"

#include <cmath>

#include "noise.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

// One-pole low-pass filter: follows its input with the given corner frequency.
class LowPass {
public:
    double step(double input, double corner_hz)
    {
        const double a = 1.0 - std::exp(-kTwoPi * corner_hz / kSoundRate);
        state_ += a * (input - state_);
        return state_;
    }

private:
    double state_ = 0.0;
};

// Rises within `attack` seconds, then decays by e every `decay` seconds.
double envelope(double t, double attack, double decay) { return (1.0 - std::exp(-t / attack)) * std::exp(-t / decay); }

struct Crackle {
    double start, length, level;
};

} // namespace

std::vector<std::int16_t> synth_explosion()
{
    const int count = kSoundRate * 3 / 2; // 1.5 s
    Rng noise(1001);

    // Debris: short bursts scattered over the first 0.8 s, quieter as they come later.
    Rng scatter(1002);
    std::vector<Crackle> crackles(14);
    for (Crackle& c : crackles) {
        c.start = scatter.uniform(0.05, 0.8);
        c.length = scatter.uniform(0.004, 0.018);
        c.level = scatter.uniform(0.15, 0.45) * std::exp(-c.start / 0.4);
    }

    LowPass crack_smooth, body, rumble_a, rumble_b;
    double phase = 0.0;
    std::vector<double> mixdown(count);
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / kSoundRate;
        const double white = noise.uniform(-1.0, 1.0);

        // Crack: the bright top of the noise (white minus its low part), gone in a tenth of a second.
        const double crack = (white - crack_smooth.step(white, 1500.0)) * envelope(t, 0.0015, 0.05);

        // Roar: noise through a low-pass whose corner slides from 2.6 kHz down to 250 Hz.
        const double corner = 250.0 + 2350.0 * std::exp(-t / 0.22);
        const double roar = 3.0 * body.step(white, corner) * envelope(t, 0.004, 0.32);

        // Rumble: noise low-passed twice at 90 Hz, over a tone sinking from 55 to 30 Hz.
        const double low = rumble_b.step(rumble_a.step(white, 90.0), 90.0);
        phase += kTwoPi * (30.0 + 25.0 * std::exp(-t / 0.4)) / kSoundRate;
        const double rumble = (14.0 * low + 0.35 * std::sin(phase)) * envelope(t, 0.02, 0.55);

        double debris = 0.0;
        for (const Crackle& c : crackles) {
            if (t >= c.start && t < c.start + c.length * 4.0) debris += white * c.level * std::exp(-(t - c.start) / c.length);
        }

        mixdown[std::size_t(i)] = 0.8 * crack + roar + rumble + debris;
    }

    // The last 0.4 s fade out along a half cosine, so the sound ends in exact silence.
    const int fade = kSoundRate * 2 / 5;
    for (int i = count - fade; i < count; ++i) {
        const double f = double(i - (count - fade)) / (fade - 1);
        mixdown[std::size_t(i)] *= 0.5 + 0.5 * std::cos(f * kTwoPi / 2.0);
    }

    double peak = 0.0;
    for (double s : mixdown) peak = std::fmax(peak, std::fabs(s));
    const double gain = peak > 0.0 ? 0.9 / peak : 0.0;
    std::vector<std::int16_t> samples(count);
    for (int i = 0; i < count; ++i) samples[std::size_t(i)] = std::int16_t(std::lround(mixdown[std::size_t(i)] * gain * 32767.0));
    return samples;
}
