#include "platform/ReadFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

const char* kind_of(mode_t mode)
{
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a pipe or FIFO";
    if (S_ISSOCK(mode)) return "a socket";
    return "a device";
}

}  // namespace

std::string size_text(size_t bytes)
{
    if (bytes >= 1 << 20 && bytes % (1 << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
    if (bytes >= 1 << 10 && bytes % (1 << 10) == 0) return std::to_string(bytes >> 10) + " KiB";
    return std::to_string(bytes) + " bytes";
}

int open_to_read(const std::string& path, size_t largest, FileState& state, std::string& why)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    state = FileState::Refused;
    struct stat status;
    if (fd < 0) {
        if (errno == ENOENT) state = FileState::Missing;
        why = std::strerror(errno);
    } else if (fstat(fd, &status) != 0) {
        why = std::strerror(errno);
    } else if (!S_ISREG(status.st_mode)) {
        why = std::string(kind_of(status.st_mode)) + ", not a regular file";
    } else if (status.st_size < 0 || size_t(status.st_size) > largest) {
        why = "longer than " + size_text(largest);
    } else {
        state = FileState::Read;
        return fd;
    }
    if (fd >= 0) close(fd);
    return -1;
}

FileState read_file(const std::string& path, size_t largest, std::string& text, std::string& why)
{
    FileState state;
    why.clear();
    const int fd = open_to_read(path, largest, state, why);
    if (fd < 0) return state;
    // Room for the size the file had when it was opened and one byte more: a file that has grown
    // since is read on, up to one byte past the limit, which tells that it is too long.
    struct stat status;
    const size_t size = fstat(fd, &status) == 0 ? size_t(status.st_size) : 0;
    text.assign(std::min(size, largest) + 1, '\0');
    size_t got = 0;
    for (;;) {
        if (got == text.size()) {
            if (text.size() > largest) break;
            text.resize(std::min(largest + 1, text.size() * 2));
        }
        const ssize_t n = read(fd, &text[got], text.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n < 0) why = std::strerror(errno);
            break;
        }
        got += size_t(n);
    }
    close(fd);
    if (got > largest) why = "longer than " + size_text(largest);
    text.resize(got);
    return why.empty() ? FileState::Read : FileState::Refused;
}
