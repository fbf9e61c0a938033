#include "platform/FullScreen.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "platform/GL.h"

namespace {

// The window that the property `check` of `window` names, or None.
Window named_window(Display* display, Window window, Atom check)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window named = None;
    if (XGetWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type, &format, &count,
                           &after, &data) == Success &&
        type == XA_WINDOW && format == 32 && count == 1)
        named = *reinterpret_cast<Window*>(data);
    if (data) XFree(data);
    return named;
}

// Whether an EWMH window manager runs: the root names its check window, which names itself, as
// freeglut itself asks before it requests full screen from the window manager.
bool window_manager_runs(Display* display)
{
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    const Window manager = named_window(display, DefaultRootWindow(display), check);
    return manager != None && named_window(display, manager, check) == manager;
}

}  // namespace

void enter_full_screen()
{
    Display* display = glXGetCurrentDisplay();
    if (!display || window_manager_runs(display)) {
        glutFullScreen();
        return;
    }
    glutPositionWindow(0, 0);
    glutReshapeWindow(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
}
