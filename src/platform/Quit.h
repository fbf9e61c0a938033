// Ending the program: an exit the player asks for ends with status 0.
#pragma once

// From now on, the X errors of ending the program are ignored. GLUT destroys its windows on the
// way out, and one that another program has already destroyed would raise a BadWindow error,
// which Xlib's default handler turns into exit status 1.
void quit_without_x_errors();
