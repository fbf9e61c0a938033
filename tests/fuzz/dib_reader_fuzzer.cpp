// Fuzz entry for the bitmap reader: decodes one input and checks what a decoded image promises.
// Built with clang into dib_reader_fuzzer, which also runs the corpus once as a test.
#include <sanitizer/asan_interface.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/Message.h"
#include "resources/TkDib.h"

namespace {

int messages = 0;

// The default message box waits for a click; the fuzzer only counts the reports.
void count_message(const char*) { ++messages; }

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "dib_reader_fuzzer: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    show_message = count_message;
    messages = 0;
    // A heap block of exactly `size` bytes: any read past the input is an overflow that
    // AddressSanitizer reports.
    const std::vector<unsigned char> bytes(data, data + size);
    AUX_RGBImageRec* image = dib_image_from_memory(bytes.data(), bytes.size());
    if (!image) {
        if (messages != 1) fail("a refused bitmap is reported once");
        return 0;
    }
    if (messages != 0) fail("a decoded bitmap reports no error");
    if (image->sizeX <= 0 || image->sizeY <= 0) fail("a decoded bitmap has pixels");
    if (!image->data) fail("a decoded bitmap has pixel data");
    if (image->sizeX > 4096 || image->sizeY > 4096) fail("at most 4096 pixels on a side");

    // All sizeX * sizeY * 3 bytes belong to the block. Asked of AddressSanitizer's shadow memory
    // rather than by reading them: a tiny run-length file may describe a picture of 768 MiB.
    if (__asan_region_is_poisoned(image->data, size_t(image->sizeX) * size_t(image->sizeY) * 3))
        fail("the pixel block holds sizeX * sizeY * 3 bytes");
    std::free(image->data);
    std::free(image);
    return 0;
}
