#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>

#include "e2e_support.h"

namespace {

const char* const banner =
    "\n\n"
    "  *******************************************\n"
    "  **    F L I G H T   S I M U L A T O R    **\n"
    "  *******************************************\n"
    "  *******************************************\n"
    "  **                                       **\n"
    "  **                                       **\n"
    "  **                                       **\n"
    "  *******************************************\n"
    "\n";

TEST(Startup, ConsoleShowsBannerClockRateRendererAndFrameRate)
{
    Kestrix program;
    const std::regex fps_figures("(\r  FPS = [0-9]+\\.[0-9]{2}    ){2}");
    ASSERT_TRUE(program.wait_for_output(fps_figures, 60)) << program.output();
    const std::string& console = program.output();

    ASSERT_EQ(console.compare(0, std::string(banner).size(), banner), 0) << console;
    const std::regex statistics(
        "  CPU: [0-9]+mhz\n"
        "  Renderer: [^\n]+ [^\n]+\n"
        "  OpenGL Version: [^\n]+\n\n");
    std::smatch match;
    const std::string after_banner = console.substr(std::string(banner).size());
    ASSERT_TRUE(std::regex_search(after_banner, match, statistics)) << console;
    EXPECT_EQ(match.position(0), 0) << "the statistics follow the banner directly";
    EXPECT_GT(std::stoi(after_banner.substr(7)), 0) << "a clock rate was measured";

    // Every figure overwrites the last in place: a carriage return first, no newline after.
    const size_t first_figure = console.find("\r  FPS = ");
    EXPECT_EQ(console.find('\n', first_figure), std::string::npos);

    // Every image of Data/ was read without a complaint from the bitmap reader.
    const std::string errors = program.errors();
    for (const char* message : {"Failed to open DIB file", "Unknown DIB file format.",
                                "Image file conversion error.", "Out of memory."})
        EXPECT_EQ(errors.find(message), std::string::npos) << errors;
}

TEST(Startup, MainWindowShowsTheClearColour)
{
    Kestrix program;
    const std::string window = program.window("Kestrix b0.xxx");
    ASSERT_FALSE(window.empty()) << program.output();
    const WindowGeometry geometry = window_geometry(window);
    EXPECT_EQ(geometry.width, 640);
    EXPECT_EQ(geometry.height, 480);
    EXPECT_EQ(geometry.x, 100);
    EXPECT_EQ(geometry.y, 100);

    ASSERT_TRUE(program.wait_for_output(std::regex("FPS = "), 60));
    const Image image = screenshot(window, "startup");
    ASSERT_EQ(image.width, 640);
    ASSERT_EQ(image.height, 480);
    int other = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const unsigned char* p = image.pixel(x, y);
            if (p[0] != 102 || p[1] != 204 || p[2] != 204) ++other;
        }
    EXPECT_EQ(other, 0) << "an empty scene is all clear colour (0.4, 0.8, 0.8)";
}

// The right button ends the program as it goes down, before its release; the other buttons do
// nothing.
TEST(Startup, RightButtonPressEndsWithStatusZero)
{
    Kestrix program;
    const std::string window = program.window("Kestrix b0.xxx");
    ASSERT_FALSE(window.empty()) << program.output();
    ASSERT_TRUE(program.wait_for_output(std::regex("FPS = "), 60));

    for (int button : {1, 2}) {
        mouse_button(window, "click", button);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        EXPECT_TRUE(program.running()) << "button " << button;
    }

    mouse_button(window, "mousedown", 3);
    const int status = program.wait_exit(10);
    run_command("xdotool mouseup 3");
    EXPECT_EQ(status, 0);
}

}  // namespace
