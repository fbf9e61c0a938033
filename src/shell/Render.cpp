#include "shell/Render.h"

#include "aircraft/FlightState.h"
#include "core/Camera.h"
#include "core/Settings.h"
#include "platform/GLExt.h"

void init_View()
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0.4f, 0.8f, 0.8f, 1.0f);  // the fog colour

    camera.Position(0, 5, -20, 0, 0, 0, 0, 1, 0);
    camera.fov = 80;
    camera.znear = 1;
    camera.zfar = 100000;
}

void init_Fog()
{
    const float fog_colour[4] = {0.4f, 0.8f, 0.8f, 1.0f};
    glEnable(GL_FOG);
    glFogf(GL_FOG_MODE, GLfloat(GL_EXP));
    glFogf(GL_FOG_DENSITY, 0.00005f);
    glFogfv(GL_FOG_COLOR, fog_colour);
    glHint(GL_FOG_HINT, GL_NICEST);
    // Unused by the exponential mode, but set all the same.
    glFogf(GL_FOG_START, 0.0f);
    glFogf(GL_FOG_END, 5000.0f);
}

// The position is transformed by the model-view matrix current now: the identity at start-up,
// afterwards the view of the frame just drawn, which keeps the light pointing down the world's y.
void init_Light()
{
    glLightfv(GL_LIGHT0, GL_POSITION, light0_position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, light0_ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light0_diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light0_specular);
    glEnable(GL_LIGHT0);
    glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, 0.3f);
    glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0);
    glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0);
    glEnable(GL_LIGHTING);
}

void init_Culling() { glCullFace(GL_BACK); }

// Stores the address of `name` into `entry`, or null when it is not found.
template <typename Entry>
static void lookup(Entry& entry, const char* extension, const char* name)
{
    entry = reinterpret_cast<Entry>(gl_extension_proc(extension, name));
}

int init_Ext()
{
    const char* const multitexture = "GL_ARB_multitexture";
    lookup(ext::glActiveTextureARB, multitexture, "glActiveTextureARB");
    lookup(ext::glMultiTexCoord2fARB, multitexture, "glMultiTexCoord2fARB");
    lookup(ext::glClientActiveTextureARB, multitexture, "glClientActiveTextureARB");
    const int multitexture_found =
        ext::glActiveTextureARB && ext::glMultiTexCoord2fARB && ext::glClientActiveTextureARB;
    // An entry point that was not found is never called: the core function serves instead.
    if (!ext::glActiveTextureARB) ext::glActiveTextureARB = glActiveTexture;
    if (!ext::glMultiTexCoord2fARB) ext::glMultiTexCoord2fARB = glMultiTexCoord2f;
    if (!ext::glClientActiveTextureARB) ext::glClientActiveTextureARB = glClientActiveTexture;

    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);

    lookup(ext::glLockArraysEXT, "GL_EXT_compiled_vertex_array", "glLockArraysEXT");
    lookup(ext::glUnlockArraysEXT, "GL_EXT_compiled_vertex_array", "glUnlockArraysEXT");
    lookup(ext::glTexCoordPointerEXT, "GL_EXT_vertex_array", "glTexCoordPointerEXT");
    lookup(ext::glNormalPointerEXT, "GL_EXT_vertex_array", "glNormalPointerEXT");
    // Locking is only valid in pairs, so both come from the extension or neither does.
    if (!ext::glLockArraysEXT || !ext::glUnlockArraysEXT) {
        ext::glLockArraysEXT = lock_arrays_skipped;
        ext::glUnlockArraysEXT = unlock_arrays_skipped;
    }
    if (!ext::glTexCoordPointerEXT) ext::glTexCoordPointerEXT = tex_coord_pointer_uncounted;
    if (!ext::glNormalPointerEXT) ext::glNormalPointerEXT = normal_pointer_uncounted;

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    ext::glClientActiveTextureARB(GL_TEXTURE0_ARB);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    ext::glClientActiveTextureARB(GL_TEXTURE1_ARB);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);  // unit 1 stays the selected client unit

    return multitexture_found;
}

void ui_idle()
{
    if (lighting_enable)
        init_Light();
    else
        glDisable(GL_LIGHTING);

    surface = wire_frame ? GL_LINE_LOOP : GL_POLYGON;

    if (fog_enable)
        init_Fog();
    else
        glDisable(GL_FOG);

    if (culling_enable)
        init_Culling();
    else
        glDisable(GL_CULL_FACE);

    if (tower_view) tower.Position(-world_x - 70, 40 - world_y, -world_z - 150, 0, 0, 0, 0, 1, 0);
}
