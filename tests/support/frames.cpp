#include "frames.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr int level_tolerance = 3;
constexpr int pixel_tolerance = 8;

Frame load_png(const std::string& path)
{
    Frame frame;
    int channels = 0;
    unsigned char* pixels = stbi_load(path.c_str(), &frame.width, &frame.height, &channels, 3);
    if (!pixels) return Frame{};
    frame.rgb.assign(pixels, pixels + size_t(frame.width) * frame.height * 3);
    stbi_image_free(pixels);
    return frame;
}

void save_png(const std::string& path, const Frame& frame)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    stbi_flip_vertically_on_write(0);
    stbi_write_png_compression_level = 9;
    stbi_write_png(path.c_str(), frame.width, frame.height, 3, frame.rgb.data(), frame.width * 3);
}

bool differ(const unsigned char* p, const unsigned char* q)
{
    for (int c = 0; c < 3; ++c)
        if (std::abs(p[c] - q[c]) > level_tolerance) return true;
    return false;
}

}  // namespace

int differing_pixels(const Frame& a, const Frame& b)
{
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size())
        return std::max(a.width * a.height, b.width * b.height);
    int n = 0;
    for (size_t i = 0; i + 2 < a.rgb.size(); i += 3) n += differ(&a.rgb[i], &b.rgb[i]);
    return n;
}

testing::AssertionResult matches_reference(const std::string& name, const Frame& actual)
{
    const std::string reference_path = std::string(KESTRIX_REFERENCES) + "/" + name + ".png";
    const char* update = std::getenv("KESTRIX_UPDATE_REFERENCES");
    if (update && std::string(update) == "1") {
        save_png(reference_path, actual);
        return testing::AssertionSuccess() << "updated " << reference_path;
    }
    const Frame expected = load_png(reference_path);
    const std::string artifacts = std::string(KESTRIX_ARTIFACTS) + "/references/";
    const bool same_size = expected.width > 0 && expected.width == actual.width &&
                           expected.height == actual.height;
    const int differing = same_size ? differing_pixels(expected, actual) : 0;
    if (same_size && differing <= pixel_tolerance) {
        std::filesystem::remove(artifacts + name + ".png");  // pictures of an earlier failure
        std::filesystem::remove(artifacts + name + ".diff.png");
        return testing::AssertionSuccess();
    }
    save_png(artifacts + name + ".png", actual);
    if (!same_size)
        return testing::AssertionFailure() << name << ": " << actual.width << "x" << actual.height
                                           << " against " << expected.width << "x" << expected.height
                                           << " in " << reference_path;
    Frame diff = actual;
    for (size_t i = 0; i < diff.rgb.size(); i += 3) {
        const bool off = differ(&expected.rgb[i], &actual.rgb[i]);
        const int grey = (actual.rgb[i] + actual.rgb[i + 1] + actual.rgb[i + 2]) / 6;
        diff.rgb[i] = off ? 255 : grey;
        diff.rgb[i + 1] = off ? 0 : grey;
        diff.rgb[i + 2] = off ? 0 : grey;
    }
    save_png(artifacts + name + ".diff.png", diff);
    return testing::AssertionFailure() << name << ": " << differing << " pixels differ from "
                                       << reference_path << "; see " << artifacts << name
                                       << ".png and .diff.png";
}
