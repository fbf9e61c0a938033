#include "platform/DataDir.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <utility>

#include "platform/ReadFile.h"

namespace fs = std::filesystem;

std::string data_dir = "Data";

namespace {

std::string data_problem;  // the short form of the last problem said, until it is taken

const char* const data_files[] = {
    "Terrain.bmp", "Sky.bmp",   "Grass1.bmp", "Water.bmp", "City1.bmp", "City2.bmp",
    "Explo.bmp",   "Grass2.bmp", "Plane.bmp", "Sun.bmp",   "Font.bmp",  "Explo.wav",
};

// The path of the data file `name` in `dir`.
std::string data_dir_file(const std::string& dir, const char* name) { return dir + "/" + name; }

}  // namespace

std::string data_file(const char* name) { return data_dir_file(data_dir, name); }

std::vector<std::string> data_candidates(const std::string& chosen, const std::string& executable,
                                         const std::string& installed_from_bin)
{
    if (!chosen.empty()) return {chosen};
    std::vector<std::string> dirs = {"Data"};
    if (!executable.empty()) {
        const fs::path bin = fs::path(executable).parent_path();
        const fs::path beside = bin / "Data", above = bin.parent_path() / "Data";
        for (const fs::path& dir : {beside, above, bin / installed_from_bin})
            dirs.push_back(dir.lexically_normal().string());
    }
    return dirs;
}

std::vector<std::string> unusable_data_files(const std::string& dir)
{
    std::vector<std::string> unusable;
    for (const char* name : data_files) {
        FileState state;
        std::string why;
        const int fd = open_to_read(data_dir_file(dir, name), SIZE_MAX, state, why);
        if (fd >= 0)
            close(fd);
        else
            unusable.push_back(std::string(name) + " (" + why + ")");
    }
    return unusable;
}

bool find_data_dir(const std::vector<std::string>& candidates)
{
    std::string looked_in, best;
    data_problem.clear();
    std::vector<std::string> best_unusable(std::size(data_files));
    for (const std::string& dir : candidates) {
        const std::vector<std::string> unusable = unusable_data_files(dir);
        if (unusable.empty()) {
            data_dir = dir;
            return true;
        }
        if (unusable.size() < best_unusable.size()) best = dir, best_unusable = unusable;
        looked_in += (looked_in.empty() ? "" : ", ") + dir;
    }
    if (best.empty()) {
        std::fprintf(stderr, "No game data (images and sounds) found in %s: the program runs "
                             "without them\n", looked_in.c_str());
        data_problem = "No game data (images and sounds) found";
        return false;
    }
    // Where no place holds it all, the place with the most: one bad file costs only itself.
    data_dir = best;
    std::string named, names;  // the files with why, and their names alone
    for (const std::string& file : best_unusable) {
        const std::string comma = named.empty() ? "" : ", ";
        named += comma + file;
        names += comma + file.substr(0, file.find(' '));
    }
    std::fprintf(stderr, "Game data in %s that cannot be used, the program runs without it: %s\n",
                 best.c_str(), named.c_str());
    data_problem = "Game data that cannot be used: " + names;
    return true;
}

std::string take_data_problem() { return std::exchange(data_problem, std::string()); }

std::string executable_path()
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}
