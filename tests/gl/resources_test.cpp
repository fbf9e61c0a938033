// The texture set and the bitmap font: what OpenGL holds after loading, and where and how
// text is drawn.
#include "gl_support.h"

#include <unistd.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <string>

#include "bmp_files.h"
#include "platform/GLExt.h"
#include "resources/Fonts.h"
#include "resources/Textures.h"
#include "shell/Render.h"

namespace {

// Runs the test in `directory`, where the loaders look for Data/.
class ResourcesTest : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        init_Ext();
        std::fill(std::begin(texture), std::end(texture), 0u);
        glViewport(0, 0, 640, 480);
    }
};

GLint level_parameter(GLint level, GLenum pname)
{
    GLint v = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, pname, &v);
    return v;
}

GLint texture_parameter(GLenum pname)
{
    GLint v = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, pname, &v);
    return v;
}

// The bound texture has the filters of the scenery set and every mipmap level down to 1 by 1,
// each half the one before.
void expect_mipmapped_scenery_texture(const std::string& what)
{
    EXPECT_EQ(texture_parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR) << what;
    EXPECT_EQ(texture_parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST) << what;
    EXPECT_EQ(texture_parameter(GL_TEXTURE_WRAP_S), GL_REPEAT) << what;
    EXPECT_EQ(level_parameter(0, GL_TEXTURE_INTERNAL_FORMAT), 3) << what;  // three components
    GLint width = level_parameter(0, GL_TEXTURE_WIDTH), height = level_parameter(0, GL_TEXTURE_HEIGHT);
    ASSERT_GT(width * height, 0) << what;
    GLint level = 0;
    while (width > 1 || height > 1) {
        ++level;
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
        EXPECT_EQ(level_parameter(level, GL_TEXTURE_WIDTH), width) << what << " level " << level;
        EXPECT_EQ(level_parameter(level, GL_TEXTURE_HEIGHT), height) << what << " level " << level;
    }
}

void write_image(const std::string& path, const Picture& picture)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    write_file(path, encode_bmp(picture, {24, false, true, false}));
}

float phase() { return cnt1 + cnt2; }

// The glyph lists, built once per process: like the program, which builds them before any
// other display list, so that codes selecting no glyph find no list below the font's.
void build_font_once()
{
    static const bool built = (build_font(), true);
    (void)built;
    ASSERT_FALSE(glIsList(base - 1)) << "display lists below the font's";
}

}  // namespace

TEST_F(ResourcesTest, ShippedImagesFillEverySlot)
{
    InDirectory root(KESTRIX_ROOT);
    MessageCapture capture;
    EXPECT_EQ(load_textures(), 1);
    EXPECT_TRUE(capture.messages.empty());
    for (int slot = 0; slot < 10; ++slot) {
        const std::string what = "slot " + std::to_string(slot);
        ASSERT_NE(texture[slot], 0u) << what;
        EXPECT_TRUE(glIsTexture(texture[slot])) << what;
        for (int other = 0; other < slot; ++other) EXPECT_NE(texture[slot], texture[other]);
        glBindTexture(GL_TEXTURE_2D, texture[slot]);
        expect_mipmapped_scenery_texture(what);
    }
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    EXPECT_NO_GL_ERROR();
}

TEST_F(ResourcesTest, OnlyTheImagesPresentAreLoadedAtAnySize)
{
    TempDir dir;
    write_image(dir.file("Data/Sun.bmp"), test_picture(100, 60, 24));
    InDirectory there(dir.path);
    EXPECT_EQ(load_textures(), 1);
    for (int slot = 0; slot < 9; ++slot) EXPECT_EQ(texture[slot], 0u) << slot;
    ASSERT_NE(texture[9], 0u);
    glBindTexture(GL_TEXTURE_2D, texture[9]);
    expect_mipmapped_scenery_texture("100 by 60 sun");
    EXPECT_NO_GL_ERROR();

    std::filesystem::remove_all(dir.file("Data"));
    std::fill(std::begin(texture), std::end(texture), 0u);
    MessageCapture capture;
    EXPECT_EQ(load_textures(), 0);
    for (unsigned name : texture) EXPECT_EQ(name, 0u);
    EXPECT_TRUE(capture.messages.empty()) << "missing files are not reported";
}

TEST_F(ResourcesTest, FontImageIsUploadedAsReadWithoutMipmaps)
{
    TempDir dir;
    const Picture picture = test_picture(5, 3, 24);  // rows of 15 bytes: no 4-byte padding
    write_image(dir.file("Data/Font.bmp"), picture);
    InDirectory there(dir.path);
    font = 0;
    ASSERT_EQ(load_font(), 1);
    ASSERT_NE(font, 0u);
    glBindTexture(GL_TEXTURE_2D, font);
    EXPECT_EQ(texture_parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(texture_parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(level_parameter(0, GL_TEXTURE_WIDTH), 5);
    EXPECT_EQ(level_parameter(1, GL_TEXTURE_WIDTH), 0);
    Bytes pixels(5 * 3 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_EQ(pixels, expected_rgb(picture, 24));
    EXPECT_EQ(gl_int(GL_UNPACK_ALIGNMENT), 4) << "the upload leaves the unpack alignment as it was";
    EXPECT_NO_GL_ERROR();

    std::filesystem::remove(dir.file("Data/Font.bmp"));
    font = 0;
    EXPECT_EQ(load_font(), 0);
    EXPECT_EQ(font, 0u);
}

namespace {

// The quads among the primitives, in corner order. Feedback reports a quad either as one
// polygon or, as Mesa does, as the two triangles (0, 1, 3) and (1, 2, 3).
std::vector<std::array<FeedbackVertex, 4>> quads(const std::vector<FeedbackPrimitive>& primitives)
{
    std::vector<std::array<FeedbackVertex, 4>> result;
    for (size_t i = 0; i < primitives.size(); ++i) {
        const auto& v = primitives[i].vertices;
        EXPECT_EQ(primitives[i].token, GLenum(GL_POLYGON_TOKEN));
        if (v.size() == 4) {
            result.push_back({v[0], v[1], v[2], v[3]});
        } else if (v.size() == 3 && i + 1 < primitives.size()) {
            const auto& w = primitives[++i].vertices;
            EXPECT_EQ(w.size(), 3u);
            result.push_back({v[0], v[1], w[1], v[2]});
        } else {
            ADD_FAILURE() << "not a quad: " << v.size() << " vertices";
        }
    }
    return result;
}

// The lower-left corner in window pixels and the atlas cell of each glyph drawn.
struct Glyph {
    float x, y;
    int cell;
};
std::vector<Glyph> glyphs_of(const std::function<void()>& draw)
{
    std::vector<Glyph> glyphs;
    for (const auto& quad : quads(feedback(draw))) {
        const FeedbackVertex& v = quad[0];
        const int column = int(std::lround(v.s * 16));
        const int row = int(std::lround((1 - v.t) * 16)) - 1;
        glyphs.push_back({v.x, v.y, row * 16 + column});
    }
    return glyphs;
}

}  // namespace

TEST_F(ResourcesTest, GlyphListsCoverTheirAtlasCells)
{
    build_font_once();
    ASSERT_NE(base, 0u);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 640, 0, 480);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Cell k: column k mod 16, row k div 16 from the top of the image.
    for (int k : {0, 33, 161, 255}) {
        const float cx = float(k % 16) / 16, cy = float(k / 16) / 16;
        glPushMatrix();
        const auto drawn = quads(feedback([k] { glCallList(base + k); glCallList(base + k); }));
        glPopMatrix();
        ASSERT_EQ(drawn.size(), 2u) << k;
        const auto& v = drawn[0];
        const float corners[4][4] = {{0, 0, cx, 1 - cy - 0.0625f},
                                     {16, 0, cx + 0.0625f, 1 - cy - 0.0625f},
                                     {16, 16, cx + 0.0625f, 1 - cy},
                                     {0, 16, cx, 1 - cy}};
        for (int i = 0; i < 4; ++i) {
            EXPECT_FLOAT_EQ(v[i].x, corners[i][0]) << k;
            EXPECT_FLOAT_EQ(v[i].y, corners[i][1]) << k;
            EXPECT_FLOAT_EQ(v[i].s, corners[i][2]) << k;
            EXPECT_FLOAT_EQ(v[i].t, corners[i][3]) << k;
        }
        // Each glyph moves the next one its full width on.
        EXPECT_FLOAT_EQ(drawn[1][0].x, 16) << k;
    }
    EXPECT_NO_GL_ERROR();
}

TEST_F(ResourcesTest, PrintPlacesGlyphsInTheTextFrame)
{
    build_font_once();
    glColor4f(1, 1, 1, 1);
    // The 1024 by 768 frame over a 640 by 480 window: 16 units are 10 pixels.
    const auto ab = glyphs_of([] { glPrint(512, 384, "AB", 0); });
    ASSERT_EQ(ab.size(), 2u);
    EXPECT_FLOAT_EQ(ab[0].x, 320);
    EXPECT_FLOAT_EQ(ab[0].y, 240);
    EXPECT_FLOAT_EQ(ab[1].x, 330);
    EXPECT_EQ(ab[0].cell, 'A' - 32);
    EXPECT_EQ(ab[1].cell, 'B' - 32);

    // Set 1 is the bold face 128 cells on; larger sets draw set 1.
    const auto bold = glyphs_of([] { glPrint(0, 0, "A~", 1); });
    ASSERT_EQ(bold.size(), 2u);
    EXPECT_EQ(bold[0].cell, 'A' - 32 + 128);
    EXPECT_EQ(bold[1].cell, '~' - 32 + 128);
    const auto set2 = glyphs_of([] { glPrint(0, 0, "A~", 2); });
    ASSERT_EQ(set2.size(), 2u);
    EXPECT_EQ(set2[0].cell, bold[0].cell);
    EXPECT_EQ(set2[1].cell, bold[1].cell);

    // Codes that select no glyph draw nothing and do not advance: below 32, and from 128 up
    // in set 0. In set 1, codes 160 to 255 reach the plain glyphs.
    const auto gaps = glyphs_of([] { glPrint(0, 0, "A\x01" "\xC8" "B", 0); });
    ASSERT_EQ(gaps.size(), 2u);
    EXPECT_FLOAT_EQ(gaps[1].x, 10);
    const auto high = glyphs_of([] { glPrint(0, 0, "\xC8\x85", 1); });  // 200, 133
    ASSERT_EQ(high.size(), 1u);
    EXPECT_EQ(high[0].cell, 200 - 256 - 32 + 128);
    EXPECT_TRUE(glyphs_of([] { glPrint(0, 0, "", 0); }).empty());
    EXPECT_TRUE(glyphs_of([] { glPrint(0, 0, "AB", -1); }).empty());
    EXPECT_NO_GL_ERROR();
}

TEST_F(ResourcesTest, PrintRestoresWhatItChanges)
{
    build_font_once();
    for (const char* text : {"TEXT", ""}) {
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glBlendFunc(GL_ONE, GL_ZERO);
        ext::glActiveTextureARB(GL_TEXTURE1_ARB);
        glEnable(GL_TEXTURE_2D);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(60, 4.0 / 3, 1, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glPushMatrix();
        glTranslatef(1, 2, 3);
        const auto modelview = gl_matrix(GL_MODELVIEW_MATRIX);
        const auto projection = gl_matrix(GL_PROJECTION_MATRIX);
        const GLint depth = gl_int(GL_MODELVIEW_STACK_DEPTH);

        glPrint(100, 100, text, 0);

        EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << text;
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)) << text;
        EXPECT_EQ(gl_int(GL_BLEND_SRC), GL_SRC_ALPHA) << text;
        EXPECT_EQ(gl_int(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA) << text;
        EXPECT_EQ(gl_int(GL_ACTIVE_TEXTURE), GL_TEXTURE0) << text;
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << text;
        ext::glActiveTextureARB(GL_TEXTURE1_ARB);
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "unit 1 is not touched";
        glDisable(GL_TEXTURE_2D);
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        EXPECT_EQ(gl_int(GL_MATRIX_MODE), GL_MODELVIEW) << text;
        EXPECT_EQ(gl_int(GL_MODELVIEW_STACK_DEPTH), depth) << text;
        EXPECT_EQ(gl_int(GL_PROJECTION_STACK_DEPTH), 1) << text;
        EXPECT_EQ(gl_matrix(GL_MODELVIEW_MATRIX), modelview) << text;
        EXPECT_EQ(gl_matrix(GL_PROJECTION_MATRIX), projection) << text;
        glPopMatrix();
        EXPECT_NO_GL_ERROR();
    }
}

TEST_F(ResourcesTest, TextReachesThePixelsOfItsFrame)
{
    // Without a font image every glyph is a plain square in the current colour.
    const unsigned loaded = font;
    font = 0;
    build_font_once();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
    glPrint(512, 384, "AB", 0);  // window pixels 320 to 339 across, 240 to 249 up
    const auto rgb = read_back(640, 480);
    auto lit = [&rgb](int x, int y) { return rgb[3 * (size_t(y) * 640 + x)] > 128; };
    EXPECT_TRUE(lit(320, 240));
    EXPECT_TRUE(lit(339, 249));
    EXPECT_TRUE(lit(330, 245));
    EXPECT_FALSE(lit(319, 245));
    EXPECT_FALSE(lit(340, 245));
    EXPECT_FALSE(lit(330, 239));
    EXPECT_FALSE(lit(330, 250));
    font = loaded;
    glDisable(GL_BLEND);
    EXPECT_NO_GL_ERROR();
}

TEST_F(ResourcesTest, WarningsShareOnePulse)
{
    InDirectory root(KESTRIX_ROOT);
    ASSERT_EQ(load_font(), 1);
    build_font_once();
    cnt1 = cnt2 = 0;
    struct Warning {
        void (*draw)();
        size_t letters;
        float x;  // window pixels: 424, 440 and 456 of the 1024-unit frame
    };
    const Warning warnings[] = {{draw_pull_down, 9, 275}, {draw_pull_up, 7, 285},
                                {draw_map_warning, 11, 265}};
    float expected_phase = 0;
    for (const Warning& w : warnings) {
        const float before = phase();
        const auto glyphs = glyphs_of(w.draw);
        ASSERT_EQ(glyphs.size(), w.letters);
        EXPECT_FLOAT_EQ(glyphs[0].x, w.x);
        EXPECT_FLOAT_EQ(glyphs[0].y, 470);  // 752 of 768
        EXPECT_FLOAT4(gl_floats(GL_CURRENT_COLOR), 0.1f, 0.1f, 0.1f, 1 - std::sin(before), 1e-6);
        expected_phase += 0.06f;
        EXPECT_NEAR(phase(), expected_phase, 1e-5);
        EXPECT_FLOAT_EQ(cnt1, cnt2);
    }

    // On the sky: visible where the sine is not positive, gone at a quarter turn.
    auto picture = [](float at) {
        cnt1 = cnt2 = at / 2;
        glClearColor(0.4f, 0.8f, 0.8f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_BLEND);
        draw_pull_up();
        glDisable(GL_BLEND);
        return read_back(640, 480);
    };
    auto changed = [](const std::vector<unsigned char>& rgb, int y0, int y1) {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < 640; ++x) count += rgb[3 * (size_t(y) * 640 + x)] != 102;
        return count;
    };
    const auto shown = picture(0);
    save_png(std::string(GL_ARTIFACTS) + "/warning.png", 640, 480, shown);
    EXPECT_GT(changed(shown, 470, 480), 100) << "PULL-UP lightens the top band";
    EXPECT_EQ(changed(shown, 0, 470), 0) << "and nothing else";
    EXPECT_EQ(changed(picture(float(M_PI / 2)), 0, 480), 0) << "invisible at a quarter turn";
    EXPECT_NO_GL_ERROR();
}
