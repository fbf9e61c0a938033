// The program as a desktop launches it: from any directory, installed into a prefix of its own,
// with options on its command line, ended by a signal or by the player after another program
// destroyed one of its windows.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "e2e_support.h"

namespace fs = std::filesystem;

namespace {

const std::regex started("FPS = ");
// The program started through the shell here finds no settings file and can write none (a
// timedemo would say so): the developer's own are never touched.
const int no_settings = setenv("XDG_CONFIG_HOME", "/proc/kestrix-none", 1);

// Ctrl+C and kill end the program with the signal's own status, also while a sound device is
// open (SDL's disk driver counts as one) and a flight is recorded, which is closed whole first;
// its header names the flight model the command line chose. (How soon: bench/hostile_files.sh.)
TEST(Desktop, SignalsEndItAtOnce)
{
    const std::string flight = fs::temp_directory_path() / ("kestrix-rec-" + std::to_string(getpid()));
    for (int signal : {SIGINT, SIGTERM}) {
        Kestrix program(KESTRIX_ROOT, {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=/dev/null"},
                        {"--record", flight, "--flight", "real"});
        ASSERT_TRUE(program.wait_for_output(started, 60)) << program.errors();
        program.send(signal);
        EXPECT_EQ(program.wait_exit(10), 128 + signal) << strsignal(signal);
        const std::string recorded = run_command("cat " + flight);
        const std::regex whole("^kestrix-recording 2\n[^]*\nflight real\n[^]*end [0-9]+\n$");
        EXPECT_TRUE(std::regex_search(recorded, whole)) << recorded;
    }
    fs::remove(flight);
}

// Started from elsewhere, the build tree's program finds Data/ beside its own directory, and the
// installed one finds the data installed with it: the first frame is the textured chase view.
// Esc ends either.
TEST(Desktop, FindsItsDataFromElsewhereAndInstalled)
{
    const fs::path prefix = fs::temp_directory_path() / ("kestrix-" + std::to_string(getpid()));
    fs::remove_all(prefix);
    ASSERT_EQ(run_command(KESTRIX_CMAKE " --install " KESTRIX_ARTIFACTS " --prefix " +
                          prefix.string() + " >/dev/null 2>&1 && echo done"), "done\n");
    const fs::path entry = prefix / "share/applications/kestrix.desktop";
    EXPECT_EQ(run_command("desktop-file-validate " + entry.string() + " 2>&1 && echo valid"),
              "valid\n");
    EXPECT_TRUE(fs::is_regular_file(prefix / "share/icons/hicolor/256x256/apps/kestrix.png"));

    const std::pair<std::string, std::string> launches[] = {
        {"/tmp", KESTRIX_BINARY}, {"/", (prefix / "bin/kestrix").string()}};
    for (const auto& [directory, binary] : launches) {
        Kestrix program(directory, {"SDL_AUDIODRIVER=dummy"}, {}, binary);
        const std::string main = find_window("Kestrix b0.xxx");
        ASSERT_TRUE(program.wait_for_output(started, 60)) << program.errors();
        EXPECT_TRUE(matches_reference("chase", screenshot(main))) << binary;
        press(main, "Escape");
        EXPECT_EQ(program.wait_exit(10), 0) << "Esc ends it";
        EXPECT_TRUE(std::regex_search(program.output(), std::regex("FPS = [0-9.]+    \n$")))
            << "the last report's line is ended";
        EXPECT_EQ(program.errors(), "") << binary;
    }
    fs::remove_all(prefix);
}

// What the command line asks for without starting: help, version, and refusals with status 2,
// also of recordings that cannot be read or written (at once, a FIFO among them); and a
// timedemo's one line, status 0.
TEST(Desktop, CommandLineAnswers)
{
    const std::string flight = fs::temp_directory_path() / ("kestrix-demo-" + std::to_string(getpid()));
    const std::string fifo = flight + ".fifo";
    mkfifo(fifo.c_str(), 0600);
    std::ofstream(flight) << "kestrix-recording 1\nprogram 0\nlevel 0\noptions fog 1 wireframe 0 "
                             "texture 1 lightmap 1 lighting 1 culling 1 tower 0 overlay 0 plane 1\n"
                             "1 key +\nend 90\n";
    const struct {
        std::string arguments, output;
        int status;
    } answers[] = {
        {"--replay=/dev/null", "^kestrix: /dev/null: a device, not a regular file\n$", 2},
        {"--record /nonexistent/f", "^kestrix: /nonexistent/f: No such file or directory\n$", 2},
        {"--record /dev/full", "^kestrix: /dev/full: No space left on device\n$", 2},
        {"--record " + fifo, "^kestrix: " + fifo + ": a FIFO that no program reads\n$", 2},
        {"--replay " + fifo, "^kestrix: " + fifo + ": a pipe or FIFO, not a regular file\n$", 2},
        {"--timedemo " + flight, "\n  Terrain: 882 triangles\n[^]*\n  Timedemo: 90 frames in [0-9.]+ s, "
         "[0-9.]+ frames a second, slowest frame [0-9.]+ ms, 1% low [0-9.]+ frames a second\n$", 0},
        {"--version --defaults", "^Kestrix " KESTRIX_VERSION "\n$", 0},
        {"--help", "^Usage: kestrix \\[OPTION\\]...\n[^]*--uncapped[^]*right button +quit\n[^\n]+\n$", 0},
        {"--fly", "^kestrix: unknown option '--fly' \\(try 'kestrix --help'\\)\n$", 2},
    };
    for (const auto& answer : answers) {
        std::string said = run_command(KESTRIX_BINARY " " + answer.arguments + " 2>&1; echo \"[$?]\"");
        const std::string status = "[" + std::to_string(answer.status) + "]\n";
        ASSERT_GT(said.size(), status.size()) << answer.arguments;
        EXPECT_EQ(said.substr(said.size() - status.size()), status) << said;
        said.resize(said.size() - status.size());
        EXPECT_TRUE(std::regex_search(said, std::regex(answer.output))) << said;
    }
    fs::remove(flight), fs::remove(fifo);
}

// Options, GLUT's among them, reach the program over the settings file's (its full screen too)
// for their run only; the program outlives its options window destroyed by another program, and
// ends with status 0 once the main window is, its only message the file's bad entry.
TEST(Desktop, StartOptionsAndWindowsDestroyedByAnotherProgram)
{
    const std::string display = getenv("DISPLAY");
    const std::string config = "/tmp/kestrix-settings-" + std::to_string(getpid());
    const std::string file = config + "/kestrix/settings.ini";
    fs::create_directories(config + "/kestrix");
    std::ofstream(file) << "level = 0\nreal_flight = 1\nvolume = 400\nfullscreen = 1\n";
    Kestrix program(KESTRIX_ROOT, {"SDL_AUDIODRIVER=dummy", "XDG_CONFIG_HOME=" + config},
                    {"--level=3", "-display", display, "--mute", "--uncapped", "--flight", "simple",
                     "-geometry", "800x600+10+10"});
    const std::string main = find_window("Kestrix b0.xxx"), options = find_window("Options Box");
    ASSERT_TRUE(program.wait_for_output(started, 60)) << program.errors();
    EXPECT_NE(program.output().find("  Terrain: 56448 triangles\n"), std::string::npos);
    EXPECT_EQ(window_geometry(main), "1280x1024 at 0,0") << "the whole screen";
    EXPECT_NE(window_geometry(options).find(" at 192,610"), std::string::npos) << "left alone";
    press(main, "F2");
    press(main, "t");  // tower view
    pause(1000);
    EXPECT_EQ(window_geometry(main), "800x600 at 10,10") << "F2 returns to the given geometry";

    run_command("xdotool windowclose " + options);
    pause(500);
    ASSERT_TRUE(program.running());
    run_command("xdotool windowclose " + main);
    EXPECT_EQ(program.wait_exit(10), 0);
    EXPECT_EQ(program.errors(), "kestrix: " + file + ":3: volume takes 0 to 100, not '400'\n");
    const std::string kept = "level = 0|real_flight = 1|volume = 100|mute = 0|fullscreen = 0";
    EXPECT_EQ(run_command("grep -cxE '" + kept + "|tower_view = 1' " + file), "6\n") << file;
    fs::remove_all(config);
}

}  // namespace
