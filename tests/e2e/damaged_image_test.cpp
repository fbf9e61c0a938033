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
    const std::string box = program.window("Error");
    ASSERT_FALSE(box.empty()) << "no message box; stderr: " << program.errors();
    EXPECT_NE(program.errors().find("Unknown DIB file format.\n"), std::string::npos)
        << program.errors();
    EXPECT_TRUE(program.output().find("FPS") == std::string::npos) << "start-up waits for the box";

    // Return presses the box's OK button; start-up then goes on with the sky left empty.
    run_command("xdotool windowfocus --sync " + box + " key Return");
    EXPECT_TRUE(program.wait_for_output(std::regex("FPS = "), 60)) << program.output();
    EXPECT_FALSE(program.window("Kestrix b0.xxx").empty());
    const std::string errors = program.errors();
    EXPECT_EQ(errors.find("Unknown DIB file format."), errors.rfind("Unknown DIB file format."))
        << "one message for one damaged file: " << errors;
    fs::remove_all(dir);
}
