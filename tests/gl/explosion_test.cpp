#include "gl_support.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <tuple>

#include "aircraft/Explosion.h"
#include "resources/Textures.h"
#include "shell/Global.h"
#include "shell/Sim.h"

namespace {

// An orthographic view that maps the explosion frame's (x, y) to window (10x + 320, 10y + 240)
// and its z to depth 0.5 - z / 100, a white stand-in for the explosion texture, and every
// global and GL setting the tests change saved.
class ExplosionTest : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        std::copy(std::begin(particle), std::end(particle), saved_particles);
        saved = {texture1_, fog_enable, lighting_enable, surface, random_state,
                 texture[TEXTURE_EXPLO]};
        glPushAttrib(GL_ALL_ATTRIB_BITS);

        // RGBA, so that the rows meet the default 4-byte unpack alignment.
        const std::vector<unsigned char> white(2 * 2 * 4, 255);
        glGenTextures(1, &white_texture);
        glBindTexture(GL_TEXTURE_2D, white_texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, white.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        texture[TEXTURE_EXPLO] = white_texture;

        // The state a frame reaches the explosion with.
        glActiveTexture(GL_TEXTURE0);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDisable(GL_FOG);
        glDisable(GL_LIGHTING);
        glViewport(0, 0, 640, 480);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(-32, 32, -24, 24, -50, 50);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        ResetExplosion();
    }
    void TearDown() override
    {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib();
        glDeleteTextures(1, &white_texture);
        std::tie(texture1_, fog_enable, lighting_enable, surface, random_state,
                 texture[TEXTURE_EXPLO]) = saved;
        std::copy(std::begin(saved_particles), std::end(saved_particles), particle);
    }
    particles saved_particles[100]{};
    std::tuple<int, int, int, unsigned int, uint32_t, unsigned int> saved;
    GLuint white_texture = 0;
};

TEST_F(ExplosionTest, BuildRotIsTheMatrixOfGlRotate)
{
    const float axes[][3] = {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}, {1, 2, 3}, {-0.5f, 0.25f, -2},
                             {3, -4, 0}};
    for (const auto& axis : axes) {
        for (float angle : {0.0f, 30.0f, -75.0f, 90.0f, 180.0f, 263.5f}) {
            glLoadIdentity();
            glRotatef(angle, axis[0], axis[1], axis[2]);
            const std::array<double, 16> expected = gl_matrix(GL_MODELVIEW_MATRIX);
            float m[16];
            std::fill(std::begin(m), std::end(m), 7.0f);
            buildRot(angle, axis[0], axis[1], axis[2], m);
            for (int i = 0; i < 16; ++i) {
                EXPECT_NEAR(m[i], expected[i], 2e-6) << i << " " << angle << " " << axis[2];
            }
        }
    }
    // A zero axis keeps the cosine on the diagonal and zeros everywhere else.
    float m[16];
    std::fill(std::begin(m), std::end(m), 7.0f);
    buildRot(40, 0, 0, 0, m);
    const double ct = std::cos(40 * M_PI / 180);
    for (int i = 0; i < 16; ++i) {
        const double expected = i == 15 ? 1 : i % 5 == 0 ? ct : 0;
        EXPECT_NEAR(m[i], expected, 1e-6) << "element " << i;
    }
}

// Seen level from any bearing, the product no longer turns about the vertical axis.
TEST_F(ExplosionTest, CalcMatrixCancelsTheViewsTurn)
{
    for (double bearing : {-150.0, -30.0, 10.0, 95.0, 170.0}) {
        const double b = bearing * M_PI / 180;
        glLoadIdentity();
        gluLookAt(5 + 20 * std::sin(b), 4, -7 + 20 * std::cos(b), 5, 4, -7, 0, 1, 0);
        calcMatrix();
        const std::array<double, 16> m = gl_matrix(GL_MODELVIEW_MATRIX);
        EXPECT_NEAR(m[8], 0, 1e-5) << bearing;
        EXPECT_NEAR(m[2], 0, 1e-5) << bearing;
        EXPECT_NEAR(m[0], 1, 1e-5) << bearing;
        EXPECT_NEAR(m[10], 1, 1e-5) << bearing;
    }
}

// Whatever the flags, the explosion leaves the GL state as it found it and switches on only
// what its flags say it switched off.
TEST_F(ExplosionTest, RestoresTheStateForEveryFlagSetting)
{
    for (int flags = 0; flags < 8; ++flags) {
        texture1_ = flags & 1;
        fog_enable = (flags >> 1) & 1;
        lighting_enable = (flags >> 2) & 1;
        if (fog_enable) glEnable(GL_FOG);
        if (lighting_enable) glEnable(GL_LIGHTING);
        glBindTexture(GL_TEXTURE_2D, 0);
        glPushMatrix();
        glTranslatef(1, 2, 3);
        glRotatef(35, 0, 1, 0);
        const std::array<double, 16> matrix = gl_matrix(GL_MODELVIEW_MATRIX);
        const GLint depth = gl_int(GL_MODELVIEW_STACK_DEPTH);

        Explosion();
        SCOPED_TRACE(testing::Message() << "texture " << texture1_ << ", fog " << fog_enable
                                        << ", lighting " << lighting_enable);
        EXPECT_NO_GL_ERROR();
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_EQ(glIsEnabled(GL_FOG), fog_enable);
        EXPECT_EQ(glIsEnabled(GL_LIGHTING), lighting_enable);
        EXPECT_EQ(gl_int(GL_BLEND_SRC), GL_SRC_ALPHA);
        EXPECT_EQ(gl_int(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
        EXPECT_EQ(gl_int(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_EQ(gl_int(GL_TEXTURE_BINDING_2D), texture1_ ? GLint(white_texture) : 0);
        EXPECT_EQ(gl_int(GL_MODELVIEW_STACK_DEPTH), depth);
        EXPECT_EQ(gl_matrix(GL_MODELVIEW_MATRIX), matrix);
        glPopMatrix();
        glDisable(GL_FOG);
        glDisable(GL_LIGHTING);
    }
}

// The squares show through dense fog, an unlit scene and a full depth buffer; textured they add
// up (to white at the burst point), untextured the last one drawn covers the rest.
TEST_F(ExplosionTest, DrawsUnfoggedUnlitOnTopAndAdditivelyWhenTextured)
{
    fog_enable = 1;
    lighting_enable = 1;
    surface = GL_POLYGON;
    const GLfloat blue[4] = {0, 0, 1, 1};
    glFogfv(GL_FOG_COLOR, blue);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 0);
    glFogf(GL_FOG_END, 1);
    glClearColor(0, 0, 0, 1);
    glClearDepth(0);
    for (int textured : {0, 1}) {
        texture1_ = textured;
        ResetExplosion();
        glEnable(GL_FOG);
        glEnable(GL_LIGHTING);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Explosion();
        const std::vector<unsigned char> rgb = read_back(640, 480);
        const size_t centre = (240 * 640 + 320) * 3;
        const float* last = colors[10];
        for (int c = 0; c < 3; ++c) {
            const int expected = textured ? 255 : int(std::lround(last[c] * 255));
            EXPECT_NEAR(rgb[centre + c], expected, 2) << "textured " << textured << ", " << c;
        }
    }
}

// The explosion frame's point that a feedback vertex came from.
std::array<float, 3> frame_point(const FeedbackVertex& v)
{
    return {v.x / 10 - 32, v.y / 10 - 24, (0.5f - v.z) * 100};
}

// The first frame after a reset draws every square fully opaque around (0, 0, 10), each in its
// particle's colour, as a strip: its two triangles share the corners (-2, 2) and (2, -2). The
// second frame fades them all to alpha 0.
TEST_F(ExplosionTest, FirstFramesAfterAResetFlashAtOnePoint)
{
    surface = GL_POLYGON;
    const std::vector<FeedbackPrimitive> first = feedback(Explosion);
    ASSERT_EQ(first.size(), 200u);
    std::array<int, 4> uses{};  // how often each corner, in strip order, is a vertex
    for (size_t k = 0; k < first.size(); ++k) {
        const particles& p = particle[k / 2];
        ASSERT_EQ(first[k].token, GLenum(GL_POLYGON_TOKEN));
        ASSERT_EQ(first[k].vertices.size(), 3u);
        if (k % 2 == 0) uses = {};
        for (const FeedbackVertex& v : first[k].vertices) {
            const std::array<float, 3> at = frame_point(v);
            ++uses[(at[0] < 0 ? 1 : 0) + (at[1] < 0 ? 2 : 0)];
            EXPECT_NEAR(std::fabs(at[0]), 2, 1e-3) << k;
            EXPECT_NEAR(std::fabs(at[1]), 2, 1e-3) << k;
            EXPECT_NEAR(at[2], 10, 1e-3) << k;
            EXPECT_FLOAT4((std::array<float, 4>{v.r, v.g, v.b, v.a}), p.r, p.g, p.b, 1, 1e-3);
        }
        if (k % 2 == 1) {
            EXPECT_EQ(uses, (std::array<int, 4>{1, 2, 2, 1})) << k;
        }
    }

    const std::vector<FeedbackPrimitive> second = feedback(Explosion);
    ASSERT_EQ(second.size(), 200u);
    for (const FeedbackPrimitive& primitive : second) {
        for (const FeedbackVertex& v : primitive.vertices) EXPECT_EQ(v.a, 0);
    }
}

// In wire-frame mode each particle is one closed outline through its corners in strip order,
// each corner with the texture's corner. (Texture coordinates show in feedback only with
// texturing on.)
TEST_F(ExplosionTest, WireFrameOutlinesEachSquareInStripOrder)
{
    texture1_ = 1;
    surface = GL_LINE_LOOP;
    const std::vector<FeedbackPrimitive> lines = feedback(Explosion);
    ASSERT_EQ(lines.size(), 400u);
    const float corners[4][2] = {{2, 2}, {-2, 2}, {2, -2}, {-2, -2}};
    for (size_t k = 0; k < lines.size(); ++k) {
        const FeedbackPrimitive& segment = lines[k];
        ASSERT_TRUE(segment.token == GL_LINE_TOKEN || segment.token == GL_LINE_RESET_TOKEN);
        for (size_t end = 0; end < 2; ++end) {
            const float* corner = corners[(k + end) % 4];
            const FeedbackVertex& v = segment.vertices[end];
            const std::array<float, 3> at = frame_point(v);
            EXPECT_NEAR(at[0], corner[0], 1e-3) << k;
            EXPECT_NEAR(at[1], corner[1], 1e-3) << k;
            EXPECT_EQ(v.s, corner[0] > 0 ? 1 : 0) << k;
            EXPECT_EQ(v.t, corner[1] > 0 ? 1 : 0) << k;
        }
    }
}

}  // namespace
