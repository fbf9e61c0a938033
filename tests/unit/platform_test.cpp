// The platform's sound player, message line, data directory and screenshot files.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/DataDir.h"
#include "platform/Message.h"
#include "platform/Screenshot.h"
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
    // The volume reaches the sound that plays, at once.
    for (const int percent : {50, 0, 100}) {
        set_sound_volume(percent);
        EXPECT_EQ(Mix_Volume(0, -1), percent * MIX_MAX_VOLUME / 100);
    }
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

// The data is read from the first place that holds every data file; the installed place is
// found from the program's own directory. With none, one line names every place looked in.
TEST(DataDir, FirstPlaceWithEveryFile)
{
    EXPECT_EQ(data_candidates("", "/opt/k/bin/kestrix", "../share/kestrix/Data"),
              (std::vector<std::string>{"Data", "/opt/k/bin/Data", "/opt/k/Data", "/opt/k/share/kestrix/Data"}));
    EXPECT_EQ(data_candidates("/mine", "/opt/k/bin/kestrix", "../share/kestrix/Data"),
              std::vector<std::string>{"/mine"});

    namespace fs = std::filesystem;
    const fs::path scratch = fs::temp_directory_path() / ("kestrix-data-" + std::to_string(getpid()));
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    fs::copy(KESTRIX_ROOT "/Data", scratch / "full");
    fs::copy(KESTRIX_ROOT "/Data", scratch / "partial");
    fs::remove(scratch / "partial/Font.bmp");
    const std::string full = (scratch / "full").string(), partial = (scratch / "partial").string();

    testing::internal::CaptureStderr();
    EXPECT_TRUE(find_data_dir({partial, full, "Data"}));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(data_file("Sky.bmp"), full + "/Sky.bmp");

    testing::internal::CaptureStderr();
    EXPECT_FALSE(find_data_dir({partial, "/nowhere"}));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "No game data (images and sounds) found in " + partial + ", /nowhere: the program "
              "runs without them\n");
    EXPECT_EQ(data_dir, full) << "left as it was";
    data_dir = "Data";
    fs::remove_all(scratch);
}

// Screenshots are named after the local time and go to the pictures directory of the user's
// XDG settings ($HOME in it meaning the home directory), else to the current directory.
TEST(Screenshot, NameAndPlace)
{
    std::tm when{};
    when.tm_year = 126, when.tm_mon = 11, when.tm_mday = 7, when.tm_hour = 9, when.tm_min = 5;
    EXPECT_EQ(screenshot_name(when), "kestrix-20261207-090500.png");

    const std::filesystem::path home = std::filesystem::temp_directory_path() / ("kestrix-home-" + std::to_string(getpid()));
    std::filesystem::create_directories(home / "Pics");
    const std::string dirs = (home / "user-dirs.dirs").string();
    std::ofstream(dirs) << "# written by xdg-user-dirs-update\nXDG_PICTURES_DIR=\"$HOME/Pics\"\n";
    EXPECT_EQ(pictures_dir(dirs, home.string()), (home / "Pics").string());
    EXPECT_EQ(pictures_dir(dirs, "/nowhere"), ".");
    EXPECT_EQ(pictures_dir("/nowhere/user-dirs.dirs", home.string()), ".");
    std::filesystem::remove_all(home);
}

}  // namespace
