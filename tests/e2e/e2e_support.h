// Drives the real kestrix binary under the X server named by DISPLAY: starts it from the
// repository root, reads its console, finds its windows, sends input with xdotool and takes
// screenshots with ImageMagick.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <regex>
#include <string>
#include <vector>

// Runs a shell command and returns what it printed on standard output.
std::string run_command(const std::string& command);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // rows top to bottom
    const unsigned char* pixel(int x, int y) const { return &rgb[3 * (size_t(y) * width + x)]; }
};

struct WindowGeometry {
    int x = 0, y = 0, width = 0, height = 0;
};

class Kestrix {
public:
    // Starts the program in `directory`, where it finds Data/, with the environment variables
    // `environment` ("NAME=value") added; its standard output goes to a pipe read by this
    // object, its standard error to a file.
    explicit Kestrix(const std::string& directory = KESTRIX_ROOT,
                     const std::vector<std::string>& environment = {});
    ~Kestrix();  // kills it if it still runs
    Kestrix(const Kestrix&) = delete;
    Kestrix& operator=(const Kestrix&) = delete;

    // Reads the console until `pattern` is found in it; false after `seconds` without a match.
    bool wait_for_output(const std::regex& pattern, double seconds);
    const std::string& output() const { return console; }
    // What the program has written to its standard error so far.
    std::string errors() const;

    // The X window id of the top-level window titled exactly `title`, or "" after `seconds`.
    std::string window(const std::string& title, double seconds = 20);

    bool running();
    // The exit status once the process has ended, or -1 if it still runs after `seconds`
    // (-2 if it ended by a signal).
    int wait_exit(double seconds);

private:
    void read_available();
    pid_t pid = -1;
    int out_fd = -1;
    int status = -1;
    bool ended = false;
    std::string console;
    std::string error_path;
};

WindowGeometry window_geometry(const std::string& window_id);
// The window's contents as the screen shows them; also saved as <name>.png under the build
// tree's screenshot folder for people to look at.
Image screenshot(const std::string& window_id, const std::string& name);
// Presses or releases a mouse button over the window (1 left, 2 middle, 3 right).
void mouse_button(const std::string& window_id, const std::string& action, int button);
// Clicks the left button at (x, y) of the window, then moves the pointer off every window.
void click(const std::string& window_id, int x, int y);
// Presses and releases the key `name` (an X key name: "plus", "Down", "t") `times` times, 10 ms
// apart, in the window.
void press(const std::string& window_id, const std::string& name, int times = 1);
void pause(int milliseconds);

// The aircraft's metal skin in the lit scene: light, and bluer than it is green, and greener
// than it is red. Grey scenery, white stripes, grass and fogged sky are none of these.
bool is_skin(const unsigned char* p);
// Grass and hills: clearly greener than red and blue.
bool is_grass(const unsigned char* p);
// Nearly colourless, as the untextured concrete and stripes are under a trace of fog.
bool is_grey(const unsigned char* p);
// Yellow to orange: the explosion's particles, added onto the scene.
bool is_fire(const unsigned char* p);
// Pixels of `image` inside [x0, x1) x [y0, y1) for which `test` holds.
int count(const Image& image, bool (*test)(const unsigned char*), int x0, int y0, int x1, int y1);

// Flies from the start into the ground on the aircraft's belly: full throttle, the take-off
// run, nose up, the gear up once in the air, then the nose down. Returns at once; the crash
// follows within seconds.
void fly_onto_the_belly(const std::string& window_id);
// Takes a screenshot named `name` every half second until the explosion shows in it (more than
// 300 fire pixels); true with that picture in `picture`, false after 20 seconds without.
bool wait_for_explosion(const std::string& window_id, const std::string& name, Image& picture);

// A test with the program started from the repository root (with `environment` added, as for
// Kestrix), its main window found and its first frame-rate figure printed.
class RunningProgram : public testing::Test {
protected:
    explicit RunningProgram(const std::vector<std::string>& environment = {})
        : program(KESTRIX_ROOT, environment)
    {
    }
    void SetUp() override;
    Kestrix program;
    std::string window;  // the main window's X id
};
