#include "resources/TkDib.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/Message.h"
#include "platform/ReadFile.h"
#include "resources/DibConvert.h"

namespace {

const char* const OUT_OF_MEMORY = "Out of memory.";
const char* const UNKNOWN_FORMAT = "Unknown DIB file format.";
const char* const CONVERSION_ERROR = "Image file conversion error.";
const char* const TOO_LARGE = "Image larger than 4096 pixels on a side.";

// A side no texture here needs (the game's are 256): a few bytes of run-length data could
// otherwise claim gigabytes. At this size one image costs start-up under a hundred megabytes.
constexpr int64_t LARGEST_SIDE = 4096;

constexpr size_t FILE_HEADER_SIZE = 14;

uint16_t u16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t u32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
int32_t s32(const unsigned char* p) { return static_cast<int32_t>(u32(p)); }

AUX_RGBImageRec* refuse(const char* message)
{
    show_message(message);
    return nullptr;
}

// The whole file, or false when it cannot be read, is no regular file, is longer than the
// largest bitmap with room to spare, or is empty (an empty file cannot be mapped).
bool read_whole_file(const std::string& name, std::string& bytes)
{
    constexpr size_t largest = size_t(LARGEST_SIDE) * LARGEST_SIDE * 4 + (1 << 20);
    std::string why;
    return read_file(name, largest, bytes, why) == FileState::Read && !bytes.empty();
}

}  // namespace

uint16_t DibNumColors(const DibInfoHeader& header)
{
    if (header.size != DIB_CORE_HEADER_SIZE && header.clrUsed != 0)
        return static_cast<uint16_t>(header.clrUsed);
    switch (header.bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

AUX_RGBImageRec* auxDIBImageLoadA(const char* filename) { return tkDIBImageLoadAW(filename, false); }

AUX_RGBImageRec* tkDIBImageLoadAW(const char* fileName, bool bUnicode)
{
    std::string name;
    if (bUnicode) {
        const wchar_t* wide = reinterpret_cast<const wchar_t*>(fileName);
        std::mbstate_t state{};
        const size_t length = std::wcsrtombs(nullptr, &wide, 0, &state);
        if (length != size_t(-1)) {
            name.resize(length);
            std::wcsrtombs(&name[0], &wide, length, &state);
        }
    } else {
        name = fileName;
    }

    std::string bytes;
    if (name.empty() || !read_whole_file(name, bytes)) {
        std::vector<char> message(name.size() + 32);
        std::snprintf(message.data(), message.size(), "Failed to open DIB file %s.\n", name.c_str());
        show_message(message.data());
        return nullptr;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    return dib_image_from_memory(data, bytes.size());
}

AUX_RGBImageRec* dib_image_from_memory(const unsigned char* bytes, size_t size)
{
    // "BM" opens a file header whose field at byte 10 places the pixel array; a bare bitmap
    // starts with its info header and has its pixels right after the colour table.
    const bool hasFileHeader = size >= 2 && u16(bytes) == 0x4D42;
    size_t headerAt = 0;
    uint32_t pixelOffset = 0;
    if (hasFileHeader) {
        if (size < FILE_HEADER_SIZE) return refuse(UNKNOWN_FORMAT);
        pixelOffset = u32(bytes + 10);
        headerAt = FILE_HEADER_SIZE;
    }
    if (size - headerAt < 4) return refuse(UNKNOWN_FORMAT);
    const unsigned char* h = bytes + headerAt;
    DibInfoHeader info;
    info.size = u32(h);
    if (info.size != DIB_CORE_HEADER_SIZE && info.size != DIB_INFO_HEADER_SIZE)
        return refuse(UNKNOWN_FORMAT);
    if (size - headerAt < info.size) return refuse(UNKNOWN_FORMAT);

    const bool core = info.size == DIB_CORE_HEADER_SIZE;
    if (core) {
        info.width = u16(h + 4);
        info.height = u16(h + 6);
        info.planes = u16(h + 8);
        info.bitCount = u16(h + 10);
    } else {
        info.width = s32(h + 4);
        info.height = s32(h + 8);
        info.planes = u16(h + 12);
        info.bitCount = u16(h + 14);
        info.compression = u32(h + 16);
        info.sizeImage = u32(h + 20);
        info.xPelsPerMeter = s32(h + 24);
        info.yPelsPerMeter = s32(h + 28);
        info.clrUsed = u32(h + 32);
        info.clrImportant = u32(h + 36);
    }

    // The colour table: 3-byte entries after a core header, 4-byte entries after a standard one.
    const uint16_t numColours = DibNumColors(info);
    const size_t entrySize = core ? 3 : 4;
    const size_t tableAt = headerAt + info.size;
    const size_t tableEnd = tableAt + entrySize * numColours;
    if (tableEnd > size) return refuse(CONVERSION_ERROR);
    std::vector<DibColour> colours(numColours);
    for (size_t i = 0; i < numColours; ++i) {
        const unsigned char* entry = bytes + tableAt + entrySize * i;
        colours[i] = DibColour{entry[0], entry[1], entry[2], 0};
    }
    const size_t pixelsAt = hasFileHeader ? pixelOffset : tableEnd;
    if (pixelsAt > size) return refuse(CONVERSION_ERROR);
    if (info.width <= 0 || info.height == 0) return refuse(CONVERSION_ERROR);

    const int64_t rows = info.height < 0 ? -int64_t(info.height) : info.height;
    if (rows > LARGEST_SIDE || info.width > LARGEST_SIDE) return refuse(TOO_LARGE);
    const int64_t dataSize = rows * info.width * 3;
    // Refused before the picture is allocated: an unsupported format, or too few pixel bytes.
    if (!dib_pixels_convertible(info, size - pixelsAt)) return refuse(CONVERSION_ERROR);

    auto* data = static_cast<unsigned char*>(std::calloc(static_cast<size_t>(dataSize), 1));
    if (!data) return refuse(OUT_OF_MEMORY);
    if (convert_dib_pixels(info, colours.data(), colours.size(), bytes + pixelsAt,
                           size - pixelsAt, data) == 0) {
        std::free(data);
        return refuse(CONVERSION_ERROR);
    }

    auto* image = static_cast<AUX_RGBImageRec*>(std::malloc(sizeof(AUX_RGBImageRec)));
    if (!image) {
        std::free(data);
        return refuse(OUT_OF_MEMORY);
    }
    image->sizeX = info.width;
    image->sizeY = static_cast<int32_t>(rows);
    image->data = data;
    return image;
}
