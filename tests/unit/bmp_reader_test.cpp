// The bitmap reader against an independent decoder, its layouts, its messages, and files that
// claim more than they hold.
#include <gtest/gtest.h>

#include <stb_image.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <string>

#include "bmp_files.h"
#include "resources/Image.h"
#include "resources/TkDib.h"

namespace {

const std::string UNKNOWN_FORMAT = "Unknown DIB file format.";
const std::string CONVERSION_ERROR = "Image file conversion error.";
const std::string OUT_OF_MEMORY = "Out of memory.";

struct FreeImage {
    void operator()(AUX_RGBImageRec* image) const
    {
        std::free(image->data);
        std::free(image);
    }
};
using Image = std::unique_ptr<AUX_RGBImageRec, FreeImage>;

// Reads from a heap block of exactly the file's length, so a read past its end is caught by
// AddressSanitizer.
Image read(const Bytes& file)
{
    std::unique_ptr<unsigned char[]> exact(new unsigned char[file.size()]);
    std::copy(file.begin(), file.end(), exact.get());
    return Image(dib_image_from_memory(exact.get(), file.size()));
}

Bytes data_of(const Image& image)
{
    return Bytes(image->data, image->data + size_t(image->sizeX) * image->sizeY * 3);
}

// stb_image's reading of a file with a file header, turned bottom row first like the reader's.
Bytes reference_decode(const Bytes& file, int& width, int& height)
{
    int channels = 0;
    unsigned char* top_down =
        stbi_load_from_memory(file.data(), int(file.size()), &width, &height, &channels, 3);
    if (!top_down) return {};
    Bytes rgb(size_t(width) * height * 3);
    const size_t row = size_t(width) * 3;
    for (int y = 0; y < height; ++y)
        std::copy(top_down + (height - 1 - y) * row, top_down + (height - y) * row,
                  rgb.begin() + y * row);
    stbi_image_free(top_down);
    return rgb;
}

std::string describe(int bits, const BmpLayout& l, int width, int height)
{
    return std::to_string(bits) + " bits, " + (l.core ? "core" : "standard") + " header, " +
           (l.fileHeader ? "with" : "without") + " file header, " + (l.topDown ? "top-down, " : "") +
           std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

TEST(BmpReader, AgreesWithReferenceDecoderInEveryLayout)
{
    MessageCapture capture;
    for (int bits : {1, 4, 8, 16, 24, 32})
        for (int width : {1, 3, 5, 17})
            for (int height : {1, 4})
                for (bool core : {false, true})
                    for (bool fileHeader : {true, false})
                        for (bool topDown : {false, true}) {
                            if (core && topDown) continue;  // core heights are unsigned
                            const BmpLayout layout{bits, core, fileHeader, topDown};
                            const std::string what = describe(bits, layout, width, height);
                            const Picture picture = test_picture(width, height, bits);
                            const Image image = read(encode_bmp(picture, layout));
                            ASSERT_TRUE(image) << what;
                            EXPECT_EQ(image->sizeX, width) << what;
                            EXPECT_EQ(image->sizeY, height) << what;

                            // stb_image wants the file header, and misplaces the colour
                            // table after a core header: it reads the same pixels from the
                            // standard-header file instead, so core and standard headers must
                            // give identical records.
                            BmpLayout reference = layout;
                            reference.fileHeader = true;
                            reference.core = false;
                            int w = 0, h = 0;
                            const Bytes expected =
                                reference_decode(encode_bmp(picture, reference), w, h);
                            ASSERT_FALSE(expected.empty()) << what << ": " << stbi_failure_reason();
                            EXPECT_EQ(w, width);
                            EXPECT_EQ(h, height);
                            EXPECT_EQ(data_of(image), expected) << what;
                            EXPECT_EQ(data_of(image), expected_rgb(picture, bits)) << what;
                        }
    EXPECT_TRUE(capture.messages.empty());
}

TEST(BmpReader, RowsAreUnpaddedAndStartAtTheBottomLeft)
{
    Picture picture;
    picture.width = 5;
    picture.height = 3;
    for (int i = 0; i < 15; ++i) picture.pixels.push_back(0x102030u * uint32_t(i + 1));
    picture.pixels[0] = 0xC01A2B;  // bottom-left
    picture.pixels[14] = 0x0D0E0F; // top-right
    for (bool topDown : {false, true}) {
        const Image image = read(encode_bmp(picture, {24, false, true, topDown}));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->sizeY, 3);
        const Bytes data = data_of(image);
        ASSERT_EQ(data.size(), 45u);  // 15-byte rows: the 4-byte row extension never shows
        EXPECT_EQ(Bytes(data.begin(), data.begin() + 3), (Bytes{0xC0, 0x1A, 0x2B}));
        EXPECT_EQ(Bytes(data.end() - 3, data.end()), (Bytes{0x0D, 0x0E, 0x0F}));
    }
}

TEST(BmpReader, ColourCountFollowsTheHeader)
{
    DibInfoHeader h;
    h.size = DIB_INFO_HEADER_SIZE;
    const std::pair<int, int> byDepth[] = {{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}};
    for (auto [bits, count] : byDepth) {
        h.bitCount = uint16_t(bits);
        EXPECT_EQ(DibNumColors(h), count) << bits;
    }
    h.bitCount = 8;
    h.clrUsed = 5;
    EXPECT_EQ(DibNumColors(h), 5);
    h.clrUsed = 0x10003;  // only the low 16 bits count
    EXPECT_EQ(DibNumColors(h), 3);
    h.bitCount = 24;
    EXPECT_EQ(DibNumColors(h), 3);  // a table may precede 24-bit pixels
    h.size = DIB_CORE_HEADER_SIZE;  // a core header has no such field
    EXPECT_EQ(DibNumColors(h), 0);
    h.bitCount = 4;
    EXPECT_EQ(DibNumColors(h), 16);
}

TEST(BmpReader, ShortColourTableAndPixelsPlacedByTheFileHeader)
{
    // Three colours listed for an 8-bit image; indices beyond them read as black.
    Picture picture;
    picture.width = 4;
    picture.height = 1;
    picture.palette = {0xFF0000, 0x00FF00, 0x0000FF};
    picture.pixels = {0, 1, 2, 0};
    Bytes file = encode_bmp(picture, {8, false, true, false});
    put32(file, 14 + 32, 3);
    file[54 + 12 + 3] = 200;
    // Pixels moved 6 bytes further on, as the file header's offset says.
    file.insert(file.begin() + 54 + 12, 6, 0xEE);
    put32(file, 10, 54 + 12 + 6);
    const Image image = read(file);
    ASSERT_TRUE(image);
    EXPECT_EQ(data_of(image), (Bytes{255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0}));
}

namespace {

// An 8- or 4-bit run-length encoded image of `width` by `height` with a four-colour table.
Bytes run_length_file(int bits, int width, int height, const Bytes& stream)
{
    Picture blank;
    blank.width = width;
    blank.height = height;
    blank.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    blank.pixels.assign(size_t(width) * height, 0);
    Bytes file = encode_bmp(blank, {bits, false, true, false});
    const size_t pixelsAt = 14 + 40 + 16;
    file.resize(pixelsAt);
    file.insert(file.end(), stream.begin(), stream.end());
    put32(file, 14 + 16, bits == 8 ? 1 : 2);
    put32(file, 14 + 20, uint32_t(stream.size()));
    put32(file, 14 + 32, 4);
    put32(file, 2, uint32_t(file.size()));
    return file;
}

// Colour names for the expected pictures: 0 black, 1 red, 2 green, 3 blue, bottom row first.
Bytes colours(std::initializer_list<int> names)
{
    const unsigned char rgb[4][3] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    Bytes b;
    for (int n : names) b.insert(b.end(), rgb[n], rgb[n] + 3);
    return b;
}

}  // namespace

TEST(BmpReader, RunLengthEncodedPixels)
{
    MessageCapture capture;
    // 8 bits, 5 x 3: a run clipped at the row's end, an absolute run of odd length with its
    // padding byte, a move to the next row, an index beyond the table (black), end of bitmap.
    const Bytes rle8 = {7, 1,    0, 0,              // row 0: seven reds, two of them clipped
                        0, 3, 2, 3, 2, 0,           // row 1: absolute green, blue, green
                        0, 2, 0, 1,                 // up one row, same column
                        1, 9, 1, 3,    0, 1};       // row 2: index 9, blue; end of bitmap
    const Image image8 = read(run_length_file(8, 5, 3, rle8));
    ASSERT_TRUE(image8);
    EXPECT_EQ(data_of(image8), colours({1, 1, 1, 1, 1,  //
                                        2, 3, 2, 0, 0,  //
                                        0, 0, 0, 0, 3}));

    // 4 bits, 5 x 2: runs alternate the two nibbles; absolute runs take the high nibble first.
    const Bytes rle4 = {5, 0x12, 0, 0,                // row 0: red green red green red
                        0, 3, 0x31, 0x20, 2, 0x33, 0, 1};  // row 1: blue red green, blue blue
    const Image image4 = read(run_length_file(4, 5, 2, rle4));
    ASSERT_TRUE(image4);
    EXPECT_EQ(data_of(image4), colours({1, 2, 1, 2, 1, 3, 1, 2, 3, 3}));
    EXPECT_TRUE(capture.messages.empty());

    // A stream that ends before its last row is finished and without an end of bitmap is cut
    // short; one that finishes the last row needs no end-of-bitmap marker.
    const Bytes cut = {5, 1, 0, 0, 2, 1};
    EXPECT_FALSE(read(run_length_file(8, 5, 2, cut)));
    const Bytes whole = {5, 1, 0, 0, 5, 2, 0, 0};
    EXPECT_TRUE(read(run_length_file(8, 5, 2, whole)));
    // Run-length encoding belongs to its own depth only.
    Bytes wrong = run_length_file(8, 5, 2, whole);
    put16(wrong, 14 + 14, 4);
    EXPECT_FALSE(read(wrong));
    EXPECT_EQ(capture.messages, (std::vector<std::string>{CONVERSION_ERROR, CONVERSION_ERROR}));
}

TEST(BmpReader, RefusedHeadersAndFormatsSayWhy)
{
    const Bytes valid = encode_bmp(test_picture(3, 2, 24), {24, false, true, false});
    struct Case {
        const char* what;
        size_t at;
        int width;  // 16 or 32 bits written at `at`
        uint32_t value;
        std::string message;
    };
    const Case cases[] = {
        {"64-byte header", 14, 32, 64, UNKNOWN_FORMAT},
        {"108-byte header", 14, 32, 108, UNKNOWN_FORMAT},
        {"124-byte header", 14, 32, 124, UNKNOWN_FORMAT},
        {"header size 0", 14, 32, 0, UNKNOWN_FORMAT},
        {"bit-field masks", 30, 32, 3, CONVERSION_ERROR},
        {"unknown compression", 30, 32, 7, CONVERSION_ERROR},
        {"2 bits per pixel", 28, 16, 2, CONVERSION_ERROR},
        {"width 0", 18, 32, 0, CONVERSION_ERROR},
        {"negative width", 18, 32, uint32_t(-3), CONVERSION_ERROR},
        {"height 0", 22, 32, 0, CONVERSION_ERROR},
        {"pixels beyond the end", 10, 32, 1000, CONVERSION_ERROR},
        {"width times height overflows", 18, 32, 0x7FFFFFFF, OUT_OF_MEMORY},
        {"height beyond every int", 22, 32, 0x80000000u, OUT_OF_MEMORY},
        {"colour table beyond the end", 46, 32, 4000, CONVERSION_ERROR},
    };
    for (const Case& c : cases) {
        Bytes file = valid;
        if (c.width == 16)
            put16(file, c.at, c.value);
        else
            put32(file, c.at, c.value);
        if (c.value == 108 || c.value == 124) file.insert(file.begin() + 54, c.value - 40, 0);
        MessageCapture capture;
        EXPECT_FALSE(read(file)) << c.what;
        EXPECT_EQ(capture.messages, std::vector<std::string>{c.message}) << c.what;
    }

    // 65536 x 65536 pixels of 3 bytes each do not fit the size computations.
    Bytes huge = valid;
    put32(huge, 18, 65536);
    put32(huge, 22, 65536);
    MessageCapture capture;
    EXPECT_FALSE(read(huge));
    EXPECT_EQ(capture.messages, std::vector<std::string>{OUT_OF_MEMORY});
}

TEST(BmpReader, EveryTruncationIsRefused)
{
    // A small file of each kind cut at every length: refused with one message, never reading
    // beyond what is there. Cuts inside the headers cannot be read as a bitmap at all.
    struct Kind {
        Bytes file;
        size_t headersEnd;
    };
    const Kind kinds[] = {
        {encode_bmp(test_picture(3, 2, 8), {8, false, true, false}), 54},
        {encode_bmp(test_picture(5, 2, 4), {4, true, false, false}), 12},
        {encode_bmp(test_picture(3, 3, 24), {24, false, false, true}), 40},
        {encode_bmp(test_picture(9, 2, 1), {1, false, true, true}), 54},
        {run_length_file(8, 5, 3, {7, 1, 0, 0, 0, 3, 2, 3, 2, 0, 2, 1, 0, 2, 1, 1, 1, 3, 0, 1}), 54},
    };
    for (const Kind& kind : kinds) {
        {
            MessageCapture capture;
            ASSERT_TRUE(read(kind.file));
            ASSERT_TRUE(capture.messages.empty());
        }
        for (size_t length = 0; length < kind.file.size(); ++length) {
            const Bytes cut(kind.file.begin(), kind.file.begin() + length);
            MessageCapture capture;
            EXPECT_FALSE(read(cut)) << length;
            const std::string& expected = length < kind.headersEnd ? UNKNOWN_FORMAT : CONVERSION_ERROR;
            EXPECT_EQ(capture.messages, std::vector<std::string>{expected}) << length;
        }
    }
}

TEST(BmpReader, FilesOnDisk)
{
    TempDir dir;
    const Picture picture = test_picture(5, 3, 8);
    write_file(dir.file("good.bmp"), encode_bmp(picture, {8, false, true, false}));
    write_file(dir.file("empty.bmp"), {});

    MessageCapture capture;
    const Image good(LoadBMP(dir.file("good.bmp").c_str()));
    ASSERT_TRUE(good);
    EXPECT_EQ(data_of(good), expected_rgb(picture, 8));
    const std::string narrow = dir.file("good.bmp");
    const std::wstring wide(narrow.begin(), narrow.end());
    const Image fromWide(tkDIBImageLoadAW(reinterpret_cast<const char*>(wide.c_str()), true));
    ASSERT_TRUE(fromWide);
    EXPECT_EQ(data_of(fromWide), expected_rgb(picture, 8));
    EXPECT_TRUE(capture.messages.empty());

    // Missing files and null names are quiet; files that exist but cannot be read are not.
    EXPECT_EQ(LoadBMP(nullptr), nullptr);
    EXPECT_EQ(LoadBMP(dir.file("missing.bmp").c_str()), nullptr);
    EXPECT_TRUE(capture.messages.empty());
    EXPECT_EQ(LoadBMP(dir.file("empty.bmp").c_str()), nullptr);
    EXPECT_EQ(LoadBMP(dir.path.c_str()), nullptr);
    EXPECT_EQ(auxDIBImageLoadA(dir.file("missing.bmp").c_str()), nullptr);
    EXPECT_EQ(capture.messages,
              (std::vector<std::string>{"Failed to open DIB file " + dir.file("empty.bmp") + ".\n",
                                        "Failed to open DIB file " + dir.path + ".\n",
                                        "Failed to open DIB file " + dir.file("missing.bmp") + ".\n"}));
}
