// A damaged image in the data: the reader's message box, and the program going on without that
// image, and without two others that are no files; then full screen and back, and the mouse
// buttons.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>

#include "e2e_support.h"

namespace fs = std::filesystem;

namespace {

// The id of a top-level window titled exactly `title`, or "" after `seconds`. SDL's message box
// names itself with a UTF-8 typed WM_NAME, which xdotool's name search passes over, so this
// reads the window tree instead.
std::string window_in_tree(const std::string& title, double seconds)
{
    for (int tries = 0; tries < seconds * 10; ++tries, pause(100)) {
        const std::string tree = run_command("xwininfo -root -children 2>/dev/null");
        std::smatch match;
        if (std::regex_search(tree, match, std::regex("(0x[0-9a-f]+) \"" + title + "\"")))
            return match[1];
    }
    return "";
}

TEST(Startup, DamagedImageFullScreenAndMouseButtons)
{
    // A copy of Data/ whose sky has a header the reader does not know (a 108-byte one), with a
    // FIFO and a directory in the places of two images that are never shown.
    const fs::path dir = fs::temp_directory_path() / ("kestrix-damaged-" + std::to_string(getpid()));
    const std::string data = (dir / "Data").string(), flight = (dir / "flight.rec").string();
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy(fs::path(KESTRIX_ROOT) / "Data", data);
    std::fstream(dir / "Data/Sky.bmp", std::ios::in | std::ios::out | std::ios::binary).seekp(14).put(108);
    fs::remove(dir / "Data/Water.bmp"), mkfifo((dir / "Data/Water.bmp").c_str(), 0600);
    fs::remove(dir / "Data/Terrain.bmp"), fs::create_directory(dir / "Data/Terrain.bmp");
    const std::string said = "Game data in " + data + " that cannot be used, the program runs "
        "without it: Terrain.bmp (a directory, not a regular file), Water.bmp (a pipe or FIFO, not "
        "a regular file)\nUnknown DIB file format.\n";

    Kestrix program(dir.string(), {"SDL_AUDIODRIVER=dummy"}, {"--data", data});
    const std::string box = window_in_tree("Error", 20);
    ASSERT_FALSE(box.empty()) << "no message box; stderr: " << program.errors();
    EXPECT_EQ(program.errors(), said);
    EXPECT_EQ(program.output().find("FPS"), std::string::npos) << "start-up waits for the box";

    // Return presses the box's OK button; start-up then goes on with the sky left empty.
    run_command("xdotool windowfocus --sync " + box + " key Return 2>/dev/null");
    ASSERT_TRUE(program.wait_for_output(std::regex("FPS = "), 60)) << program.output();
    const std::string main = find_window("Kestrix b0.xxx");
    ASSERT_FALSE(main.empty());
    EXPECT_EQ(program.errors(), said);

    // F1 covers the screen exactly, without a window manager too; F2 brings the window back to
    // its start size and place.
    press(main, "F1");
    pause(1000);
    EXPECT_EQ(window_geometry(main), "1280x1024 at 0,0");
    press(main, "F2");
    pause(1000);
    EXPECT_EQ(window_geometry(main), "640x480 at 100,100");

    // The right button ends the program as it goes down; the others do nothing.
    for (int button : {1, 2}) {
        mouse(main, 320, 240, "click", button);
        pause(300);
        EXPECT_TRUE(program.running()) << "button " << button;
    }
    mouse(main, 320, 240, "mousedown", 3);
    EXPECT_EQ(program.wait_exit(10), 0);
    run_command("xdotool mouseup 3");

    // SIGTERM ends a flight being recorded at once, though the box waits for an answer; the
    // box goes with it.
    Kestrix recording(dir.string(), {"SDL_AUDIODRIVER=dummy"},
                      {"--data", data, "--record", flight});
    ASSERT_FALSE(window_in_tree("Error", 20).empty()) << recording.errors();
    recording.send(SIGTERM);
    EXPECT_EQ(recording.wait_exit(10), 128 + SIGTERM);
    pause(500);
    EXPECT_EQ(window_in_tree("Error", 1), "") << "the box outlived its program";
    const std::regex whole("\nflight simple\nend 0\n$");
    const std::string recorded = run_command("cat " + flight);
    EXPECT_TRUE(std::regex_search(recorded, whole)) << recorded;
    fs::remove_all(dir);
}

}  // namespace
