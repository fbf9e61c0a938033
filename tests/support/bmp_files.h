// Bitmap files written by the tests themselves, in every layout the reader accepts, and a way to
// capture the reader's messages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// A picture as colour indices (up to 8 bits per pixel) or 0xRRGGBB colours (16 bits and up),
// bottom row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;   // width * height values
    std::vector<uint32_t> palette;  // 0xRRGGBB entries, written as the colour table
};

struct BmpLayout {
    int bits = 24;             // 1, 4, 8, 16 (5-5-5), 24 or 32
    bool core = false;         // 12-byte core header instead of the 40-byte standard header
    bool fileHeader = true;    // the 14-byte "BM" header
    bool topDown = false;      // rows stored top row first, with a negative height
};

// A deterministic test pattern: for up to 8 bits every index of a full palette of distinct
// colours appears; for more bits, colours that vary along both axes.
Picture test_picture(int width, int height, int bits);

// The file's bytes for `picture` in `layout` (uncompressed).
Bytes encode_bmp(const Picture& picture, const BmpLayout& layout);

// The red, green and blue bytes a reader should deliver for `picture` at `bits` per pixel,
// bottom row first (16-bit colours keep 5 bits a channel, widened by repeating the top bits).
Bytes expected_rgb(const Picture& picture, int bits);

// Little-endian writers for hand-made headers.
void put16(Bytes& b, size_t at, uint32_t v);
void put32(Bytes& b, size_t at, uint32_t v);

// A directory of its own under the system's temporary directory, removed on destruction.
struct TempDir {
    TempDir();
    ~TempDir();
    std::string path;
    std::string file(const std::string& name) const { return path + "/" + name; }
};
void write_file(const std::string& path, const Bytes& bytes);

// Collects what show_message is given while it lives, instead of showing it.
struct MessageCapture {
    MessageCapture();
    ~MessageCapture();
    std::vector<std::string> messages;
};
