#include "aircraft/PlaneGeometry.h"

#include <initializer_list>

#include "aircraft/FlightState.h"
#include "core/Settings.h"
#include "platform/GlutSolids.h"

// Rows: positions first, then the face normals.
const float f_1[11][3] = {
    {-1, -0.75f, -1.25f}, {1, -0.75f, -1.25f}, {1, 0.75f, -1.25f}, {-1, 0.75f, -1.25f},
    {-1, -0.75f, 1.25f}, {1, -0.75f, 1.25f}, {1, 0.75f, 1.25f}, {-1, 0.75f, 1.25f},
    {-1, 0, 0}, {0, -1, 0}, {1, 0, 0},  // normals
};
const float f_2[11][3] = {
    {-1, -0.75f, -0.25f}, {1, -0.75f, -0.25f}, {1, 1.25f, -0.25f}, {-1, 1.25f, -0.25f},
    {-1, -0.75f, 0.25f}, {1, -0.75f, 0.25f}, {1, 0.75f, 0.25f}, {-1, 0.75f, 0.25f},
    {-1, 0, 0}, {0, -1, 0}, {1, 0, 0},  // normals
};
const float f_3[11][3] = {
    {-1, -0.75f, -0.375f}, {1, -0.75f, -0.375f}, {1, 0.75f, -0.375f}, {-1, 0.75f, -0.375f},
    {-1, -0.75f, 0.375f}, {1, -0.75f, 0.375f}, {1, 1.25f, 0.375f}, {-1, 1.25f, 0.375f},
    {-1, 0, 0}, {0, -1, 0}, {1, 0, 0},  // normals
};
const float f_4[12][3] = {
    {-1, -0.75f, -0.5f}, {1, -0.75f, -0.5f}, {1, 1.25f, -0.5f}, {-1, 1.25f, -0.5f},
    {-0.8f, -0.5f, 0.5f}, {0.8f, -0.5f, 0.5f}, {0.8f, 1.15f, 0.5f}, {-0.8f, 1.15f, 0.5f},
    {-1, 0, 0.2f}, {0, -1, 0.3f}, {1, 0, 0.2f}, {0, 1, 0.2f},  // normals
};
const float f_5[13][3] = {
    {-0.8f, -0.5f, -0.375f}, {0.8f, -0.5f, -0.375f}, {0.8f, 1.15f, -0.375f},
    {-0.8f, 1.15f, -0.375f}, {-0.5f, 0, 0.375f}, {0.5f, 0, 0.375f},
    {0.5f, 1, 0.375f}, {-0.5f, 1, 0.375f},
    {-1, 0, 0.3f}, {0, -1, 0.4f}, {1, 0, 0.3f}, {0, 1, 0.1f}, {0, 0, 1},  // normals
};
const float f_6[9][3] = {
    {-1, -0.75f, 2.5f}, {1, -0.75f, 2.5f}, {1, 1.25f, 2.5f}, {-1, 1.25f, 2.5f},
    {0, 0.75f, -4.5f},
    {-1, 0, -0.25f}, {0, -1, -0.25f}, {1, 0, -0.25f}, {0, 1, -0.25f},  // normals
};
const float can[13][3] = {
    {-1, 0, 0}, {1, 0, 0}, {1, 0.5f, -0.5f}, {-1, 0.5f, -0.5f},
    {-1, 1.5f, 0}, {1, 1.5f, 0}, {1, 1.5f, 3}, {-1, 1.5f, 3},
    {-1, 0.5f, 3.25f}, {1, 0.5f, 3.25f}, {1, 0, 2.5f}, {-1, 0, 2.5f},
    {0, 1, 0},  // normals
};
const float m_wing_1[12][3] = {
    {-1.5f, 0, -1.25f}, {-1.5f, 0, 1.25f}, {-1.5f, -0.2f, 1.25f}, {-1.5f, -0.2f, -1.25f},
    {1.5f, 0, -1.25f}, {1.5f, 0, 1.25f}, {1.5f, -0.15f, 1.25f}, {1.5f, -0.15f, -1.25f},
    {0, 1, 0}, {0, 0, 1}, {0, -1, 0}, {0, 0, -1},  // normals
};
const float m_wing_2[12][3] = {
    {-2, 0, -1.25f}, {-2, 0, 1.25f}, {-2, -0.15f, 1.25f}, {-2, -0.15f, -1.25f},
    {2, 0, -1.25f}, {2, 0, 1.1f}, {2, -0.1f, 1.1f}, {2, -0.1f, -1.25f},
    {0, 1, 0}, {0, 0, 1}, {0, -1, 0}, {0, 0, -1},  // normals
};
const float m_wing_3[9][3] = {
    {0, 0, -1.4f}, {0, 0, 1.1f}, {0, -0.1f, 1.1f}, {0, -0.1f, -1.4f},
    {0.3f, -0.05f, 0.6f},
    {0.2f, 1, 0}, {0.2f, -1, 0}, {0.1f, 0, 1}, {10, 0, -1},  // normals
};
const float supp[5][3] = {
    {0, 0, 0}, {0, 0, 0.25f}, {0, 4.2f, 0.25f}, {0, 4.2f, 0},
    {-1, 0, 0},  // normals
};
const float flap[10][3] = {
    {-1.5f, 0, 0}, {-1.5f, -0.2f, 0}, {1.5f, -0.15f, 0}, {1.5f, 0, 0},
    {-1.5f, -0.05f, -0.5f}, {1.5f, -0.05f, -0.5f},
    {0, 1, -0.3f}, {0, 0, 1}, {0, -1, -0.3f}, {1, 0, 0},  // normals
};
const float ail[11][3] = {
    {-2, 0, 0}, {-2, -0.15f, 0}, {2, -0.15f, 0}, {2, 0, 0},
    {-2, -0.05f, -0.5f}, {2, -0.05f, -0.15f},
    {0, 1, -0.3f}, {0, 0, 1}, {0, -1, -0.3f}, {1, 0, 0}, {-1, 0, 0},  // normals
};
const float tail_1[13][3] = {
    {0.025f, 2.25f, -0.5f}, {-0.025f, 2.25f, -0.5f}, {-0.025f, 2.25f, 0}, {0.025f, 2.25f, 0},
    {0.05f, -1, -0.5f}, {-0.05f, -1, -0.5f}, {-0.05f, -1, 2}, {0.05f, -1, 2},
    {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}, {0, 0.5f, 1}, {0, 0, -1},  // normals
};
const float tail_2[8][3] = {
    {0.025f, 0, 0.5f}, {-0.025f, 0, 0.5f}, {0, 0, -0.5f}, {0, 0.2f, 0.3f},
    {0, 1, 1}, {-1, 0.5f, 0}, {1, 0.5f, 0}, {0, -1, 0},  // normals
};
const float rudder[11][3] = {
    {0.025f, 2.25f, 0}, {-0.025f, 2.25f, 0}, {0, 2.25f, -0.5f}, {0.05f, -1, 0},
    {-0.05f, -1, 0}, {0, -1, -0.25f},
    {1, 0, -0.2f}, {-1, 0, -0.2f}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1},  // normals
};
const float r_wing[10][3] = {
    {0, 0.05f, -0.75f}, {0, 0.05f, 0.75f}, {0, -0.05f, 0.75f}, {0, -0.05f, -0.75f},
    {-3, 0, -0.75f}, {-3, 0, 0.25f},
    {0.1f, 1, 0}, {0.1f, -1, 0}, {0.3f, 0, 1}, {0, 0, -1},  // normals
};
const float elev[9][3] = {
    {-0.5f, 0, -1}, {0, 0.05f, 0}, {0, -0.05f, 0}, {-2.75f, 0, -0.5f},
    {-3, 0, 0},
    {0, 1, 0.2f}, {0, -1, 0.2f}, {1, 0, 0}, {0, 0, 1},  // normals
};
const float prop[7][3] = {
    {0, 2, 0}, {0, -2, 0}, {-0.2f, -1.5f, -0.1f}, {0.2f, 1.5f, -0.1f},
    {0, 0, 0},
    {-0.2f, 0, 1}, {0.2f, 0, 1},  // normals
};


namespace {

template <size_t N>
FaceGroup group(const char* name, const float (&table)[N][3], std::vector<Face> faces)
{
    return {name, table, int(N), std::move(faces)};
}

const FaceGroup fuselage_1_faces = group("fuselage_1", f_1,
    {{{0, 4, 7, 3}, 8}, {{0, 1, 5, 4}, 9}, {{1, 5, 6, 2}, 10}});
const FaceGroup fuselage_2_faces = group("fuselage_2", f_2,
    {{{0, 4, 7, 3}, 8}, {{0, 1, 5, 4}, 9}, {{1, 5, 6, 2}, 10}});
const FaceGroup fuselage_3_faces = group("fuselage_3", f_3,
    {{{0, 4, 7, 3}, 8}, {{0, 1, 5, 4}, 9}, {{1, 5, 6, 2}, 10}});
const FaceGroup fuselage_4_faces = group("fuselage_4", f_4,
    {{{0, 4, 7, 3}, 8}, {{0, 1, 5, 4}, 9}, {{1, 5, 6, 2}, 10}, {{3, 2, 6, 7}, 11}});
const FaceGroup fuselage_5_faces = group("fuselage_5", f_5,
    {{{0, 4, 7, 3}, 8}, {{0, 1, 5, 4}, 9}, {{1, 5, 6, 2}, 10}, {{3, 2, 6, 7}, 11},
     {{4, 5, 6, 7}, 12}});
const FaceGroup fuselage_6_faces = group("fuselage_6", f_6,
    {{{0, 3, 4}, 5}, {{0, 1, 4}, 6}, {{1, 2, 4}, 7}, {{2, 3, 4}, 8}});
const FaceGroup support_faces = group("support", supp,
    {{{0, 1, 2, 3}, 4}});
const FaceGroup inner_panel_faces = group("main_wing, inner panel", m_wing_1,
    {{{0, 1, 5, 4}, 8}, {{1, 2, 6, 5}, 9}, {{2, 3, 7, 6}, 10}, {{0, 3, 7, 4}, 11}});
const FaceGroup outer_panel_faces = group("main_wing, outer panel", m_wing_2,
    {{{0, 1, 5, 4}, 8}, {{1, 2, 6, 5}, 9}, {{2, 3, 7, 6}, 10}, {{0, 3, 7, 4}, 11}});
const FaceGroup tip_faces = group("main_wing, tip", m_wing_3,
    {{{0, 1, 4}, 5}, {{3, 2, 4}, 6}, {{1, 2, 4}, 7}, {{0, 3, 4}, 8}});
const FaceGroup flap_faces = group("main_wing, flap", flap,
    {{{0, 3, 5, 4}, 6}, {{0, 1, 2, 3}, 7}, {{1, 2, 5, 4}, 8}, {{3, 2, 5}, 9}});
const FaceGroup aileron_faces = group("main_wing, aileron", ail,
    {{{0, 3, 5, 4}, 6}, {{0, 1, 2, 3}, 7}, {{1, 2, 5, 4}, 8}, {{3, 2, 5}, 9}});
const FaceGroup fin_faces = group("tail, fin", tail_1,
    {{{0, 1, 2, 3}, 8}, {{1, 2, 6, 5}, 9}, {{0, 3, 7, 4}, 10}, {{3, 2, 6, 7}, 11},
     {{0, 1, 5, 4}, 12}});
const FaceGroup fin_cap_faces = group("tail, fin cap", tail_2,
    {{{0, 1, 3}, 4}, {{1, 3, 2}, 5}, {{0, 3, 2}, 6}, {{0, 1, 2}, 7}});
const FaceGroup rudder_faces = group("tail, rudder", rudder,
    {{{1, 2, 5, 4}, 7}, {{0, 2, 5, 3}, 6}, {{0, 1, 2}, 8}, {{3, 4, 5}, 9}, {{0, 1, 4, 3}, 10}});
const FaceGroup tailplane_faces = group("rear_wing, tailplane", r_wing,
    {{{0, 1, 5, 4}, 6}, {{3, 2, 5, 4}, 7}, {{1, 2, 5}, 8}, {{0, 3, 4}, 9}});
const FaceGroup elevator_faces = group("rear_wing, elevator", elev,
    {{{0, 1, 4, 3}, 5}, {{0, 2, 4, 3}, 6}, {{0, 1, 2}, 7}, {{1, 2, 4}, 8}});


// One primitive per face, the face's normal issued before each of its vertices.
void draw_faces(const FaceGroup& group)
{
    for (const Face& face : group.faces) {
        glBegin(surface);
        for (int row : face.rows) {
            glNormal3fv(group.table[face.normal]);
            glVertex3fv(group.table[row]);
        }
        glEnd();
    }
}

}  // namespace

const std::vector<const FaceGroup*> face_groups = {
    &fuselage_1_faces, &fuselage_2_faces, &fuselage_3_faces, &fuselage_4_faces,
    &fuselage_5_faces, &fuselage_6_faces, &support_faces, &inner_panel_faces,
    &outer_panel_faces, &tip_faces, &flap_faces, &aileron_faces, &fin_faces, &fin_cap_faces,
    &rudder_faces, &tailplane_faces, &elevator_faces,
};

GLUquadricObj* qobj = nullptr;

void fuselage_1() { draw_faces(fuselage_1_faces); }
void fuselage_2() { draw_faces(fuselage_2_faces); }
void fuselage_3() { draw_faces(fuselage_3_faces); }
void fuselage_4() { draw_faces(fuselage_4_faces); }
void fuselage_5() { draw_faces(fuselage_5_faces); }
void fuselage_6() { draw_faces(fuselage_6_faces); }

// A flat strip leaning outward from the lower fuselage to the wing.
void support(int wing)
{
    glPushMatrix();
    glScalef(float(wing), 1, 1);
    glRotatef(50, 0, 0, 1);
    draw_faces(support_faces);
    glPopMatrix();
}

// The glazing multiplies what lies behind it, lit with whatever normal is current.
void canopy()
{
    static const std::vector<std::vector<int>> panes = {
        {0, 11, 8, 7, 4, 3},  // one side
        {1, 2, 5, 6, 9, 10},  // the other side
        {6, 7, 8, 9},         // windscreen
        {2, 3, 4, 5},         // rear window
    };
    glBlendFunc(GL_DST_COLOR, GL_SRC_COLOR);
    glColor3ub(50, 100, 150);
    for (const std::vector<int>& pane : panes) {
        glBegin(surface);
        for (int row : pane) glVertex3fv(can[row]);
        glEnd();
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// Inner panel, outer panel and tip with 2 degrees of dihedral; the flap hangs behind the inner
// panel and the aileron behind the outer one, the two ailerons of a pair deflecting oppositely.
void main_wing(int wing)
{
    glPushMatrix();
    glScalef(float(wing), 1, 1);
    glTranslatef(1.5f, 0, 0);
    glRotatef(2, 0, 0, 1);
    glColor3ub(200, 200, 200);
    draw_faces(inner_panel_faces);
    glPushMatrix();
    glTranslatef(3.5f, 0, 0);
    draw_faces(outer_panel_faces);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(5.5f, 0, 0);
    draw_faces(tip_faces);
    glPopMatrix();
    glColor3ub(150, 150, 150);
    glPushMatrix();
    glTranslatef(0, 0, -1.25f);
    glRotatef(angle_flap, 1, 0, 0);
    draw_faces(flap_faces);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(3.5f, 0, -1.25f);
    glRotatef(-angle_aileron * float(wing), 1, 0, 0);
    draw_faces(aileron_faces);
    glPopMatrix();
    glPopMatrix();
}

void tail()
{
    glColor3ub(200, 200, 200);
    draw_faces(fin_faces);
    glPushMatrix();
    glTranslatef(0, 2.25f, -0.5f);
    draw_faces(fin_cap_faces);
    glPopMatrix();
    glColor3ub(150, 150, 150);
    glPushMatrix();
    glTranslatef(0, 0, -0.5f);
    glRotatef(angle_rudder, 0, 1, 0);
    draw_faces(rudder_faces);
    glColor3ub(200, 200, 200);
    glPopMatrix();
}

// One tailplane half (root at x = 0, tip at x = -3) in the current colour, with its elevator.
void rear_wing(int wing)
{
    glPushMatrix();
    glScalef(float(wing), 1, 1);
    draw_faces(tailplane_faces);
    glColor3ub(150, 150, 150);
    glPushMatrix();
    glTranslatef(0, 0, -0.75f);
    glRotatef(angle_elevator, 1, 0, 0);
    draw_faces(elevator_faces);
    glPopMatrix();
    glPopMatrix();
    glColor3ub(200, 200, 200);
}

void spinner()
{
    if (surface == GL_POLYGON)
        solid_cone(0.4, 0.7, 10, 5);
    else
        wire_cone(0.4, 0.7, 10, 5);
}

// Both blades as one primitive of six vertices: filled, it shows as two triangles (hub, tip,
// trailing point) that share the hub.
void blades()
{
    glBegin(surface);
    for (int row : {4, 0, 3}) {
        glNormal3fv(prop[5]);
        glVertex3fv(prop[row]);
    }
    for (int row : {4, 1, 2}) {
        glNormal3fv(prop[6]);
        glVertex3fv(prop[row]);
    }
    glEnd();
}

void propellor()
{
    glColor3ub(150, 150, 160);
    spinner();
    glColor3ub(50, 50, 50);
    glPushMatrix();
    glTranslatef(0, 0, 0.2f);
    glRotatef(angle_prop, 0, 0, 1);
    blades();
    glPopMatrix();
}

// Tyre face and hub.
void disk()
{
    glColor3ub(0, 0, 0);
    gluDisk(qobj, 0.1, 0.25, 10, 5);
    glColor3ub(200, 200, 200);
    gluDisk(qobj, 0, 0.1, 10, 5);
}

// Tread and both faces, the axle along x.
void wheel()
{
    glPushMatrix();
    glRotatef(-90, 0, 1, 0);
    glColor3ub(0, 0, 0);
    gluCylinder(qobj, 0.25, 0.25, 0.15, 10, 1);
    disk();
    glPushMatrix();
    glTranslatef(0, 0, 0.15f);
    disk();
    glPopMatrix();
    glPopMatrix();
}

// A leg 1 long pivoting at its top; a positive angle swings it aft.
void nose_gear()
{
    glPushMatrix();
    glRotatef(angle_nose_gear, 1, 0, 0);
    glTranslatef(0, -0.5f, 0);
    glColor3ub(0, 0, 0);
    glPushMatrix();
    glScalef(0.1f, 1, 0.1f);
    solid_cube(1.0);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0, -0.5f, 0);
    wheel();
    glPopMatrix();
    glPopMatrix();
}

// A leg 1.28 long splayed outward by 40 degrees, its wheel upright again.
void main_gear(int gear)
{
    glPushMatrix();
    glScalef(float(gear), 1, 1);
    glRotatef(angle_main_gear, -1, 1, 1);  // GL normalises the axis
    glRotatef(-40, 0, 0, 1);
    glTranslatef(0, -0.64f, 0);
    glColor3ub(0, 0, 0);
    glPushMatrix();
    glScalef(0.1f, 1.28f, 0.1f);
    solid_cube(1.0);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0, -0.64f, 0);
    glRotatef(40, 0, 0, 1);
    wheel();
    glPopMatrix();
    glPopMatrix();
}
