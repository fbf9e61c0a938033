#include "terrain/Triangle.h"

#include <cmath>

Triangle::Triangle()
{
    for (Vertex& v : triangle) v.setAll(0, 0, 0, 0, 0, 0, 0, 0, 0);
}

void Triangle::setVertexData(Vertex v0, Vertex v1, Vertex v2)
{
    triangle[0] = v0;
    triangle[1] = v1;
    triangle[2] = v2;
    evaluate_normal();
}

void Triangle::evaluate_normal()
{
    const Vertex& p0 = triangle[0];
    const Vertex& p1 = triangle[1];
    const Vertex& p2 = triangle[2];
    // The edges are differences of the truncated coordinates.
    const float e1x = float(p0.getX() - p1.getX());
    const float e1y = float(p0.getY() - p1.getY());
    const float e1z = float(p0.getZ() - p1.getZ());
    const float e2x = float(p1.getX() - p2.getX());
    const float e2y = float(p1.getY() - p2.getY());
    const float e2z = float(p1.getZ() - p2.getZ());

    nx = e1y * e2z - e1z * e2y;
    ny = e1z * e2x - e1x * e2z;
    nz = e1x * e2y - e1y * e2x;

    float length = float(std::sqrt(double(ny * ny + nx * nx + nz * nz)));
    if (length == 0) length = 1;  // no face: keep the zero vector rather than divide by zero
    nx /= length;
    ny /= length;
    nz /= length;
}

float Triangle::getNx() const { return nx; }
float Triangle::getNy() const { return ny; }
float Triangle::getNz() const { return nz; }
