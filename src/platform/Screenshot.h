// Pictures of the main window saved as PNG files, named after the moment they were taken.
#pragma once

#include <ctime>
#include <string>

// "kestrix-YYYYMMDD-HHMMSS.png" for the local time `when`.
std::string screenshot_name(const std::tm& when);

// Saves the current window's back buffer into pictures_dir under screenshot_name, and says
// where in one console line; a failure says why in one line on stderr. Returns whether it was
// saved, with where in `said`, else why not. Call it before the buffers are swapped.
bool save_screenshot(std::string& said);
