#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

#include "aircraft/Explosion.h"
#include "shell/Global.h"

namespace {

// Keeps the particles and the random source as the other tests expect them.
class ExplosionTest : public ::testing::Test {
protected:
    void SetUp() override { std::copy(std::begin(particle), std::end(particle), saved.begin()); }
    void TearDown() override
    {
        std::copy(saved.begin(), saved.end(), std::begin(particle));
        random_state = saved_state;
    }
    std::array<particles, 100> saved{};
    uint32_t saved_state = random_state;
};

bool same_colour(const particles& p, const float* row)
{
    return p.r == row[0] && p.g == row[1] && p.b == row[2];
}

TEST_F(ExplosionTest, ResetPutsEveryParticleAtTheBurstPointInItsColour)
{
    for (particles& p : particle) p = {false, -3, 7, 0, 0, 0, 1, 2, 3, 80, -160, 240, 0, 0, 0};
    ResetExplosion();
    for (const particles& p : particle) {
        EXPECT_TRUE(p.active && p.life == 1 && p.fade == 1);
        EXPECT_TRUE(p.x == 0 && p.y == 0 && p.z == 5);
        EXPECT_TRUE(p.xi == 80 && p.yi == -160 && p.zi == 240);
        EXPECT_FALSE(same_colour(p, colors[11]));
    }
    // Nine particles take row 0, ten each of the rows after it, and the last one row 10.
    const std::array<std::array<int, 2>, 6> rows = {
        {{8, 0}, {9, 1}, {18, 1}, {19, 2}, {98, 9}, {99, 10}}};
    for (const auto& [index, row] : rows) {
        EXPECT_TRUE(same_colour(particle[index], colors[row])) << "particle " << index;
    }
}

// With life left a particle moves by its velocity / 60000 and fades, drawing nothing; reaching
// exactly 0 is not yet below it.
TEST_F(ExplosionTest, ParticleWithLifeLeftMovesAndFades)
{
    particles p{true, 1, 0.25f, 1, 0.5f, 0.5f, 1, 2, 3, 1200, -600, 3000, 0, 0, 0};
    random_state = 77;
    move_particle(p);
    EXPECT_FLOAT_EQ(p.x, 1.02f);
    EXPECT_FLOAT_EQ(p.y, 1.99f);
    EXPECT_FLOAT_EQ(p.z, 3.05f);
    EXPECT_EQ(p.life, 0.75f);
    EXPECT_EQ(p.fade, 0.25f);

    p.fade = 0.75f;
    move_particle(p);
    EXPECT_EQ(p.life, 0);
    EXPECT_EQ(p.xi, 1200);
    EXPECT_EQ(random_state, 77u);
}

// Below 0 the particle restarts from the centre with four draws: fade, xi, yi, zi.
TEST_F(ExplosionTest, RelaunchDrawsFadeAndVelocityInOrder)
{
    random_state = 12345;
    for (int launch = 0; launch < 2000; ++launch) {
        const uint32_t before = random_state;
        int draws[4];
        for (int& d : draws) d = random_next();
        const uint32_t after = random_state;
        random_state = before;

        // A particle in the colour of row 11, about to fade out.
        particles p{true, 0.01f, 0.02f, 0.9f, 0.6f, 0.4f, 3, 4, 5, 100, 200, 300, 0, 0, 0};
        move_particle(p);
        ASSERT_EQ(random_state, after);
        EXPECT_EQ(p.fade, float(draws[0] % 100 * 0.001 + 0.003));
        EXPECT_EQ(p.xi, (draws[1] % 60 - 32) * 80);
        EXPECT_EQ(p.yi, (draws[2] % 60 - 30) * 80);
        EXPECT_EQ(p.zi, (draws[3] % 60 - 30) * 80);
        EXPECT_TRUE(p.fade >= 0.003f && p.fade <= 0.102f) << p.fade;
        EXPECT_TRUE(p.life == 1 && p.x == 0 && p.y == 0 && p.z == 0);
        EXPECT_TRUE(same_colour(p, colors[11]));
    }
}

}  // namespace
