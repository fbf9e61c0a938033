// Frame time of the simulator at each terrain level, against a floor: the same level's mesh
// alone, in one glDrawElements with the same GL state, cleared and swapped like a frame.
// Also the fragments drawn per pixel (overdraw), the frame with the instrument overlay, and the
// start-up time without the one-second clock-rate measurement.
//
//   bench/frame_bench.sh [frames] [width height]   (build/bench/frame_bench under Xvfb)
//
// Each frame is an idle pass and a display pass as the main loop runs them, followed by
// glFinish so that the time includes the rendering itself; no window-system event is waited for.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/Camera.h"
#include "core/Global.h"
#include "core/Timer.h"
#include "platform/Clock.h"
#include "platform/GL.h"
#include "platform/GLExt.h"
#include "resources/Textures.h"
#include "shell/Sim.h"
#include "terrain/TerrainGrid.h"

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds_since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int64_t no_frequency() { return 0; }

// The real frame: the two passes of the main loop.
void real_frame()
{
    idle();
    display();
    glFinish();
}

// The floor: clear, aim, the terrain mesh in one call with the state the terrain sets, swap.
void floor_frame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    camera.Aim();
    glPushMatrix();
    glTranslatef(0, -3.2f, 230);  // the aircraft's start on the runway
    const GLsizei count = GLsizei(terrain.indices.size());
    glVertexPointer(3, GL_FLOAT, 0, terrain.vertices.data());
    glColorPointer(3, GL_FLOAT, 0, terrain.colours.data());
    glNormalPointer(GL_FLOAT, 0, terrain.normals.data());
    glEnable(GL_CULL_FACE);
    const unsigned images[2] = {texture[TEXTURE_GRASS1], texture[TEXTURE_GRASS2]};
    const float* coordinates[2] = {terrain.texCoord0.data(), terrain.texCoord1.data()};
    for (int unit = 0; unit < 2; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glClientActiveTexture(GL_TEXTURE0 + unit);
        glBindTexture(GL_TEXTURE_2D, images[unit]);
        glTexCoordPointer(2, GL_FLOAT, 0, coordinates[unit]);
        glEnable(GL_TEXTURE_2D);
    }
    glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_INT, terrain.indices.data());
    for (int unit = 1; unit >= 0; --unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glDisable(GL_TEXTURE_2D);
    }
    glDisable(GL_CULL_FACE);
    glPopMatrix();
    glutSwapBuffers();
    glFinish();
}

// Fragments that pass the depth test in one real frame, per pixel of the window: each pass adds
// one to the pixel's stencil value. Depth-only drawing counts too.
double fragments_per_pixel(int width, int height)
{
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 0, 0xff);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    real_frame();
    glDisable(GL_STENCIL_TEST);
    std::vector<unsigned char> counts(size_t(width) * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, counts.data());
    double sum = 0;
    for (unsigned char count : counts) sum += count;
    return sum / double(counts.size());
}

struct Timing {
    double frame_ms, floor_ms;
};

// Milliseconds per frame of each kind: batches of the two alternate, and each figure is the
// median of its batches, so that a slow moment of the machine counts little and for both alike.
Timing per_frame(int frames)
{
    const int batches = 7;
    const int batch = std::max(1, frames / batches);
    std::vector<double> real, floor;
    for (int b = 0; b < batches; ++b) {
        auto start = Clock::now();
        for (int k = 0; k < batch; ++k) real_frame();
        real.push_back(milliseconds_since(start) / batch);
        start = Clock::now();
        for (int k = 0; k < batch; ++k) floor_frame();
        floor.push_back(milliseconds_since(start) / batch);
    }
    std::sort(real.begin(), real.end());
    std::sort(floor.begin(), floor.end());
    return {real[batches / 2], floor[batches / 2]};
}

}  // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(5, std::atoi(argv[1])) : 200;
    const int width = argc > 3 ? std::max(64, std::atoi(argv[2])) : 640;
    const int height = argc > 3 ? std::max(64, std::atoi(argv[3])) : 480;

    const auto process_start = Clock::now();
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(100, 100);
    window_main = glutCreateWindow(Window_Title);

    // Without a counter frequency the clock-rate measurement has no second to wait for.
    int64_t (*real_frequency)() = perf_frequency;
    perf_frequency = no_frequency;
    const auto init_start = Clock::now();
    init();
    const double init_ms = milliseconds_since(init_start);
    const double startup_ms = milliseconds_since(process_start);
    perf_frequency = real_frequency;
    t.init();  // a running clock for the frames
    t.max_rate = 0;  // frames as fast as they can be drawn, as with --uncapped

    TerrainGrid* spare = new TerrainGrid;  // generation alone, from the same first state
    const uint32_t state = random_state;
    random_state = 1;
    const auto generation_start = Clock::now();
    spare->setPoints();
    const double generation_ms = milliseconds_since(generation_start);
    random_state = state;
    delete spare;

    reshape(width, height);
    glutShowWindow();

    struct Row {
        int level;
        size_t triangles;
        double frame_ms, floor_ms, fragments;
    };
    std::vector<Row> rows;
    for (int lod = 0; lod <= 3; ++lod) {
        level = lod;
        terrain.update_current(lod);
        for (int k = 0; k < 10; ++k) {  // warm-up: first use of textures and arrays
            real_frame();
            floor_frame();
        }
        const Timing timing = per_frame(frames);
        rows.push_back({lod, terrain.indices.size() / 3, timing.frame_ms, timing.floor_ms,
                        fragments_per_pixel(width, height)});
    }

    // The instrument overlay's share, over the start level's scene.
    level = 1;
    terrain.update_current(level);
    ui_enable = 1;
    for (int k = 0; k < 10; ++k) real_frame();
    const Timing overlay = per_frame(frames);
    const double overlay_fragments = fragments_per_pixel(width, height);
    ui_enable = 0;

    std::printf("\nStart-up without the clock-rate wait: %.1f ms (window %.1f ms, init %.1f ms, of "
                "which terrain generation and meshes %.1f ms)\n",
                startup_ms, startup_ms - init_ms, init_ms, generation_ms);
    std::printf("%d frames per figure, %dx%d\n", frames, width, height);
    std::printf("| level | triangles | frame ms | floor ms | frame / floor | fragments per pixel |\n");
    std::printf("|---|---|---|---|---|---|\n");
    for (const Row& row : rows)
        std::printf("| %d | %zu | %.3f | %.3f | %.2f | %.2f |\n", row.level, row.triangles,
                    row.frame_ms, row.floor_ms, row.frame_ms / row.floor_ms, row.fragments);
    std::printf("| 1 with the overlay | %zu | %.3f | %.3f | %.2f | %.2f |\n", rows[1].triangles,
                overlay.frame_ms, overlay.floor_ms, overlay.frame_ms / overlay.floor_ms,
                overlay_fragments);
    return 0;
}
