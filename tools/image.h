// A picture held in memory while the generator paints it, and the small colour maths the
// painters share.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// A linear colour with components nominally in 0..1 (painters may overshoot; saving clamps).
struct Colour {
    double r = 0, g = 0, b = 0;
};

Colour operator+(Colour a, Colour b);
Colour operator*(Colour a, double k);
Colour operator*(Colour a, Colour b);
Colour mix(Colour a, Colour b, double t);

double clamp01(double x);
double lerp(double a, double b, double t);
// 0 at or below edge0, 1 at or beyond edge1, a smooth cubic between (edge0 > edge1 reverses).
double smoothstep(double edge0, double edge1, double x);

// 8-bit RGB pixels, rows stored top to bottom as the picture is seen.
class Image {
public:
    Image(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    void set(int x, int y, Colour c);
    // Red, green and blue of the pixel at column x, row y (row 0 at the top).
    const std::uint8_t* at(int x, int y) const { return &rgb_[(std::size_t(y) * width_ + x) * 3]; }

private:
    int width_;
    int height_;
    std::vector<std::uint8_t> rgb_;
};

// 8-bit RGBA pixels with straight (not premultiplied) alpha, rows top to bottom, four bytes a
// pixel: the one picture that needs transparency, written as PNG rather than as a bitmap.
struct RgbaImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
};

// Paints every pixel from a function of picture coordinates u (0 left .. 1 right) and v (0 top
// .. 1 bottom), averaging samples x samples points spread evenly over each pixel so that fine
// detail turns into smooth shading instead of aliasing.
Image render(int width, int height, int samples, const std::function<Colour(double u, double v)>& paint);
