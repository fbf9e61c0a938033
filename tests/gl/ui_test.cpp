#include "gl_support.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "aircraft/FlightState.h"
#include "cockpit/UI.h"
#include "resources/Fonts.h"
#include "shell/Sim.h"

namespace {

using RGB = std::array<int, 3>;

// The overlay in the 640 by 480 window, the aircraft in its start state. The suite's font and
// overlay lists are deleted after it, so that later suites find none of them.
class UITest : public GLTest {
protected:
    static void SetUpTestSuite()
    {
        gl_test_window();
        previous = {font, base, ui_lists};
        InDirectory root(KESTRIX_ROOT);
        glPushAttrib(GL_TEXTURE_BIT);
        ASSERT_EQ(load_font(), 1);
        build_font();
        glPopAttrib();
        init_ui();
    }
    static void TearDownTestSuite()
    {
        glDeleteLists(ui_lists, 2);
        glDeleteLists(base, 256);
        glDeleteTextures(1, &font);
        font = previous[0], base = previous[1], ui_lists = previous[2];
    }
    void SetUp() override
    {
        GLTest::SetUp();
        init_Model();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glViewport(0, 0, 640, 480);
        glEnable(GL_BLEND);  // as the program's start-up leaves it
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        for (GLenum stack : {GL_PROJECTION, GL_MODELVIEW}) glMatrixMode(stack), glPushMatrix();
    }
    void TearDown() override
    {
        for (GLenum stack : {GL_PROJECTION, GL_MODELVIEW}) glMatrixMode(stack), glPopMatrix();
        glPopAttrib();
        EXPECT_NO_GL_ERROR();
        init_Model();
        surface = GL_POLYGON, wire_frame = 0;
    }
    static std::array<unsigned, 3> previous;
};
std::array<unsigned, 3> UITest::previous;

// Mesa reports a polygon as the fan (v1, v2, v0), (v2, v3, v0), ... of its vertices.
TEST_F(UITest, HalfCircleRunsClockwiseThroughTheLowerHalf)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(-320, 320, -240, 240);  // the origin at window pixel (320, 240)
    const auto fan = feedback([] {
        glBegin(GL_POLYGON);
        halfcircleVertexLoop(100, 120);
        glEnd();
    });
    ASSERT_EQ(fan.size(), 58u);  // 60 vertices
    EXPECT_NEAR(fan[0].vertices[2].x, 420, 1e-3);
    EXPECT_NEAR(fan[0].vertices[2].y, 240, 1e-3);
    EXPECT_LT(fan[0].vertices[0].y, 240);
    EXPECT_NEAR(fan[57].vertices[1].x, 320 + 100 * std::cos(-59 * M_PI / 60), 1e-3);
    EXPECT_NEAR(fan[57].vertices[1].y, 240 + 100 * std::sin(-59 * M_PI / 60), 1e-3);
}

// Wire-frame outlines the scene's faces; the overlay stays filled. Its lists are not the font's.
TEST_F(UITest, GaugesStayFilledInWireFrame)
{
    EXPECT_TRUE(ui_lists >= base + 256 || ui_lists + 2 <= base);
    surface = GL_LINE_LOOP;
    wire_frame = 1;
    size_t triangles = 0, segments = 0;
    for (const FeedbackPrimitive& p : feedback(draw_ui_objects))
        ++(p.token == GL_POLYGON_TOKEN ? triangles : segments);
    EXPECT_EQ(segments, 5u);  // the border's four sides and the needle
    // The panel, eight discs and a half-disc of 120 sides, the plus sign and two slots.
    EXPECT_EQ(triangles, 2 + 8 * 118 + 58 + 10 + 2 * 2u);
}

TEST_F(UITest, LeavesMatricesLightingDepthTestAndLineWidth)
{
    gluPerspective(80, 640.0 / 480.0, 1, 100000);  // some view of the scene
    const auto modelview = gl_matrix(GL_MODELVIEW_MATRIX);
    const auto projection = gl_matrix(GL_PROJECTION_MATRIX);
    const GLint depths[] = {gl_int(GL_PROJECTION_STACK_DEPTH), gl_int(GL_MODELVIEW_STACK_DEPTH)};
    // Each dial leaves width 1.5; the labels switch lighting and depth test on as well.
    for (void (*draw)() : {draw_compass, draw_roll, draw_ui_objects, draw_ui}) {
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glLineWidth(1);
        draw();
        EXPECT_EQ(gl_floats(GL_LINE_WIDTH)[0], 1.5f);
        if (draw == draw_compass || draw == draw_roll) continue;
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_DEPTH_TEST));
        EXPECT_EQ(gl_int(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_EQ(gl_int(GL_PROJECTION_STACK_DEPTH), depths[0]);
        EXPECT_EQ(gl_int(GL_MODELVIEW_STACK_DEPTH), depths[1]);
        EXPECT_EQ(gl_matrix(GL_PROJECTION_MATRIX), projection);
        EXPECT_EQ(gl_matrix(GL_MODELVIEW_MATRIX), modelview);
    }
}

// Heading 90 turns the needle to the left, roll 90 the half-disc to the right, red at pitch 45
// like the altitude marker.
TEST_F(UITest, NeedleAndHalfDiscTurnCounterClockwise)
{
    head_yaw = head_roll = 90;
    head_pitch = 45;
    glClearColor(0.2f, 0.4f, 0.6f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw_ui();
    const std::vector<unsigned char> rgb = read_back(640, 480);
    save_png(std::string(GL_ARTIFACTS) + "/ui_overlay.png", 640, 480, rgb);
    auto pixel = [&rgb](int x, int y) {
        const unsigned char* p = &rgb[3 * (size_t(y) * 640 + x)];
        return RGB{p[0], p[1], p[2]};
    };
    auto needle = [&pixel](int x, int y) {
        const RGB c = pixel(x, y);
        return std::abs(c[0] - 115) + std::abs(c[1] - 115) + std::abs(c[2] - 115) <= 3;
    };
    for (int x = 72; x <= 92; ++x) EXPECT_TRUE(needle(x, 40)) << x;
    for (int y = 47; y <= 72; ++y) EXPECT_FALSE(needle(100, y)) << y;
    EXPECT_EQ(pixel(185, 40), pixel(100, 60));  // dial faces alone
    EXPECT_GT(pixel(215, 40)[0], pixel(215, 40)[1] + 100);
    EXPECT_EQ(pixel(500, 13), (RGB{255, 0, 128}));
    EXPECT_EQ(pixel(560, 50), (RGB{20, 41, 61}));  // the panel over the clear colour
    EXPECT_EQ(pixel(10, 90), (RGB{51, 102, 153}));  // left of the panel
}

}  // namespace
