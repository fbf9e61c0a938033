#include "platform/Quit.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cstdlib>

namespace {

XErrorHandler default_handler = nullptr;
int glx_bad_drawable = -1;  // the GLX error code for a drawable that is gone
bool exiting = false;
XID main_window = 0;
bool main_lost = false;

int on_x_error(Display* display, XErrorEvent* error)
{
    const int code = error->error_code;
    if (exiting) return 0;
    if (code == BadWindow || code == BadDrawable || code == glx_bad_drawable) {
        if (main_window && error->resourceid == main_window) main_lost = true;
        return 0;
    }
    return default_handler ? default_handler(display, error) : 0;
}

void on_exit() { exiting = true; }

}  // namespace

void outlive_lost_windows()
{
    int error_base = 0, event_base = 0;
    Display* display = glXGetCurrentDisplay();
    if (display && glXQueryExtension(display, &error_base, &event_base))
        glx_bad_drawable = error_base + 2;  // GLXBadDrawable
    main_window = glXGetCurrentDrawable();
    XErrorHandler previous = XSetErrorHandler(on_x_error);
    if (previous != on_x_error) default_handler = previous;
    std::atexit(on_exit);  // runs before GLUT's own clean-up, which was registered earlier
}

bool main_window_lost() { return main_lost; }
