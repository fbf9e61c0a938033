#include <gtest/gtest.h>

#include <cmath>

#include "shell/Camera.h"

namespace {

const float half_pi = 1.5707964f;

Camera placed(double x, double y, double z)
{
    Camera c{};
    c.Position(x, y, z, 0, 0, 0, 0, 1, 0);
    return c;
}

void expect_eye(const Camera& c, double x, double y, double z, double tolerance = 1e-6)
{
    EXPECT_NEAR(c.Eye[0], x, tolerance);
    EXPECT_NEAR(c.Eye[1], y, tolerance);
    EXPECT_NEAR(c.Eye[2], z, tolerance);
}

double distance(const Camera& c)
{
    return std::sqrt(c.Eye[0] * c.Eye[0] + c.Eye[1] * c.Eye[1] + c.Eye[2] * c.Eye[2]);
}

// Placing a camera stops a spinning one: the S and R keys rely on it.
TEST(Camera, PositionStopsTurning)
{
    Camera c = placed(0, 5, -20);
    c.xr = 3;
    c.yr = -2;
    c.zr = 7;
    c.Position(0, 20000, -20, 0, 0, 0, 0, 1, 0);
    c.Motion();
    expect_eye(c, 0, 20000, -20, 0);
    EXPECT_EQ(c.xr | c.yr | c.zr, 0);
}

// A quarter turn needs both new coordinates from the old pair: computing the second from the
// already-updated first would leave the eye near the origin.
TEST(Camera, RotationsTurnEyeAndUpAboutTheOrigin)
{
    Camera c = placed(1, 0, 0);
    c.RotateY(half_pi);  // x turns toward z: the opposite sense of glRotate about +y
    expect_eye(c, 0, 0, 1);
    EXPECT_NEAR(c.Up[1], 1, 1e-12);

    c = placed(0, 1, 0);
    c.RotateX(half_pi);  // y turns toward z
    expect_eye(c, 0, 0, 1);
    EXPECT_NEAR(c.Up[1], 0, 1e-6);
    EXPECT_NEAR(c.Up[2], 1, 1e-6);

    c = placed(1, 0, 0);
    c.RotateZ(half_pi);  // x turns toward y, and the up vector away from it
    expect_eye(c, 0, 1, 0);
    EXPECT_NEAR(c.Up[0], -1, 1e-6);
    EXPECT_NEAR(c.Up[1], 0, 1e-6);

    c = placed(0, 5, -20);
    c.RotateY(0.7f);
    EXPECT_EQ(c.At[0], 0);
    EXPECT_EQ(c.At[2], 0);
    EXPECT_NEAR(distance(c), std::sqrt(425.0), 1e-6);
}

TEST(Camera, ZoomInThroughTheAircraftAndBack)
{
    Camera c = placed(0, 5, -20);
    c.ZoomIn();  // closer than 50: the eye passes through the origin to the other side
    expect_eye(c, 0, 5 * (1 - 50 / std::sqrt(425.0)), -20 * (1 - 50 / std::sqrt(425.0)), 1e-9);
    EXPECT_NEAR(c.Eye[1], -7.13, 0.01);
    EXPECT_NEAR(c.Eye[2], 28.51, 0.01);
    c.ZoomIn();
    expect_eye(c, 0, 5, -20, 1e-9);

    c.ZoomOut();
    EXPECT_NEAR(distance(c), std::sqrt(425.0) + 50, 1e-9);
    EXPECT_NEAR(c.Eye[2] / c.Eye[1], -4, 1e-12);  // along the same direction
}

TEST(Camera, ZoomAtTheOriginStaysPut)
{
    Camera c = placed(0, 0, 0);
    c.ZoomIn();
    expect_eye(c, 0, 0, 0, 0);
    c.ZoomOut();
    expect_eye(c, 0, 0, 0, 0);  // also fails on NaN
}

TEST(Camera, MotionAppliesTheRatesInAxisOrder)
{
    Camera still = placed(0, 5, -20);
    still.Motion();
    expect_eye(still, 0, 5, -20, 0);

    Camera c = placed(0, 5, -20);
    c.xr = 1;  // one thousandth of a radian
    c.Motion();
    expect_eye(c, 0, 5 * cos(0.001) + 20 * sin(0.001), 5 * sin(0.001) - 20 * cos(0.001));

    // Quarter turns about x and then y take (0, 0, 1) to (0, -1, 0); the other order would give
    // (-1, 0, 0).
    c = placed(0, 0, 1);
    c.xr = 1571;
    c.yr = 1571;
    c.Motion();
    expect_eye(c, 0, -1, 0, 1e-3);
    EXPECT_EQ(c.xr, 1571);  // the rates persist
}

}  // namespace
