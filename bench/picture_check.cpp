// Random views of the scenery, each drawn twice and compared pixel for pixel: as the frame draws
// it (the sparing order, only the terrain patches in view) and plainly (sky, sun, then the whole
// world with every patch). Levels, options, places and eyes are drawn at random, a fixed sequence
// for a given first number; half the views are near the airfield, where the orders matter most.
//
//   bench/picture_check.sh [views] [depth bits...]   (build/bench/picture_check under Xvfb)
//   build/bench/picture_check views depth-bits [width height [first-number]]
//
// Prints one summary line and one line per differing view, and exits non-zero on a difference.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "aircraft/FlightState.h"
#include "aircraft/WorldState.h"
#include "core/Camera.h"
#include "core/Settings.h"
#include "platform/Clock.h"
#include "platform/GL.h"
#include "scenery/DrawOrder.h"
#include "scenery/World.h"
#include "shell/Render.h"
#include "shell/Sim.h"
#include "terrain/TerrainGrid.h"

namespace {

int64_t no_frequency() { return 0; }

std::vector<unsigned char> picture(int width, int height)
{
    std::vector<unsigned char> rgb(size_t(width) * height * 3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// The scenery from the camera as it stands, drawn twice so that the second frame sees what the
// first left (as every frame but the first does); the second is read back.
std::vector<unsigned char> scenery(bool sparing, int width, int height)
{
    terrain.cull_patches = sparing;
    for (int pass = 0; pass < 2; ++pass) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        camera.Aim();
        if (sparing)
            draw_scenery(camera.Eye);
        else
            draw_sky(), draw_sun(), draw_world();
    }
    terrain.cull_patches = true;
    return picture(width, height);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: picture_check views depth-bits [width height [first]]\n");
        return 2;
    }
    const int views = std::atoi(argv[1]);
    const int depth = std::atoi(argv[2]);
    const int width = argc > 4 ? std::atoi(argv[3]) : 640;
    const int height = argc > 4 ? std::atoi(argv[4]) : 480;
    std::mt19937 random(argc > 5 ? unsigned(std::atol(argv[5])) : 20261207u);

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    window_main = glutCreateWindow(Window_Title);
    perf_frequency = no_frequency;  // no one-second clock-rate wait
    init();
    reshape(width, height);
    // The views are drawn off screen, into a depth buffer of the size asked for: window systems
    // offer what they have, largest first.
    const GLenum format = depth == 16 ? GL_DEPTH_COMPONENT16
                          : depth == 24 ? GL_DEPTH_COMPONENT24
                                        : GL_DEPTH_COMPONENT32;
    GLuint framebuffer = 0, buffers[2];
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(2, buffers);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers[1]);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::fprintf(stderr, "no %d-bit depth buffer to draw into\n", depth);
        return 2;
    }
    GLint depth_bits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth_bits);

    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    auto coin = [&] { return random() % 2 == 1; };
    int differing_views = 0, worst = 0, sky_after = 0, runway_first = 0;
    double drawn = 0;
    for (int view = 0; view < views; ++view) {
        const int lod = int(random() % 4);
        if (lod != level) terrain.update_current(level = lod);
        texture1_ = coin(), texture2_ = coin(), fog_enable = coin(), lighting_enable = coin();
        culling_enable = coin(), wire_frame = random() % 8 == 0;
        ui_idle();
        const bool near_airfield = coin();
        const double reach = near_airfield ? 600 : 16000;
        world_x = float(uniform(-reach, reach));
        world_z = float(uniform(-reach, reach));
        world_y = float(near_airfield ? uniform(0, 300) : uniform(0, 9000));
        // One view in six from the tower at the aircraft, as the tower view has it; the others
        // from an eye within 200 of the aircraft, looking anywhere from the sky to straight down.
        if (random() % 6 == 0) {
            tower_view = 1;
            ui_idle();  // places the tower camera
            camera.Position(tower.Eye[0], tower.Eye[1], tower.Eye[2], 0, 0, 0, 0, 1, 0);
            tower_view = 0;
        } else {
            const double eye[3] = {uniform(-200, 200), uniform(-3, 200), uniform(-200, 200)};
            const double yaw = uniform(0, 6.2832), pitch = uniform(-1.55, 1.2);
            camera.Position(eye[0], eye[1], eye[2], eye[0] + std::cos(pitch) * std::sin(yaw),
                            eye[1] + std::sin(pitch), eye[2] + std::cos(pitch) * std::cos(yaw),
                            0, 1, 0);
        }
        const DrawOrder order = draw_order(camera.Eye);
        sky_after += order.terrain_before_sky, runway_first += order.runway_depth_first;

        const std::vector<unsigned char> plain = scenery(false, width, height);
        const std::vector<unsigned char> sparing = scenery(true, width, height);
        drawn += double(terrain.drawn_indices) / double(terrain.indices.size());
        int differing = 0;
        for (size_t p = 0; p < plain.size(); p += 3)
            differing += plain[p] != sparing[p] || plain[p + 1] != sparing[p + 1] ||
                         plain[p + 2] != sparing[p + 2];
        if (differing) {
            ++differing_views;
            std::printf("view %d differs in %d pixels: level %d, aircraft %.0f %.0f %.0f, eye %.1f "
                        "%.1f %.1f looking at %.1f %.1f %.1f, wire %d, orders %d %d\n",
                        view, differing, lod, world_x, world_y, world_z, camera.Eye[0],
                        camera.Eye[1], camera.Eye[2], camera.At[0], camera.At[1],
                        camera.At[2], wire_frame, order.runway_depth_first,
                        order.terrain_before_sky);
        }
        worst = std::max(worst, differing);
    }
    std::printf("%d views at %dx%d with a %d-bit depth buffer: %d differ (at most %d pixels); "
                "terrain before the sky in %d, runway depths first in %d; %.0f %% of the "
                "terrain drawn on average\n",
                views, width, height, depth_bits, differing_views, worst, sky_after, runway_first,
                100 * drawn / std::max(views, 1));
    return differing_views ? 1 : 0;
}
