#include "shell/CommandLine.h"

#include <cstring>
#include <filesystem>

#include "core/Settings.h"
#include "core/Timer.h"
#include "platform/DataDir.h"

namespace {

bool is_one_of(const char* word, std::initializer_list<const char*> words)
{
    for (const char* w : words)
        if (std::strcmp(word, w) == 0) return true;
    return false;
}

// Gives the switch that sets `value` for this run.
void give(CommandLine& line, const int* value, int setting)
{
    line.for_run[size_t(switch_of(value))] = setting;
}

}  // namespace

SwitchValues none_given()
{
    SwitchValues values;
    values.fill(not_given);
    return values;
}

CommandLine parse_command_line(int argc, char** argv)
{
    CommandLine line;
    line.glut_arguments.push_back(argv[0]);
    for (int i = 1; i < argc && line.error.empty(); ++i) {
        // "--name=value" or "--name value"
        std::string name = argv[i], value;
        const size_t equals = name.find('=');
        const bool joined = name.rfind("--", 0) == 0 && equals != std::string::npos;
        if (joined) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }

        if (is_one_of(name.c_str(),
                      {"--data", "--level", "--record", "--replay", "--timedemo", "--flight"})) {
            if (!joined && i + 1 < argc) value = argv[++i];
            if (value.empty()) {
                line.error = name + " needs a value";
            } else if (name == "--data") {
                line.data = value;
            } else if (name == "--record") {
                line.record = value;
            } else if (name == "--replay" || name == "--timedemo") {
                if (!line.replay.empty()) line.error = "one recording at a time, to replay or time";
                line.replay = value;
                line.timedemo = name == "--timedemo";
            } else if (name == "--flight") {
                if (value != "real" && value != "simple")
                    line.error = "--flight takes real or simple, not '" + value + "'";
                give(line, &real_flight, value == "real");
            } else if (value.size() == 1 && value[0] >= '0' && value[0] <= '3') {
                give(line, &level, value[0] - '0');
            } else {
                line.error = "--level takes 0, 1, 2 or 3, not '" + value + "'";
            }
        } else if (joined) {
            line.error = name + " takes no value";
        } else if (name == "--fullscreen") {
            give(line, &full_screen, 1);
        } else if (name == "--detail-by-distance") {
            give(line, &detail_by_distance, 1);
        } else if (name == "--mute") {
            give(line, &sound_mute, 1);
        } else if (name == "--defaults") {
            line.defaults = true;
        } else if (name == "--uncapped") {
            line.uncapped = true;
        } else if (name == "--help" || name == "-h") {
            line.help = true;
        } else if (name == "--version") {
            line.version = true;
        } else if (is_one_of(argv[i], {"-display", "-geometry"}) && i + 1 < argc) {
            line.geometry = line.geometry || name == "-geometry";
            line.glut_arguments.push_back(argv[i]);
            line.glut_arguments.push_back(argv[++i]);
        } else if (is_one_of(argv[i], {"-direct", "-indirect", "-iconic", "-gldebug", "-sync"})) {
            line.glut_arguments.push_back(argv[i]);
        } else {
            line.error = "unknown option '" + name + "'";
        }
    }
    line.glut_arguments.push_back(nullptr);
    return line;
}

std::string usage_text(const char* program)
{
    return std::string("Usage: ") + program + R"( [OPTION]...
A small flight simulator: fly a high-wing propeller aircraft over a generated landscape.

Options:
  --data DIR     read the images and sounds from DIR
  --level N      start at terrain level N, 0 (coarsest) to 3 (finest); default 1
  --fullscreen   start in full screen (F2 returns to the window)
  --detail-by-distance
                 terrain detail by distance: the level chosen near the eye, coarser meshes
                 farther out where the difference is under two pixels, which draws faster
  --mute         start with the sound muted
  --defaults     start with the default settings, leaving the settings file as it is
  --flight MODEL fly with the simple flight model (the default) or the real, rigid-body one;
                 M switches between them in flight
  --uncapped     draw as often as the machine can, not at most 60 times a second (the
                 world still steps 60 times a second, so the aircraft handles the same)
  --record FILE  write the flight to FILE: every input with its step, the state every second
  --replay FILE  fly the flight recorded in FILE, then hand the controls over; view keys work
                 throughout. FILE is also looked for in the data directory (Demo.rec)
  --timedemo FILE
                 replay FILE flat out, one step per frame, print the frame times and exit
  -h, --help     show this help and exit
  --version      show the version and exit
GLUT's options -display, -geometry, -direct, -indirect, -iconic, -gldebug and -sync are
passed on to GLUT; -geometry WxH+X+Y places and sizes the main window (F2 returns to it).

The options window's settings, the sound's, the terrain level and full screen are kept from
one run to the next in $XDG_CONFIG_HOME/kestrix/settings.ini (~/.config/kestrix/settings.ini);
--level, --mute, --fullscreen, --detail-by-distance and --flight hold for their run only.

Without --data, the data is looked for in ./Data, beside the program, in the program's parent
directory, and in ../share/kestrix/Data from the program's directory (an installed copy).

Keys (main window):
  + -                 throttle up, down
  Down Up             elevator: nose up (climb), nose down
  Left Right          rudder: turn left, right
  F3 F4               ailerons: bank
  Page Up, Page Down  flaps down, up
  End                 centre the control surfaces
  Home Insert         trim nose down, nose up (real flight model)
  G                   undercarriage up or down (in the air)
  T                   tower view / chase view
  S C                 overhead view, chase view
  8 2 4 6 1 3, 5      turn the chase camera; stop it
  7 9                 chase camera closer, farther
  R                   back to the start of the runway
  M                   simple or real flight model, from the start of the runway
  A Z                 finer, coarser terrain
  D                   terrain detail by distance
  P                   pause
  H                   key table over the window
  I                   flight figures on the main window
  U                   the real flight model's instruments
  J                   the mouse as the control stick
  F1 F2               full screen, window
  F12                 screenshot (PNG, in the pictures directory)
  Esc, right button   quit
A gamepad or joystick flies it too (the README lists its buttons).
)";
}

std::string version_text() { return std::string("Kestrix ") + KESTRIX_VERSION + "\n"; }

void apply_command_line(const CommandLine& line)
{
    set_switches_for_run(line);
    t.max_rate = line.uncapped || line.timedemo ? 0 : 60;
    find_data_dir(data_candidates(line.data, executable_path(), KESTRIX_DATA_FROM_BIN));
}

void set_switches_for_run(const CommandLine& line, bool flying)
{
    for (int i = 0; i < switch_count; ++i)
        if (line.for_run[size_t(i)] != not_given && (flying || !switches[i].flies))
            *switches[i].value = line.for_run[size_t(i)];
}

std::string recording_path(const std::string& given)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists(given, error) || given.find('/') != std::string::npos) return given;
    const std::string in_data = data_dir + "/" + given;
    return fs::exists(in_data, error) ? in_data : given;
}
