// Terrain detail by distance at the finest level, seen from a table of eyes: every pixel nearer
// than the first coarser patch is the one the chosen level alone draws, and no line of sight
// passes through the ground into the sky.
#include "gl_support.h"

#include <cmath>

#include "aircraft/FlightState.h"
#include "core/Camera.h"
#include "core/Settings.h"
#include "scenery/DrawOrder.h"
#include "scenery/World.h"
#include "shell/Render.h"
#include "terrain/TerrainGrid.h"

namespace {

using Detail = GLTest;

struct Eye {
    const char* name;
    float at_x, at_y, at_z;  // the aircraft, world coordinates
    double look[3];          // where the eye at its origin looks, relative to it
};

const Eye eyes[] = {
    {"along the runway", 0, 3.2f, 250, {0, -2, -400}},
    {"low over the hills", 7000, 600, 4000, {400, -40, 300}},
    {"to the rim", -3000, 800, 2000, {-400, -60, -300}},
    {"in the rim's valleys", 11000, 4500, -9000, {-300, -80, 400}},
    {"down onto the hills", -8000, 2500, -6000, {50, -400, 20}},
};

// Distance from the eye to what each pixel of the last drawing shows.
std::vector<double> distances()
{
    std::vector<float> depth(640 * 480);
    glReadPixels(0, 0, 640, 480, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    double model_view[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model_view);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::vector<double> far(depth.size());
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            double p[3];
            gluUnProject(x + 0.5, y + 0.5, depth[size_t(y) * 640 + size_t(x)], model_view,
                         projection, viewport, &p[0], &p[1], &p[2]);
            // rows top to bottom, as read_back gives them
            far[size_t(479 - y) * 640 + size_t(x)] =
                std::hypot(p[0] - camera.Eye[0], p[1] - camera.Eye[1], p[2] - camera.Eye[2]);
        }
    return far;
}

Frame scenery()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    camera.Aim();
    draw_scenery(camera.Eye);
    return read_back();
}

// Pixels of the sky's magenta with ground above them in their column, the terrain drawn alone
// (the eyes look at no edge of the map, beyond which the sky shows below the ground).
int holes()
{
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    camera.Aim();
    draw_terrain();
    const Frame frame = read_back();
    glClearColor(0.4f, 0.8f, 0.8f, 1.0f);
    int holes = 0;
    for (int x = 0; x < frame.width; ++x) {
        bool ground_above = false;
        for (int y = 0; y < frame.height; ++y) {
            const unsigned char* p = &frame.rgb[size_t(y * frame.width + x) * 3];
            const bool sky = p[0] == 255 && p[1] == 0 && p[2] == 255;
            holes += sky && ground_above;
            ground_above = ground_above || !sky;
        }
    }
    return holes;
}

TEST_F(Detail, NearPixelsStayAndNoSkyShowsThroughTheGround)
{
    OffScreen off_screen(GL_DEPTH_COMPONENT24);
    printed([] { terrain.update_current(level = 3); });
    size_t sent[2] = {0, 0};  // the terrain sent plainly and in detail by distance
    for (const Eye& eye : eyes) {
        world_x = eye.at_x, world_y = eye.at_y - 3.2f, world_z = eye.at_z;
        camera.Position(0, 0, 0, eye.look[0], eye.look[1], eye.look[2], 0, 1, 0);
        detail_by_distance = 0;
        scenery();  // the second drawing sees what the first left, as every frame but the first
        const Frame plain = scenery();
        const std::vector<double> far = distances();
        const size_t sent_plain = terrain.drawn_indices;
        detail_by_distance = 1;
        scenery();
        const Frame detailed = scenery();
        EXPECT_NO_GL_ERROR() << eye.name;
        const double coarse_from = terrain.detail.coarse_from;
        int near = 0, differing = 0;
        for (size_t p = 0; p < far.size(); ++p) {
            if (far[p] >= 0.99 * coarse_from) continue;  // depths are a few units out far off
            ++near;
            differing += plain.rgb[p * 3] != detailed.rgb[p * 3] ||
                         plain.rgb[p * 3 + 1] != detailed.rgb[p * 3 + 1] ||
                         plain.rgb[p * 3 + 2] != detailed.rgb[p * 3 + 2];
        }
        EXPECT_GT(near, 640 * 480 / 10) << eye.name << ": coarser from " << coarse_from;
        EXPECT_EQ(differing, 0) << eye.name << " of " << near;
        sent[0] += sent_plain, sent[1] += terrain.drawn_indices;
        EXPECT_EQ(holes(), 0) << eye.name;
    }
    EXPECT_LT(sent[1], sent[0] * 3 / 4);
}

}  // namespace
