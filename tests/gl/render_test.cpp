#include "gl_support.h"

#include <cmath>
#include <cstring>

#include "aircraft/FlightState.h"
#include "platform/GLExt.h"
#include "shell/Camera.h"
#include "shell/Render.h"
#include "shell/Sim.h"

namespace {

class RenderTest : public GLTest {
protected:
    void TearDown() override { gl_extension_proc = window_system_extension_proc; }
};

TEST_F(RenderTest, OptionsStepFollowsTheFlags)
{
    init_Fog();
    init_Light();

    lighting_enable = 0;
    fog_enable = 0;
    culling_enable = 0;
    wire_frame = 1;
    glEnable(GL_CULL_FACE);
    ui_idle();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(surface, 2u);  // GL_LINE_LOOP
    EXPECT_NO_GL_ERROR();

    lighting_enable = 1;
    fog_enable = 1;
    culling_enable = 1;
    wire_frame = 0;
    glCullFace(GL_FRONT);
    ui_idle();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_EQ(gl_int(GL_FOG_MODE), GL_EXP);
    EXPECT_EQ(gl_int(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));  // the culling drawers switch it on themselves
    EXPECT_EQ(surface, 9u);  // GL_POLYGON
    EXPECT_NO_GL_ERROR();

    // Any nonzero flag counts as on.
    wire_frame = 7;
    ui_idle();
    EXPECT_EQ(surface, 2u);
    wire_frame = 0;
}

TEST_F(RenderTest, OptionsStepPlacesTheTowerCameraOrTurnsTheChaseCamera)
{
    world_x = 10;
    world_y = 5;
    world_z = -230;
    camera.Position(0, 5, -20, 0, 0, 0, 0, 1, 0);
    camera.xr = 1;
    tower_view = 1;
    tower.xr = 9;
    ui_idle();
    EXPECT_EQ(tower.Eye[0], -80);
    EXPECT_EQ(tower.Eye[1], 35);
    EXPECT_EQ(tower.Eye[2], 80);
    EXPECT_EQ(tower.Up[1], 1);
    EXPECT_EQ(tower.xr, 0);
    EXPECT_EQ(camera.Eye[1], 5) << "the hidden chase camera turns only once per pass";

    tower_view = 0;
    ui_idle();
    EXPECT_NEAR(camera.Eye[1], 5 * cos(0.001) + 20 * sin(0.001), 1e-6);
    EXPECT_EQ(tower.Eye[0], -80);
}

void expect_entry_points_work()
{
    ext::glActiveTextureARB(GL_TEXTURE1_ARB);
    EXPECT_EQ(gl_int(GL_ACTIVE_TEXTURE), GL_TEXTURE1);
    ext::glActiveTextureARB(GL_TEXTURE0_ARB);
    ext::glMultiTexCoord2fARB(GL_TEXTURE0_ARB, 0.25f, 0.5f);
    EXPECT_FLOAT4(gl_floats(GL_CURRENT_TEXTURE_COORDS), 0.25f, 0.5f, 0, 1, 0);
    ext::glClientActiveTextureARB(GL_TEXTURE0_ARB);
    EXPECT_EQ(gl_int(GL_CLIENT_ACTIVE_TEXTURE), GL_TEXTURE0);

    static const float coords[8] = {0};
    static const float normals[12] = {0};
    ext::glTexCoordPointerEXT(2, GL_FLOAT, 0, 4, coords);
    ext::glNormalPointerEXT(GL_FLOAT, 0, 4, normals);
    void* pointer = nullptr;
    glGetPointerv(GL_TEXTURE_COORD_ARRAY_POINTER, &pointer);
    EXPECT_EQ(pointer, coords);
    EXPECT_EQ(gl_int(GL_TEXTURE_COORD_ARRAY_SIZE), 2);
    glGetPointerv(GL_NORMAL_ARRAY_POINTER, &pointer);
    EXPECT_EQ(pointer, normals);
    glVertexPointer(3, GL_FLOAT, 0, normals);
    ext::glLockArraysEXT(0, 4);
    ext::glUnlockArraysEXT();
    EXPECT_NO_GL_ERROR();
}

void expect_client_arrays_enabled()
{
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
        glClientActiveTexture(unit);
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY)) << "unit " << unit - GL_TEXTURE0;
    }
}

TEST_F(RenderTest, ExtensionsFoundOnThisDriver)
{
    ASSERT_TRUE(gl_has_extension("GL_ARB_multitexture"));
    EXPECT_FALSE(gl_has_extension("GL_ARB_multi"));  // whole names only
    EXPECT_FALSE(gl_has_extension(""));

    EXPECT_EQ(init_Ext(), 1);
    EXPECT_EQ(gl_int(GL_CLIENT_ACTIVE_TEXTURE), GL_TEXTURE1);  // unit 1 stays selected
    GLint mode = 0;
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &mode);
    EXPECT_EQ(mode, GL_SPHERE_MAP);
    glGetTexGeniv(GL_T, GL_TEXTURE_GEN_MODE, &mode);
    EXPECT_EQ(mode, GL_SPHERE_MAP);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    expect_client_arrays_enabled();
    expect_entry_points_work();
}

void* nothing_found(const char*, const char*) { return nullptr; }

// A driver that exposes none of the extensions: the core functions stand in, nothing null is
// ever called, and the result says the multitexture entry points were not found.
TEST_F(RenderTest, CoreFunctionsStandInForMissingEntryPoints)
{
    gl_extension_proc = nothing_found;
    EXPECT_EQ(init_Ext(), 0);
    EXPECT_EQ(ext::glActiveTextureARB, glActiveTexture);
    EXPECT_EQ(ext::glTexCoordPointerEXT, tex_coord_pointer_uncounted);
    EXPECT_EQ(ext::glNormalPointerEXT, normal_pointer_uncounted);
    expect_client_arrays_enabled();
    expect_entry_points_work();
}

void* all_but_unlock(const char* extension, const char* name)
{
    return strcmp(name, "glUnlockArraysEXT") == 0 ? nullptr : window_system_extension_proc(extension, name);
}

// Locking without unlocking would leave the arrays locked: the pair stands or falls together.
TEST_F(RenderTest, ArrayLockingComesInPairs)
{
    gl_extension_proc = all_but_unlock;
    EXPECT_EQ(init_Ext(), 1);
    EXPECT_EQ(ext::glLockArraysEXT, lock_arrays_skipped);
    EXPECT_EQ(ext::glUnlockArraysEXT, unlock_arrays_skipped);
    expect_entry_points_work();
}

}  // namespace
