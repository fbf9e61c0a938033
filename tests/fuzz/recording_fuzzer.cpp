// Fuzz entry for the flight recording reader: one input read as a recording. What it accepts
// must keep its promises (steps in order, the end after every input) and read the same when
// written out again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/RecordingFormat.h"

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "recording_fuzzer: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Recording r, again;
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!parse_recording(text, "f", r, error)) {
        if (error.rfind("f:", 0) != 0) fail("a refusal that names no line");
        return 0;
    }
    std::string written = header_text(r.program, r.level, r.options, r.real_flight);
    int64_t last = 0;
    for (const RecordedInput& in : r.inputs) {
        if (in.step < last || in.step > r.steps) fail("an input out of order or past the end");
        last = in.step;
        written += input_line(in.step, in.input);
    }
    written += end_line(r.steps);
    if (!parse_recording(written, "f", again, error)) fail(("written back, refused: " + error).c_str());
    if (again.inputs.size() != r.inputs.size() || again.steps != r.steps ||
        again.real_flight != r.real_flight)
        fail("read differently");
    for (size_t i = 0; i < r.inputs.size(); ++i)
        if (again.inputs[i].input.value != r.inputs[i].input.value ||
            again.inputs[i].input.code != r.inputs[i].input.code)
            fail("an input read back differently");
    return 0;
}
