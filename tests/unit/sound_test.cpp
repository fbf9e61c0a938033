#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Sound.h"

namespace {

// A tenth of a second of a 440 Hz tone, 16-bit mono PCM at 22050 Hz.
std::string write_tone(const std::string& path)
{
    const uint32_t rate = 22050, samples = rate / 10, data_bytes = samples * 2;
    std::vector<char> wav;
    auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) wav.push_back(char(value >> (8 * i)));
    };
    auto tag = [&](const char* text) { wav.insert(wav.end(), text, text + 4); };
    tag("RIFF"), put(36 + data_bytes, 4), tag("WAVE");
    tag("fmt "), put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(rate * 2, 4), put(2, 2),
        put(16, 2);
    tag("data"), put(data_bytes, 4);
    for (uint32_t i = 0; i < samples; ++i)
        put(uint32_t(int16_t(8000 * std::sin(2 * M_PI * 440 * i / rate))) & 0xffff, 2);
    std::ofstream(path, std::ios::binary).write(wav.data(), std::streamsize(wav.size()));
    return path;
}

// Without a device there is one line on stderr, and later requests are ignored quietly.
TEST(Sound, WithoutADeviceTheProgramGoesOnSilently)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(init_sound());
    const std::string tone = write_tone(testing::TempDir() + "kestrix_tone.wav");
    mixer_play(tone.c_str());
    mixer_play(tone.c_str());
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.rfind("No sound: ", 0), 0u) << errors;
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << "one line: " << errors;
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
}

int cut_off = 0;  // channels that stopped before or at their end

// Whatever device this machine has or lacks, start-up says at most one line about the sound:
// audio libraries that find no device do not get to add their own.
TEST(Sound, OpeningTheDeviceSaysAtMostOneLine)
{
    unsetenv("SDL_AUDIODRIVER");
    testing::internal::CaptureStderr();
    init_sound();
    const std::string errors = testing::internal::GetCapturedStderr();
    close_sound();
    EXPECT_LE(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

// With a device, one channel plays: a request starts the file on it, a new request cuts off the
// sound still playing and starts again, and a file that cannot be loaded is reported once and
// then skipped.
TEST(Sound, OneChannelPlaysTheRequestedFileAndRestartsIt)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(init_sound());
    EXPECT_EQ(Mix_AllocateChannels(-1), 1);
    Mix_ChannelFinished([](int) { ++cut_off; });
    const std::string tone = write_tone(testing::TempDir() + "kestrix_tone.wav");
    mixer_play(tone.c_str());
    EXPECT_EQ(Mix_Playing(0), 1);
    mixer_play(tone.c_str());
    EXPECT_EQ(cut_off, 1) << "the first request's sound was stopped";
    EXPECT_EQ(Mix_Playing(-1), 1);

    testing::internal::CaptureStderr();
    mixer_play("no/such/file.wav");
    mixer_play("no/such/file.wav");
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.find("Cannot play no/such/file.wav: "), 0u) << errors;
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << "one line: " << errors;

    close_sound();
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
    mixer_play("no/such/file.wav");  // after closing, requests are ignored
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
