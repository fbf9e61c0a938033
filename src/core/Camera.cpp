#include "core/Camera.h"

#include <cmath>

#include "platform/GL.h"

Camera camera;
Camera tower;

void Camera::Position(double EyeX, double EyeY, double EyeZ, double AtX, double AtY, double AtZ,
                      double UpX, double UpY, double UpZ)
{
    Eye[0] = EyeX; Eye[1] = EyeY; Eye[2] = EyeZ;
    At[0] = AtX; At[1] = AtY; At[2] = AtZ;
    Up[0] = UpX; Up[1] = UpY; Up[2] = UpZ;
    xr = yr = zr = 0;
}

void Camera::Aim() { gluLookAt(Eye[0], Eye[1], Eye[2], At[0], At[1], At[2], Up[0], Up[1], Up[2]); }

// Turns the pair (p, q) of a vector by the angle whose single-precision cosine and sine are c, s.
static void turn(double& p, double& q, float c, float s)
{
    const double new_p = c * p - s * q;
    const double new_q = s * p + c * q;
    p = new_p;
    q = new_q;
}

void Camera::RotateX(float Angle)
{
    const float c = cosf(Angle), s = sinf(Angle);
    turn(Eye[1], Eye[2], c, s);
    turn(Up[1], Up[2], c, s);
}

// For a positive angle x turns toward z: the opposite sense of glRotate about +y.
void Camera::RotateY(float Angle)
{
    const float c = cosf(Angle), s = sinf(Angle);
    turn(Eye[0], Eye[2], c, s);
    turn(Up[0], Up[2], c, s);
}

void Camera::RotateZ(float Angle)
{
    const float c = cosf(Angle), s = sinf(Angle);
    turn(Eye[0], Eye[1], c, s);
    turn(Up[0], Up[1], c, s);
}

// An eye at the origin has no direction to move along, so a zoom leaves it where it is.
static void zoom(double (&Eye)[3], double step)
{
    const double d = sqrt(Eye[0] * Eye[0] + Eye[1] * Eye[1] + Eye[2] * Eye[2]);
    if (d == 0) return;
    for (double& e : Eye) e = e + (e / d) * step;
}

void Camera::ZoomIn() { zoom(Eye, -50); }

void Camera::ZoomOut() { zoom(Eye, 50); }

void Camera::Motion()
{
    if (xr != 0) RotateX(float(xr * 0.001));
    if (yr != 0) RotateY(float(yr * 0.001));
    if (zr != 0) RotateZ(float(zr * 0.001));
}
