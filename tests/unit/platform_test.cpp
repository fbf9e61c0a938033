// The platform's sound player, message line, data directory and screenshot files.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "aircraft/EngineSound.h"
#include "aircraft/StallHorn.h"
#include "cockpit/Figures.h"
#include "core/Timer.h"
#include "platform/DataDir.h"
#include "platform/Message.h"
#include "platform/Screenshot.h"
#include "platform/Sound.h"
#include "platform/UserDirs.h"

namespace {

int stopped = 0;

// Without a device the program says so in one line and goes on silently. With one, a single
// channel plays: a new request cuts off the sound still playing and starts it again, and a file
// that cannot be loaded is reported once. The engine beside it follows the power and the volume.
TEST(Sound, ChannelAndEngineOrSilence)
{
    const std::string tone = KESTRIX_ROOT "/Data/Explo.wav";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(init_sound());
    mixer_play(tone.c_str()), start_engine_sound();  // the engine plays once a device opens
    const std::string silent = testing::internal::GetCapturedStderr();
    EXPECT_EQ(silent.rfind("No sound: ", 0), 0u) << silent;
    EXPECT_EQ(silent.find('\n'), silent.size() - 1) << silent;

    const std::string raw = testing::TempDir() + "kestrix-sound-" + std::to_string(getpid());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "4", 1);  // ms per 46 ms buffer: about ten times real time
    ASSERT_TRUE(init_sound());
    stopped = 0, Mix_ChannelFinished([](int) { ++stopped; });
    mixer_play(tone.c_str());
    mixer_play(tone.c_str());
    EXPECT_EQ(stopped, 1);
    EXPECT_EQ(Mix_Playing(-1), 1);
    // The volume reaches the sound that plays, at once.
    for (const int percent : {50, 0, 100}) {
        set_sound_volume(percent);
        EXPECT_EQ(Mix_Volume(0, -1), percent * MIX_MAX_VOLUME / 100);
    }
    // 0.25 s of what the disk driver writes (44.1 kHz, 16-bit stereo) after 0.8 s to settle.
    auto listen = [&](float power, int volume) {
        set_sound_volume(volume), set_engine_sound(power);
        const size_t from = std::filesystem::file_size(raw) + 44100 * 4 * 8 / 10;
        std::vector<int16_t> s(44100 / 2);
        while (std::filesystem::file_size(raw) < from + s.size() * 2) SDL_Delay(1);
        std::ifstream(raw, std::ios::binary).seekg(from).read((char*)s.data(), s.size() * 2);
        return s;
    };
    auto swings = [](const std::vector<int16_t>& s, int n = 0, int side = 0) {  // firing rate
        for (const int v : s)
            if (std::abs(v) > 1000 && (v > 0) != (side > 0)) side = v, ++n;
        return n;
    };
    EXPECT_GT(swings(listen(0, 100)), 0) << "the explosion goes on";
    const int full = swings(listen(1, 100)), low = swings(listen(15 / 1005.0f, 100));
    EXPECT_TRUE(low > 10 && full > 3 * low) << "firings 31 and 110 a second; swings: " << low << ", " << full;
    EXPECT_TRUE(listen(0, 100) == std::vector<int16_t>(44100 / 2)) << "the power dropped";
    EXPECT_TRUE(listen(1, 0) == std::vector<int16_t>(44100 / 2)) << "muted";
    // The stall horn on its own channel: the explosion's sound does not cut it off.
    Mix_HaltChannel(0), set_stall_horn(true), mixer_play(tone.c_str());
    EXPECT_EQ(Mix_Playing(-1), 2);
    Mix_HaltChannel(0);
    EXPECT_GT(swings(listen(0, 100)), 300) << "880 Hz: 440 swings in 0.25 s";
    set_stall_horn(false);
    EXPECT_TRUE(listen(0, 100) == std::vector<int16_t>(44100 / 2)) << "the horn stopped";
    const auto peak = [](const std::vector<int16_t>& s) {
        return std::abs(*std::max_element(s.begin(), s.end(), [](int a, int b) { return std::abs(a) < std::abs(b); }));
    };
    const double loud = peak(listen(1, 100));
    for (const int volume : {50, 25})
        EXPECT_NEAR(peak(listen(1, volume)) / loud, volume / 100.0, 0.05) << "at volume " << volume;
    testing::internal::CaptureStderr();
    mixer_play("no/such.wav");
    mixer_play("no/such.wav");
    const std::string missing = testing::internal::GetCapturedStderr();
    EXPECT_EQ(missing.rfind("Cannot play no/such.wav: ", 0), 0u) << missing;
    EXPECT_EQ(missing.find('\n'), missing.size() - 1) << missing;
    close_sound();
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
    unsetenv("SDL_AUDIODRIVER");
    std::filesystem::remove(raw);
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
// found from the program's own directory. Where none holds all, the place that holds the most
// is taken, and one line names what is wrong there; with none, one line names every place. The
// main window's message line says it in short from the frame loop's first pass.
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
    fs::remove(scratch / "partial/Sky.bmp"), mkfifo((scratch / "partial/Sky.bmp").c_str(), 0600);
    const std::string full = (scratch / "full").string(), partial = (scratch / "partial").string();
    const struct {
        std::vector<std::string> candidates;
        bool found;
        std::string chosen, said, shown;
    } searches[] = {
        {{partial, full, "/none"}, true, full, "", ""},
        {{"/nowhere", partial, "/none"}, true, partial, "Game data in " + partial + " that cannot "
         "be used, the program runs without it: Sky.bmp (a pipe or FIFO, not a regular file), "
         "Font.bmp (No such file or directory)\n",
         "Game data that cannot be used: Sky.bmp, Font.bmp"},
        {{"/nowhere", "/none"}, false, partial, "No game data (images and sounds) found in "
         "/nowhere, /none: the program runs without them\n",
         "No game data (images and sounds) found"},
    };
    for (const auto& search : searches) {
        const std::string before = message_shown();
        testing::internal::CaptureStderr();
        EXPECT_EQ(find_data_dir(search.candidates), search.found);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), search.said);
        note_data_problem();  // as a pass of the frame loop does
        EXPECT_EQ(message_shown(), search.shown.empty() ? before : search.shown);
        EXPECT_EQ(data_file("Sky.bmp"), search.chosen + "/Sky.bmp") << "none found: as it was";
    }
    data_dir = "Data";
    fs::remove_all(scratch);
}

// Screenshots are named after the local time and go to the pictures directory of the user's
// XDG settings ($HOME in it meaning the home directory), else (also where a FIFO stands in for
// those settings) to the current directory.
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
    mkfifo((home / "fifo").c_str(), 0600);
    EXPECT_EQ(pictures_dir((home / "fifo").string(), home.string()), ".") << "at once, not waiting";
    std::filesystem::remove_all(home);
}

}  // namespace
