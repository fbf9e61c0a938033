#include "scenery/World.h"

#include <cmath>
#include <vector>

#include "aircraft/FlightState.h"
#include "aircraft/Plane.h"
#include "core/Settings.h"
#include "platform/GL.h"
#include "platform/GLExt.h"
#include "resources/Textures.h"
#include "terrain/TerrainGrid.h"

const float rw[4][3] = {{runway_half_width, 0, -runway_end},
                        {runway_half_width, 0, runway_end},
                        {-runway_half_width, 0, runway_end},
                        {-runway_half_width, 0, -runway_end}};
const float tw[4][3] = {{50, 0, 0}, {50, 0, -100}, {-100, 0, -100}, {-100, 0, 0}};
const float rw_ln[4][3] = {{0.5f, 0, -5}, {0.5f, 0, 5}, {-0.5f, 0, 5}, {-0.5f, 0, -5}};
const float ct1[8][3] = {{300, 0, -200}, {300, 0, 200}, {200, 0, 300}, {-200, 0, 300},
                         {-300, 0, 200}, {-300, 0, -200}, {-200, 0, -300}, {200, 0, -300}};
const float bld[13][3] = {
    {-0.5f, 0.5f, -0.5f}, {-0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, -0.5f},
    {-0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, 0.5f}, {0.5f, -0.5f, 0.5f}, {0.5f, -0.5f, -0.5f},
    {0, 1, 0}, {0, 0, -1}, {1, 0, 0}, {0, 0, 1}, {-1, 0, 0}};

// One flat face through the table's corners, in the current primitive mode.
template <int N>
static void flat_face(const float (&corners)[N][3])
{
    glBegin(surface);
    for (const float* corner : corners) glVertex3fv(corner);
    glEnd();
}

// The aircraft stays at the origin: the world is drawn shifted by its negated position, and 3.2
// lower so that the wheels stand on the ground. Every part of the world is drawn in this one
// frame, so that a surface drawn twice lands on the same depths both times.
static void push_world_frame()
{
    glPushMatrix();
    glTranslatef(-world_x, float(-double(world_y) - 3.2), -world_z);
}

void draw_world()
{
    push_world_frame();
    terrain.display_terrain();
    runway();
    city();
    glPopMatrix();
}

void draw_terrain()
{
    push_world_frame();
    terrain.display_terrain();
    glPopMatrix();
}

void draw_airfield_and_city()
{
    push_world_frame();
    runway();
    city();
    glPopMatrix();
}

// The surface that runway() draws last, with the same matrix and vertices, into the depth buffer
// alone: ground drawn after it fails the depth test there instead of being shaded and covered.
void runway_depth()
{
    push_world_frame();
    glTranslatef(0, 1, 0);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    flat_face(rw);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPopMatrix();
}

void building()
{
    struct Face {
        int normal;
        int corners[4];
    };
    static const Face top = {8, {0, 1, 2, 3}};
    static const Face sides[4] = {
        {9, {0, 3, 7, 4}}, {10, {3, 2, 6, 7}}, {11, {2, 1, 5, 6}}, {12, {0, 1, 5, 4}}};
    static const float side_texture[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

    glBegin(surface);
    for (int corner : top.corners) {
        glNormal3fv(bld[top.normal]);
        glVertex3fv(bld[corner]);
    }
    glEnd();
    for (const Face& face : sides) {
        glBegin(surface);
        for (int i = 0; i < 4; ++i) {
            glNormal3fv(bld[face.normal]);
            glVertex3fv(bld[face.corners[i]]);
            glTexCoord2fv(side_texture[i]);  // after the corner: it reaches the next one
        }
        glEnd();
    }
}

// A box of the given size whose centre stands at (x, y, z) of the current frame.
static void box(float x, float y, float z, float width, float height, float depth)
{
    glPushMatrix();
    glTranslatef(x, y, z);
    glScalef(width, height, depth);
    building();
    glPopMatrix();
}

void control_tower()
{
    glColor3ub(100, 100, 80);
    box(0, 15, 0, 10, 30, 10);  // shaft, 0 to 30

    // The glass cab doubles, in its lit colour, whatever lies behind it.
    glBlendFunc(GL_DST_COLOR, GL_SRC_COLOR);
    glColor4ub(50, 100, 150, 100);
    box(0, 32.5f, 0, 9, 5, 9);  // 30 to 35
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    glColor3ub(100, 100, 80);
    box(0, 36, 0, 10, 2, 10);  // roof, 35 to 37
}

void runway_line()
{
    glColor3ub(200, 200, 200);
    flat_face(rw_ln);
}

void runway()
{
    glPushMatrix();

    glPushMatrix();
    glTranslatef(-70, 0, -150);
    control_tower();
    glPopMatrix();

    // The apron and its aircraft, in a frame turned a quarter about +y: local (x, y, z) is world
    // (z, y, -x). The aircraft stand at world x -50, z -180, -205 and -230.
    glPushMatrix();
    glRotatef(90, 0, 1, 0);
    glTranslatef(200, 0, -30);
    glTranslatef(0, 1, 0);
    glColor3f(0.3f, 0.3f, 0.3f);
    glNormal3f(0, -1, 0);
    flat_face(tw);
    glTranslatef(-20, 3.2f, -20);
    draw_plane_parked2();
    glTranslatef(25, 0, 0);
    draw_plane_parked2();
    glTranslatef(25, 0, 0);
    draw_plane_parked1();
    glPopMatrix();

    // Stripes 0.2 above the runway, drawn before it: the centre line, then both thresholds.
    for (int z = -210; z <= 210; z += 30) {
        glPushMatrix();
        glTranslatef(0, 1.2f, float(z));
        runway_line();
        glPopMatrix();
    }
    for (float end : {-runway_threshold, runway_threshold})
        for (int x = -10; x <= 10; x += 4) {
            glPushMatrix();
            glTranslatef(float(x), 1.2f, end);
            runway_line();
            glPopMatrix();
        }

    glTranslatef(0, 1, 0);
    glColor3f(0.3f, 0.3f, 0.3f);
    glNormal3f(0, -1, 0);
    flat_face(rw);

    glPopMatrix();
}

void city_ground()
{
    glTranslatef(0, 1, 0);
    glNormal3f(0, -1, 0);
    flat_face(ct1);
}

// Binds one of the city's facade textures when texturing is on.
static void facade(TextureSlot slot)
{
    if (texture1_) glBindTexture(GL_TEXTURE_2D, texture[slot]);
}

void city()
{
    glPushMatrix();
    glTranslatef(-500, 0, 0);

    glColor3ub(100, 100, 110);  // the inner plaza, under the outer one: seen only in outline
    glPushMatrix();
    glScalef(0.6f, 1, 0.8f);
    city_ground();
    glPopMatrix();

    glColor3ub(80, 80, 90);  // the plaza the blocks stand on, at height 2
    glPushMatrix();
    glTranslatef(0, 1, 0);
    city_ground();
    glPopMatrix();

    glColor3ub(80, 80, 70);
    if (texture1_) {
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        glEnable(GL_TEXTURE_2D);
    }
    facade(TEXTURE_CITY2);
    box(0, 42, 0, 40, 80, 40);  // the central tower, 2 to 82

    facade(TEXTURE_CITY1);
    glColor3ub(100, 100, 100);
    static const float inner[4][2] = {{70, 70}, {-70, 70}, {-70, -70}, {70, -70}};
    for (const auto& at : inner) box(at[0], 22, at[1], 50, 40, 50);

    facade(TEXTURE_CITY2);
    static const float outer[4][2] = {{140, 140}, {-140, 140}, {-140, -140}, {140, -140}};
    for (const auto& at : outer) box(at[0], 22, at[1], 50, 40, 50);

    if (texture1_) {
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        glDisable(GL_TEXTURE_2D);
    }
    glPopMatrix();
}

namespace {

// The dome's rings run from angle 0 in float steps of an eighth of pi while below 2.1 pi: 17
// angles, the last one back where the first was.
const float dome_step = 0.3926991f;
const double dome_end = 6.5973445734;

// The zenith's height and the lower ring's radius; the upper ring's radius is this times
// `upper_ring_factor`.
const double dome_radius = 100000.0 / 3;
const double upper_ring_factor = 0.7071;
const float upper_ring_height = 23570;
const float lower_ring_height = -80000;

struct DomeVertex {
    float s, t;     // texture coordinate: the image's centre is the zenith
    float alpha;
    float x, y, z;
};

// A ring vertex at angle `theta`: the coordinates are worked out in double precision from the
// single-precision cosine and sine.
DomeVertex ring_vertex(float theta, double radius_factor, float height, double texture_radius,
                       float alpha)
{
    const float c = std::cos(theta), s = std::sin(theta);
    return {float(0.5 + texture_radius * double(c)), float(0.5 + texture_radius * double(s)),
            alpha, float(c * 100000.0 * (1.0 / 3) * radius_factor), height,
            float(s * 100000.0 * (1.0 / 3) * radius_factor)};
}

// The two rings, worked out once: the dome never changes. The upper ring lies on the sphere of
// radius 100000 / 3 at 45 degrees of elevation; the lower one flares out below the horizon,
// where the dome has faded out.
struct DomeRings {
    std::vector<DomeVertex> upper, lower;
};

const DomeRings& dome_rings()
{
    static const DomeRings rings = [] {
        DomeRings r;
        for (float theta = 0; theta < dome_end; theta += dome_step) {
            r.upper.push_back(ring_vertex(theta, upper_ring_factor, upper_ring_height, 0.3, 0.8f));
            r.lower.push_back(ring_vertex(theta, 1, lower_ring_height, 0.5, 0));
        }
        return r;
    }();
    return rings;
}

void texture_then_colour(const DomeVertex& v)
{
    ext::glMultiTexCoord2fARB(GL_TEXTURE0_ARB, v.s, v.t);
    glColor4f(1, 1, 1, v.alpha);
    glVertex3f(v.x, v.y, v.z);
}

void colour_then_texture(const DomeVertex& v)
{
    glColor4f(1, 1, 1, v.alpha);
    ext::glMultiTexCoord2fARB(GL_TEXTURE0_ARB, v.s, v.t);
    glVertex3f(v.x, v.y, v.z);
}

}  // namespace

// At every height the dome is a regular 16-gon about the aircraft, whose corners lie on a circle
// that narrows linearly from the lower ring to the upper one and then to nothing at the zenith.
bool inside_sky_dome(double x, double y, double z, double margin)
{
    if (y < lower_ring_height || y > dome_radius) return false;
    const double upper_radius = dome_radius * upper_ring_factor;
    const double corner_radius =
        y <= upper_ring_height
            ? dome_radius + (upper_radius - dome_radius) * (y - lower_ring_height) /
                                (upper_ring_height - lower_ring_height)
            : upper_radius * (dome_radius - y) / (dome_radius - upper_ring_height);
    const double side_distance = corner_radius * std::cos(M_PI / 16);
    return std::hypot(x, z) + margin <= side_distance;
}

// Drawn from inside: the faces are wound to face the aircraft, so culling removes the outside.
void draw_sky()
{
    if (culling_enable) glEnable(GL_CULL_FACE);
    if (texture1_) {
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        glBindTexture(GL_TEXTURE_2D, texture[TEXTURE_SKY]);
        glEnable(GL_TEXTURE_2D);
    }
    if (lighting_enable) glDisable(GL_LIGHTING);

    const DomeRings& rings = dome_rings();
    glBegin(surface == GL_POLYGON ? GL_TRIANGLE_FAN : surface);  // the cap
    texture_then_colour({0.5f, 0.5f, 0.4f, 0, 33333.33f, 0});
    for (const DomeVertex& v : rings.upper) texture_then_colour(v);
    glEnd();

    glBegin(surface == GL_POLYGON ? GL_TRIANGLE_STRIP : surface);  // the skirt
    for (size_t i = 0; i < rings.upper.size(); ++i) {
        colour_then_texture(rings.upper[i]);
        colour_then_texture(rings.lower[i]);
    }
    glEnd();

    if (lighting_enable) glEnable(GL_LIGHTING);
    if (texture1_) {
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        glDisable(GL_TEXTURE_2D);
    }
    if (culling_enable) glDisable(GL_CULL_FACE);
}

// A level square 8000 above the aircraft, under the light, added onto the sky and never fogged.
void draw_sun()
{
    if (!lighting_enable) return;
    if (texture1_) {
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        glBindTexture(GL_TEXTURE_2D, texture[TEXTURE_SUN]);
        glEnable(GL_TEXTURE_2D);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    }
    if (fog_enable) glDisable(GL_FOG);

    glPushMatrix();
    glTranslatef(light0_position[0], light0_position[1], light0_position[2]);
    glColor3f(0.9f, 0.6f, 0.4f);
    glBegin(surface);
    glTexCoord2d(0, 0);
    glVertex3f(-500, 0, -500);
    glTexCoord2d(1, 0);
    glVertex3f(500, 0, -500);
    glTexCoord2d(1, 1);
    glVertex3f(500, 0, 500);
    glTexCoord2d(0, 1);
    glVertex3f(-500, 0, 500);
    glEnd();
    glPopMatrix();

    if (fog_enable) glEnable(GL_FOG);
    if (texture1_) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        glDisable(GL_TEXTURE_2D);
    }
}
