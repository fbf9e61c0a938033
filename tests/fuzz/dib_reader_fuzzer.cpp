// Fuzz entry for the bitmap reader: decodes one input and checks what a decoded image promises.
// Built into libFuzzer's dib_reader_fuzzer and into dib_reader_replay, which runs the corpus.
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Message.h"
#include "resources/TkDib.h"

namespace {

int messages = 0;
volatile uint64_t pixel_sum;  // keeps the read of every pixel byte from being optimised away

// The default message box waits for a click; the fuzzer only counts the reports.
void count_message(const char*) { ++messages; }

// Reads every one of `length` bytes, eight at a time: a tiny run-length file may describe a
// picture of up to 2 GiB. Kept out of libFuzzer's coverage, whose hook on every turn of the loop
// would cost more than the read itself.
#if defined(__clang__)
__attribute__((noinline, no_sanitize("coverage")))
#endif
uint64_t sum_bytes(const unsigned char* bytes, size_t length)
{
    uint64_t sum = 0;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        sum += word;
    }
    for (; i < length; ++i) sum += bytes[i];
    return sum;
}

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
    if (int64_t{image->sizeX} * image->sizeY * 3 > INT_MAX) fail("the pixel count fits an int");

    // Every byte of sizeX * sizeY * 3 is read: a shorter block is an overflow.
    pixel_sum = sum_bytes(image->data, size_t(image->sizeX) * size_t(image->sizeY) * 3);
    std::free(image->data);
    std::free(image);
    return 0;
}
