// The settings file: written, read back, and damaged files taken apart entry by entry.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "core/Settings.h"
#include "core/StepClock.h"
#include "shell/CommandLine.h"
#include "shell/RecordingFormat.h"
#include "shell/SettingsFile.h"
#include "shell/Startup.h"

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
        {"=\n=\n=\n=\n=\n=\n=\n=\n=\n=\n=", "f:10: unknown key ''|f: 1 more bad line|"},
    };
    for (const auto& [text, expected] : files) {
        SwitchValues values{};
        const std::vector<std::string> said = parse_settings(text, "f", values);
        std::string got;
        for (size_t i = 0; i < values.size(); ++i)
            if (values[i]) got += switches[i].setting + ("=" + std::to_string(values[i])) + " ";
        for (size_t i = said.size() > 10 ? 9 : 0; i < said.size(); ++i) got += said[i] + "|";
        EXPECT_EQ(got, expected) << text;
    }
}

// Written through a new name renamed over the old file, flags as 0 or 1 and the others kept to
// their range; a directory or a file on the way stays, with one message on reading, an error on
// writing.
TEST(SettingsFile, WrittenWholeAndReadBack)
{
    const fs::path dir = fs::temp_directory_path() / ("kestrix-set-" + std::to_string(getpid()));
    const std::string file = dir / "new/settings.ini";
    SwitchValues low, high, beyond, old, now;
    for (size_t i = 0; i < low.size(); ++i)
        low[i] = switches[i].low, high[i] = switches[i].high, beyond[i] = high[i] + 7;
    EXPECT_EQ(write_settings(file, format_settings(beyond)), "");
    fs::create_hard_link(file, dir / "old");
    EXPECT_EQ(write_settings(file, format_settings(low)), "") << "over the old one";
    std::vector<std::string> said;
    read_settings(dir / "old", old = low, said), read_settings(file, now = high, said);
    EXPECT_TRUE(old == high && now == low) << "the old file stays whole; beyond is written as high";

    fs::create_directories(dir / "directory/settings.ini");
    for (const char* place : {"directory/settings.ini", "old/settings.ini"}) {
        EXPECT_TRUE(read_settings(dir / place, now = high, said) == FileState::Refused &&
                    said.size() == 1 && now == high) << place;
        EXPECT_NE(write_settings(dir / place, ""), "") << place;
    }
    fs::remove_all(dir);
}

// A run's start from `arguments` and its normal exit, in a child process with its settings
// under `config`; the player chooses level 3, volume 30 and sound during the run.
void run_once(const fs::path& config, std::vector<std::string> arguments = {})
{
    std::fflush(nullptr);
    if (fork() != 0) return (void)wait(nullptr);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    if (!freopen("/dev/null", "w", stderr)) std::exit(1);
    step_count = 0;  // a new run's: the steps other tests took would be in its recording
    std::vector<char*> argv = {const_cast<char*>("kestrix")};
    for (std::string& argument : arguments) argv.push_back(argument.data());
    const CommandLine line = parse_command_line(int(argv.size()), argv.data());
    std::string error;
    if (!start_run(line, error)) std::exit(1);
    keep_settings(line);
    level = 3, sound_volume = 30, sound_mute = 0;
    std::exit(0);
}

// A file the run could not read stays as it was; one it read is written through its link, with
// its mode, and the temporary files of saves killed a while ago go, a fresh one stays.
TEST(SettingsFile, ExitKeepsWhatIsThePlayers)
{
    const fs::path config = fs::temp_directory_path() / ("kestrix-run-" + std::to_string(getpid()));
    const fs::path file = config / "kestrix/settings.ini", kept = config / "mine/settings.ini";
    const auto text = [](const fs::path& path) {
        std::ifstream in(path);
        return std::string{std::istreambuf_iterator<char>(in), {}};
    };
    write_settings(file, "level = 1\n" + std::string(65536, '#'));
    run_once(config);
    EXPECT_EQ(text(file).size(), 10 + 65536u) << "too long to read, and left as it is";
    fs::remove(file), mkfifo(file.c_str(), 0600);
    run_once(config);
    EXPECT_TRUE(fs::is_fifo(file));

    fs::remove(file), fs::create_symlink("../mine/settings.ini", file);
    for (const char* name : {"settings.ini", ".settings.ini.Stale1", ".settings.ini.Fresh1"})
        write_settings(kept.parent_path() / name, "level = 1\n");
    chmod(kept.c_str(), 0640);
    fs::last_write_time(kept.parent_path() / ".settings.ini.Stale1",
                        fs::file_time_type::clock::now() - std::chrono::minutes(2));
    run_once(config);
    EXPECT_TRUE(fs::is_symlink(file) && text(kept).find("\nlevel = 3\n") != std::string::npos);
    EXPECT_EQ(fs::status(kept).permissions(), fs::perms(0640));
    std::set<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(kept.parent_path()))
        left.insert(entry.path().filename());
    EXPECT_EQ(left, (std::set<std::string>{".settings.ini.Fresh1", "settings.ini"}));
    fs::remove_all(config);
}

// A run that replays and records: the replay's flight model holds over the settings' and the
// command line's (the new recording names the model flown), the command line's level over the
// replay's. At exit the file keeps its own values where either set them, and the player's.
TEST(SettingsFile, ARunsCommandLineAndReplayStayInTheRun)
{
    const fs::path config = fs::temp_directory_path() / ("kestrix-cl-" + std::to_string(getpid()));
    const fs::path file = config / "kestrix/settings.ini";
    const std::string replayed = config / "flown.rec", recorded = config / "new.rec";
    write_settings(file, "level = 0\nreal_flight = 1\nfog = 0\ntower_view = 0\nvolume = 40\n"
                         "mute = 1\nfullscreen = 0\n");
    write_settings(replayed, "kestrix-recording 2\nprogram 1\nlevel 1\noptions fog 1 tower 1\n"
                             "flight simple\nend 1\n");
    run_once(config, {"--replay", replayed, "--flight", "real", "--level=2", "--mute",
                      "--fullscreen", "--record", recorded});
    Recording made;
    std::string error;
    ASSERT_TRUE(read_recording(recorded, made, error)) << error;
    SwitchValues kept;
    std::vector<std::string> said;
    read_settings(file, kept, said);
    const auto named = [](const SwitchValues& v, std::initializer_list<const int*> which) {
        std::string text;
        for (const int* s : which)
            text += switches[switch_of(s)].setting + ("=" + std::to_string(v[size_t(switch_of(s))])) + " ";
        return text;
    };
    EXPECT_EQ(named(made.switches, {&level, &real_flight, &fog_enable, &tower_view}),
              "level=2 real_flight=0 fog=1 tower_view=1 ");
    EXPECT_EQ(named(kept, {&level, &real_flight, &fog_enable, &tower_view, &sound_volume,
                           &sound_mute, &full_screen}),
              "level=0 real_flight=1 fog=0 tower_view=0 volume=30 mute=0 fullscreen=0 ");
    CommandLine line;
    line.defaults = true;
    EXPECT_FALSE(uses_settings_file(line));
    EXPECT_EQ(settings_path("/c", "/h") + settings_path("c", "/h") + settings_path(nullptr, "h"),
              "/c/kestrix/settings.ini/h/.config/kestrix/settings.ini");
    fs::remove_all(config);
}

}  // namespace
