#include "aircraft/Plane.h"

#include <array>
#include <initializer_list>

#include "aircraft/FlightState.h"
#include "aircraft/PlaneGeometry.h"
#include "core/Settings.h"
#include "platform/GL.h"
#include "platform/GLExt.h"
#include "resources/Textures.h"

namespace {

// A quadric that fills in normal drawing and outlines in wire-frame mode; no normals.
GLUquadricObj* new_quadric()
{
    GLUquadricObj* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, surface == GL_POLYGON ? GLU_FILL : GLU_SILHOUETTE);
    gluQuadricNormals(quadric, GLU_NONE);
    return quadric;
}

// The metal skin, a reflection map replacing the lit colour.
void skin_on()
{
    ext::glActiveTextureARB(GL_TEXTURE0_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glBindTexture(GL_TEXTURE_2D, texture[TEXTURE_PLANE]);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);
}

void skin_off()
{
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    ext::glActiveTextureARB(GL_TEXTURE0_ARB);
    glDisable(GL_TEXTURE_2D);
}

// The fuselage sections, struts, wings, tail and tailplane at their places in the model frame.
void airframe()
{
    struct Placed {
        void (*draw)();
        float x, y, z;
    };
    static const Placed pieces[] = {
        {fuselage_1, 0, 0, 1.75f},
        {fuselage_2, 0, 0, 0.25f},
        {fuselage_3, 0, 0, 3.375f},
        {fuselage_4, 0, 0, 4.25f},
        {fuselage_5, 0, 0, 5.125f},
        {fuselage_6, 0, 0, -2.5f},
        {[] { support(1); }, -1, -0.5f, 2.5f},
        {[] { support(-1); }, 1, -0.5f, 2.5f},
        {[] { main_wing(1); }, 1, 2.25f, 2.25f},
        {[] { main_wing(-1); }, -1, 2.25f, 2.25f},
        {tail, 0, 1.75f, -6.25f},
        {[] { rear_wing(1); }, 0, 0.75f, -5.25f},
        {[] { rear_wing(-1); }, 0, 0.75f, -5.25f},
    };
    for (const Placed& piece : pieces) {
        glPushMatrix();
        glTranslatef(piece.x, piece.y, piece.z);
        piece.draw();
        glPopMatrix();
    }
}

// The cabin roof, the only part of the cabin that carries the skin.
void cabin_roof()
{
    glBegin(surface);
    for (int row : {4, 5, 6, 7}) {
        glNormal3fv(can[12]);
        glVertex3fv(can[row]);
    }
    glEnd();
}

void glazing()
{
    glPushMatrix();
    glTranslatef(0, 0.75f, 0.5f);
    canopy();
    glPopMatrix();
}

void nose_leg()
{
    glPushMatrix();
    glTranslatef(0.1f, -0.7f, 4);
    nose_gear();
    glPopMatrix();
}

void main_legs()
{
    glColor3ub(200, 200, 200);
    glPushMatrix();
    glTranslatef(-1, -0.7f, 1);
    main_gear(1);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(1, -0.7f, 1);
    main_gear(-1);
    glPopMatrix();
}

// A flat part of the jet: one primitive, vertices in order, no normals.
void plate(std::initializer_list<std::array<float, 3>> vertices)
{
    glBegin(surface);
    for (const std::array<float, 3>& v : vertices) glVertex3fv(v.data());
    glEnd();
}

// A tailplane half or a lower plate: its first two vertices in mid grey, the other two light.
void shaded_plate(std::array<float, 3> a, std::array<float, 3> b, std::array<float, 3> c,
                  std::array<float, 3> d)
{
    glBegin(surface);
    glColor3f(0.4f, 0.4f, 0.4f);
    glVertex3fv(a.data());
    glVertex3fv(b.data());
    glColor3f(0.8f, 0.8f, 0.8f);
    glVertex3fv(c.data());
    glVertex3fv(d.data());
    glEnd();
}

}  // namespace

void draw_plane()
{
    qobj = new_quadric();
    glPushMatrix();
    if (real_flight) {  // heading, then pitch, then bank about the nose: a true attitude
        glRotatef(head_yaw, 0, 1, 0);
        glRotatef(head_pitch, 1, 0, 0);
        glRotatef(head_roll, 0, 0, 1);
    } else {  // called in this order, the pitch turns the model first and the bank last
        glRotatef(head_roll, 0, 0, 1);
        glRotatef(head_yaw, 0, 1, 0);
        glRotatef(head_pitch, 1, 0, 0);
    }

    if (plane_enable) {
        if (texture1_) skin_on();
        glColor3ub(200, 200, 200);
        airframe();
        glPushMatrix();
        glTranslatef(0, 0.75f, 0.5f);
        cabin_roof();
        glPopMatrix();
        if (texture1_) skin_off();
        glazing();  // after the skin, so the glass is not textured
        if (angle_nose_gear < nose_gear_up) {  // fully retracted legs are not drawn
            nose_leg();
            main_legs();
        }
        glPushMatrix();
        glTranslatef(0, 0.5f, 5.5f);
        draw_prop();
        glPopMatrix();
    }

    glPopMatrix();
    gluDeleteQuadric(qobj);
    qobj = nullptr;
}

void draw_prop()
{
    propellor();
    if (throttle > 400) {
        // The spinning blades as a disc that darkens what lies behind it. The grey level wraps
        // as the byte conversion does: 405 gives 174, 1005 gives 6.
        glBlendFunc(GL_DST_COLOR, GL_SRC_COLOR);
        const int color = int(throttle + 25);
        glColor3ub(GLubyte(color), GLubyte(color), GLubyte(color));
        glPushMatrix();
        glTranslatef(0, 0, 0.19f);  // just behind the blades
        gluDisk(qobj, 0.1, 2.0, 20, 5);
        glPopMatrix();
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
}

void draw_plane_parked2()
{
    qobj = new_quadric();
    glPushMatrix();
    if (texture1_) skin_on();
    glColor3ub(200, 200, 200);
    airframe();
    glPushMatrix();
    glTranslatef(0, 0.75f, 0.5f);
    glColor3ub(225, 225, 225);
    cabin_roof();
    glPopMatrix();
    if (texture1_) skin_off();
    glazing();
    nose_leg();  // parked, the legs always show
    main_legs();
    glPushMatrix();
    glTranslatef(0, 0.5f, 5.5f);
    spinner();  // in the grey the last wheel hub left
    glColor3ub(50, 50, 50);
    glPushMatrix();
    glTranslatef(0, 0, 0.2f);
    blades();
    glPopMatrix();
    glPopMatrix();
    glPopMatrix();
    gluDeleteQuadric(qobj);
    qobj = nullptr;
}

void draw_plane_parked1()
{
    glTranslatef(0, 1, 0);
    glScalef(5, 5, 5);
    glRotatef(180, 0, 1, 0);
    glPushMatrix();
    GLUquadricObj* quadric = new_quadric();

    glPushMatrix();  // the translucent canopy bubble
    glColor4ub(50, 100, 150, 100);
    glTranslatef(0, 0.2f, -1);
    glScalef(1, 1, 4.333333f);
    gluSphere(quadric, 0.15, 6, 12);
    glPopMatrix();

    if (texture1_) {  // the skin over the lit colour: the environment mode stays as it is
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        glBindTexture(GL_TEXTURE_2D, texture[TEXTURE_PLANE]);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
        glEnable(GL_TEXTURE_2D);
    }

    glPushMatrix();  // fuselage
    glColor3f(0.2f, 0.2f, 0.2f);
    glTranslatef(0, 0, -1.5f);
    gluCylinder(quadric, 0.25, 0.25, 3.5, 10, 2);
    glPopMatrix();
    glPushMatrix();  // nose cone
    glTranslatef(0, 0, -2.5f);
    gluCylinder(quadric, 0, 0.25, 1, 10, 2);
    glPopMatrix();

    glColor3f(0.4f, 0.4f, 0.4f);
    plate({{0.25f, 0, -1}, {0.45f, 0, 0}, {-0.45f, 0, 0}, {-0.25f, 0, -1}});  // forward plate
    plate({{0.45f, 0, 0}, {1.65f, 0, 0.8f}, {1.65f, 0, 1.2f}, {0.35f, 0, 1.2f},  // wings and
           {0.35f, 0, 2.4f}, {0.25f, 0, 2.4f}, {0.25f, 0, 2}, {-0.25f, 0, 2},   // rear fuselage
           {-0.25f, 0, 2.4f}, {-0.35f, 0, 2.4f}, {-0.35f, 0, 1.2f}, {-1.65f, 0, 1.2f},
           {-1.65f, 0, 0.8f}, {-0.45f, 0, 0}});
    glPushMatrix();  // fin
    glRotatef(0.2f, 0, 0.3f, 0);
    plate({{0, 0.24f, 0.5f}, {0, 0.4f, 1.1f}, {0, 0.8f, 2}, {0, 0.8f, 2.4f}, {0, 0.4f, 2.1f},
           {0, 0.24f, 2.1f}});
    glPopMatrix();
    glPushMatrix();  // tailplane, -x half: begins in the grey the fin was drawn in
    glBegin(surface);
    glVertex3f(-0.35f, 0, 1.6f);
    glVertex3f(-0.85f, 0, 2.1f);
    glColor3f(0.8f, 0.8f, 0.8f);
    glVertex3f(-0.85f, 0, 2.4f);
    glVertex3f(-0.35f, 0, 2.4f);
    glEnd();
    glPopMatrix();
    glPushMatrix();  // tailplane, +x half
    shaded_plate({0.35f, 0, 1.6f}, {0.85f, 0, 2.1f}, {0.85f, 0, 2.4f}, {0.35f, 0, 2.4f});
    glPopMatrix();
    shaded_plate({-0.1f, -0.1f, 1.1f}, {-0.25f, -0.3f, 1.2f}, {-0.25f, -0.3f, 1.5f},
                 {-0.1f, -0.1f, 1.5f});  // lower plates
    shaded_plate({0.1f, -0.1f, 1.1f}, {0.25f, -0.3f, 1.2f}, {0.25f, -0.3f, 1.5f},
                 {0.1f, -0.1f, 1.5f});

    glPushMatrix();  // exhaust
    glColor3f(0.3f, 0.3f, 0.3f);
    glTranslatef(0, 0, 2);
    gluCylinder(quadric, 0.25, 0.15, 0.5, 10, 2);
    gluDisk(quadric, 0, 0.25, 10, 2);
    glColor3f(0.5f, 0.5f, 0.5f);
    gluCylinder(quadric, 0.2, 0, 0.3, 10, 2);
    gluCylinder(quadric, 0.2, 0.1, 0.4, 10, 2);
    glPopMatrix();

    if (texture1_) {
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
        ext::glActiveTextureARB(GL_TEXTURE0_ARB);
        glDisable(GL_TEXTURE_2D);
    }

    struct Leg {
        float turn, x, y;
    };
    for (const Leg& leg : {Leg{15, 0.15f, 0.9f}, Leg{-15, -0.15f, 0.9f}, Leg{0, 0, -1.2f}}) {
        glPushMatrix();  // undercarriage legs, in the exhaust's grey
        glRotatef(90, 1, 0, 0);
        glRotatef(leg.turn, 0, 1, 0);
        glTranslatef(leg.x, leg.y, 0.2f);
        gluCylinder(quadric, 0.02, 0.02, 0.5, 10, 2);
        glPopMatrix();
    }
    struct Wheel {
        float x, z;
    };
    for (const Wheel& at : {Wheel{0.35f, 0.88f}, Wheel{-0.22f, 0.88f}, Wheel{0.07f, -1.25f}}) {
        glPushMatrix();
        glTranslatef(at.x, -0.6f, at.z);
        glRotatef(-90, 0, 1, 0);
        glColor3f(0, 0, 0);
        gluCylinder(quadric, 0.1, 0.1, 0.1, 10, 1);
        glPopMatrix();
    }

    gluDeleteQuadric(quadric);
    glPopMatrix();
}

void move_prop()
{
    angle_prop += float(throttle * (2.0 / 3.0));
}

void move_gear()
{
    if (gear_out == 0 && angle_nose_gear < nose_gear_up) {  // retracting
        angle_nose_gear += 5;
        angle_main_gear += 5;
    }
    if (gear_out == 1 && angle_nose_gear > nose_gear_down) {  // extending
        angle_nose_gear -= 5;
        angle_main_gear -= 5;
    }
}
