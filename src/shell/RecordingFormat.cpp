#include "shell/RecordingFormat.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "aircraft/FlightState.h"
#include "core/Settings.h"
#include "platform/ReadFile.h"
#include "shell/KeyTable.h"

const char* const pad_names[pad_controls] = {"aileron", "elevator", "rudder", "throttle"};

namespace {

// The lowest and highest setting of each pad control: the keys' limits.
const float pad_low[pad_controls] = {-control_limit, -control_limit, -control_limit, 0};
const float pad_high[pad_controls] = {control_limit, control_limit, control_limit, throttle_top};

// The switches with header lines of their own, before and after the option flags.
size_t level_row() { return size_t(switch_of(&level)); }
size_t flight_row() { return size_t(switch_of(&real_flight)); }

// The row of the switch a recording names `name` among its option flags; -1 for none.
int recorded_flag(const std::string& name)
{
    for (int i = 0; i < switch_count; ++i)
        if (is_recorded_flag(i) && name == switches[i].recorded) return i;
    return -1;
}

// The names of a state line's figures, in their order.
const char* const figure_names[] = {"x",     "y",     "z",        "heading", "pitch",
                                    "bank",  "speed", "climb",    "throttle", "flaps"};
constexpr size_t figure_count = sizeof figure_names / sizeof figure_names[0];

template <size_t N>
int index_of(const std::string& word, const char* const (&names)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (word == names[i]) return int(i);
    return -1;
}

// A whole word as a finite number.
bool to_number(const std::string& word, float& value)
{
    if (word.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtof(word.c_str(), &end);
    return *end == '\0' && errno == 0 && std::isfinite(value);
}

// A whole word of at most `digits` decimal digits.
bool to_count(const std::string& word, size_t digits, int64_t& value)
{
    if (word.empty() || word.size() > digits) return false;
    value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// Words split at single blanks; false when a blank stands at either end or next to another.
bool split(const std::string& line, std::vector<std::string>& words)
{
    words.clear();
    std::string word;
    for (size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != ' ') {
            word += line[i];
            continue;
        }
        if (word.empty()) return false;
        words.push_back(std::move(word));
        word.clear();
    }
    return true;
}

// "" when `step` lies within what a recording with r's state lines can reach, else what is
// wrong: each state line accounts for the steps since the one before it.
std::string beyond_reach(int64_t step, const Recording& r)
{
    const int64_t reach =
        std::min<int64_t>(INT32_MAX, state_line_steps * int64_t(r.checks.size() + 1) +
                                         steps_past_state_lines);
    if (step <= reach) return "";
    return "step " + std::to_string(step) + " is too far: at most " + std::to_string(reach) +
           " after " + std::to_string(r.checks.size()) + " state lines";
}

// Reads one line of the body into `r`; "" when it is sound, else what is wrong with it.
std::string parse_body_line(const std::vector<std::string>& w, int64_t& last_step, bool& ended,
                            Recording& r)
{
    if (w[0] == "end") {
        int64_t steps = 0;
        if (w.size() != 2) return "an end line holds the number of steps alone";
        if (!to_count(w[1], 12, steps) || steps < last_step) return "bad number of steps";
        if (const std::string wrong = beyond_reach(steps, r); !wrong.empty()) return wrong;
        r.steps = steps;
        ended = true;
        return "";
    }
    int64_t step = 0;
    if (!to_count(w[0], 12, step) || step < 1) return "'" + w[0] + "' is no step number";
    if (const std::string wrong = beyond_reach(step, r); !wrong.empty()) return wrong;
    if (step < last_step)
        return "step " + std::to_string(step) + " comes after step " + std::to_string(last_step);
    if (w.size() < 2) return "the line is cut short";
    const std::string& kind = w[1];
    const size_t words = kind == "reset" ? 2 : kind == "key" || kind == "special" ? 3
                     : kind == "pad" || kind == "option"                ? 4
                     : kind == "state"                                  ? 4 + 2 * (figure_count + 2)
                                                                        : 0;
    if (words == 0) return "unknown entry '" + kind + "'";
    if (w.size() < words) return "the line is cut short";
    if (w.size() > words) return "extra words at the end of the line";

    Input input;
    if (kind == "key") {
        const unsigned char key = w[2].size() == 1 ? w[2][0] : 0;
        if (!is_recorded_key(key)) return "unknown key '" + w[2] + "'";
        input = {Input::Key, key};
    } else if (kind == "special") {
        input.kind = Input::Special;
        input.code = -1;
        for (const SpecialKey& s : recorded_specials)
            if (w[2] == s.name) input.code = int16_t(s.code);
        if (input.code < 0) return "unknown key '" + w[2] + "'";
    } else if (kind == "pad") {
        const int control = index_of(w[2], pad_names);
        if (control < 0) return "unknown pad control '" + w[2] + "'";
        input = {Input::Pad, control};
        if (!to_number(w[3], input.value) || input.value < pad_low[control] ||
            input.value > pad_high[control])
            return "pad " + w[2] + " value '" + w[3] + "' out of range";
    } else if (kind == "option") {
        const int flag = recorded_flag(w[2]);
        if (flag < 0) return "unknown option '" + w[2] + "'";
        if (w[3] != "0" && w[3] != "1")
            return "option " + w[2] + " takes 0 or 1, not '" + w[3] + "'";
        input = {Input::Option, flag, float(w[3][0] - '0')};
    } else if (kind == "reset") {
        input = {Input::Reset};
    } else {  // state
        if (step % state_line_steps != 0)
            return "a state line at step " + w[0] + ", not a multiple of " +
                   std::to_string(state_line_steps);
        for (size_t i = 0; i < figure_count; ++i) {
            float value = 0;
            if (w[2 + 2 * i] != figure_names[i] || !to_number(w[3 + 2 * i], value))
                return std::string("state figure '") + figure_names[i] + "' missing or no number";
        }
        const size_t at = 2 + 2 * figure_count;
        const std::string& gear = w[at + 1];
        if (w[at] != "gear" || (gear != "down" && gear != "up" && gear != "moving"))
            return "state figure 'gear' missing or out of range";
        if (w[at + 2] != "crashed" || (w[at + 3] != "yes" && w[at + 3] != "no"))
            return "state figure 'crashed' missing or out of range";
        const std::string& sum = w[at + 5];
        if (w[at + 4] != "sum" || sum.size() != 16 ||
            sum.find_first_not_of("0123456789abcdef") != std::string::npos)
            return "the checksum is missing or not 16 hexadecimal digits";
        r.checks.push_back({step, std::strtoull(sum.c_str(), nullptr, 16)});
        last_step = step;
        return "";
    }
    r.inputs.push_back({int32_t(step), input});
    last_step = step;
    return "";
}

// Reads header line `number` into `r`, and from the first line the format's number of header
// lines; "" when it is sound.
std::string parse_header_line(int number, const std::vector<std::string>& w, Recording& r,
                              int& header_lines)
{
    int64_t value = 0;
    switch (number) {
    case 1:
        if (w.size() != 2 || w[0] != "kestrix-recording" || !to_count(w[1], 6, value))
            return "not a Kestrix flight recording";
        if (value < 1 || value > recording_version)
            return "recording format " + w[1] + "; this program reads formats 1 to " +
                   std::to_string(recording_version);
        header_lines = value == 1 ? 4 : 5;
        return "";
    case 2:
        if (w.size() != 2 || w[0] != "program") return "the program's version is missing";
        r.program = w[1];
        return "";
    case 3:
        if (w.size() != 2 || w[0] != switches[level_row()].recorded || !to_count(w[1], 1, value) ||
            value > switches[level_row()].high)
            return "the terrain level (0 to 3) is missing or out of range";
        r.switches[level_row()] = int(value);
        return "";
    case 4: {  // each flag at most once, in any order
        if (w.size() % 2 == 0 || w[0] != "options")
            return "the option flags are missing or incomplete";
        for (int i = 0; i < switch_count; ++i)
            if (is_recorded_flag(i)) r.switches[size_t(i)] = not_named;
        SwitchValues named{};
        for (size_t i = 1; i < w.size(); i += 2) {
            const int flag = recorded_flag(w[i]);
            if (flag < 0 || named[size_t(flag)]++ || (w[i + 1] != "0" && w[i + 1] != "1"))
                return "option " + w[i] + " unknown, named twice or not 0 or 1";
            r.switches[size_t(flag)] = w[i + 1][0] - '0';
        }
        return "";
    }
    default:  // 5, from format 2 on
        if (w.size() != 2 || w[0] != switches[flight_row()].recorded ||
            (w[1] != "simple" && w[1] != "real"))
            return "the flight model (simple or real) is missing or unknown";
        r.switches[flight_row()] = w[1] == "real";
        return "";
    }
}

}  // namespace

bool is_recorded_flag(int row)
{
    return switches[row].recorded && size_t(row) != level_row() && size_t(row) != flight_row();
}

bool flies(const Input& input)
{
    if (input.kind == Input::Key) return is_flight_key(static_cast<unsigned char>(input.code));
    return input.kind != Input::Option || switches[input.code].flies;
}

bool RecordingReader::take(const char* bytes, size_t size)
{
    for (size_t at = 0; at < size && error.empty();) {
        const void* found = std::memchr(bytes + at, '\n', size - at);
        const size_t end = found ? size_t(static_cast<const char*>(found) - bytes) : size;
        const size_t room = longest_line + 1 - std::min(line.size(), longest_line + 1);
        line.append(bytes + at, std::min(end - at, room));
        at = end + 1;
        if (found) take_line();
    }
    return error.empty();
}

void RecordingReader::take_line()
{
    ++line_number;
    const auto wrong = [this]() -> std::string {
        if (line.size() > longest_line)
            return "longer than " + std::to_string(longest_line) + " bytes";
        for (unsigned char c : line)
            if (c < 32 || c > 126) {
                char what[48];
                std::snprintf(what, sizeof what, "not text (byte 0x%02x)", c);
                return what;
            }
        if (ended) return "more lines after the end line";
        if (!split(line, words)) return "an empty word (a blank at an end or two together)";
        return line_number <= header_lines
                   ? parse_header_line(line_number, words, recording, header_lines)
                   : parse_body_line(words, last_step, ended, recording);
    }();
    if (!wrong.empty()) error = name + ":" + std::to_string(line_number) + ": " + wrong;
    line.clear();
}

bool RecordingReader::finish(Recording& out)
{
    if (error.empty() && line_number < header_lines)
        error = name + ":" + std::to_string(line_number + 1) + ": the header is incomplete";
    if (!error.empty()) return false;
    if (!ended) recording.steps = last_step;
    out = std::move(recording);
    return true;
}

bool parse_recording(const std::string& text, const std::string& name, Recording& recording,
                     std::string& error)
{
    RecordingReader reader(name);
    reader.take(text.data(), text.size());
    const bool read = reader.finish(recording);
    error = reader.error;
    return read;
}

bool read_recording(const std::string& path, Recording& recording, std::string& error)
{
    FileState state;
    std::string why;
    const int fd = open_to_read(path, longest_recording, state, why);
    RecordingReader reader(path);
    char buffer[65536];
    size_t total = 0;
    while (fd >= 0 && why.empty() && reader.error.empty()) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n < 0) why = std::strerror(errno);
            break;
        }
        total += size_t(n);
        if (total > longest_recording) why = "longer than " + size_text(longest_recording);
        reader.take(buffer, size_t(n));
    }
    if (fd >= 0) close(fd);
    if (!why.empty()) {
        error = path + ": " + why;
        return false;
    }
    const bool read = reader.finish(recording);
    error = reader.error;
    return read;
}

std::string header_text(const std::string& program, const SwitchValues& values)
{
    std::ostringstream text;
    text << "kestrix-recording " << recording_version << "\nprogram " << program << '\n'
         << switches[level_row()].recorded << ' ' << values[level_row()] << "\noptions";
    for (int i = 0; i < switch_count; ++i)
        if (is_recorded_flag(i) && values[size_t(i)] != not_named)
            text << ' ' << switches[i].recorded << ' ' << (values[size_t(i)] != 0);
    text << '\n' << switches[flight_row()].recorded << ' '
         << (values[flight_row()] ? "real" : "simple") << '\n';
    return text.str();
}

std::string input_line(int64_t step, const Input& input)
{
    char line[longest_line + 2];
    const long long n = step;
    switch (input.kind) {
    case Input::Key: std::snprintf(line, sizeof line, "%lld key %c\n", n, char(input.code)); break;
    case Input::Special: {
        const char* key = "?";
        for (const SpecialKey& s : recorded_specials)
            if (s.code == input.code) key = s.name;
        std::snprintf(line, sizeof line, "%lld special %s\n", n, key);
        break;
    }
    case Input::Pad:  // nine significant digits give the float back exactly
        std::snprintf(line, sizeof line, "%lld pad %s %.9g\n", n, pad_names[input.code],
                      double(input.value));
        break;
    case Input::Option:
        std::snprintf(line, sizeof line, "%lld option %s %d\n", n, switches[input.code].recorded,
                      input.value != 0);
        break;
    case Input::Reset: std::snprintf(line, sizeof line, "%lld reset\n", n); break;
    }
    return line;
}

std::string state_line(int64_t step, const StateFigures& f, uint64_t checksum)
{
    const float figures[figure_count] = {f.x,     f.y,     f.z,     f.heading,  f.pitch,
                                         f.bank,  f.speed, f.climb, f.throttle, f.flaps};
    std::ostringstream text;
    text << step << " state";
    char number[32];
    for (size_t i = 0; i < figure_count; ++i) {
        std::snprintf(number, sizeof number, "%.2f", double(figures[i]));
        text << ' ' << figure_names[i] << ' ' << number;
    }
    std::snprintf(number, sizeof number, "%016" PRIx64, checksum);
    text << " gear " << f.gear << " crashed " << (f.crashed ? "yes" : "no") << " sum " << number
         << '\n';
    return text.str();
}

size_t end_line(int64_t steps, char (&line)[end_line_size])
{
    char digits[20];
    size_t count = 0, at = 0;
    do digits[count++] = char('0' + steps % 10);
    while ((steps /= 10) > 0);
    for (const char c : {'e', 'n', 'd', ' '}) line[at++] = c;
    while (count > 0) line[at++] = digits[--count];
    line[at++] = '\n';
    return at;
}

std::string end_line(int64_t steps)
{
    char line[end_line_size];
    return std::string(line, end_line(steps, line));
}
