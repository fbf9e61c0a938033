// Three terrain vertices and their unit face normal.
#pragma once

#include "terrain/Vertex.h"

class Triangle {
public:
    Vertex triangle[3];
    float nx, ny, nz;  // valid after evaluate_normal

    // Three vertices at the origin with colour and texture coordinates 0.
    Triangle();

    // Copies the corners in this order and computes the face normal.
    void setVertexData(Vertex v0, Vertex v1, Vertex v2);
    // The unit normal of the corners as whole-number points: counter-clockwise seen from above
    // gives a positive y. Corners that make no face give (0, 0, 0).
    void evaluate_normal();

    float getNx() const;
    float getNy() const;
    float getNz() const;
};
