// Start-up cost of the resources: reading the bitmaps, and turning them into textures and
// glyph lists in a real OpenGL context (a hidden GLUT window; run under Xvfb).
//
//   xvfb-run -a build/bench/resources_bench     (from the repository root, where Data/ is)
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/GL.h"
#include "resources/Fonts.h"
#include "resources/Image.h"
#include "resources/Textures.h"
#include "resources/TkDib.h"

namespace {

std::vector<unsigned char> file_bytes(const char* name)
{
    std::vector<unsigned char> bytes;
    if (FILE* f = std::fopen(name, "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
    }
    return bytes;
}

void release(AUX_RGBImageRec* image)
{
    if (!image) return;
    std::free(image->data);
    std::free(image);
}

// One 256 by 256 24-bit image, from its bytes in memory.
void BM_DecodeBitmap(benchmark::State& state)
{
    const auto bytes = file_bytes("Data/Grass1.bmp");
    if (bytes.empty()) state.SkipWithError("Data/Grass1.bmp is missing");
    for (auto _ : state) release(dib_image_from_memory(bytes.data(), bytes.size()));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_DecodeBitmap);

// The same image read from disk through LoadBMP.
void BM_LoadBMP(benchmark::State& state)
{
    for (auto _ : state) release(LoadBMP("Data/Grass1.bmp"));
}
BENCHMARK(BM_LoadBMP);

// All ten scenery textures with their mipmaps, as start-up does it.
void BM_LoadTextures(benchmark::State& state)
{
    for (auto _ : state) {
        if (!load_textures()) state.SkipWithError("no image in Data/");
        glDeleteTextures(10, texture);
        glFinish();
    }
}
BENCHMARK(BM_LoadTextures)->Unit(benchmark::kMillisecond);

// The font texture and its 256 glyph lists.
void BM_LoadFont(benchmark::State& state)
{
    for (auto _ : state) {
        load_font();
        build_font();
        glDeleteLists(base, 256);
        glDeleteTextures(1, &font);
        glFinish();
    }
}
BENCHMARK(BM_LoadFont)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("resources_bench");
    glutHideWindow();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
