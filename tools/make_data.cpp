// make_data: writes every file of the game's Data/ directory into the directory given as the
// only argument (created if missing). The output is the same, byte for byte, on every run: all
// randomness comes from fixed seeds. The committed Data/ is this program's output; a test
// regenerates it and compares.
#include <cstdio>
#include <filesystem>
#include <string>

#include "art.h"
#include "file_writers.h"
#include "sound.h"

namespace {

struct Picture {
    const char* name;
    Image (*paint)();
};

// In the order of the game's texture table.
const Picture kPictures[] = {
    {"Terrain.bmp", paint_terrain}, {"Sky.bmp", paint_sky},     {"Grass1.bmp", paint_grass1},
    {"Water.bmp", paint_water},     {"City1.bmp", paint_city1}, {"City2.bmp", paint_city2},
    {"Explo.bmp", paint_explo},     {"Grass2.bmp", paint_grass2}, {"Plane.bmp", paint_plane},
    {"Sun.bmp", paint_sun},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "make_data: cannot create %s: %s\n", dir.c_str(), ec.message().c_str());
        return 1;
    }
    auto path = [&](const char* name) { return (dir / name).string(); };

    bool ok = true;
    for (const Picture& p : kPictures) ok = write_file(path(p.name), encode_bmp(p.paint())) && ok;

    Image font(0, 0);
    std::string error;
    if (paint_font(font, error)) {
        ok = write_file(path("Font.bmp"), encode_bmp(font)) && ok;
    } else {
        std::fprintf(stderr, "make_data: %s\n", error.c_str());
        ok = false;
    }

    ok = write_file(path("Icon.png"), encode_png(paint_icon())) && ok;
    ok = write_file(path("Explo.wav"), encode_wav(synth_explosion(), kSoundRate)) && ok;
    return ok ? 0 : 1;
}
