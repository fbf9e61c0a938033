// Fuzz entry for the flight recording reader: one input read as a recording, whole and in two
// pieces. What it accepts must keep its promises (steps in order, the end after every input) and
// read the same in pieces and when written out again.
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
    const bool parsed = parse_recording(text, "f", r, error);
    // Read as it comes from a file, in two pieces cut anywhere: the same.
    RecordingReader reader("f");
    const size_t cut = size > 0 ? data[0] * size / 256 : 0;
    reader.take(text.data(), cut), reader.take(text.data() + cut, size - cut);
    if (reader.finish(again) != parsed || reader.error != error ||
        (parsed && (again.inputs.size() != r.inputs.size() || again.steps != r.steps)))
        fail("read differently in pieces");
    if (!parsed) {
        if (error.rfind("f:", 0) != 0) fail("a refusal that names no line");
        return 0;
    }
    // Written back as the recorder writes: a step's inputs, then its state line.
    std::string written = header_text(r.program, r.switches);
    const StateFigures figures = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "down", false};
    size_t check = 0;
    const auto states_before = [&](int64_t step) {
        for (; check < r.checks.size() && r.checks[check].step < step; ++check)
            written += state_line(r.checks[check].step, figures, r.checks[check].checksum);
    };
    int64_t last = 0;
    for (const RecordedInput& in : r.inputs) {
        if (in.step < last || in.step > r.steps) fail("an input out of order or past the end");
        last = in.step;
        states_before(in.step);
        written += input_line(in.step, in.input);
    }
    states_before(INT64_MAX);
    written += end_line(r.steps);
    if (!parse_recording(written, "f", again, error)) fail(("written back, refused: " + error).c_str());
    if (again.inputs.size() != r.inputs.size() || again.steps != r.steps ||
        again.checks.size() != r.checks.size() || again.switches != r.switches)
        fail("read differently");
    for (size_t i = 0; i < r.inputs.size(); ++i)
        if (again.inputs[i].input.value != r.inputs[i].input.value ||
            again.inputs[i].input.code != r.inputs[i].input.code)
            fail("an input read back differently");
    return 0;
}
