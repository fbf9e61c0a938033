// The bitmap reader over the files in tests/data/bitmaps: one picture in every layout it
// accepts, files it refuses with the message their name begins with, every file cut short,
// and files on disk.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/Message.h"
#include "resources/Image.h"
#include "resources/TkDib.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;
using Strings = std::vector<std::string>;

const fs::path bitmaps = fs::path(KESTRIX_TEST_DATA) / "bitmaps";
const std::string unknown_format = "Unknown DIB file format.";
const std::string conversion_error = "Image file conversion error.";
const std::string too_large = "Image larger than 4096 pixels on a side.";

// What show_message is given while a Messages lives.
Strings* captured = nullptr;
struct Messages {
    Messages()
    {
        captured = &list;
        show_message = [](const char* text) { captured->push_back(text); };
    }
    ~Messages() { show_message = message_box; }
    Strings list;
};

Bytes file_bytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

void release(AUX_RGBImageRec* image)
{
    std::free(image->data);
    std::free(image);
}

// The reader's pixels for `bytes`, read from a heap block of exactly their length, so that
// AddressSanitizer sees any read past the end; empty when the reader refuses them.
Bytes decode(const Bytes& bytes)
{
    std::unique_ptr<unsigned char[]> exact(new unsigned char[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), exact.get());
    AUX_RGBImageRec* image = dib_image_from_memory(exact.get(), bytes.size());
    if (!image) return {};
    EXPECT_EQ(image->sizeX, 5);
    EXPECT_EQ(image->sizeY, 3);
    const Bytes rgb(image->data, image->data + size_t(image->sizeX) * image->sizeY * 3);
    release(image);
    return rgb;
}

// The picture every valid file holds, bottom row first, without row padding.
Bytes picture()
{
    const unsigned char colours[2][3] = {{255, 66, 0}, {0, 132, 198}};
    Bytes rgb;
    for (const char* row : {"00111", "01010", "10011"})
        for (const char* c = row; *c; ++c) rgb.insert(rgb.end(), colours[*c - '0'], colours[*c - '0'] + 3);
    return rgb;
}

std::vector<fs::path> files_in(const char* folder)
{
    std::vector<fs::path> files(fs::directory_iterator(bitmaps / folder), {});
    EXPECT_GT(files.size(), 10u) << folder;
    return files;
}

TEST(Reader, EveryLayoutHoldsThePicture)
{
    Messages messages;
    for (const fs::path& file : files_in("valid"))
        EXPECT_EQ(decode(file_bytes(file)), picture()) << file.filename();
    EXPECT_EQ(messages.list, Strings{});
}

TEST(Reader, RefusedFilesSayWhy)
{
    for (const fs::path& file : files_in("refused")) {
        const std::string name = file.filename();
        const std::string& reason = name.rfind("unknown", 0) == 0      ? unknown_format
                                    : name.rfind("conversion", 0) == 0 ? conversion_error
                                                                       : too_large;
        Messages messages;
        EXPECT_EQ(decode(file_bytes(file)), Bytes{}) << name;
        EXPECT_EQ(messages.list, Strings{reason}) << name;
    }
}

// Cut at every length, a file is refused with one message: an unknown format while its headers
// are incomplete, a conversion error after them.
TEST(Reader, EveryTruncationIsRefused)
{
    for (const fs::path& file : files_in("valid")) {
        const Bytes whole = file_bytes(file);
        const size_t header = whole[0] == 'B' && whole[1] == 'M' ? 14 : 0;
        const size_t headers_end = header + whole[header];
        for (size_t length = 0; length < whole.size(); ++length) {
            Messages messages;
            EXPECT_EQ(decode(Bytes(whole.begin(), whole.begin() + length)), Bytes{})
                << file.filename() << " cut to " << length;
            EXPECT_EQ(messages.list, Strings{length < headers_end ? unknown_format : conversion_error})
                << file.filename() << " cut to " << length;
        }
    }
}

// Missing files and null names are quiet; a file that exists but cannot be read is reported.
TEST(Reader, FilesOnDisk)
{
    const fs::path folder = fs::temp_directory_path() / ("kestrix-reader-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "empty.bmp").close();
    const std::string good = bitmaps / "valid/rgb24.bmp", empty = folder / "empty.bmp",
                      missing = folder / "missing.bmp";
    Messages messages;
    AUX_RGBImageRec* image = LoadBMP(good.c_str());
    ASSERT_TRUE(image);
    EXPECT_EQ(Bytes(image->data, image->data + 45), picture());
    release(image);
    EXPECT_EQ(LoadBMP(nullptr), nullptr);
    EXPECT_EQ(LoadBMP(missing.c_str()), nullptr);
    EXPECT_EQ(messages.list, Strings{});
    EXPECT_EQ(LoadBMP(empty.c_str()), nullptr);
    EXPECT_EQ(auxDIBImageLoadA(missing.c_str()), nullptr);
    EXPECT_EQ(messages.list, (Strings{"Failed to open DIB file " + empty + ".\n",
                                      "Failed to open DIB file " + missing + ".\n"}));
    fs::remove_all(folder);
}

}  // namespace
