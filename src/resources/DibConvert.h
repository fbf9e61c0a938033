// Conversion of a bitmap's pixel array into 8-bit red, green and blue pixels.
#pragma once

#include <cstddef>
#include <cstdint>

// The standard 40-byte info header; a core header fills its size, width, height, planes and
// bit count, and leaves the rest 0 (uncompressed).
struct DibInfoHeader {
    uint32_t size = 0;
    int32_t width = 0;
    int32_t height = 0;  // negative for rows stored top to bottom
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
};

// One colour-table entry in the standard header's layout.
struct DibColour {
    unsigned char blue, green, red, reserved;
};

constexpr uint32_t DIB_RGB = 0;   // uncompressed
constexpr uint32_t DIB_RLE8 = 1;  // run-length encoded, 8 bits per pixel
constexpr uint32_t DIB_RLE4 = 2;  // run-length encoded, 4 bits per pixel

// Whether the format is one convert_dib_pixels takes and, for uncompressed pixels, whether the
// `bitsSize` bytes hold every row. Expects a positive width and a nonzero height whose 24-bit
// picture stays within INT_MAX bytes.
bool dib_pixels_convertible(const DibInfoHeader& info, size_t bitsSize);

// Writes `info.width` x |`info.height`| pixels, bottom row first and without row padding, into
// `rgb`, which the caller has zero-filled (pixels that a run-length encoded array skips stay
// black). Supports 1, 4, 8, 16 (5-5-5), 24 and 32 bits per pixel uncompressed and run-length
// encoded 4 and 8 bits; colour indices beyond the table give black. Returns the number of rows
// converted: 0 when the format is not supported or the array ends before the picture does.
int convert_dib_pixels(const DibInfoHeader& info, const DibColour* colours, size_t numColours,
                       const unsigned char* bits, size_t bitsSize, unsigned char* rgb);
