// Full screen for the current GLUT window, with or without a window manager.
#pragma once

// Makes the current GLUT window cover the screen. A window manager that keeps the desktop's
// conventions (EWMH) does it through glutFullScreen; without one, the window is moved to (0, 0)
// and given the screen's size, where glutFullScreen would move it by minus its own place and
// leave a band of the screen uncovered. glutReshapeWindow and glutPositionWindow end it either way.
void enter_full_screen();
