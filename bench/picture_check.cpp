// Random views of the scenery, each drawn twice and compared pixel for pixel: as the frame draws
// it (the sparing order, only the terrain patches in view) and plainly (sky, sun, then the whole
// world with every patch). Levels, options, places and eyes are drawn at random, a fixed sequence
// for a given first number; half the views are near the airfield, where the orders matter most.
//
//   bench/picture_check.sh [views] [depth bits...]   (build/bench/picture_check under Xvfb)
//   build/bench/picture_check views depth-bits [width height [first-number]]
//
// With "detail" for the depth bits, the views (levels 1 to 3, eyes above the ground) are drawn
// with terrain detail by distance and without, into 24 bits of depth: every pixel nearer than
// the first coarser patch must be the same, and the terrain drawn alone over a magenta sky must
// show no magenta below ground in any column of pixels (the sky seen through a crack).
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

// The share of the distance to the first coarse patch within which pixels are compared: their
// distances come from the depth buffer, a few units out at a few kilometres.
const double nearer_than = 0.99;

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

// Distance from the eye to what each pixel of the picture just drawn shows, rows bottom to top.
std::vector<double> distances(int width, int height)
{
    std::vector<float> depth(size_t(width) * height);
    glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    double model_view[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model_view);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::vector<double> far(depth.size());
    for (size_t p = 0; p < depth.size(); ++p) {
        double x, y, z;
        gluUnProject(double(p % size_t(width)) + 0.5, double(p / size_t(width)) + 0.5, depth[p],
                     model_view, projection, viewport, &x, &y, &z);
        far[p] = std::hypot(x - camera.Eye[0], y - camera.Eye[1], z - camera.Eye[2]);
    }
    return far;
}

// The terrain alone over a magenta sky.
std::vector<unsigned char> terrain_alone(int width, int height)
{
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    camera.Aim();
    draw_terrain();
    glClearColor(0.4f, 0.8f, 0.8f, 1.0f);
    return picture(width, height);
}

// Pixels of sky in `detailed` with ground above them in their column where `plain` shows
// ground: beyond the map's edges the sky shows below the ground in both.
int sky_below_ground(const std::vector<unsigned char>& plain,
                     const std::vector<unsigned char>& detailed, int width, int height)
{
    auto sky = [](const unsigned char* p) { return p[0] == 255 && p[1] == 0 && p[2] == 255; };
    int holes = 0;
    for (int x = 0; x < width; ++x) {
        bool ground_above = false;
        for (int y = height - 1; y >= 0; --y) {
            const size_t at = (size_t(y) * width + size_t(x)) * 3;
            holes += sky(&detailed[at]) && ground_above && !sky(&plain[at]);
            ground_above = ground_above || !sky(&detailed[at]);
        }
    }
    return holes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: picture_check views depth-bits [width height [first]]\n");
        return 2;
    }
    const int views = std::atoi(argv[1]);
    const bool detail = std::string(argv[2]) == "detail";
    const int depth = detail ? 24 : std::atoi(argv[2]);
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
    if (detail) {
        int cracked = 0, holes = 0;
        double near = 0, sent[2] = {0, 0};
        for (int view = 0; view < views; ++view) {
            const int lod = 1 + int(random() % 3);
            if (lod != level) terrain.update_current(level = lod);
            texture1_ = coin(), texture2_ = coin(), fog_enable = coin(), lighting_enable = coin();
            culling_enable = coin();
            ui_idle();
            world_x = float(uniform(-14000, 14000)), world_z = float(uniform(-14000, 14000));
            // Above the highest corner of the finest cell beneath, by up to 3000.
            const int i = int((world_z + 14784) / 176), j = int((world_x + 14784) / 176);
            float ground = 0;
            for (int corner = 0; corner < 4; ++corner)
                ground = std::max(ground, terrain.Grid3[i + corner / 2][j + corner % 2].y);
            world_y = ground + float(uniform(20, 3000));
            const double yaw = uniform(0, 6.2832), pitch = uniform(-1.5, 0.3);
            camera.Position(0, 0, 0, std::cos(pitch) * std::sin(yaw), std::sin(pitch),
                            std::cos(pitch) * std::cos(yaw), 0, 1, 0);
            std::vector<unsigned char> pictures[2], terrain_pictures[2];
            std::vector<double> far;
            for (int on = 0; on < 2; ++on) {
                detail_by_distance = on;
                for (int pass = 0; pass < 2; ++pass) {
                    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                    glLoadIdentity();
                    camera.Aim();
                    draw_scenery(camera.Eye);
                }
                pictures[on] = picture(width, height);
                sent[on] += double(terrain.drawn_indices);
                if (!on) far = distances(width, height);
                terrain_pictures[on] = terrain_alone(width, height);
            }
            const int crack =
                sky_below_ground(terrain_pictures[0], terrain_pictures[1], width, height);
            detail_by_distance = 0;
            int differing = 0, nearer = 0;
            for (size_t p = 0; p < far.size(); ++p) {
                if (far[p] >= nearer_than * terrain.detail.coarse_from) continue;
                ++nearer;
                differing += pictures[0][p * 3] != pictures[1][p * 3] ||
                             pictures[0][p * 3 + 1] != pictures[1][p * 3 + 1] ||
                             pictures[0][p * 3 + 2] != pictures[1][p * 3 + 2];
            }
            near += double(nearer) / double(far.size());
            holes += crack, cracked += crack > 0;
            if (differing || crack) {
                ++differing_views;
                std::printf("view %d: %d near pixels differ, %d sky below ground: level %d, eye "
                            "%.0f %.0f %.0f looking at %.3f %.3f %.3f\n",
                            view, differing, crack, lod, world_x, world_y + 3.2, world_z,
                            camera.At[0], camera.At[1], camera.At[2]);
            }
        }
        std::printf("%d views at %dx%d in detail by distance: %d with near pixels changed or sky "
                    "below ground (%d views, %d pixels of sky); %.0f %% of the pixels nearer "
                    "than the first coarse patch; %.0f %% of the plain terrain sent\n",
                    views, width, height, differing_views, cracked, holes,
                    100 * near / std::max(views, 1), 100 * sent[1] / std::max(sent[0], 1.0));
        return differing_views ? 1 : 0;
    }
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
