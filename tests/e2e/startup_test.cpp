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
        "  OpenGL Version: [^\n]+\n\n"
        "  Terrain: 3528 triangles\n\n");
    std::smatch match;
    const std::string after_banner = console.substr(std::string(banner).size());
    ASSERT_TRUE(std::regex_search(after_banner, match, statistics)) << console;
    EXPECT_EQ(match.position(0), 0) << "the statistics follow the banner directly";
    EXPECT_EQ(console.find("Terrain:"), console.rfind("Terrain:")) << "one level report";
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

// Shares of sky-coloured pixels in the top rows and, in the lower half, of grass-green ones or
// of the runway's grey.
struct Picture {
    double sky_at_top;
    double ground_below;
};

Picture judge(const Image& image)
{
    int sky = 0, ground = 0;
    const int top_rows = 20;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const unsigned char* p = image.pixel(x, y);
            if (y < top_rows && p[2] > p[0] + 40 && p[2] + 10 >= p[1]) ++sky;
            const bool grass = is_grass(p);
            const bool runway = p[0] == p[1] && p[1] == p[2] && p[0] > 60 && p[0] < 120;
            if (y >= image.height / 2 && (grass || runway)) ++ground;
        }
    return {sky / double(top_rows * image.width), ground / (image.height / 2.0 * image.width)};
}

// From the start the runway and the landscape fill the view below the horizon, with the
// mountain rim standing against the sky; a finer level of detail looks the same from there.
TEST(Startup, MainWindowShowsTheLandscapeUnderTheSky)
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
    const Picture start = judge(image);
    EXPECT_GT(start.sky_at_top, 0.9);
    EXPECT_GT(start.ground_below, 0.9);

    run_command("xdotool key --window " + window + " a");
    ASSERT_TRUE(program.wait_for_output(std::regex("  Terrain: 14112 triangles\n\n"), 20))
        << program.output();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const Picture finer = judge(screenshot(window, "level2"));
    EXPECT_GT(finer.sky_at_top, 0.9);
    EXPECT_GT(finer.ground_below, 0.9);
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
