// Images read from bitmap files: 8-bit red, green and blue pixels, bottom row first.
#pragma once

#include <cstdint>

struct AUX_RGBImageRec {
    int32_t sizeX;        // width in pixels
    int32_t sizeY;        // height in pixels
    unsigned char* data;  // sizeX * sizeY * 3 bytes; rows bottom to top, no padding between them
};

// The image in `Filename`, or null when the name is null or the file cannot be opened (no
// message). A file that opens but cannot be read as a bitmap is reported by the reader. The
// caller releases `data` and then the record with free().
AUX_RGBImageRec* LoadBMP(const char* Filename);
