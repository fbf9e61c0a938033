#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "e2e_support.h"

namespace {

// The loudest sample in the 16-bit audio SDL's disk driver has written so far.
int loudest(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    int loudest = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const int16_t sample = int16_t(uint8_t(bytes[i]) | (uint8_t(bytes[i + 1]) << 8));
        loudest = std::max(loudest, std::abs(int(sample)));
    }
    return loudest;
}

const std::string audio = std::string(KESTRIX_ARTIFACTS) + "/crash_audio.raw";

// The program with SDL's disk audio driver, which writes whatever is played to a file.
class Crash : public RunningProgram {
protected:
    Crash() : RunningProgram({"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + audio}) {}
};

// A flight ending on the aircraft's belly: take off, rotate, climb, retract the gear, push the
// nose down into the ground. The aircraft is replaced by the explosion, the crash sound plays,
// and R puts the aircraft back as a reset at the start had shown it.
TEST_F(Crash, BellyLandingExplodesWithSoundAndResetBringsTheAircraftBack)
{
    press(window, "r");
    pause(500);
    const Image start = screenshot(window, "reset_at_start");
    const int w = start.width, h = start.height;
    ASSERT_GT(count(start, is_skin, 0, 0, w, h), 1000);
    EXPECT_EQ(count(start, is_fire, 0, 0, w, h), 0);
    EXPECT_EQ(loudest(audio), 0) << "silence before the crash";

    fly_onto_the_belly(window);

    Image explosion;
    ASSERT_TRUE(wait_for_explosion(window, "explosion", explosion)) << "none within 20 seconds";
    EXPECT_LT(count(explosion, is_skin, 0, 0, w, h), 20) << "the aircraft is gone";
    pause(1500);
    EXPECT_GT(loudest(audio), 3000) << "the crash sound";
    const Image later = screenshot(window, "explosion_later");  // it does not end by itself
    EXPECT_GT(count(later, is_fire, 0, 0, w, h), 300);
    EXPECT_LT(count(later, is_skin, 0, 0, w, h), 20);

    press(window, "r");
    pause(1000);
    const Image reset = screenshot(window, "reset_after_crash");
    int differing = 0;
    for (size_t i = 0; i < reset.rgb.size(); i += 3)
        differing += std::abs(reset.rgb[i] - start.rgb[i]) +
                         std::abs(reset.rgb[i + 1] - start.rgb[i + 1]) +
                         std::abs(reset.rgb[i + 2] - start.rgb[i + 2]) >
                     6;
    EXPECT_LT(differing, w * h / 100) << "at the start, gear out, as after a reset there";
}

}  // namespace
