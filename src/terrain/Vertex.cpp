#include "terrain/Vertex.h"

// The normal is zeroed too, so that copies of untouched grid points compare equal field by field.
Vertex::Vertex()
    : r(0), g(0), b(0), a(0), texCoordx(0), texCoordy(0), nx(0), ny(0), nz(0), x(0), y(0), z(0)
{
}

int Vertex::getX() const { return int(x); }
int Vertex::getY() const { return int(y); }
int Vertex::getZ() const { return int(z); }

void Vertex::setX(int temp) { x = float(temp); }
void Vertex::setY(int temp) { y = float(temp); }
void Vertex::setZ(int temp) { z = float(temp); }
void Vertex::setR(float temp) { r = temp; }
void Vertex::setG(float temp) { g = temp; }
void Vertex::setB(float temp) { b = temp; }
void Vertex::setA(float temp) { a = temp; }
void Vertex::setTexCoordx(float temp) { texCoordx = temp; }
void Vertex::setTexCoordy(float temp) { texCoordy = temp; }

void Vertex::setAll(int xtemp, int ytemp, int ztemp, float rtemp, float gtemp, float btemp,
                    float atemp, float tcxtemp, float tcytemp)
{
    setX(xtemp);
    setY(ytemp);
    setZ(ztemp);
    r = rtemp;
    g = gtemp;
    b = btemp;
    a = atemp;
    texCoordx = tcxtemp;
    texCoordy = tcytemp;
}

Vertex getMidpoint(const Vertex& point1, const Vertex& point2)
{
    Vertex middle;
    middle.x = float((point1.x + point2.x) * 0.5);
    middle.y = float((point1.y + point2.y) * 0.5);
    middle.z = float((point1.z + point2.z) * 0.5);
    return middle;
}

void colour_by_height(Vertex& v)
{
    v.setR(float(v.y * (1.0 / 6000)));
    v.setG(float(v.y * 0.64 * (1.0 / 6000) + 0.32));
    v.setB(float(v.y * (1.0 / 6000)));
    v.setA(1);
}
