// Pictures of the main window saved as PNG files, named after the moment they were taken.
#pragma once

#include <ctime>
#include <string>

// "kestrix-YYYYMMDD-HHMMSS.png" for the local time `when`.
std::string screenshot_name(const std::tm& when);

// The user's pictures directory as the XDG user-dirs file `user_dirs` names it (with $HOME
// replaced by `home`), when it exists; else "." (the current directory).
std::string pictures_dir(const std::string& user_dirs, const std::string& home);

// Saves the current window's back buffer into pictures_dir under screenshot_name, and says
// where in one console line; a failure says why in one line on stderr. Call it before the
// buffers are swapped.
void save_screenshot();
