// A damaged image in Data/: the reader's message box, and the program going on without it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "e2e_support.h"

namespace fs = std::filesystem;

namespace {

// The id of a top-level window titled exactly `title`, or "" after `seconds`. SDL's message box
// names itself with a UTF-8 typed WM_NAME, which xdotool's name search passes over, so this
// reads the window tree instead.
std::string window_in_tree(const std::string& title, double seconds)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
        const std::string tree = run_command("xwininfo -root -children 2>/dev/null");
        std::smatch match;
        if (std::regex_search(tree, match, std::regex("(0x[0-9a-f]+) \"" + title + "\"")))
            return match[1];
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < until);
    return "";
}

}  // namespace

TEST(DamagedImage, MessageBoxSaysWhyAndTheProgramGoesOn)
{
    // A copy of Data/ whose sky has a header the reader does not know (a 108-byte one).
    const fs::path dir = fs::temp_directory_path() / ("kestrix-damaged-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy(fs::path(KESTRIX_ROOT) / "Data", dir / "Data");
    {
        std::fstream sky(dir / "Data/Sky.bmp", std::ios::in | std::ios::out | std::ios::binary);
        ASSERT_TRUE(sky);
        sky.seekp(14);
        sky.put(108);
    }

    Kestrix program(dir.string());
    const std::string box = window_in_tree("Error", 20);
    ASSERT_FALSE(box.empty()) << "no message box; stderr: " << program.errors();
    EXPECT_NE(program.errors().find("Unknown DIB file format.\n"), std::string::npos)
        << program.errors();
    EXPECT_TRUE(program.output().find("FPS") == std::string::npos) << "start-up waits for the box";

    const Image picture = screenshot(box, "damaged_image_message");
    EXPECT_GT(picture.width, 0);

    // Return presses the box's OK button; start-up then goes on with the sky left empty.
    run_command("xdotool windowfocus --sync " + box + " key Return");
    EXPECT_TRUE(program.wait_for_output(std::regex("FPS = "), 60)) << program.output();
    EXPECT_FALSE(program.window("Kestrix b0.xxx").empty());
    const std::string errors = program.errors();
    EXPECT_EQ(errors.find("Unknown DIB file format."), errors.rfind("Unknown DIB file format."))
        << "one message for one damaged file: " << errors;
    fs::remove_all(dir);
}
