#include "gl_support.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "aircraft/FlightState.h"
#include "aircraft/Plane.h"
#include "aircraft/PlaneGeometry.h"
#include "resources/Textures.h"
#include "shell/Render.h"
#include "shell/Sim.h"

namespace {

struct Point {
    float x, y, z;
};

// The model frame as feedback reports it: the orthographic view below maps model (x, y) to
// window (10x + 320, 10y + 240) and model z to window depth 0.5 - z / 100.
Point model(const FeedbackVertex& v)
{
    return {v.x / 10 - 32, v.y / 10 - 24, (0.5f - v.z) * 100};
}

GLint env_mode()
{
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    return mode;
}

int grey(const FeedbackVertex& v) { return int(std::lround(v.r * 255)); }

bool is_black(const FeedbackPrimitive& p)
{
    return !p.vertices.empty() && p.vertices[0].r == 0 && p.vertices[0].g == 0 &&
           p.vertices[0].b == 0;
}

// Triangles with some area, and line segments, among the primitives.
struct Counts {
    int triangles = 0;
    int segments = 0;
};

Counts count(const std::vector<FeedbackPrimitive>& primitives)
{
    Counts c;
    for (const FeedbackPrimitive& p : primitives) {
        if (p.token == GL_POLYGON_TOKEN && p.vertices.size() == 3) {
            const Point a = model(p.vertices[0]), b = model(p.vertices[1]), d = model(p.vertices[2]);
            const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
            const float vx = d.x - a.x, vy = d.y - a.y, vz = d.z - a.z;
            const float cx = uy * vz - uz * vy, cy = uz * vx - ux * vz, cz = ux * vy - uy * vx;
            if (cx * cx + cy * cy + cz * cz > 1e-10f) ++c.triangles;
        } else if (p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN) {
            ++c.segments;
        }
    }
    return c;
}

class PlaneTest : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        static bool ready = false;
        if (!ready) {  // once per process: the entry points, sphere mapping and the skin
            init_Ext();
            InDirectory root(KESTRIX_ROOT);
            load_textures();
            ready = true;
        }
        saved = {texture1_, plane_enable, int(surface)};
        init_Model();
        texture1_ = 0;
        surface = GL_POLYGON;
        glDisable(GL_LIGHTING);  // feedback then reports the colours as set
        glDisable(GL_CULL_FACE);
        glDisable(GL_TEXTURE_2D);
        glViewport(0, 0, 640, 480);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-32, 32, -24, 24, -50, 50);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    void TearDown() override
    {
        texture1_ = saved[0];
        plane_enable = saved[1];
        surface = unsigned(saved[2]);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    std::array<int, 3> saved{};
};

// The pieces drawn on their own, with a quadric of their own.
class PieceTest : public PlaneTest {
protected:
    void SetUp() override
    {
        PlaneTest::SetUp();
        qobj = gluNewQuadric();
    }
    void TearDown() override
    {
        gluDeleteQuadric(qobj);
        qobj = nullptr;
        PlaneTest::TearDown();
    }
};

// Filled, every face of n vertices shows as n - 2 triangles; in wire-frame mode it is a closed
// outline of n segments. The face sizes are those of the aircraft's face lists.
TEST_F(PieceTest, PiecesEmitTheirFacesFilledAndOutlined)
{
    struct Piece {
        const char* name;
        void (*draw)();
        std::vector<int> face_sizes;
    };
    const std::vector<int> quads3 = {4, 4, 4};
    const Piece pieces[] = {
        {"fuselage_1", fuselage_1, quads3},
        {"fuselage_2", fuselage_2, quads3},
        {"fuselage_3", fuselage_3, quads3},
        {"fuselage_4", fuselage_4, {4, 4, 4, 4}},
        {"fuselage_5", fuselage_5, {4, 4, 4, 4, 4}},
        {"fuselage_6", fuselage_6, {3, 3, 3, 3}},
        {"support", [] { support(1); }, {4}},
        {"canopy", canopy, {6, 6, 4, 4}},
        {"main_wing",
         [] { main_wing(1); },
         {4, 4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 4, 4, 4, 3, 4, 4, 4, 3}},
        {"tail", tail, {4, 4, 4, 4, 4, 3, 3, 3, 3, 4, 4, 3, 3, 4}},
        {"rear_wing", [] { rear_wing(1); }, {4, 4, 3, 3, 4, 4, 3, 3}},
    };
    glRotatef(30, 1, 1, 0);  // from an oblique corner, so that no face is seen edge-on
    for (const Piece& piece : pieces) {
        int triangles = 0, segments = 0;
        for (int n : piece.face_sizes) {
            triangles += n - 2;
            segments += n;
        }
        surface = GL_POLYGON;
        const Counts filled = count(feedback(piece.draw));
        EXPECT_EQ(filled.triangles, triangles) << piece.name;
        EXPECT_EQ(filled.segments, 0) << piece.name;
        surface = GL_LINE_LOOP;
        const Counts outlined = count(feedback(piece.draw));
        EXPECT_EQ(outlined.triangles, 0) << piece.name;
        EXPECT_EQ(outlined.segments, segments) << piece.name;
        EXPECT_NO_GL_ERROR();
    }
    // Both blades are one primitive: two triangles filled, one outline of six vertices.
    surface = GL_POLYGON;
    EXPECT_EQ(count(feedback(blades)).triangles, 2);
    surface = GL_LINE_LOOP;
    EXPECT_EQ(count(feedback(blades)).segments, 6);
}

// In wire-frame mode the quadrics outline and the spinner is a wire cone, while the legs stay
// solid cubes (twelve triangles each).
TEST_F(PieceTest, WireFrameOutlinesQuadricsButKeepsTheLegsSolid)
{
    gluQuadricDrawStyle(qobj, GLU_SILHOUETTE);
    surface = GL_LINE_LOOP;
    EXPECT_EQ(count(feedback(wheel)).triangles, 0);
    EXPECT_GT(count(feedback(wheel)).segments, 0);
    EXPECT_EQ(count(feedback(spinner)).triangles, 0);
    EXPECT_GT(count(feedback(spinner)).segments, 0);
    EXPECT_EQ(count(feedback(nose_gear)).triangles, 12);
    EXPECT_EQ(count(feedback([] { main_gear(1); })).triangles, 12);

    gluQuadricDrawStyle(qobj, GLU_FILL);
    surface = GL_POLYGON;
    const Counts filled = count(feedback(nose_gear));
    EXPECT_GT(filled.triangles, 12);  // the wheel too
    EXPECT_EQ(filled.segments, 0);
    EXPECT_GT(count(feedback(spinner)).triangles, 0);
    EXPECT_NO_GL_ERROR();
}

// The primitives of `draw` begun in the aircraft's light grey (the tailplane keeps the colour
// it finds).
std::vector<FeedbackPrimitive> in_grey(void (*draw)())
{
    glColor3ub(200, 200, 200);
    return feedback(draw);
}

// What a mirrored piece draws, seen through x = 0: the same vertices in the same order.
void expect_mirror_images(const std::vector<FeedbackPrimitive>& plus,
                          const std::vector<FeedbackPrimitive>& minus, const char* name)
{
    ASSERT_EQ(plus.size(), minus.size()) << name;
    ASSERT_FALSE(plus.empty()) << name;
    EXPECT_NE(plus[0].vertices[0].s, 0) << name << ": no normal generated";
    for (size_t i = 0; i < plus.size(); ++i) {
        ASSERT_EQ(plus[i].vertices.size(), minus[i].vertices.size()) << name;
        for (size_t k = 0; k < plus[i].vertices.size(); ++k) {
            const Point a = model(plus[i].vertices[k]), b = model(minus[i].vertices[k]);
            EXPECT_NEAR(a.x, -b.x, 1e-3) << name << " primitive " << i;
            EXPECT_NEAR(a.y, b.y, 1e-3) << name << " primitive " << i;
            EXPECT_NEAR(a.z, b.z, 1e-3) << name << " primitive " << i;
            EXPECT_EQ(grey(plus[i].vertices[k]), grey(minus[i].vertices[k])) << name;
            // The normal, generated into the texture coordinates, is mirrored too.
            EXPECT_NEAR(plus[i].vertices[k].s, -minus[i].vertices[k].s, 1e-4) << name;
            EXPECT_NEAR(plus[i].vertices[k].t, minus[i].vertices[k].t, 1e-4) << name;
            EXPECT_NEAR(plus[i].vertices[k].p, minus[i].vertices[k].p, 1e-4) << name;
        }
    }
}

TEST_F(PieceTest, MirroredPiecesAreExactMirrorImages)
{
    for (GLenum coordinate : {GL_S, GL_T, GL_R})
        glTexGeni(coordinate, GL_TEXTURE_GEN_MODE, GL_NORMAL_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_GEN_R);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture[TEXTURE_PLANE]);
    glEnable(GL_TEXTURE_2D);  // coordinates are generated only for a unit that textures
    angle_flap = 20;
    angle_elevator = -15;
    angle_main_gear = 40;
    glRotatef(30, 1, 0, 0);  // a turn about x commutes with the mirror, and shows the faces
    expect_mirror_images(in_grey([] { support(1); }), in_grey([] { support(-1); }), "support");
    expect_mirror_images(in_grey([] { main_wing(1); }), in_grey([] { main_wing(-1); }),
                         "main_wing");
    expect_mirror_images(in_grey([] { rear_wing(1); }), in_grey([] { rear_wing(-1); }),
                         "rear_wing");
    expect_mirror_images(in_grey([] { main_gear(1); }), in_grey([] { main_gear(-1); }),
                         "main_gear");
    // Ailerons deflect in opposite senses: the left wing at +30 mirrors the right one at -30.
    angle_aileron = 30;
    const auto left = feedback([] { main_wing(-1); });
    angle_aileron = -30;
    expect_mirror_images(in_grey([] { main_wing(1); }), left, "aileron");
    angle_aileron = 30;
    const auto right = feedback([] { main_wing(1); });
    bool differs = false;
    for (size_t i = 0; i < right.size(); ++i)
        differs = differs || std::fabs(model(right[i].vertices[0]).x +
                                       model(left[i].vertices[0]).x) > 1e-3f;
    EXPECT_TRUE(differs) << "both ailerons at +30 deflect alike";

    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
    glDisable(GL_TEXTURE_2D);
    for (GLenum coordinate : {GL_S, GL_T})
        glTexGeni(coordinate, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    EXPECT_NO_GL_ERROR();
}

// The assembled aircraft spans the rudder's trailing edge (just behind the tail-cone tip at -7)
// to the spinner tip, the wheels to the fin cap and wing tip to wing tip.
TEST_F(PlaneTest, AircraftHasItsOverallSize)
{
    Point low{1e9f, 1e9f, 1e9f}, high{-1e9f, -1e9f, -1e9f};
    for (const FeedbackPrimitive& p : feedback(draw_plane))
        for (const FeedbackVertex& v : p.vertices) {
            const Point m = model(v);
            low = {std::min(low.x, m.x), std::min(low.y, m.y), std::min(low.z, m.z)};
            high = {std::max(high.x, m.x), std::max(high.y, m.y), std::max(high.z, m.z)};
        }
    EXPECT_NEAR(low.z, -7.25, 0.01);
    EXPECT_NEAR(high.z, 6.2, 0.01);
    EXPECT_NEAR(low.y, -1.93, 0.02);  // nose and main wheels alike
    EXPECT_NEAR(high.y, 4.2, 0.01);
    EXPECT_NEAR(low.x, -8.3, 0.01);
    EXPECT_NEAR(high.x, 8.3, 0.01);
    EXPECT_EQ(qobj, nullptr);  // the pass's quadric is gone with the pass
}

// Hidden, the aircraft draws nothing, yet the pass balances its matrices; fully retracted
// legs vanish from the flown aircraft but not from the parked one, which shares their angles.
TEST_F(PlaneTest, HiddenAircraftAndRetractedLegs)
{
    const GLint depth = gl_int(GL_MODELVIEW_STACK_DEPTH);
    const auto matrix = gl_matrix(GL_MODELVIEW_MATRIX);
    plane_enable = 0;
    head_roll = 30;
    EXPECT_TRUE(feedback(draw_plane).empty());
    EXPECT_EQ(gl_int(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_EQ(gl_matrix(GL_MODELVIEW_MATRIX), matrix);
    plane_enable = 1;

    auto black = [](void (*draw)()) {
        const auto primitives = feedback(draw);
        return std::count_if(primitives.begin(), primitives.end(), is_black);
    };
    const auto with_legs = black(draw_plane);
    EXPECT_GT(with_legs, 36);  // three legs of twelve triangles, and the tyres
    angle_nose_gear = 115;
    angle_main_gear = 125;
    EXPECT_EQ(black(draw_plane), with_legs);
    angle_nose_gear = 120;
    angle_main_gear = 130;
    EXPECT_EQ(black(draw_plane), 0);
    EXPECT_EQ(black(draw_plane_parked2), with_legs);
    EXPECT_NO_GL_ERROR();
}

// The disc of the spinning propeller shows above throttle 400 only, its grey level wrapping
// modulo 256.
TEST_F(PlaneTest, PropellerDiscAboveThrottle400)
{
    auto greys = [] {
        std::set<int> seen;
        for (const FeedbackPrimitive& p : feedback(draw_plane))
            for (const FeedbackVertex& v : p.vertices) seen.insert(grey(v));
        return seen;
    };
    throttle = 400;
    const std::set<int> blades_only = greys();
    throttle = 405;
    std::set<int> with_disc = greys();
    EXPECT_EQ(with_disc.size(), blades_only.size() + 1);
    EXPECT_EQ(with_disc.count(174), 1u);
    throttle = 1005;
    with_disc = greys();
    EXPECT_EQ(with_disc.count(6), 1u);
    EXPECT_EQ(with_disc.size(), blades_only.size() + 1);
}

// Every way of drawing an aircraft gives the shared state back: the blend function, texture
// generation, environment and 2D texturing, the matrices, and the terrain's vertex arrays
// (which GLUT's solids would otherwise repoint and switch off). The jet alone moves the matrix,
// by its lift, scale and half turn, and leaves the environment as it found it.
TEST_F(PlaneTest, DrawingLeavesTheSharedStateAsTheProgramExpects)
{
    std::vector<float> colours(3 * 64, 0.0f);  // a "terrain" of 64 red vertices
    for (size_t i = 0; i < colours.size(); i += 3) colours[i] = 1;
    const std::vector<float> vertices(3 * 64, 0.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glNormalPointer(GL_FLOAT, 0, vertices.data());
    glColorPointer(3, GL_FLOAT, 0, colours.data());
    for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {  // init_Ext enabled both units' arrays
        glClientActiveTexture(unit);
        glTexCoordPointer(2, GL_FLOAT, 0, vertices.data());
    }

    glLoadIdentity();
    glTranslatef(0, 1, 0);
    glScalef(5, 5, 5);
    glRotatef(180, 0, 1, 0);
    const auto jet_matrix = gl_matrix(GL_MODELVIEW_MATRIX);
    glLoadIdentity();
    const auto identity = gl_matrix(GL_MODELVIEW_MATRIX);

    struct Routine {
        const char* name;
        void (*draw)();
    };
    for (const Routine& routine : {Routine{"draw_plane", draw_plane},
                                   Routine{"draw_plane_parked2", draw_plane_parked2},
                                   Routine{"draw_plane_parked1", draw_plane_parked1}}) {
        for (int options = 0; options < 8; ++options) {
            texture1_ = options & 1;
            surface = options & 2 ? GL_LINE_LOOP : GL_POLYGON;
            throttle = options & 4 ? 1005 : 0;
            SCOPED_TRACE(testing::Message() << routine.name << " texture1_ " << texture1_
                                            << " surface " << surface << " throttle " << throttle);
            glLoadIdentity();
            glActiveTexture(GL_TEXTURE1);
            glClientActiveTexture(GL_TEXTURE1);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);  // unit 1's, untouched
            glActiveTexture(GL_TEXTURE0);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
            glActiveTexture(GL_TEXTURE1);
            const GLint depth = gl_int(GL_MODELVIEW_STACK_DEPTH);

            const auto primitives = feedback(routine.draw);

            EXPECT_NO_GL_ERROR();
            EXPECT_FALSE(primitives.empty());
            EXPECT_EQ(gl_int(GL_BLEND_SRC), GL_SRC_ALPHA);
            EXPECT_EQ(gl_int(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
            EXPECT_EQ(gl_int(GL_MODELVIEW_STACK_DEPTH), depth);
            EXPECT_EQ(gl_matrix(GL_MODELVIEW_MATRIX),
                      routine.draw == draw_plane_parked1 ? jet_matrix : identity);
            // Skinning selects unit 0 and leaves it selected; otherwise no unit is touched.
            EXPECT_EQ(gl_int(GL_ACTIVE_TEXTURE), texture1_ ? GL_TEXTURE0 : GL_TEXTURE1);
            EXPECT_EQ(env_mode(), texture1_ ? GL_MODULATE : GL_REPLACE);
            glActiveTexture(GL_TEXTURE0);
            EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
            EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
            EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
            EXPECT_EQ(env_mode(), GL_MODULATE);
            EXPECT_EQ(gl_int(GL_CLIENT_ACTIVE_TEXTURE), GL_TEXTURE1);
            EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
            EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
            EXPECT_TRUE(glIsEnabled(GL_COLOR_ARRAY));
            void* pointer = nullptr;
            glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
            EXPECT_EQ(pointer, vertices.data());
            glGetPointerv(GL_NORMAL_ARRAY_POINTER, &pointer);
            EXPECT_EQ(pointer, vertices.data());
            // Nothing is drawn in the array's red: the legs and the spinner have their colours.
            EXPECT_EQ(std::count_if(primitives.begin(), primitives.end(),
                                    [](const FeedbackPrimitive& p) {
                                        return p.vertices[0].r == 1 && p.vertices[0].g == 0;
                                    }),
                      0);
        }
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glActiveTexture(GL_TEXTURE1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glActiveTexture(GL_TEXTURE0);
}

// The aircraft lit and skinned from ahead, above and to its left, then in wire-frame mode,
// where outlines replace the faces but the legs stay solid. The pictures are saved as
// aircraft.png and aircraft_wireframe.png for people to look at.
TEST_F(PlaneTest, PicturesFilledAndInWireFrame)
{
    init_View();
    init_Light();
    glDisable(GL_FOG);
    glClearColor(0.4f, 0.8f, 0.8f, 1.0f);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40, 640.0 / 480.0, 1, 100);
    glMatrixMode(GL_MODELVIEW);

    auto picture = [](unsigned int primitive, const char* name) {
        surface = primitive;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(10, 6.5, 14, 0, 0.5, 0, 0, 1, 0);
        glLightfv(GL_LIGHT0, GL_POSITION, light0_position);
        draw_plane();
        EXPECT_NO_GL_ERROR();
        const std::vector<unsigned char> rgb = read_back(640, 480);
        save_png(std::string(GL_ARTIFACTS) + "/" + name, 640, 480, rgb);
        int aircraft = 0;  // pixels that are not the clear colour
        for (size_t i = 0; i < rgb.size(); i += 3)
            if (rgb[i] != 102 || rgb[i + 1] != 204 || rgb[i + 2] != 204) ++aircraft;
        return aircraft;
    };
    texture1_ = 1;
    angle_flap = 20;  // flaps down, to show them
    const int filled = picture(GL_POLYGON, "aircraft.png");
    const int outlined = picture(GL_LINE_LOOP, "aircraft_wireframe.png");
    EXPECT_GT(filled, 640 * 480 / 10);
    EXPECT_GT(outlined, 0);
    EXPECT_LT(outlined, filled / 3);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
}

}  // namespace
