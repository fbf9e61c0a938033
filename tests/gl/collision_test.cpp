#include "gl_support.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "aircraft/Collision.h"
#include "aircraft/FlightState.h"
#include "platform/Sound.h"
#include "resources/Fonts.h"
#include "shell/Sim.h"

namespace {

int sound_requests = 0;
void count_sound(const char*) { ++sound_requests; }

// The texts a routine prints, in order, read back from its glyph quads: each glyph's lower-left
// corner and atlas cell are the smallest window coordinates and texture coordinates of its
// triangles. A text goes on 16 units to the right per glyph; anything else starts a new one.
std::vector<std::string> texts(const std::function<void()>& draw)
{
    std::vector<std::string> result;
    float last_x = -1, last_y = -1, next_x = -1;
    for (const FeedbackPrimitive& p : feedback(draw)) {
        EXPECT_EQ(p.token, GLenum(GL_POLYGON_TOKEN));
        float x = INFINITY, y = INFINITY, s = INFINITY, t = INFINITY;
        for (const FeedbackVertex& v : p.vertices) {
            x = std::min(x, v.x);
            y = std::min(y, v.y);
            s = std::min(s, v.s);
            t = std::min(t, v.t);
        }
        if (x == last_x && y == last_y) continue;  // the quad's second triangle
        EXPECT_FLOAT_EQ(y, 752);
        const int cell = int(std::lround(s * 16)) + 16 * (15 - int(std::lround(t * 16)));
        if (x != next_x) result.emplace_back();
        result.back() += char(cell + 32);
        last_x = x;
        last_y = y;
        next_x = x + 16;
    }
    return result;
}

using Texts = std::vector<std::string>;

// The warnings with the 1024 by 768 text frame as the viewport, so that feedback reports text
// frame units. The glyph lists are built for this suite and deleted after it, so that a font
// built later in the process finds no lists of ours below its own.
class CollisionWarningTest : public GLTest {
protected:
    static void SetUpTestSuite()
    {
        gl_test_window();
        glPushAttrib(GL_TEXTURE_BIT);
        previous_base = base;
        build_font();
        glPopAttrib();
    }
    static void TearDownTestSuite()
    {
        glDeleteLists(base, 256);
        base = previous_base;
    }

    void SetUp() override
    {
        GLTest::SetUp();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glViewport(0, 0, 1024, 768);
        init_Model();
        play_sound = count_sound;
        sound_requests = 0;
    }
    void TearDown() override
    {
        glPopAttrib();
        EXPECT_NO_GL_ERROR();
        play_sound = saved_player;
        cnt1 = saved_pulse[0];
        cnt2 = saved_pulse[1];
        init_Model();
    }

    // The warnings drawn at a place, the gear extended (1) or retracted (0).
    static Texts warnings_at(float x, float y, float z, float gear)
    {
        world_x = x;
        world_y = y;
        world_z = z;
        gear_out = gear;
        return texts(collision_messages);
    }

    static unsigned previous_base;
    void (*saved_player)(const char*) = play_sound;
    float saved_pulse[2] = {cnt1, cnt2};
};

unsigned CollisionWarningTest::previous_base = 0;

TEST_F(CollisionWarningTest, AltitudeWarnings)
{
    EXPECT_EQ(warnings_at(0, 99.9f, 0, 0), Texts{"PULL-UP"});
    EXPECT_EQ(warnings_at(0, 99.9f, 0, 1), Texts{});
    EXPECT_EQ(warnings_at(0, 100, 0, 0), Texts{});
    EXPECT_EQ(warnings_at(0, 14000.5f, 0, 1), Texts{"PULL-DOWN"});
    EXPECT_EQ(warnings_at(0, 14000, 0, 1), Texts{});

    // No ceiling: the step warns but leaves the height alone.
    world_y = 20000;
    EXPECT_EQ(texts(collisions), Texts{"PULL-DOWN"});
    EXPECT_EQ(world_y, 20000);
    EXPECT_EQ(plane_enable, 1);
    EXPECT_EQ(sound_requests, 0);
}

TEST_F(CollisionWarningTest, MapWarningsOncePerEdgeInTheMargin)
{
    const float near_edge = 508032 - 500;
    EXPECT_EQ(warnings_at(near_edge, 500, 0, 1), Texts{"TURN-AROUND"});
    EXPECT_EQ(warnings_at(-near_edge, 500, 0, 1), Texts{"TURN-AROUND"});
    EXPECT_EQ(warnings_at(0, 500, near_edge, 1), Texts{"TURN-AROUND"});
    EXPECT_EQ(warnings_at(0, 500, -near_edge, 1), Texts{"TURN-AROUND"});
    EXPECT_EQ(warnings_at(507032, 500, -507032, 1), Texts{});
    EXPECT_EQ(warnings_at(near_edge, 500, near_edge, 1), Texts(2, "TURN-AROUND"));
    EXPECT_EQ(warnings_at(-near_edge, 50, -near_edge, 0),
              (Texts{"PULL-UP", "TURN-AROUND", "TURN-AROUND"}));

    // Inside the margin but not past the edge: a warning, no crash.
    world_x = near_edge;
    world_y = 500;
    world_z = 0;
    EXPECT_EQ(texts(collisions), Texts{"TURN-AROUND"});
    EXPECT_EQ(world_x, near_edge);
    EXPECT_EQ(plane_enable, 1);
    EXPECT_EQ(explo_enable, 0);
    EXPECT_EQ(sound_requests, 0);
}

// The warnings show the state the frame found: a belly contact still says "PULL-UP" in the
// frame that crashes and extends the gear, and the next frame shows nothing.
TEST_F(CollisionWarningTest, WarningsPrecedeTheFramesCollisions)
{
    world_y = -1;
    gear_out = 0;
    throttle = 300;
    EXPECT_EQ(texts(collisions), Texts{"PULL-UP"});
    EXPECT_EQ(gear_out, 1);
    EXPECT_EQ(world_y, 0);
    EXPECT_EQ(explo_enable, 1);
    EXPECT_EQ(throttle, 0);
    EXPECT_EQ(sound_requests, 1);
    EXPECT_EQ(texts(collisions), Texts{});

    // The tower is checked after the warnings, too.
    init_Model();
    world_x = -60;
    world_y = 10;
    world_z = -140;
    gear_out = 0;
    EXPECT_EQ(texts(collisions), Texts{"PULL-UP"});
    EXPECT_EQ(explo_enable, 1);
    EXPECT_EQ(sound_requests, 2);
}

}  // namespace
