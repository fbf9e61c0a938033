// Frame time of the simulator at each terrain level (and at the finer ones in detail by
// distance), against a frame of the terrain alone and an
// empty one (clear and swap); the terrain triangles sent, and from the driver's statistics the
// vertices and fragments shaded; the fragments kept per pixel (overdraw); the frame with the
// instrument overlay; and the start-up time without the one-second clock-rate measurement.
//
//   bench/frame_bench.sh [frames] [width height]   (build/bench/frame_bench under Xvfb)
//
// Each frame is an idle pass and a display pass as the main loop runs them, followed by
// glFinish so that the time includes the rendering itself; no window-system event is waited for.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/Camera.h"
#include "core/Global.h"
#include "core/Settings.h"
#include "core/Timer.h"
#include "platform/Clock.h"
#include "platform/GL.h"
#include "platform/GLExt.h"
#include "resources/Textures.h"
#include "scenery/World.h"
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

// The terrain alone: clear, aim, the terrain as the frame draws it, swap.
void terrain_frame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    camera.Aim();
    draw_terrain();
    glutSwapBuffers();
    glFinish();
}

// Nothing but the clear and the swap.
void empty_frame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
    glFinish();
}

// What the driver did in one real frame, from its pipeline statistics: vertices shaded, and
// fragments shaded per pixel of the window. Zeros where the driver keeps no statistics.
struct Work {
    double vertices, fragments;
};

Work work_per_frame(int width, int height)
{
    if (!gl_has_extension("GL_ARB_pipeline_statistics_query")) return {0, 0};
    GLuint queries[2];
    glGenQueries(2, queries);
    glBeginQuery(GL_VERTEX_SHADER_INVOCATIONS_ARB, queries[0]);
    glBeginQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB, queries[1]);
    real_frame();
    glEndQuery(GL_VERTEX_SHADER_INVOCATIONS_ARB);
    glEndQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB);
    GLuint64 counts[2];
    for (int k = 0; k < 2; ++k) glGetQueryObjectui64v(queries[k], GL_QUERY_RESULT, &counts[k]);
    glDeleteQueries(2, queries);
    return {double(counts[0]), double(counts[1]) / (double(width) * height)};
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
    double frame_ms, terrain_ms, empty_ms;
};

// Milliseconds per frame of each kind: batches of the three alternate, and each figure is the
// median of its batches, so that a slow moment of the machine counts little and for all alike.
Timing per_frame(int frames)
{
    const int batches = 7;
    const int batch = std::max(1, frames / batches);
    std::vector<double> times[3];
    void (*const kinds[3])() = {real_frame, terrain_frame, empty_frame};
    for (int b = 0; b < batches; ++b)
        for (int kind = 0; kind < 3; ++kind) {
            const auto start = Clock::now();
            for (int k = 0; k < batch; ++k) kinds[kind]();
            times[kind].push_back(milliseconds_since(start) / batch);
        }
    double median[3];
    for (int kind = 0; kind < 3; ++kind) {
        std::sort(times[kind].begin(), times[kind].end());
        median[kind] = times[kind][batches / 2];
    }
    return {median[0], median[1], median[2]};
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
        std::string name;
        size_t triangles, drawn;  // the level's, and those the terrain sent in the frame
        Timing timing;
        Work work;
        double fragments_kept;
    };
    // One row for the scene as it stands.
    auto measure = [&](std::string name) {
        for (int k = 0; k < 10; ++k) real_frame(), terrain_frame();  // first use of everything
        const Timing timing = per_frame(frames);
        const Work work = work_per_frame(width, height);
        const size_t drawn = terrain.drawn_indices / 3;
        return Row{name, terrain.indices.size() / 3, drawn, timing, work,
                   fragments_per_pixel(width, height)};
    };
    std::vector<Row> rows;
    for (int lod = 0; lod <= 3; ++lod) {
        level = lod;
        terrain.update_current(lod);
        rows.push_back(measure(std::to_string(lod)));
    }
    // The finer levels again with detail by distance (level 0 has nothing coarser).
    detail_by_distance = 1;
    for (int lod = 1; lod <= 3; ++lod) {
        terrain.update_current(level = lod);
        rows.push_back(measure(std::to_string(lod) + " in detail by distance"));
    }
    detail_by_distance = 0;
    // The instrument overlay's share, over the start level's scene.
    terrain.update_current(level = 1);
    ui_enable = 1;
    rows.push_back(measure("1 with the overlay"));
    ui_enable = 0;

    std::printf("\nStart-up without the clock-rate wait: %.1f ms (window %.1f ms, init %.1f ms, of "
                "which terrain generation and meshes %.1f ms)\n",
                startup_ms, startup_ms - init_ms, init_ms, generation_ms);
    std::printf("%d frames per figure, %dx%d; an empty frame (clear and swap) takes %.3f ms\n",
                frames, width, height, rows[0].timing.empty_ms);
    std::printf("| level | triangles | drawn | frame ms | terrain-only frame ms | vertices shaded "
                "| fragments shaded per pixel | fragments kept per pixel |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const Row& row : rows)
        std::printf("| %s | %zu | %zu | %.3f | %.3f | %.0f | %.2f | %.2f |\n", row.name.c_str(),
                    row.triangles, row.drawn, row.timing.frame_ms, row.timing.terrain_ms,
                    row.work.vertices, row.work.fragments, row.fragments_kept);
    return 0;
}
