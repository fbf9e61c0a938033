// One grid point of the terrain: colour, texture coordinates, a spare normal and a position.
#pragma once

class Vertex {
public:
    float r, g, b, a;
    float texCoordx, texCoordy;
    float nx, ny, nz;  // not used by the terrain: lighting takes the triangle's face normal
    float x, y, z;     // y is the height

    // Every field 0.
    Vertex();

    // The coordinate truncated toward zero.
    int getX() const;
    int getY() const;
    int getZ() const;

    void setX(int temp);
    void setY(int temp);
    void setZ(int temp);
    void setR(float temp);
    void setG(float temp);
    void setB(float temp);
    void setA(float temp);
    void setTexCoordx(float temp);
    void setTexCoordy(float temp);
    // Position from whole numbers, then colour and texture coordinates; the normal is untouched.
    void setAll(int xtemp, int ytemp, int ztemp, float rtemp, float gtemp, float btemp, float atemp,
                float tcxtemp, float tcytemp);
};

// Colour from height: dark green at 0, pale green at 3000, almost white at 6000.
void colour_by_height(Vertex& v);

// A fresh vertex halfway between two points; colour and texture coordinates are 0.
Vertex getMidpoint(const Vertex& point1, const Vertex& point2);
