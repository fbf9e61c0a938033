// The user's directories the program writes into: its configuration and the pictures.
#pragma once

#include <string>

// The user's configuration directory: `config_home` (XDG_CONFIG_HOME) where it is absolute,
// else .config in `home` (HOME) where that is; "" where neither is.
std::string config_dir(const char* config_home, const char* home);

// The user's pictures directory as the XDG user-dirs file `user_dirs` names it (with $HOME
// replaced by `home`), when it exists; else "." (the current directory).
std::string pictures_dir(const std::string& user_dirs, const std::string& home);
// The same, from the environment's user-dirs file in the configuration directory.
std::string pictures_dir();
