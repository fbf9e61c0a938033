// A look-at view that turns and zooms about the origin, where the aircraft is always drawn.
#pragma once

class Camera {
public:
    double Eye[3];
    double At[3];
    double Up[3];
    double fov;    // vertical field of view, degrees
    double znear;
    double zfar;
    int w;         // window size in pixels
    int h;
    int xr;        // turning rates about x, y, z, in thousandths of a radian per Motion()
    int yr;
    int zr;

    // Places the camera and stops its turning.
    void Position(double EyeX, double EyeY, double EyeZ, double AtX, double AtY, double AtZ,
                  double UpX, double UpY, double UpZ);
    // Multiplies the current matrix by the look-at matrix.
    void Aim();
    // Turn Eye and Up about an axis through the origin; At stays.
    void RotateX(float Angle);
    void RotateY(float Angle);
    void RotateZ(float Angle);
    // Move Eye 50 units toward or away from the origin.
    void ZoomIn();
    void ZoomOut();
    // Applies the turning rates once.
    void Motion();
};

extern Camera camera;  // the chase view; also holds the projection and window values
extern Camera tower;   // the view from the control tower
