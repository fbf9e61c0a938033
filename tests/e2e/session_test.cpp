// One session with the real program, as a player has it: the console at start-up, both windows,
// the views switched from either window, wire-frame mode, a take-off paused (the engine falls
// silent) and ended on the aircraft's belly with the explosion and its sound, the other flight
// model and back, RESET from the options window, the figures on from its box and off with I, a
// finer terrain, EXIT.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

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

// Where the options window's controls stand (see reference/options.png).
const int wireframe_box[2] = {25, 83}, real_flight_box[2] = {193, 80}, figures_box[2] = {193, 103};
const int reset_button[2] = {226, 133}, exit_button[2] = {226, 156};

// The aircraft's metal skin in the lit scene, and the explosion's yellow to orange.
bool is_skin(const unsigned char* p)
{
    return p[0] > 150 && p[2] > p[0] + 15 && p[2] >= p[1] && p[1] > p[0];
}
bool is_fire(const unsigned char* p) { return p[0] > 180 && p[1] > 60 && p[2] + 80 < p[0]; }

// The loudest sample in the 16-bit audio that SDL's disk driver has written so far, from the
// byte `from` on, and how many bytes it has written.
int loudest(const std::string& path, size_t from = 0)
{
    std::ifstream file(path, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(file), {});
    int loudest = 0;
    for (size_t i = from & ~size_t(1); i + 1 < bytes.size(); i += 2)
        loudest = std::max(loudest, std::abs(int(int16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8))));
    return loudest;
}
size_t written(const std::string& path) { return std::filesystem::file_size(path); }

// The options window with its flight figures, which change from run to run, painted over.
Frame controls_of(const std::string& options)
{
    Frame frame = screenshot(options);
    for (int y = 168; y < frame.height; ++y)
        std::fill_n(&frame.rgb[(y * frame.width + 176) * 3], (frame.width - 176) * 3, 0);
    return frame;
}

void click(const std::string& window_id, const int (&at)[2])
{
    mouse(window_id, at[0], at[1], "click", 1);
    pause(500);
}

TEST(Session, FromStartUpToACrashResetAndExit)
{
    const std::string audio = KESTRIX_ARTIFACTS "/crash_audio.raw";
    Kestrix program(KESTRIX_ROOT, {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + audio});
    const std::string main = find_window("Kestrix b0.xxx"), options = find_window("Options Box");
    ASSERT_FALSE(main.empty() || options.empty()) << program.errors();
    const std::regex two_figures("(\r  FPS = ([0-9]+)\\.[0-9]{2}    ){2}");
    ASSERT_TRUE(program.wait_for_output(two_figures, 60)) << program.output();

    // The banner, a measured clock rate, the renderer, and the start level's size; then the
    // frame rate, each figure overwriting the last in place.
    const std::string console = program.output();
    ASSERT_EQ(console.compare(0, std::string(banner).size(), banner), 0) << console;
    std::smatch lines;
    const std::string after_banner = console.substr(std::string(banner).size());
    ASSERT_TRUE(std::regex_match(after_banner, lines, std::regex(
        "  CPU: ([0-9]+)mhz\n  Renderer: [^\n]+ [^\n]+\n  OpenGL Version: [^\n]+\n\n"
        "  Terrain: 3528 triangles\n\n\r  FPS = ([0-9]+)\\.[0-9]{2}    (\r  FPS = [0-9.]+    )+")))
        << console;
    EXPECT_GE(std::stoi(lines[1]), 100) << "a clock rate in MHz";
    EXPECT_GE(std::stoi(lines[2]), 5) << "frames a second";

    EXPECT_EQ(window_geometry(main), "640x480 at 100,100");
    EXPECT_EQ(window_geometry(options), "434x330 at 192,610");
    EXPECT_TRUE(matches_reference("chase", screenshot(main)));
    EXPECT_TRUE(matches_reference("options", controls_of(options)));

    // T pressed in the options window switches the main window to the tower's view, and the
    // tick follows; T in the main window switches back.
    press(options, "t");
    pause(500);
    EXPECT_TRUE(matches_reference("tower", screenshot(main)));
    EXPECT_TRUE(matches_reference("options_tower", controls_of(options)));
    press(main, "t");
    click(options, wireframe_box);
    EXPECT_TRUE(matches_reference("wireframe", screenshot(main)));
    click(options, wireframe_box);
    EXPECT_TRUE(matches_reference("options", controls_of(options)));

    press(main, "r");
    pause(500);
    EXPECT_TRUE(matches_reference("reset", screenshot(main)));
    EXPECT_EQ(loudest(audio), 0) << "silence before the crash";

    // Take off with full throttle, nose up, gear up in the air, then nose down into the ground.
    // On the runway the engine sounds; paused, it falls silent, and the flight holds.
    press(main, "plus", 67);
    pause(1000);
    EXPECT_GT(loudest(audio), 3000) << "the engine";
    press(main, "p"), pause(1000);
    const size_t paused_at = written(audio);
    pause(1000);
    const int while_paused = loudest(audio, paused_at);  // before the engine may start again
    press(main, "p");
    EXPECT_EQ(while_paused, 0) << "the engine while paused";
    pause(500);
    press(main, "Down", 4);
    pause(1500);
    press(main, "g");
    pause(1000);
    press(main, "End");
    press(main, "Up", 8);
    auto pixels = [](const Frame& f, bool (*test)(const unsigned char*)) {
        int n = 0;
        for (size_t i = 0; i < f.rgb.size(); i += 3) n += test(&f.rgb[i]);
        return n;
    };
    Frame burning;
    for (int tries = 0; tries < 40 && pixels(burning, is_fire) < 300; ++tries, pause(500))
        burning = screenshot(main);
    ASSERT_GE(pixels(burning, is_fire), 300) << "no explosion within 20 seconds";
    pause(1000);  // the crash frame itself still shows the aircraft
    const Frame later = screenshot(main);
    EXPECT_GE(pixels(later, is_fire), 300) << "the explosion goes on";
    EXPECT_LT(pixels(later, is_skin), 20) << "the aircraft is gone";
    EXPECT_GT(loudest(audio), 20000) << "the crash sound: the engine, at most 1.6 times 12000, stays below";
    EXPECT_TRUE(matches_reference("options_crashed", controls_of(options)));

    // The real-flight box acts as M: the other model, from the start; clicked again, back.
    click(options, real_flight_box);
    EXPECT_TRUE(matches_reference("options_real", controls_of(options)));  // the aircraft shown
    click(options, real_flight_box);
    click(options, reset_button);
    EXPECT_TRUE(matches_reference("reset", screenshot(main)));
    EXPECT_TRUE(matches_reference("options", controls_of(options)));
    click(options, figures_box);  // the figures at the start; I hides them again
    EXPECT_TRUE(matches_reference("figures_reset", screenshot(main)));
    press(main, "i"), pause(500);
    EXPECT_TRUE(matches_reference("reset", screenshot(main)));

    press(main, "a");
    EXPECT_TRUE(program.wait_for_output(std::regex("  Terrain: 14112 triangles\n\n"), 10));
    click(options, exit_button);
    EXPECT_EQ(program.wait_exit(10), 0);
    EXPECT_EQ(program.errors(), "");
}

}  // namespace
