#include "gl_support.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "aircraft/FlightState.h"
#include "platform/GLExt.h"
#include "resources/Textures.h"
#include "scenery/World.h"
#include "shell/Render.h"
#include "shell/Sim.h"
#include "terrain/TerrainGrid.h"

namespace {

struct Point {
    float x, y, z;
};

// Ranges of model coordinates covered by some primitives.
struct Extent {
    float low_x = 1e9f, high_x = -1e9f, low_y = 1e9f, high_y = -1e9f, low_z = 1e9f,
          high_z = -1e9f;
    void add(const Point& p)
    {
        low_x = std::min(low_x, p.x), high_x = std::max(high_x, p.x);
        low_y = std::min(low_y, p.y), high_y = std::max(high_y, p.y);
        low_z = std::min(low_z, p.z), high_z = std::max(high_z, p.z);
    }
};

bool colour_is(const FeedbackVertex& v, int r, int g, int b)
{
    return std::lround(v.r * 255) == r && std::lround(v.g * 255) == g &&
           std::lround(v.b * 255) == b;
}

int segments(const std::vector<FeedbackPrimitive>& primitives)
{
    return int(std::count_if(primitives.begin(), primitives.end(), [](const FeedbackPrimitive& p) {
        return p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN;
    }));
}

int triangles(const std::vector<FeedbackPrimitive>& primitives)
{
    return int(std::count_if(primitives.begin(), primitives.end(), [](const FeedbackPrimitive& p) {
        return p.token == GL_POLYGON_TOKEN && p.vertices.size() == 3;
    }));
}

// Scenery drawn unlit and untextured in a 640 by 480 viewport, the flags saved and restored.
class WorldTest : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        static bool ready = false;
        if (!ready) {  // once per process: the entry points and the textures
            init_Ext();
            InDirectory root(KESTRIX_ROOT);
            load_textures();
            ready = true;
        }
        saved = {texture1_, lighting_enable, fog_enable, culling_enable, int(surface)};
        texture1_ = 0;
        surface = GL_POLYGON;
        glViewport(0, 0, 640, 480);
        glDisable(GL_LIGHTING);
        glDisable(GL_CULL_FACE);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    void TearDown() override
    {
        texture1_ = saved[0], lighting_enable = saved[1], fog_enable = saved[2];
        culling_enable = saved[3], surface = unsigned(saved[4]);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_CULL_FACE);
        glDisable(GL_FOG);
        glDisable(GL_LIGHTING);
        glEnable(GL_DEPTH_TEST);
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        glDisable(GL_TEXTURE_2D);
        EXPECT_NO_GL_ERROR();
    }

    // An orthographic view straight down -y: model (x, z) to window (0.8x + 320, 240 - 0.8z),
    // model height y to window depth 0.5 - y / 1000.
    static void top_view()
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-400, 400, -300, 300, -500, 500);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(90, 1, 0, 0);
    }
    static Point from_top(const FeedbackVertex& v)
    {
        return {(v.x - 320) / 0.8f, (0.5f - v.z) * 1000, (240 - v.y) / 0.8f};
    }

    // An orthographic view of the whole dome along +y or -y: model (x, z) to window
    // (x / 312.5 + 320, 240 -+ z / 312.5).
    static void dome_view(bool from_below)
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-100000, 100000, -75000, 75000, -200000, 200000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(from_below ? -90 : 90, 1, 0, 0);
    }

    std::vector<int> saved;
};

// From below, every face of the dome faces the viewer: the cap's 16 fan triangles and the
// skirt's 32 strip triangles all pass the culling. From above, all are culled; with culling off
// in the options, all are drawn again. The dome leaves culling and lighting as it found them.
TEST_F(WorldTest, SkyDomeFacesInwardAndRestoresCullingAndLighting)
{
    culling_enable = 1;
    lighting_enable = 1;
    glEnable(GL_LIGHTING);
    dome_view(true);
    const auto inside = feedback(draw_sky);
    EXPECT_EQ(triangles(inside), 48);
    for (const FeedbackPrimitive& p : inside)
        for (const FeedbackVertex& v : p.vertices) {
            EXPECT_TRUE(colour_is(v, 255, 255, 255)) << "the dome is drawn unlit";
        }
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));

    dome_view(false);
    EXPECT_EQ(triangles(feedback(draw_sky)), 0);
    culling_enable = 0;
    EXPECT_EQ(triangles(feedback(draw_sky)), 48);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));

    lighting_enable = 0;  // the flag alone decides: lighting stays off
    glDisable(GL_LIGHTING);
    draw_sky();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_NO_GL_ERROR();
}

// In wire-frame mode the cap is one closed loop through the zenith and the 17 upper-ring
// vertices (18 segments), the skirt one through the 34 alternating ring vertices. The rings'
// radii, heights, alphas and texture coordinates are read from the loops.
TEST_F(WorldTest, SkyDomeOutlinesCarryTheRingsAndTheirAlphas)
{
    surface = GL_LINE_LOOP;
    texture1_ = 1;  // texture coordinates show in feedback only on a textured unit
    culling_enable = 0;
    dome_view(true);
    const auto loops = feedback(draw_sky);
    ASSERT_EQ(segments(loops), 18 + 34);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    auto model = [](const FeedbackVertex& v) {  // from below: window y grows with model z
        return Point{(v.x - 320) * 312.5f, (v.z - 0.5f) * 400000, (v.y - 240) * 312.5f};
    };
    const FeedbackVertex& zenith = loops[0].vertices[0];
    EXPECT_NEAR(zenith.a, 0.4f, 1e-6);
    EXPECT_NEAR(zenith.s, 0.5f, 1e-6);
    EXPECT_NEAR(zenith.t, 0.5f, 1e-6);
    EXPECT_NEAR(model(zenith).y, 33333.33f, 0.1);
    for (int i = 1; i < 18; ++i) {  // the upper ring, counter-clockwise from +x
        const FeedbackVertex& v = loops[size_t(i)].vertices[0];
        const Point p = model(v);
        const double theta = (i - 1) * 0.3926991;
        EXPECT_NEAR(p.x, 23570.0 * std::cos(theta), 2);
        EXPECT_NEAR(p.z, 23570.0 * std::sin(theta), 2);
        EXPECT_NEAR(p.y, 23570, 0.1);
        EXPECT_NEAR(v.a, 0.8f, 1e-6);
        EXPECT_NEAR(v.s, 0.5 + 0.3 * std::cos(theta), 1e-6);
        EXPECT_NEAR(v.t, 0.5 + 0.3 * std::sin(theta), 1e-6);
    }
    EXPECT_NEAR(loops[17].vertices[0].x, loops[1].vertices[0].x, 1e-3) << "the ring closes";
    EXPECT_NEAR(loops[17].vertices[0].y, loops[1].vertices[0].y, 1e-3);
    for (int i = 0; i < 34; ++i) {  // the skirt: upper and lower ring in turn
        const FeedbackVertex& v = loops[size_t(18 + i)].vertices[0];
        const double theta = (i / 2) * 0.3926991;
        const bool lower = i % 2 == 1;
        const Point p = model(v);
        EXPECT_NEAR(p.x, (lower ? 100000.0 / 3 : 23570.0) * std::cos(theta), 2);
        EXPECT_NEAR(p.y, lower ? -80000 : 23570, 0.1);
        EXPECT_NEAR(v.a, lower ? 0.0f : 0.8f, 1e-6);
        EXPECT_NEAR(v.s, 0.5 + (lower ? 0.5 : 0.3) * std::cos(theta), 1e-6);
    }
}

// The sun: nothing with lighting off; with it on, a plain orange square 8000 up that fog does
// not touch, even where fog would cover everything, and fog is back on afterwards. Textured,
// it is added onto the sky, and the blend function and texturing are restored.
TEST_F(WorldTest, SunOnlyWithLightingAndNeverFogged)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, 640.0 / 480, 100, 20000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 0, 0, 1, 0, 0, 0, 1);
    fog_enable = 1;
    lighting_enable = 0;
    EXPECT_TRUE(feedback(draw_sun).empty());

    lighting_enable = 1;  // the flag; GL lighting stays off so the colour reads back exactly
    const auto square = feedback(draw_sun);
    ASSERT_EQ(triangles(square), 2);

    const float fog_blue[4] = {0, 0, 1, 1};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 0);
    glFogf(GL_FOG_END, 1);
    glFogfv(GL_FOG_COLOR, fog_blue);
    glEnable(GL_FOG);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    draw_sun();
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    const auto pixels = read_back(640, 480);
    const unsigned char* centre = &pixels[3 * (240 * 640 + 320)];
    EXPECT_NEAR(centre[0], 230, 1);
    EXPECT_NEAR(centre[1], 153, 1);
    EXPECT_NEAR(centre[2], 102, 1);

    texture1_ = 1;
    glClearColor(0.2f, 0.2f, 0.2f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    draw_sun();
    const auto added = read_back(640, 480);
    const unsigned char* glow = &added[3 * (240 * 640 + 320)];
    EXPECT_GT(glow[0], 51 + 100) << "the sun's bright centre, added onto the background";
    EXPECT_EQ(gl_int(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(gl_int(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    glClearColor(0.4f, 0.8f, 0.8f, 1);
}

// Seen from the side over a background, the shaft and roof cover it in their own colour and the
// glass cab doubles it in the cab's colour; the blend function is back to the default after.
TEST_F(WorldTest, TowerCabIsTheOneMultiplyingBlend)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-32, 32, -4, 44, -50, 50);  // 10 pixels a unit
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.25f, 0.5f, 0.75f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_DEPTH_BUFFER_BIT);
    control_tower();
    EXPECT_EQ(gl_int(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(gl_int(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    const auto pixels = read_back(640, 480);
    auto at_height = [&](float y) { return &pixels[3 * (size_t((y + 4) * 10) * 640 + 320)]; };
    for (float y : {15.0f, 36.0f}) {  // shaft and roof
        EXPECT_EQ(at_height(y)[0], 100) << y;
        EXPECT_EQ(at_height(y)[2], 80) << y;
    }
    // Its back face and then its front face each double the colour behind in the cab's.
    const unsigned char* cab = at_height(32.5f);
    const float background[3] = {0.25f, 0.5f, 0.75f}, glass[3] = {50, 100, 150};
    for (int i = 0; i < 3; ++i) {
        const float behind = std::min(1.0f, 2 * glass[i] / 255 * background[i]);
        EXPECT_NEAR(cab[i], 255 * std::min(1.0f, 2 * glass[i] / 255 * behind), 1.5) << i;
    }
    EXPECT_EQ(at_height(38)[2], 191) << "nothing above the roof at 37";
    glClearColor(0.4f, 0.8f, 0.8f, 1);
    glDisable(GL_DEPTH_TEST);
}

// Where the runway, apron, stripes and tower lie, from above.
TEST_F(WorldTest, AirfieldLayout)
{
    top_view();
    const auto primitives = feedback(runway);
    Extent grey, stripes, tower;
    int stripe_triangles = 0;  // counted by vertex
    for (const FeedbackPrimitive& p : primitives)
        for (const FeedbackVertex& v : p.vertices) {
            const Point m = from_top(v);
            if (colour_is(v, 77, 77, 77) && m.x > -16) grey.add(m);  // the runway
            const bool stripe_height = std::fabs(m.y - 1.2f) < 0.01f;
            if (colour_is(v, 200, 200, 200) && stripe_height) stripes.add(m), ++stripe_triangles;
            if (colour_is(v, 100, 100, 80)) tower.add(m);
        }
    EXPECT_NEAR(grey.low_x, -15, 0.01);
    EXPECT_NEAR(grey.high_x, 15, 0.01);
    EXPECT_NEAR(grey.low_z, -250, 0.01);
    EXPECT_NEAR(grey.high_z, 250, 0.01);
    EXPECT_NEAR(grey.high_y, 1, 0.01);
    EXPECT_EQ(stripe_triangles, 27 * 2 * 3) << "15 centre-line and 12 threshold stripes";
    EXPECT_NEAR(stripes.low_x, -10.5, 0.01);
    EXPECT_NEAR(stripes.high_x, 10.5, 0.01);
    EXPECT_NEAR(stripes.low_z, -235, 0.01);
    EXPECT_NEAR(stripes.high_z, 235, 0.01);
    EXPECT_NEAR(stripes.low_y, 1.2, 0.01);
    EXPECT_NEAR(tower.low_x, -75, 0.01);
    EXPECT_NEAR(tower.high_x, -65, 0.01);
    EXPECT_NEAR(tower.low_z, -155, 0.01);
    EXPECT_NEAR(tower.high_z, -145, 0.01);
    EXPECT_NEAR(tower.high_y, 37, 0.01);

    Extent apron;
    for (const FeedbackPrimitive& p : primitives)
        if (colour_is(p.vertices[0], 77, 77, 77) && from_top(p.vertices[0]).x < -16 &&
            std::fabs(from_top(p.vertices[0]).y - 1) < 0.01f)
            for (const FeedbackVertex& v : p.vertices) apron.add(from_top(v));
    EXPECT_NEAR(apron.low_x, -130, 0.01);
    EXPECT_NEAR(apron.high_x, -30, 0.01);
    EXPECT_NEAR(apron.low_z, -250, 0.01);
    EXPECT_NEAR(apron.high_z, -100, 0.01);
    EXPECT_NEAR(apron.high_y, 1, 0.01);
}

// Box faces take their texture coordinates one corner late: the top face carries the one current
// when the box begins; each side face's corners, in their order, that coordinate or (0, 1),
// then (0, 0), (1, 0) and (1, 1).
TEST_F(WorldTest, BoxFacesTakeTheirTextureCoordinatesOneCornerLate)
{
    top_view();
    glEnable(GL_TEXTURE_2D);
    glTexCoord2f(0.25f, 0.75f);
    const auto first = feedback(building);
    const auto second = feedback(building);
    glDisable(GL_TEXTURE_2D);
    ASSERT_EQ(first.size(), 10u);  // five faces of two triangles; no bottom
    ASSERT_EQ(second.size(), 10u);

    // The corners of the side faces in drawing order, as signs of the half-unit coordinates.
    const int corners[4][4][3] = {{{-1, 1, -1}, {1, 1, -1}, {1, -1, -1}, {-1, -1, -1}},
                                  {{1, 1, -1}, {1, 1, 1}, {1, -1, 1}, {1, -1, -1}},
                                  {{1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}},
                                  {{-1, 1, -1}, {-1, 1, 1}, {-1, -1, 1}, {-1, -1, -1}}};
    auto texture_at = [&](const std::vector<FeedbackPrimitive>& box, int face, const int* c) {
        for (int k = 2 * face; k < 2 * face + 2; ++k)
            for (const FeedbackVertex& v : box[size_t(k)].vertices) {
                const Point m = from_top(v);
                if (std::lround(2 * m.x) == c[0] && std::lround(2 * m.y) == c[1] &&
                    std::lround(2 * m.z) == c[2])
                    return std::array<float, 2>{v.s, v.t};
            }
        ADD_FAILURE() << "no corner " << c[0] << c[1] << c[2] << " in face " << face;
        return std::array<float, 2>{-1, -1};
    };
    using ST = std::array<float, 2>;
    for (int i = 0; i < 2; ++i) {  // the top face
        for (const FeedbackVertex& v : first[size_t(i)].vertices) {
            EXPECT_EQ((ST{v.s, v.t}), (ST{0.25f, 0.75f}));
        }
        for (const FeedbackVertex& v : second[size_t(i)].vertices) {
            EXPECT_EQ((ST{v.s, v.t}), (ST{0, 1}));
        }
    }
    for (int side = 0; side < 4; ++side) {
        const ST begun = side == 0 ? ST{0.25f, 0.75f} : ST{0, 1};
        EXPECT_EQ(texture_at(first, side + 1, corners[side][0]), begun) << side;
        EXPECT_EQ(texture_at(first, side + 1, corners[side][1]), (ST{0, 0})) << side;
        EXPECT_EQ(texture_at(first, side + 1, corners[side][2]), (ST{1, 0})) << side;
        EXPECT_EQ(texture_at(first, side + 1, corners[side][3]), (ST{1, 1})) << side;
    }
}

// The city: untextured, it selects, enables and disables no texture unit; textured, it leaves
// unit 0 selected with texturing off. In wire-frame mode both plazas show as nested octagon
// outlines besides the outlines of the nine boxes' five faces.
TEST_F(WorldTest, CityTexturesOnlyWhenAskedAndOutlinesBothPlazas)
{
    top_view();
    ext::glActiveTextureARB(GL_TEXTURE0_ARB);
    glEnable(GL_TEXTURE_2D);  // markers that an untextured city must not touch
    ext::glActiveTextureARB(GL_TEXTURE1_ARB);
    city();
    EXPECT_EQ(gl_int(GL_ACTIVE_TEXTURE), GL_TEXTURE1);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    ext::glActiveTextureARB(GL_TEXTURE0_ARB);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    ext::glActiveTextureARB(GL_TEXTURE1_ARB);
    texture1_ = 1;
    city();
    EXPECT_EQ(gl_int(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(GLuint(gl_int(GL_TEXTURE_BINDING_2D)), texture[TEXTURE_CITY2]);

    texture1_ = 0;
    surface = GL_LINE_LOOP;
    glTranslatef(500, 0, 0);  // the city's centre in the middle of the view
    const auto outlines = feedback(city);
    EXPECT_EQ(segments(outlines), 2 * 8 + 9 * 5 * 4);
    EXPECT_EQ(triangles(outlines), 0);
    Extent inner, outer;
    for (const FeedbackPrimitive& p : outlines)
        for (const FeedbackVertex& v : p.vertices) {
            const Point m = from_top(v);
            if (colour_is(v, 100, 100, 110)) inner.add({m.x - 500, m.y, m.z});
            if (colour_is(v, 80, 80, 90)) outer.add({m.x - 500, m.y, m.z});
        }
    EXPECT_NEAR(inner.low_x, -500 - 180, 0.01);  // 0.6 and 0.8 of the plaza's 300
    EXPECT_NEAR(inner.high_z, 240, 0.01);
    EXPECT_NEAR(inner.high_y, 1, 0.01);
    EXPECT_NEAR(outer.low_x, -800, 0.01);
    EXPECT_NEAR(outer.high_z, 300, 0.01);
    EXPECT_NEAR(outer.high_y, 2, 0.01);
}

// The whole scenery of a frame, with the aircraft somewhere: the model-view matrix and its
// stack, the blend function and texturing on unit 0 are as they were.
TEST_F(WorldTest, DrawWorldLeavesTheStateAsItFoundIt)
{
    if (terrain.l0_indices.empty()) terrain.setPoints();
    terrain.update_current(1);
    const float position[3] = {world_x, world_y, world_z};
    world_x = 120, world_y = 300, world_z = -40;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(80, 640.0 / 480, 1, 100000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 10, -30, 0, 0, 0, 0, 1, 0);
    const auto before = gl_matrix(GL_MODELVIEW_MATRIX);
    for (int textured : {0, 1}) {
        texture1_ = textured;
        draw_world();
        EXPECT_EQ(gl_matrix(GL_MODELVIEW_MATRIX), before);
        EXPECT_EQ(gl_int(GL_MODELVIEW_STACK_DEPTH), 1);
        EXPECT_EQ(gl_int(GL_BLEND_SRC), GL_SRC_ALPHA);
        EXPECT_EQ(gl_int(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_NO_GL_ERROR();
    }
    world_x = position[0], world_y = position[1], world_z = position[2];
}

}  // namespace
