#include "platform/Screenshot.h"

#include <stb_image_write.h>  // the implementation comes with libstb

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/GL.h"
#include "platform/UserDirs.h"

std::string screenshot_name(const std::tm& when)
{
    char name[40];
    std::strftime(name, sizeof name, "kestrix-%Y%m%d-%H%M%S.png", &when);
    return name;
}

namespace {

void append(void* text, void* bytes, int size)
{
    static_cast<std::string*>(text)->append(static_cast<const char*>(bytes), size_t(size));
}

// Writes `bytes` to the file at `path`: "" or why not. A file not written whole is removed, so
// that no broken picture is left behind.
std::string write_whole_file(const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return std::strerror(errno);
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int write_error = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return "";
    std::remove(path.c_str());
    const int error = written ? errno : write_error;
    return error ? std::strerror(error) : "the file could not be written";
}

}  // namespace

bool save_screenshot(std::string& said)
{
    const std::time_t now = std::time(nullptr);
    const std::string path = pictures_dir() + "/" + screenshot_name(*std::localtime(&now));

    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    std::vector<unsigned char> pixels(size_t(width) * size_t(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    stbi_flip_vertically_on_write(1);  // OpenGL's rows run bottom to top
    std::string png;
    const bool encoded = stbi_write_png_to_func(append, &png, width, height, 3, pixels.data(),
                                                width * 3) != 0;
    const std::string why = encoded ? write_whole_file(path, png) : "the picture could not be made";
    if (why.empty()) {
        std::printf("\r  Screenshot: %s\n", path.c_str());
        std::fflush(stdout);
    } else {
        std::fprintf(stderr, "Screenshot not saved to %s: %s\n", path.c_str(), why.c_str());
    }
    said = why.empty() ? path : why;
    return why.empty();
}
