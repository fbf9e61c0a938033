#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "cockpit/Options.h"
#include "core/Timer.h"
#include "platform/FullScreen.h"
#include "platform/GL.h"
#include "platform/GLExt.h"
#include "platform/Gamepad.h"
#include "platform/Quit.h"
#include "shell/CommandLine.h"
#include "shell/Inputs.h"
#include "shell/PadControls.h"
#include "shell/SettingsFile.h"
#include "shell/Sim.h"
#include "shell/Startup.h"

int main(int argc, char** argv)
{
    CommandLine line = parse_command_line(argc, argv);
    const std::string name = std::filesystem::path(argv[0]).filename();
    if (!line.error.empty()) {
        std::fprintf(stderr, "%s: %s (try '%s --help')\n", name.c_str(), line.error.c_str(),
                     name.c_str());
        return 2;
    }
    if (line.help || line.version) {
        std::fputs((line.help ? usage_text(name.c_str()) : version_text()).c_str(), stdout);
        return 0;
    }
    // Ctrl+C and SIGTERM keep their default action: SDL would otherwise catch them for itself
    // once the sound device opens, and they would no longer end the program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    std::atexit(end_console_line);  // the shell's prompt after the last report, not beside it
    if (std::string error; !start_run(line, error)) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        return 2;
    }

    int glut_argc = int(line.glut_arguments.size()) - 1;
    glutInit(&glut_argc, line.glut_arguments.data());
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    // -geometry, where given, sets the main window's size, place or both; the rest keep their
    // start values.
    const int given[] = {glutGet(GLUT_INIT_WINDOW_X), glutGet(GLUT_INIT_WINDOW_Y),
                         glutGet(GLUT_INIT_WINDOW_WIDTH), glutGet(GLUT_INIT_WINDOW_HEIGHT)};
    if (line.geometry && given[0] >= 0 && given[1] >= 0) window_x = given[0], window_y = given[1];
    if (line.geometry && given[2] > 0 && given[3] > 0)
        window_width = given[2], window_height = given[3];
    glutInitWindowSize(window_width, window_height);
    glutInitWindowPosition(window_x, window_y);
    window_main = glutCreateWindow(Window_Title);
    options_set_idle_func(idle);  // the options window is served from the same idle slot
    init();
    init_gamepads();
    // Wait for the display's refresh, where it can; benchmarks draw flat out.
    set_swap_interval(line.uncapped || line.timedemo ? 0 : 1);
    if (full_screen) enter_full_screen();
    outlive_lost_windows();
    glutReshapeFunc(reshape);
    glutDisplayFunc(display);
    glutKeyboardFunc(key_typed);
    glutSpecialFunc(special_typed);
    glutMouseFunc(mouse);
    glutMotionFunc(mouse_moved);
    glutPassiveMotionFunc(mouse_moved);
    keep_settings(line);  // the start state is complete: written back at every normal exit
    glutMainLoop();
    return 0;
}
