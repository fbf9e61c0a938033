#include "aircraft/Explosion.h"

#include <cmath>

#include "core/Global.h"
#include "core/Settings.h"
#include "platform/GL.h"
#include "platform/GLExt.h"
#include "resources/Textures.h"

particles particle[100];
float colors[12][3] = {
    {1, 0.5f, 0.5f},
    {1, 0.75f, 0.5f},
    {1, 0.8f, 0.6f},
    {1, 0.8f, 0.2f},
    {1, 0.6f, 0.4f},
    {1, 0.65f, 0.2f},
    {1, 1, 0.5f},
    {1, 0.4f, 0.3f},
    {1, 0.7f, 0.3f},
    {1, 0.25f, 0.1f},
    {0.9f, 0.9f, 0.3f},
    {0.9f, 0.6f, 0.4f},
};
float slowdown = 2000;
float zoom = 5;

void LoadExplosion()
{
    for (particles& p : particle) {
        p.active = true;
        p.life = 1.0f;
        p.fade = 1.0f;
    }
}

void ResetExplosion()
{
    for (int i = 0; i < 100; ++i) {
        particles& p = particle[i];
        p.x = 0;
        p.y = 0;
        p.z = zoom;
        p.active = true;
        p.life = 1.0f;
        p.fade = 1.0f;
        const float* colour = colors[(i + 1) / 10];  // nine particles in row 0, ten in the rest
        p.r = colour[0];
        p.g = colour[1];
        p.b = colour[2];
    }
}

void move_particle(particles& p)
{
    const float steps = slowdown * 30;
    p.x += p.xi / steps;
    p.y += p.yi / steps;
    p.z += p.zi / steps;
    p.life -= p.fade;
    if (p.life < 0) {
        p.life = 1.0f;
        // Drawn in this order; the fade product and sum are taken in double.
        p.fade = float((random_next() % 100) * 0.001 + 0.003);
        p.x = 0;
        p.y = 0;
        p.z = 0;
        p.xi = float((random_next() % 60 - 32) * 80);  // leans toward -x
        p.yi = float((random_next() % 60 - 30) * 80);
        p.zi = float((random_next() % 60 - 30) * 80);
    }
}

namespace {

// One 4 by 4 square around the particle, at depth z + zoom.
void draw_particle(const particles& p)
{
    glColor4f(p.r, p.g, p.b, p.life);
    const float depth = p.z + zoom;
    glBegin(surface == GL_POLYGON ? GL_TRIANGLE_STRIP : surface);
    glTexCoord2f(1, 1);
    glVertex3f(p.x + 2, p.y + 2, depth);
    glTexCoord2f(0, 1);
    glVertex3f(p.x - 2, p.y + 2, depth);
    glTexCoord2f(1, 0);
    glVertex3f(p.x + 2, p.y - 2, depth);
    glTexCoord2f(0, 0);
    glVertex3f(p.x - 2, p.y - 2, depth);
    glEnd();
}

}  // namespace

void Explosion()
{
    glPushMatrix();
    calcMatrix();
    if (lighting_enable) glDisable(GL_LIGHTING);
    if (texture1_) {
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture[TEXTURE_EXPLO]);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    }
    if (fog_enable) glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);  // the particles neither hide each other nor get hidden

    for (const particles& p : particle)
        if (p.active) draw_particle(p);

    glEnable(GL_DEPTH_TEST);
    if (fog_enable) glEnable(GL_FOG);
    if (texture1_) {
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        glDisable(GL_TEXTURE_2D);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    if (lighting_enable) glEnable(GL_LIGHTING);
    glPopMatrix();
}

void advance_explosion()
{
    for (particles& p : particle)
        if (p.active) move_particle(p);
}

void calcMatrix()
{
    float mat[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, mat);
    // Elements 8 and 10 are the sine and cosine of the view's turn about the vertical axis. The
    // arctangent is taken in double and kept as a float; the degree conversion is then formed
    // as a float product times a double constant.
    const float a = float(std::atan2(double(mat[8]), double(mat[10])));
    const float angle = float(a * -180 * 0.31830988614222805);
    buildRot(angle, 0, 1, 0, mat);
    glMultMatrixf(mat);
}

void buildRot(float theta, float x, float y, float z, float* m)
{
    const float d = x * x + y * y + z * z;
    const float ct = float(std::cos(dtr(theta)));
    const float st = float(std::sin(dtr(theta)));
    if (d > 0) {
        const float length = std::sqrt(d);
        x /= length;
        y /= length;
        z /= length;
    }
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    m[0] = x * x + (1 - x * x) * ct;
    m[1] = x * y * (1 - ct) + z * st;
    m[2] = x * z * (1 - ct) - y * st;
    m[4] = x * y * (1 - ct) - z * st;
    m[5] = y * y + (1 - y * y) * ct;
    m[6] = y * z * (1 - ct) + x * st;
    m[8] = x * z * (1 - ct) + y * st;
    m[9] = y * z * (1 - ct) - x * st;
    m[10] = z * z + (1 - z * z) * ct;
}
