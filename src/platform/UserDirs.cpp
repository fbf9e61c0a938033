#include "platform/UserDirs.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/ReadFile.h"

std::string config_dir(const char* config_home, const char* home)
{
    if (config_home && config_home[0] == '/') return config_home;
    if (home && home[0] == '/') return std::string(home) + "/.config";
    return "";
}

std::string pictures_dir(const std::string& user_dirs, const std::string& home)
{
    std::string text, why;
    read_file(user_dirs, 64 << 10, text, why);  // a FIFO or a huge file there counts as none
    std::istringstream file(text);
    const std::string key = "XDG_PICTURES_DIR=\"";
    for (std::string line; std::getline(file, line);) {
        if (line.rfind(key, 0) != 0 || line.back() != '"') continue;
        std::string dir = line.substr(key.size(), line.size() - key.size() - 1);
        if (dir.rfind("$HOME", 0) == 0) dir = home + dir.substr(5);
        std::error_code error;
        if (std::filesystem::is_directory(dir, error)) return dir;
    }
    return ".";
}

std::string pictures_dir()
{
    const char* home = std::getenv("HOME");
    const std::string config = config_dir(std::getenv("XDG_CONFIG_HOME"), home);
    return config.empty() ? "." : pictures_dir(config + "/user-dirs.dirs", home ? home : "");
}
