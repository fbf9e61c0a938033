// Runs the bitmap reader's fuzz entry on every file named on the command line, and on the files
// directly inside each directory named, without libFuzzer. With the sanitizers built in, any
// fault in the reader aborts the run. Fails when no input ran.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

bool run_file(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    if (!file.good() && !file.eof()) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    std::printf("%s (%zu bytes)\n", path.c_str(), bytes.size());
    std::fflush(stdout);  // the name stays on record if the input aborts the run
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    int ran = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg = argv[i];
        std::error_code error;
        if (fs::is_regular_file(arg, error)) {
            ran += run_file(arg);
        } else if (fs::is_directory(arg, error)) {
            std::vector<fs::path> files;
            for (const auto& entry : fs::directory_iterator(arg, error))
                if (entry.is_regular_file()) files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const auto& file : files) ran += run_file(file);
        } else {
            std::fprintf(stderr, "skipped %s: no such file or directory\n", arg.c_str());
        }
    }
    std::printf("%d inputs ran\n", ran);
    return ran > 0 ? 0 : 1;
}
