// The bitmap reader: parses a device-independent bitmap's headers and colour table and has its
// pixels converted to 24-bit rows. Accepted: an optional "BM" file header, then a 12-byte core
// or a 40-byte standard info header, its colour table and the pixel array.
#pragma once

#include <cstddef>
#include <cstdint>

#include "resources/DibConvert.h"

// An image read from a bitmap: 8-bit red, green and blue pixels, bottom row first.
struct AUX_RGBImageRec {
    int32_t sizeX;        // width in pixels
    int32_t sizeY;        // height in pixels
    unsigned char* data;  // sizeX * sizeY * 3 bytes; rows bottom to top, no padding between them
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
