// The player's aircraft type as geometry: constant tables of three-float rows (positions first,
// face normals after them) and the pieces that turn them into faces, plus the quadric shapes of
// spinner, wheels and legs.
//
// Model frame: +z to the nose, +y up, x across the span (+x is the pilot's left). Every face is
// begun with `surface`, so wire-frame mode outlines it. Normals are used as stored: they are not
// unit length everywhere, and their length scales the lit intensity of the face.
#pragma once

#include <vector>

#include "platform/GL.h"

// Fuselage sections, front to back: cabin (1), cabin rear (2), cabin front (3), engine (4), nose
// (5), and the tail cone (6).
extern const float f_1[11][3];
extern const float f_2[11][3];
extern const float f_3[11][3];
extern const float f_4[12][3];
extern const float f_5[13][3];
extern const float f_6[9][3];
extern const float can[13][3];       // cabin glazing; rows 4 to 7 and 12 are the roof
extern const float m_wing_1[12][3];  // inner wing panel
extern const float m_wing_2[12][3];  // outer wing panel
extern const float m_wing_3[9][3];   // wing tip
extern const float supp[5][3];       // wing strut
extern const float flap[10][3];
extern const float ail[11][3];       // aileron
extern const float tail_1[13][3];    // fin
extern const float tail_2[8][3];     // fin cap
extern const float rudder[11][3];
extern const float r_wing[10][3];    // tailplane half
extern const float elev[9][3];       // elevator half
extern const float prop[7][3];       // the two propeller blades

// One face: position rows of a table, each issued after the face's normal row.
struct Face {
    std::vector<int> rows;
    int normal;
};

// The faces that a piece draws from one table, in drawing order.
struct FaceGroup {
    const char* name;
    const float (*table)[3];
    int table_rows;
    std::vector<Face> faces;
};

// Every face group of the pieces below, in the order of the pieces.
extern const std::vector<const FaceGroup*> face_groups;

// The shared quadric of `disk` and `wheel`: live, with its draw style and normal mode set,
// while an aircraft of the player's type is drawn.
extern GLUquadricObj* qobj;

// The pieces. Each draws in the current frame and leaves the matrix stack as it found it. A
// `wing` or `gear` argument of -1 draws the mirror image (across x = 0) of the +1 form.
void fuselage_1();
void fuselage_2();
void fuselage_3();
void fuselage_4();
void fuselage_5();
void fuselage_6();
void support(int wing);
void canopy();
void main_wing(int wing);  // with flap and aileron at angle_flap and angle_aileron
void tail();               // with the rudder at angle_rudder
void rear_wing(int wing);  // with the elevator at angle_elevator
void propellor();          // spinner and the two blades at angle_prop
void spinner();            // in the current colour; a wire cone in wire-frame mode
void blades();             // unturned, in the current colour
void disk();
void wheel();
void nose_gear();          // swung by angle_nose_gear
void main_gear(int gear);  // swung by angle_main_gear
