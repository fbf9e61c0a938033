// The settings file: written, read back, and damaged files taken apart entry by entry.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "shell/CommandLine.h"
#include "shell/SettingsFile.h"

namespace {

namespace fs = std::filesystem;

// A file's text; the entries it sets, then its messages (of more than ten, the last two).
TEST(SettingsFile, TakesGoodEntriesAndNamesBadLines)
{
    const std::string files[][2] = {
        {"[kestrix]\nlevel = 2\n volume=40 # x\r\n#fog=1\nfog=1\nfog=0", "volume=40 level=2 "},
        {"fog = 2\nvolume = 4294967336\nlevel = 1x", "f:1: fog takes 0 to 1, not '2'|f:2: volume "
         "takes 0 to 100, not '4294967336'|f:3: level takes 0 to 3, not '1x'|"},
        {"speed = 3\nwords\n[kestrix\nlevel = 3\n[other]\nmute = 1\n[ kestrix ]\nfigures=1",
         "figures=1 level=3 f:1: unknown key 'speed'|f:2: not a 'key = value' line|"
         "f:3: not a '[section]' line|f:5: unknown section [other]; its entries are ignored|"},
        {std::string("\x01\xff\0=1\nlevel\t=\t3", 15), "level=3 f:1: unknown key '?\?\?'|"},
        {std::string(201, '#') + "\nplane = 1", "plane=1 f:1: line longer than 200 characters|"},
        {"=\n=\n=\n=\n=\n=\n=\n=\n=\n=\n=\n=", "f:10: unknown key ''|f: 2 more bad lines|"},
    };
    for (const auto& [text, expected] : files) {
        SettingValues values{};
        const std::vector<std::string> said = parse_settings(text, "f", values);
        std::string got;
        for (size_t i = 0; i < values.size(); ++i)
            if (values[i]) got += settings_table[i].key + ("=" + std::to_string(values[i])) + " ";
        for (size_t i = said.size() > 10 ? 9 : 0; i < said.size(); ++i) got += said[i] + "|";
        EXPECT_EQ(got, expected) << text;
    }
}

// Written through a new name renamed over the old file, flags as 0 or 1 and the others kept to
// their range; anything else at its place stays, with one message on reading, an error on writing.
TEST(SettingsFile, WrittenWholeAndReadBack)
{
    const fs::path dir = fs::temp_directory_path() / ("kestrix-set-" + std::to_string(getpid()));
    const std::string file = dir / "new/settings.ini";
    SettingValues low, high, beyond, old, now;
    for (size_t i = 0; i < low.size(); ++i)
        low[i] = settings_table[i].low, high[i] = settings_table[i].high, beyond[i] = high[i] + 7;
    EXPECT_EQ(write_settings(file, format_settings(beyond)), "");
    fs::create_hard_link(file, dir / "old");
    EXPECT_EQ(write_settings(file, format_settings(low)), "") << "over the old one";
    read_settings(dir / "old", old = low), read_settings(file, now = high);
    EXPECT_TRUE(old == high && now == low) << "the old file stays whole; beyond is written as high";

    fs::create_directories(dir / "directory/settings.ini");
    mkfifo((dir / "fifo").c_str(), 0600);
    write_settings(dir / "long", "plane = 0" + std::string(65536, '\n'));
    for (const std::string odd : {"directory/settings.ini", "fifo", "long", "long/settings.ini"})
        EXPECT_TRUE(read_settings(dir / odd, now = high).size() == 1 && now == high) << odd;
    for (const char* place : {"directory/settings.ini", "long/settings.ini"})
        EXPECT_NE(write_settings(dir / place, ""), "") << place;
    fs::remove_all(dir);
}

// Kept at exit (file 0, start 1, now 2 but the mute): the player's settings; one the command line
// gave, the file's unless changed; a replay's level, flags and model, the file's. Not --defaults.
TEST(SettingsFile, KeepsWhatThePlayerChose)
{
    CommandLine line;
    line.replay = "r", line.mute = line.fullscreen = true;
    SettingValues file{}, start, now;
    start.fill(1), now.fill(2), now[11] = 1;
    std::string kept;
    for (int v : settings_to_keep(file, start, now, setting_sources(line))) kept += char('0' + v);
    EXPECT_EQ(kept, "000000000020202");
    line.defaults = true;
    EXPECT_FALSE(uses_settings_file(line));
    EXPECT_EQ(settings_path("/c", "/h") + settings_path("c", "/h") + settings_path(nullptr, "h"),
              "/c/kestrix/settings.ini/h/.config/kestrix/settings.ini");
}

}  // namespace
