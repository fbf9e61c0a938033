#include "bmp_files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "platform/Message.h"

Picture test_picture(int width, int height, int bits)
{
    Picture p;
    p.width = width;
    p.height = height;
    if (bits <= 8) {
        const uint32_t entries = 1u << bits;
        for (uint32_t i = 0; i < entries; ++i)
            p.palette.push_back((i * 37 + 11) % 256 << 16 | (i * 91 + 3) % 256 << 8 | (255 - i));
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (bits <= 8)
                p.pixels.push_back(uint32_t(x * 7 + y * 3 + x * y) % p.palette.size());
            else
                p.pixels.push_back(uint32_t(x * 53 + y * 7) % 256 << 16 |
                                   uint32_t(y * 61 + x * 5 + 9) % 256 << 8 |
                                   uint32_t(x * y * 29 + 200) % 256);
        }
    return p;
}

void put16(Bytes& b, size_t at, uint32_t v)
{
    b[at] = v & 255;
    b[at + 1] = v >> 8 & 255;
}

void put32(Bytes& b, size_t at, uint32_t v)
{
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

Bytes encode_bmp(const Picture& picture, const BmpLayout& layout)
{
    const size_t fileHeader = layout.fileHeader ? 14 : 0;
    const size_t infoSize = layout.core ? 12 : 40;
    const size_t entrySize = layout.core ? 3 : 4;
    const size_t tableAt = fileHeader + infoSize;
    const size_t pixelsAt = tableAt + entrySize * picture.palette.size();
    const size_t stride = (size_t(picture.width) * layout.bits + 31) / 32 * 4;
    Bytes b(pixelsAt + stride * picture.height, 0);

    if (layout.fileHeader) {
        b[0] = 'B';
        b[1] = 'M';
        put32(b, 2, uint32_t(b.size()));
        put32(b, 10, uint32_t(pixelsAt));
    }
    const size_t h = fileHeader;
    put32(b, h, uint32_t(infoSize));
    if (layout.core) {
        put16(b, h + 4, picture.width);
        put16(b, h + 6, picture.height);
        put16(b, h + 8, 1);
        put16(b, h + 10, layout.bits);
    } else {
        put32(b, h + 4, picture.width);
        put32(b, h + 8, uint32_t(layout.topDown ? -picture.height : picture.height));
        put16(b, h + 12, 1);
        put16(b, h + 14, layout.bits);
        put32(b, h + 20, uint32_t(stride * picture.height));
        put32(b, h + 24, 2835);
        put32(b, h + 28, 2835);
    }
    for (size_t i = 0; i < picture.palette.size(); ++i) {
        const uint32_t c = picture.palette[i];
        unsigned char* e = &b[tableAt + entrySize * i];
        e[0] = c & 255;
        e[1] = c >> 8 & 255;
        e[2] = c >> 16 & 255;
    }
    for (int y = 0; y < picture.height; ++y) {
        const int fileRow = layout.topDown ? picture.height - 1 - y : y;
        unsigned char* row = &b[pixelsAt + stride * fileRow];
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t v = picture.pixels[size_t(y) * picture.width + x];
            const unsigned red = v >> 16 & 255, green = v >> 8 & 255, blue = v & 255;
            switch (layout.bits) {
            case 1: row[x / 8] |= v << (7 - x % 8); break;
            case 4: row[x / 2] |= x % 2 == 0 ? v << 4 : v; break;
            case 8: row[x] = v; break;
            case 16: {
                const uint32_t packed = (red >> 3) << 10 | (green >> 3) << 5 | blue >> 3;
                row[2 * x] = packed & 255;
                row[2 * x + 1] = packed >> 8;
                break;
            }
            default: {
                unsigned char* p = &row[(layout.bits / 8) * x];
                p[0] = blue;
                p[1] = green;
                p[2] = red;
                if (layout.bits == 32) p[3] = 0x5A;  // unused byte: must not leak into colours
            }
            }
        }
    }
    return b;
}

Bytes expected_rgb(const Picture& picture, int bits)
{
    Bytes rgb;
    for (uint32_t v : picture.pixels) {
        const uint32_t c = bits <= 8 ? picture.palette[v] : v;
        unsigned channel[3] = {c >> 16 & 255, c >> 8 & 255, c & 255};
        for (unsigned ch : channel) {
            if (bits == 16) ch = (ch & 0xF8) | ch >> 5;
            rgb.push_back(static_cast<unsigned char>(ch));
        }
    }
    return rgb;
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrix-XXXXXX").string();
    if (!mkdtemp(&pattern[0])) throw std::runtime_error("mkdtemp failed");
    path = pattern;
}

TempDir::~TempDir() { std::filesystem::remove_all(path); }

void write_file(const std::string& path, const Bytes& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

namespace {
std::vector<std::string>* captured = nullptr;
void capture(const char* text) { captured->push_back(text); }
}  // namespace

MessageCapture::MessageCapture()
{
    captured = &messages;
    show_message = capture;
}

MessageCapture::~MessageCapture()
{
    show_message = message_box;
    captured = nullptr;
}
