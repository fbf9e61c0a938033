// The platform's sound player and message line.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <string>

#include "platform/Message.h"
#include "platform/Sound.h"

namespace {

int stopped = 0;

// Without a device the program says so in one line and goes on silently. With one, a single
// channel plays: a new request cuts off the sound still playing and starts it again, and a file
// that cannot be loaded is reported once.
TEST(Sound, OneChannelOrSilence)
{
    const std::string tone = KESTRIX_ROOT "/Data/Explo.wav";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(init_sound());
    mixer_play(tone.c_str());
    const std::string silent = testing::internal::GetCapturedStderr();
    EXPECT_EQ(silent.rfind("No sound: ", 0), 0u) << silent;
    EXPECT_EQ(silent.find('\n'), silent.size() - 1) << silent;

    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(init_sound());
    stopped = 0;
    Mix_ChannelFinished([](int) { ++stopped; });
    mixer_play(tone.c_str());
    mixer_play(tone.c_str());
    EXPECT_EQ(stopped, 1);
    EXPECT_EQ(Mix_Playing(-1), 1);
    testing::internal::CaptureStderr();
    mixer_play("no/such.wav");
    mixer_play("no/such.wav");
    const std::string missing = testing::internal::GetCapturedStderr();
    EXPECT_EQ(missing.rfind("Cannot play no/such.wav: ", 0), 0u) << missing;
    EXPECT_EQ(missing.find('\n'), missing.size() - 1) << missing;
    close_sound();
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
    unsetenv("SDL_AUDIODRIVER");
}

// Where no display answers, a message is its line on stderr, with one newline.
TEST(Message, WithoutADisplayALineOnStderr)
{
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    testing::internal::CaptureStderr();
    message_box("Unknown DIB file format.");
    message_box("Failed to open DIB file Data/Sky.bmp.\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Unknown DIB file format.\nFailed to open DIB file Data/Sky.bmp.\n");
    if (display) setenv("DISPLAY", saved.c_str(), 1);
}

}  // namespace
