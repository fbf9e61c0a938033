#include "platform/DataDir.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

std::string data_dir = "Data";

namespace {

const char* const data_files[] = {
    "Terrain.bmp", "Sky.bmp",   "Grass1.bmp", "Water.bmp", "City1.bmp", "City2.bmp",
    "Explo.bmp",   "Grass2.bmp", "Plane.bmp", "Sun.bmp",   "Font.bmp",  "Explo.wav",
};

}  // namespace

std::string data_file(const char* name) { return data_dir + "/" + name; }

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

bool has_data_files(const std::string& dir)
{
    std::error_code error;
    for (const char* name : data_files)
        if (!fs::is_regular_file(fs::path(dir) / name, error)) return false;
    return true;
}

bool find_data_dir(const std::vector<std::string>& candidates)
{
    std::string looked_in;
    for (const std::string& dir : candidates) {
        if (has_data_files(dir)) {
            data_dir = dir;
            return true;
        }
        looked_in += (looked_in.empty() ? "" : ", ") + dir;
    }
    std::fprintf(stderr,
                 "No game data (images and sounds) found in %s: the program runs without them\n",
                 looked_in.c_str());
    return false;
}

std::string executable_path()
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}
