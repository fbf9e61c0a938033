#include "resources/DibConvert.h"

#include <cstdint>

namespace {

// Where the converted pixels go: rows in file order are turned bottom-up, and pixels outside
// the picture are dropped, as a clipped device would drop them.
struct PixelSink {
    const DibColour* colours;
    size_t numColours;
    int64_t width;
    int64_t rows;
    bool topDown;
    unsigned char* rgb;

    unsigned char* at(int64_t x, int64_t fileRow) const
    {
        if (x < 0 || x >= width || fileRow < 0 || fileRow >= rows) return nullptr;
        const int64_t row = topDown ? rows - 1 - fileRow : fileRow;
        return rgb + (row * width + x) * 3;
    }
    void put(int64_t x, int64_t fileRow, unsigned char red, unsigned char green,
             unsigned char blue) const
    {
        if (unsigned char* p = at(x, fileRow)) {
            p[0] = red;
            p[1] = green;
            p[2] = blue;
        }
    }
    void put_index(int64_t x, int64_t fileRow, unsigned index) const
    {
        if (index < numColours)
            put(x, fileRow, colours[index].red, colours[index].green, colours[index].blue);
        else
            put(x, fileRow, 0, 0, 0);
    }
};

// A 5-bit channel widened to 8 bits by repeating its top bits.
unsigned char widen5(unsigned v) { return static_cast<unsigned char>((v << 3) | (v >> 2)); }

bool supported_uncompressed(unsigned bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

// Uncompressed rows are padded to a multiple of 4 bytes.
int64_t row_stride(int64_t width, unsigned bitCount) { return (width * bitCount + 31) / 32 * 4; }

int64_t row_count(const DibInfoHeader& info)
{
    return info.height < 0 ? -int64_t(info.height) : info.height;
}

void convert_uncompressed(const PixelSink& sink, unsigned bitCount, const unsigned char* bits)
{
    const int64_t stride = row_stride(sink.width, bitCount);
    for (int64_t y = 0; y < sink.rows; ++y) {
        const unsigned char* row = bits + y * stride;
        for (int64_t x = 0; x < sink.width; ++x) {
            switch (bitCount) {
            case 1: sink.put_index(x, y, (row[x / 8] >> (7 - x % 8)) & 1); break;
            case 4: sink.put_index(x, y, x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15); break;
            case 8: sink.put_index(x, y, row[x]); break;
            case 16: {
                const unsigned v = row[2 * x] | row[2 * x + 1] << 8;
                sink.put(x, y, widen5(v >> 10 & 31), widen5(v >> 5 & 31), widen5(v & 31));
                break;
            }
            case 24: sink.put(x, y, row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
            case 32: sink.put(x, y, row[4 * x + 2], row[4 * x + 1], row[4 * x]); break;
            }
        }
    }
}

// Run-length encoded pixels: pairs (count, value) draw count pixels; a zero count escapes to
// end of line (0), end of bitmap (1), a move right and up (2, then dx, dy), or an absolute run
// of that many pixels padded to an even number of bytes. An array that ends before the end of
// bitmap and before the last row is finished is refused as cut short.
bool convert_run_length(const PixelSink& sink, bool fourBit, const unsigned char* bits,
                        size_t bitsSize)
{
    // Pixel i of an absolute run; 4-bit pixels take the high nibble first.
    auto pixel = [fourBit](const unsigned char* run, unsigned i) -> unsigned {
        if (!fourBit) return run[i];
        return i % 2 == 0 ? run[i / 2] >> 4 : run[i / 2] & 15;
    };
    int64_t x = 0, y = 0;
    size_t p = 0;
    while (y < sink.rows) {
        if (bitsSize - p < 2) return false;
        const unsigned count = bits[p], value = bits[p + 1];
        p += 2;
        if (count > 0) {
            const unsigned high = fourBit ? value >> 4 : value, low = fourBit ? value & 15 : value;
            for (unsigned i = 0; i < count; ++i) sink.put_index(x++, y, i % 2 == 0 ? high : low);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (bitsSize - p < 2) return false;
            x += bits[p];
            y += bits[p + 1];
            p += 2;
        } else {
            const size_t bytes = fourBit ? (value + 1) / 2 : value;
            const size_t padded = (bytes + 1) / 2 * 2;
            if (bitsSize - p < padded) return false;
            for (unsigned i = 0; i < value; ++i) sink.put_index(x++, y, pixel(&bits[p], i));
            p += padded;
        }
    }
    return true;
}

}  // namespace

bool dib_pixels_convertible(const DibInfoHeader& info, size_t bitsSize)
{
    switch (info.compression) {
    case DIB_RGB:
        return supported_uncompressed(info.bitCount) &&
               row_stride(info.width, info.bitCount) * row_count(info) <= int64_t(bitsSize);
    case DIB_RLE8: return info.bitCount == 8;
    case DIB_RLE4: return info.bitCount == 4;
    default: return false;
    }
}

int convert_dib_pixels(const DibInfoHeader& info, const DibColour* colours, size_t numColours,
                       const unsigned char* bits, size_t bitsSize, unsigned char* rgb)
{
    if (!dib_pixels_convertible(info, bitsSize)) return 0;
    const int64_t rows = row_count(info);
    const PixelSink sink{colours, numColours, info.width, rows, info.height < 0, rgb};
    if (info.compression == DIB_RGB)
        convert_uncompressed(sink, info.bitCount, bits);
    else if (!convert_run_length(sink, info.compression == DIB_RLE4, bits, bitsSize))
        return 0;
    return static_cast<int>(rows);
}
