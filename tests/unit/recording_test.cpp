// The world's fixed steps against the clock, and flight recordings: written and read back, and
// every kind of damaged file refused with the line and what is wrong.
#include <gtest/gtest.h>

#include <string>

#include "core/Settings.h"
#include "core/StepClock.h"
#include "platform/GL.h"
#include "shell/RecordingFormat.h"
#include "shell/Timedemo.h"

namespace {

// Steps per pass for passes `gaps` ticks apart on a clock of 1000 ticks a second, after a first
// pass that steps once; a negative gap is a pass while paused.
struct Pace {
    const char* what;
    std::vector<int> gaps, steps;
};
const Pace paces[] = {
    {"a little faster than 60 Hz: now and then a pass without a step", {16, 16, 16, 16}, {0, 1, 1, 1}},
    {"a little slower: now and then two", {17, 17, 17}, {1, 1, 1}},
    {"20 frames a second", {50, 50, 50}, {3, 3, 3}},
    {"144 frames a second", {7, 7, 7, 7, 7}, {0, 0, 1, 0, 1}},
    {"5 and 8.5 frames a second: at most six, the rest dropped", {200, 117}, {6, 6}},
    {"after a hitch of a second, nothing owed", {17, 1000, 17, 16}, {1, 6, 1, 1}},
    {"neither the pause nor the part step before it is owed", {10, -500, -500, 10, 17}, {0, 0, 0, 0, 1}},
};

TEST(StepClock, StepsFollowTheClock)
{
    for (const Pace& pace : paces) {
        step_clock = StepClock{};
        int64_t now = 1000;
        EXPECT_EQ(steps_for_pass(now, 1000), 1) << pace.what << ": the first pass steps once";
        std::vector<int> steps;
        for (const int gap : pace.gaps) {
            paused = gap < 0;
            steps.push_back(steps_for_pass(now += std::abs(gap), 1000));
        }
        EXPECT_EQ(steps, pace.steps) << pace.what;
    }
    paused = 0;
}

// A header of format 1, from before the choice of flight model: still read, as simple; its flags
// in the order of the time, which need not be the order they are written in now.
const char* const header =
    "kestrix-recording 1\nprogram 0.9.0\nlevel 2\noptions fog 1 wireframe 0 texture 1 lightmap 1 "
    "lighting 0 culling 1 tower 0 overlay 1 plane 1\n";
// The same header in format 2, which adds the flight model.
const std::string header2 =
    "kestrix-recording 2\n" + std::string(header).substr(sizeof "kestrix-recording 1\n" - 1) + "flight real\n";

TEST(RecordingFormat, WrittenAndReadBack)
{
    SwitchValues values{};  // the header's, flown by the real model
    for (const int* on : {&fog_enable, &texture1_, &texture2_, &culling_enable, &ui_enable,
                          &plane_enable, &real_flight})
        values[size_t(switch_of(on))] = 1;
    values[size_t(switch_of(&level))] = 2;
    const Input inputs[] = {{Input::Key, 'M'},
                            {Input::Special, GLUT_KEY_PAGE_DOWN},
                            {Input::Pad, PadRudder, -12.3456789f},
                            {Input::Option, switch_of(&tower_view), 1},
                            {Input::Reset}};
    std::string text = header_text("0.9.0", values);
    for (int i = 0; i < 5; ++i) text += input_line(7 + i * 20, inputs[i]);
    text += state_line(120, {1, 2, -3.456f, 4, 5, 6, 7, 8, 9, 10, "moving", true}, 0xfedcba9876543210);
    Recording r;
    std::string error;
    ASSERT_TRUE(parse_recording(text + "120 key g\n12", "f", r, error)) << error;
    EXPECT_EQ(r.switches, values);
    EXPECT_TRUE(flies(r.inputs[0].input)) << "M switches the model: a flight key";
    EXPECT_EQ(r.steps, 120) << "the cut-off last line is left out";
    ASSERT_EQ(r.inputs.size(), 6u);
    for (int i = 0; i < 5; ++i)  // the pad's value exactly, in nine digits
        EXPECT_EQ(input_line(r.inputs[i].step, r.inputs[i].input), input_line(7 + i * 20, inputs[i]));
    ASSERT_EQ(r.checks.size(), 1u);
    EXPECT_EQ(r.checks[0].checksum, 0xfedcba9876543210u);
    // At most a minute (3600 steps) past the next state line due: 60 steps a line, one written.
    ASSERT_TRUE(parse_recording(text + end_line(2 * 60 + 3600), "f", r, error)) << error;
    EXPECT_EQ(r.steps, 2 * 60 + 3600);
    ASSERT_TRUE(parse_recording(header + input_line(5, inputs[0]), "f", r, error)) << error;
    values[size_t(switch_of(&real_flight))] = 0;
    EXPECT_TRUE(r.switches == values && r.inputs.size() == 1);
    // A flag the header leaves out, one added since, is none of the recording's.
    const std::string without = header;
    ASSERT_TRUE(parse_recording(std::string(without).erase(without.find(" tower 0"), 8), "f", r, error));
    EXPECT_EQ(r.switches[size_t(switch_of(&tower_view))], not_named);
}

// Damaged files and their messages.
TEST(RecordingFormat, DamagedFilesAreRefused)
{
    const std::string h = header;
    const std::pair<std::string, std::string> damaged[] = {
        {"kestrix-recording 3\n", "f:1: recording format 3; this program reads formats 1 to 2"},
        {header2.substr(0, header2.size() - 12), "f:5: the header is incomplete"},
        {header2.substr(0, header2.size() - 5) + "fast\n", "f:5: the flight model (simple or real) "
                                                          "is missing or unknown"},
        {"\x89PNG\r\n", "f:1: not text (byte 0x89)"},
        {"kestrix-recording 1\nprogram 0.9.0\n", "f:3: the header is incomplete"},
        {"kestrix-recording 1\nprogram 0.9.0\nlevel 4\n", "f:3: the terrain level (0 to 3) is missing or out of range"},
        {std::string(h).replace(h.find("tower"), 5, "fog"), "f:4: option fog unknown, named twice or not 0 or 1"},
        {h + "5 key +\n3 key -\n", "f:6: step 3 comes after step 5"},
        {h + "0 key +\n", "f:5: '0' is no step number"},
        {h + "1234567890123 key +\n", "f:5: '1234567890123' is no step number"},
        {h + "5 key q\n", "f:5: unknown key 'q'"},
        {h + "5 special F12\n", "f:5: unknown key 'F12'"},
        {h + "5 pad throttle nan\n", "f:5: pad throttle value 'nan' out of range"},
        {h + "5 option fog 2\n", "f:5: option fog takes 0 or 1, not '2'"},
        {h + "5 option flight 1\n", "f:5: unknown option 'flight'"},
        {h + "5 pad rudder\n", "f:5: the line is cut short"},
        {h + "5 reset now\n", "f:5: extra words at the end of the line"},
        {h + "5 jump\n", "f:5: unknown entry 'jump'"},
        {h + "5  key +\n", "f:5: an empty word (a blank at an end or two together)"},
        {h + "61 state x 0\n", "f:5: the line is cut short"},
        {h + "5 key +\x01\n", "f:5: not text (byte 0x01)"},
        {h + std::string(401, '1') + "\n", "f:5: longer than 400 bytes"},
        {h + "end 9\n10 key +\n", "f:6: more lines after the end line"},
        {h + "9 key +\nend 8\n", "f:6: bad number of steps"},
        {h + "end 3661\n", "f:5: step 3661 is too far: at most 3660 after 0 state lines"},
        {h + "99999999 key +\n", "f:5: step 99999999 is too far: at most 3660 after 0 state lines"},
    };
    Recording r;
    std::string error;
    for (const auto& [text, message] : damaged) {
        EXPECT_FALSE(parse_recording(text, "f", r, error)) << message;
        EXPECT_EQ(error, message);
    }
    // Each pad control's own range, its ends included: aileron, elevator, rudder, throttle.
    const float low[] = {-45, -45, -45, 0}, high[] = {45, 45, 45, 1005};
    for (int c = 0; c < pad_controls; ++c)
        for (const float end : {low[c], high[c]}) {
            const float past = end + (end == low[c] ? -0.01f : 0.01f);
            EXPECT_TRUE(parse_recording(h + input_line(5, {Input::Pad, c, end}), "f", r, error)) << error;
            EXPECT_FALSE(parse_recording(h + input_line(5, {Input::Pad, c, past}), "f", r, error)) << past;
        }
    EXPECT_FALSE(read_recording("/nonexistent/flight.rec", r, error));
    EXPECT_EQ(error, "/nonexistent/flight.rec: No such file or directory");
}

}  // namespace
