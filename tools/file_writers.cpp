#include "file_writers.h"

#include <stb_image_write.h> // implementation linked from libstb

#include <cstdio>
#include <fstream>

// Both formats are little-endian whatever the machine.
static void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

static void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

static void put_tag(std::vector<std::uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(tag[i]));
}

std::vector<std::uint8_t> encode_bmp(const Image& image)
{
    const std::uint32_t w = std::uint32_t(image.width());
    const std::uint32_t h = std::uint32_t(image.height());
    const std::uint32_t stride = (w * 3 + 3) / 4 * 4;
    const std::uint32_t pixel_bytes = stride * h;
    const std::uint32_t offset = 14 + 40;
    const std::uint32_t pixels_per_metre = 2835; // 72 dots per inch

    std::vector<std::uint8_t> out;
    out.reserve(offset + pixel_bytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + pixel_bytes); // file size
    put32(out, 0);                    // two reserved 16-bit fields
    put32(out, offset);               // where the pixels start

    put32(out, 40); // info header size: the standard header
    put32(out, w);
    put32(out, h); // positive: rows run bottom to top
    put16(out, 1); // planes
    put16(out, 24); // bits per pixel
    put32(out, 0); // no compression
    put32(out, pixel_bytes);
    put32(out, pixels_per_metre);
    put32(out, pixels_per_metre);
    put32(out, 0); // colours used: no colour table
    put32(out, 0); // colours important

    for (std::uint32_t row = 0; row < h; ++row) {
        const int y = int(h - 1 - row); // the file starts with the picture's bottom row
        for (std::uint32_t x = 0; x < w; ++x) {
            const std::uint8_t* p = image.at(int(x), y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        for (std::uint32_t pad = w * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> encode_wav(const std::vector<std::int16_t>& samples, int sample_rate)
{
    const std::uint32_t data_bytes = std::uint32_t(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + data_bytes);
    put_tag(out, "RIFF");
    put32(out, 36 + data_bytes); // everything after this field
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put32(out, 16);                        // chunk size
    put16(out, 1);                         // PCM
    put16(out, 1);                         // mono
    put32(out, std::uint32_t(sample_rate));
    put32(out, std::uint32_t(sample_rate) * 2); // bytes per second
    put16(out, 2);                         // bytes per frame
    put16(out, 16);                        // bits per sample
    put_tag(out, "data");
    put32(out, data_bytes);
    for (std::int16_t s : samples) put16(out, std::uint16_t(s));
    return out;
}

std::vector<std::uint8_t> encode_png(const RgbaImage& image)
{
    std::vector<std::uint8_t> out;
    auto append = [](void* context, void* data, int size) {
        auto& bytes = *static_cast<std::vector<std::uint8_t>*>(context);
        const auto* first = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), first, first + size);
    };
    stbi_write_png_compression_level = 9;
    stbi_write_png_to_func(append, &out, image.width, image.height, 4, image.rgba.data(), image.width * 4);
    return out;
}

bool write_file(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "make_data: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
