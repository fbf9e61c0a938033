// The keyboard of the main window.
#pragma once

// Character keys.
void keyb(unsigned char key, int x, int y);
// Function, arrow and page keys.
void special_keys(int key, int x, int y);
