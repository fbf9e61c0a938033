// Drives the real kestrix binary under the X server named by DISPLAY: starts it, reads its
// console, finds its windows, sends input with xdotool and takes screenshots with ImageMagick.
#pragma once

#include <sys/types.h>

#include <regex>
#include <string>
#include <vector>

#include "frames.h"

// Runs a shell command and returns what it printed on standard output.
std::string run_command(const std::string& command);

class Kestrix {
public:
    // Starts the program in `directory` with the environment variables `environment`
    // ("NAME=value") added and the command-line `arguments`; its console and its errors go to
    // files of its own. `binary` is the build tree's program unless given.
    explicit Kestrix(const std::string& directory, const std::vector<std::string>& environment = {},
                     const std::vector<std::string>& arguments = {},
                     const std::string& binary = KESTRIX_BINARY);
    ~Kestrix();  // kills it if it still runs

    // Waits until `pattern` is found in the console; false after `seconds` without it.
    bool wait_for_output(const std::regex& pattern, double seconds);
    std::string output() const;
    std::string errors() const;
    bool running();
    void send(int signal);
    // The exit status, -1 if it still runs after `seconds`, 128 + the signal if one ended it.
    int wait_exit(double seconds);

private:
    pid_t pid = -1;
    int status = -1;
    std::string output_path, error_path;
};

// The X id of the visible top-level window titled exactly `title`, or "" after `seconds`.
std::string find_window(const std::string& title, double seconds = 20);

// The window's size and place on the screen, as "640x480 at 100,100".
std::string window_geometry(const std::string& window_id);

// The window's contents as the screen shows them.
Frame screenshot(const std::string& window_id);
// Moves the pointer to (x, y) of the window, does `action` ("click", "mousedown") with `button`
// (1 left, 2 middle, 3 right), and moves the pointer off every window.
void mouse(const std::string& window_id, int x, int y, const std::string& action, int button);
// Presses and releases the key `name` (an X key name: "plus", "Down", "t") `times` times, 10 ms
// apart, in the window.
void press(const std::string& window_id, const std::string& name, int times = 1);
void pause(int milliseconds);
