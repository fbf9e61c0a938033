#include "platform/Screenshot.h"

#include <stb_image_write.h>  // the implementation comes with libstb

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "cockpit/Figures.h"
#include "platform/GL.h"

std::string screenshot_name(const std::tm& when)
{
    char name[40];
    std::strftime(name, sizeof name, "kestrix-%Y%m%d-%H%M%S.png", &when);
    return name;
}

std::string pictures_dir(const std::string& user_dirs, const std::string& home)
{
    std::ifstream file(user_dirs);
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

void save_screenshot()
{
    const char* home = std::getenv("HOME");
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string config_dir = config && *config ? config : std::string(home ? home : "") + "/.config";
    const std::time_t now = std::time(nullptr);
    const std::string path = pictures_dir(config_dir + "/user-dirs.dirs", home ? home : "") + "/" +
                             screenshot_name(*std::localtime(&now));

    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    std::vector<unsigned char> pixels(size_t(width) * size_t(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    stbi_flip_vertically_on_write(1);  // OpenGL's rows run bottom to top
    errno = 0;
    if (stbi_write_png(path.c_str(), width, height, 3, pixels.data(), width * 3)) {
        std::printf("\r  Screenshot: %s\n", path.c_str());
        std::fflush(stdout);
        note_screenshot(path);
    } else {
        const std::string why = errno ? std::strerror(errno) : "the file could not be written";
        std::fprintf(stderr, "Screenshot not saved to %s: %s\n", path.c_str(), why.c_str());
        note_screenshot_failed(why);
    }
}
