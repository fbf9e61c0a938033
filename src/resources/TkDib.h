// The bitmap reader: parses a device-independent bitmap's headers and colour table and has its
// pixels converted to 24-bit rows. Accepted: an optional "BM" file header, then a 12-byte core
// or a 40-byte standard info header, its colour table and the pixel array.
#pragma once

#include <cstddef>
#include <cstdint>

#include "resources/Image.h"

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

constexpr uint32_t DIB_CORE_HEADER_SIZE = 12;
constexpr uint32_t DIB_INFO_HEADER_SIZE = 40;

// The length of the colour table that follows `header` (as read from the file): a standard
// header's colours-used count when it is not zero (its low 16 bits), otherwise 2, 16 or 256 for
// 1, 4 or 8 bits per pixel and none for other depths.
uint16_t DibNumColors(const DibInfoHeader& header);

// Reads the bitmap file `filename`; null on failure, which is reported through show_message.
AUX_RGBImageRec* auxDIBImageLoadA(const char* filename);
// The same for a narrow name, or a wide-character one (const wchar_t*) when `bUnicode` is set.
AUX_RGBImageRec* tkDIBImageLoadAW(const char* fileName, bool bUnicode);

// Reads a bitmap from the `size` bytes at `bytes`, never looking beyond them; null on failure,
// reported through show_message.
AUX_RGBImageRec* dib_image_from_memory(const unsigned char* bytes, size_t size);
