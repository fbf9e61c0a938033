#include "gl_support.h"

#include <memory>

#include "aircraft/FlightState.h"
#include "platform/GLExt.h"
#include "resources/Textures.h"
#include "scenery/World.h"
#include "shell/Global.h"
#include "shell/Render.h"
#include "shell/Sim.h"
#include "terrain/TerrainGrid.h"

namespace {

// What the terrain's GL state is at the moment it locks its arrays, just before the draw.
struct DrawState {
    int locks = 0;
    bool texturing[2] = {};
    const void* coordinates[2] = {};
};
DrawState seen;
PFNGLLOCKARRAYSEXTPROC real_lock = nullptr;

void APIENTRY lock_spy(GLint first, GLsizei count)
{
    ++seen.locks;
    const GLint active = gl_int(GL_ACTIVE_TEXTURE);
    const GLint client = gl_int(GL_CLIENT_ACTIVE_TEXTURE);
    for (int unit = 0; unit < 2; ++unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        glClientActiveTexture(GL_TEXTURE0 + unit);
        seen.texturing[unit] = glIsEnabled(GL_TEXTURE_2D);
        void* pointer = nullptr;
        glGetPointerv(GL_TEXTURE_COORD_ARRAY_POINTER, &pointer);
        seen.coordinates[unit] = pointer;
    }
    glActiveTexture(GLenum(active));
    glClientActiveTexture(GLenum(client));
    real_lock(first, count);
}

class TerrainTest : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        static bool ready = false;
        if (!ready) {  // once per process: the extension entry points, textures and landscape
            init_Ext();
            InDirectory root(KESTRIX_ROOT);
            load_textures();
            if (terrain.l0_indices.empty()) terrain.setPoints();
            ready = true;
        }
        flags = {culling_enable, texture1_, texture2_, int(surface)};
        real_lock = ext::glLockArraysEXT;
        seen = DrawState{};
    }
    void TearDown() override
    {
        ext::glLockArraysEXT = real_lock;
        culling_enable = flags[0];
        texture1_ = flags[1];
        texture2_ = flags[2];
        surface = unsigned(flags[3]);
        glMatrixMode(GL_MODELVIEW);
    }
    // An orthographic view of the whole terrain from above (or from below).
    static void look_at_the_whole_terrain(bool from_above)
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-15000, 15000, -15000, 15000, -20000, 20000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(from_above ? 90.0f : -90.0f, 1, 0, 0);
    }
    static void reset_view()
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    std::array<int, 4> flags{};
};

TEST_F(TerrainTest, LeavesCullingTexturingAndMatricesAsItFoundThem)
{
    ext::glLockArraysEXT = lock_spy;
    terrain.update_current(1);
    const GLint modelview = gl_int(GL_MODELVIEW_STACK_DEPTH);
    const GLint projection = gl_int(GL_PROJECTION_STACK_DEPTH);
    for (int options = 0; options < 16; ++options) {
        culling_enable = options & 1;
        texture1_ = (options >> 1) & 1;
        texture2_ = (options >> 2) & 1;
        surface = options & 8 ? GL_LINE_LOOP : GL_POLYGON;
        SCOPED_TRACE(testing::Message() << "culling " << culling_enable << " texture1_ "
                                        << texture1_ << " texture2_ " << texture2_ << " surface "
                                        << surface);
        glActiveTexture(GL_TEXTURE0);
        glClientActiveTexture(GL_TEXTURE1);

        terrain.display_terrain();

        EXPECT_NO_GL_ERROR();
        EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
        EXPECT_EQ(gl_int(GL_MODELVIEW_STACK_DEPTH), modelview);
        EXPECT_EQ(gl_int(GL_PROJECTION_STACK_DEPTH), projection);
        // The unit selected last stays selected; texturing is off on both again.
        const GLint last = texture2_ ? GL_TEXTURE1 : GL_TEXTURE0;
        EXPECT_EQ(gl_int(GL_ACTIVE_TEXTURE), last);
        const int options_of_unit[2] = {texture1_, texture2_};
        const unsigned bound_image[2] = {texture[TEXTURE_GRASS1], texture[TEXTURE_GRASS2]};
        for (int unit = 0; unit < 2; ++unit) {
            glActiveTexture(GL_TEXTURE0 + unit);
            EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
            if (options_of_unit[unit]) {
                EXPECT_EQ(gl_int(GL_TEXTURE_BINDING_2D), GLint(bound_image[unit]));
            }
        }
        // During the draw each unit textures exactly when its option is on.
        EXPECT_EQ(seen.texturing[0], bool(texture1_));
        EXPECT_EQ(seen.texturing[1], bool(texture2_));
    }
    EXPECT_EQ(seen.locks, 16);
}

// Drawing reads every enabled array, so a unit whose texture is off must not keep a pointer into
// the arrays of a level that has since been replaced.
TEST_F(TerrainTest, CoordinatePointersFollowALevelSwitchWhileTexturesAreOff)
{
    ext::glLockArraysEXT = lock_spy;
    texture1_ = texture2_ = 1;
    terrain.update_current(3);
    terrain.display_terrain();
    // A switch that must grow the current arrays reallocates them; free them outright so that
    // the switch below cannot reuse their storage.
    std::vector<float>().swap(terrain.texCoord0);
    std::vector<float>().swap(terrain.texCoord1);
    texture1_ = texture2_ = 0;
    terrain.update_current(0);
    terrain.display_terrain();
    EXPECT_EQ(seen.coordinates[0], terrain.texCoord0.data());
    EXPECT_EQ(seen.coordinates[1], terrain.texCoord1.data());
    EXPECT_FALSE(seen.texturing[0] || seen.texturing[1]);
    EXPECT_NO_GL_ERROR();
}

TEST_F(TerrainTest, LevelZeroEmitsItsTrianglesOrItsLineSegments)
{
    terrain.update_current(0);
    texture1_ = texture2_ = 1;
    culling_enable = 1;

    surface = GL_POLYGON;
    look_at_the_whole_terrain(true);
    auto primitives = feedback([] { terrain.display_terrain(); });
    ASSERT_EQ(primitives.size(), 882u);
    for (const FeedbackPrimitive& p : primitives) {
        ASSERT_EQ(p.token, GLenum(GL_POLYGON_TOKEN));
        ASSERT_EQ(p.vertices.size(), 3u);
    }
    // Every face points up: seen from below with culling on, nothing is left; without culling
    // everything is.
    look_at_the_whole_terrain(false);
    EXPECT_EQ(feedback([] { terrain.display_terrain(); }).size(), 0u);
    culling_enable = 0;
    EXPECT_EQ(feedback([] { terrain.display_terrain(); }).size(), 882u);

    // Wire-frame: the index list in pairs. Each cell shows its two edges along z and its
    // diagonal, never an edge along x (which would lie level on the screen from above).
    culling_enable = 1;
    surface = GL_LINE_LOOP;
    look_at_the_whole_terrain(true);
    primitives = feedback([] { terrain.display_terrain(); });
    ASSERT_EQ(primitives.size(), 1323u);
    for (const FeedbackPrimitive& p : primitives) {
        ASSERT_TRUE(p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN);
        ASSERT_NE(p.vertices[0].y, p.vertices[1].y);
    }
    reset_view();
    EXPECT_NO_GL_ERROR();
}

void* nothing_found(const char*, const char*) { return nullptr; }

// Where the driver offers none of the extension entry points, the core functions draw the same.
TEST_F(TerrainTest, DrawsThroughTheCoreFunctionsWithoutExtensions)
{
    terrain.update_current(0);
    surface = GL_POLYGON;
    culling_enable = 0;
    look_at_the_whole_terrain(true);
    gl_extension_proc = nothing_found;
    init_Ext();
    const size_t emitted = feedback([] { terrain.display_terrain(); }).size();
    gl_extension_proc = window_system_extension_proc;
    init_Ext();
    EXPECT_EQ(emitted, 882u);
    reset_view();
    EXPECT_NO_GL_ERROR();
}

TEST_F(TerrainTest, NothingIsDrawnBeforeTheLandscapeIsGenerated)
{
    auto empty = std::make_unique<TerrainGrid>();
    ext::glLockArraysEXT = lock_spy;
    EXPECT_TRUE(feedback([&] { empty->display_terrain(); }).empty());
    EXPECT_EQ(seen.locks, 0);
    EXPECT_NO_GL_ERROR();
}

TEST_F(TerrainTest, WorldShiftsTheTerrainUnderTheAircraftAndRestoresTheMatrix)
{
    terrain.update_current(0);
    surface = GL_POLYGON;
    culling_enable = 0;
    look_at_the_whole_terrain(true);
    const auto before = gl_matrix(GL_MODELVIEW_MATRIX);
    const float saved[3] = {world_x, world_y, world_z};
    const float first_x = feedback([] { terrain.display_terrain(); })[0].vertices[0].x;

    world_x = 150;  // a two-hundredth of the view's width: 3.2 pixels to the left
    world_y = 0;
    world_z = 0;
    const auto shifted = feedback([] { draw_world(); });
    world_x = saved[0];
    world_y = saved[1];
    world_z = saved[2];

    ASSERT_GT(shifted.size(), 882u);  // the terrain's triangles first, then airfield and city
    EXPECT_NEAR(shifted[0].vertices[0].x, first_x - 3.2, 0.01);
    EXPECT_EQ(gl_matrix(GL_MODELVIEW_MATRIX), before);
    reset_view();
    EXPECT_NO_GL_ERROR();
}

// Seen from straight above without light or fog, the untextured terrain shows its height colours
// (the flat centre dark green); the two textures modulate them. The textured picture is saved
// for people to look at.
TEST_F(TerrainTest, TexturesModulateTheHeightColours)
{
    terrain.update_current(3);
    surface = GL_POLYGON;
    culling_enable = 1;
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glViewport(0, 0, 640, 480);
    look_at_the_whole_terrain(true);
    auto centre = [] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        terrain.display_terrain();
        const auto rgb = read_back(640, 480);
        return std::array<int, 3>{rgb[(240 * 640 + 320) * 3], rgb[(240 * 640 + 320) * 3 + 1],
                                  rgb[(240 * 640 + 320) * 3 + 2]};
    };

    texture1_ = texture2_ = 0;
    const auto plain = centre();
    EXPECT_EQ(plain[0], 0);
    EXPECT_NEAR(plain[1], 0.32 * 255, 1);
    EXPECT_EQ(plain[2], 0);

    texture1_ = texture2_ = 1;
    const auto textured = centre();
    EXPECT_LT(textured[1], plain[1] - 5) << "the images darken the green they are laid over";
    EXPECT_EQ(textured[0], 0);
    save_png(GL_ARTIFACTS "/terrain_from_above.png", 640, 480, read_back(640, 480));

    reset_view();
    EXPECT_NO_GL_ERROR();
}

}  // namespace
