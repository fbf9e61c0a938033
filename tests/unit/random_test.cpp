#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/Global.h"

namespace {

// The generator state from which the next draw yields `wanted`.
uint32_t state_before(int wanted)
{
    random_state = 1;
    for (;;) {
        const uint32_t state = random_state;
        if (random_next() == wanted) return state;
    }
}

TEST(Random, FirstValuesFromStateOne)
{
    random_state = 1;
    const int expected[] = {16838, 5758, 10113, 17515, 31051};
    for (int value : expected) EXPECT_EQ(random_next(), value);
}

TEST(Random, IndependentOfTheCLibraryGenerator)
{
    srand(99);
    const int library_first = rand();
    srand(99);

    random_state = 1;
    for (int i = 0; i < 1000; ++i) random_next();
    EXPECT_EQ(rand(), library_first) << "drawing from our generator moved rand()";

    random_state = 1;
    for (int i = 0; i < 1000; ++i) rand();
    EXPECT_EQ(random_next(), 16838) << "rand() moved our generator";
}

TEST(Random, ScaledDrawsUseTheFloatReciprocal)
{
    // The largest draw scales to 1 - 2^-30, not 1, so heights drawn from 3000 to 6000 stay
    // below 6000 once truncated.
    const uint32_t before_max = state_before(32767);
    random_state = before_max;
    EXPECT_EQ(float_rand(), 1.0 - 1.0 / (1 << 30));
    random_state = before_max;
    EXPECT_EQ(floatRand(), 1.0 - 1.0 / (1 << 30));
    random_state = before_max;
    EXPECT_EQ(int(randomRange(3000, 6000)), 5999);

    random_state = state_before(0);
    EXPECT_EQ(randomRange(3000, 6000), 3000.0);

    // A draw just below the middle lands between -1 and 0 and truncates to a flat 0.
    random_state = state_before(16383);
    const double near_zero = randomRange(-1500, 1500);
    EXPECT_LT(near_zero, 0.0);
    EXPECT_GT(near_zero, -1.0);
    EXPECT_EQ(int(near_zero), 0);

    // The first draw of a run gives the first rim height of the landscape.
    random_state = 1;
    EXPECT_EQ(int(randomRange(3000, 6000)), 4541);
}

TEST(Random, DegreesToRadiansInTheGivenOrder)
{
    EXPECT_EQ(dtr(0), 0.0);
    EXPECT_EQ(dtr(180), 3.141592654);
    EXPECT_EQ(dtr(1), 0.017453292522222223);
    // The constant times 1/360 would round differently here.
    EXPECT_EQ(dtr(-45.5), -0.7941248097611112);
}

}  // namespace
