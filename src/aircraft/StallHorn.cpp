#include "aircraft/StallHorn.h"

#include <cmath>

#include "core/Global.h"
#include "platform/Sound.h"

namespace {

// A reed's tone is rich in odd harmonics and flutters a little. Whole numbers of cycles a
// second, so that a second loops without a seam.
constexpr double pitch = 880, flutter = 12;  // Hz
constexpr double harmonics[3] = {0.6, 0.25, 0.1};  // the 1st, 3rd and 5th
constexpr double loudness = 0.35;  // of full scale, below the explosion's peaks

}  // namespace

std::vector<int16_t> stall_horn_samples(int rate, int channels)
{
    std::vector<int16_t> samples(size_t(rate) * size_t(channels));
    for (int i = 0; i < rate; ++i) {
        const double time = double(i) / rate;
        double tone = 0;
        for (int h = 0; h < 3; ++h)
            tone += harmonics[h] * std::sin(2 * pi * (2 * h + 1) * pitch * time);
        const double swell = 0.8 + 0.2 * std::sin(2 * pi * flutter * time);
        const auto sample = int16_t(std::lround(32767 * loudness * swell * tone));
        for (int c = 0; c < channels; ++c)
            samples[size_t(i) * size_t(channels) + size_t(c)] = sample;
    }
    return samples;
}

void set_stall_horn(bool on) { set_warning_sound(stall_horn_samples, on); }
