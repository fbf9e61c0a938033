#include "image.h"

#include <cmath>

Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Colour operator*(Colour a, double k) { return {a.r * k, a.g * k, a.b * k}; }
Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
Colour mix(Colour a, Colour b, double t) { return a * (1.0 - t) + b * t; }

double clamp01(double x) { return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x); }
double lerp(double a, double b, double t) { return a + (b - a) * t; }

double smoothstep(double edge0, double edge1, double x)
{
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

Image::Image(int width, int height)
    : width_(width), height_(height), rgb_(std::size_t(width) * height * 3, 0)
{
}

// Rounds to the nearest of the 256 levels; anything below half a level becomes exactly 0, which
// keeps the black of the additive glows truly black.
static std::uint8_t to_byte(double x) { return std::uint8_t(std::lround(clamp01(x) * 255.0)); }

void Image::set(int x, int y, Colour c)
{
    std::uint8_t* p = &rgb_[(std::size_t(y) * width_ + x) * 3];
    p[0] = to_byte(c.r);
    p[1] = to_byte(c.g);
    p[2] = to_byte(c.b);
}

Image render(int width, int height, int samples, const std::function<Colour(double u, double v)>& paint)
{
    Image image(width, height);
    const double weight = 1.0 / (samples * samples);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Colour sum;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const double u = (x + (sx + 0.5) / samples) / width;
                    const double v = (y + (sy + 0.5) / samples) / height;
                    sum = sum + paint(u, v);
                }
            }
            image.set(x, y, sum * weight);
        }
    }
    return image;
}
