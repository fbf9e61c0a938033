// X errors the program outlives, and an exit the player asks for ending with status 0.
#pragma once

// Installs an X error handler that ignores errors about windows and drawables that no longer
// exist: another program may destroy one of ours (the options window), and Xlib's default
// handler would end the program for it, or hang it on the way out. Other errors go to the
// default handler as before. From the exit on, every X error is ignored: GLUT destroys its
// windows on the way out, and one already destroyed must not turn exit status 0 into 1.
void outlive_lost_windows();
// Whether another program destroyed the window that was current when outlive_lost_windows ran
// (the main window): an error about it has arrived since.
bool main_window_lost();
