#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aircraft/Collision.h"
#include "aircraft/FlightState.h"
#include "platform/Sound.h"
#include "shell/Sim.h"

namespace {

std::vector<std::string> sounds;
void record_sound(const char* file)
{
    EXPECT_TRUE(throttle == 0 && plane_enable == 0 && explo_enable == 1) << "sound before the rest";
    sounds.push_back(file);
}

// Flying at the start position with the engine running; sound requests are recorded.
class CollisionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        play_sound = record_sound;
        start();
    }
    void TearDown() override
    {
        play_sound = saved_player;
        init_Model();
    }

    static void start()
    {
        init_Model();
        throttle = 300;
        sounds.clear();
    }
    // Clears a crash's flags but leaves the position, as if the aircraft flew on.
    static void fly_on()
    {
        throttle = 300;
        plane_enable = 1;
        explo_enable = 0;
    }

    void (*saved_player)(const char*) = play_sound;
};

void expect_crashed(size_t sound_requests)
{
    EXPECT_EQ(throttle, 0);
    EXPECT_EQ(plane_enable, 0);
    EXPECT_EQ(explo_enable, 1);
    EXPECT_EQ(sounds, std::vector<std::string>(sound_requests, "Data/Explo.wav"));
}

void expect_flying()
{
    EXPECT_EQ(throttle, 300);
    EXPECT_EQ(plane_enable, 1);
    EXPECT_EQ(explo_enable, 0);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(CollisionTest, GroundLandsOnTheGearAndCrashesOnTheBelly)
{
    head_yaw = 33;
    head_pitch = 5;
    head_roll = 7;
    collision_map();  // exactly 0 is no contact
    EXPECT_EQ(head_pitch, 5);
    EXPECT_EQ(head_roll, 7);
    expect_flying();

    world_y = -0.001f;
    collision_map();
    EXPECT_EQ(world_y, 0);
    EXPECT_EQ(head_pitch, 0);
    EXPECT_EQ(head_roll, 0);
    EXPECT_EQ(head_yaw, 33);
    EXPECT_EQ(gear_out, 1);
    expect_flying();

    // Belly contact with the gear on its way up: held on the ground, crashed, gear shown down.
    gear_out = 0;
    angle_nose_gear = 60;
    angle_main_gear = 70;
    world_y = -2;
    collision_map();
    EXPECT_EQ(world_y, 0);
    expect_crashed(1);
    EXPECT_EQ(gear_out, 1);
    EXPECT_EQ(angle_nose_gear, -10);
    EXPECT_EQ(angle_main_gear, 0);

    // The extended gear makes the next contact a landing.
    world_y = -1;
    collision_map();
    expect_crashed(1);
}

TEST_F(CollisionTest, MapEdgesHoldTheAircraftExactlyOnThem)
{
    struct Edge {
        float* coordinate;
        float beyond, edge;
    };
    const Edge edges[] = {{&world_z, -508040, -508032}, {&world_x, -508040, -508032},
                          {&world_z, 508032.5f, 508032}, {&world_x, 600000, 508032}};
    for (const Edge& e : edges) {
        start();
        const float other = e.coordinate == &world_x ? world_z : world_x;
        *e.coordinate = e.beyond;
        collision_map();
        EXPECT_EQ(*e.coordinate, e.edge) << e.beyond;
        EXPECT_EQ(e.coordinate == &world_x ? world_z : world_x, other) << e.beyond;
        expect_crashed(1);

        // Resting on the edge is not past it.
        fly_on();
        sounds.clear();
        collision_map();
        EXPECT_EQ(*e.coordinate, e.edge) << e.beyond;
        expect_flying();
    }

    // Past a corner: two crashes in one frame, each requesting the sound.
    start();
    world_x = 510000;
    world_z = -510000;
    collision_map();
    EXPECT_EQ(world_x, max_pos);
    EXPECT_EQ(world_z, max_neg);
    expect_crashed(2);
}

TEST_F(CollisionTest, TowerBoxIsOpenOnEverySide)
{
    struct Place {
        float x, y, z;
        bool hit;
    };
    const Place places[] = {
        {-65, 36.9f, -145, true}, {-65, 37, -145, false},  {-79.9f, 0, -159.9f, true},
        {-50.1f, -5, -130.1f, true}, {-80, 0, -145, false}, {-50, 0, -145, false},
        {-65, 0, -160, false},     {-65, 0, -130, false},
    };
    for (const Place& p : places) {
        start();
        world_x = p.x;
        world_y = p.y;
        world_z = p.z;
        collision_tower();
        const std::string where = std::to_string(p.x) + ", " + std::to_string(p.y) + ", " +
                                  std::to_string(p.z);
        EXPECT_EQ(explo_enable, p.hit ? 1 : 0) << where;
        EXPECT_EQ(sounds.size(), p.hit ? 1u : 0u) << where;
        EXPECT_TRUE(world_x == p.x && world_y == p.y && world_z == p.z) << where;
    }
}

TEST_F(CollisionTest, TowerSoundPlaysOncePerCrash)
{
    world_x = -60;
    world_y = 10;
    world_z = -140;
    plane_enable = 0;  // hidden from the options window, it still collides
    for (int frame = 0; frame < 3; ++frame) {
        collision_tower();
        expect_crashed(1);  // every contact stops and hides it; the sound is not restarted
        throttle = 300;
        plane_enable = 1;
    }

    init_Model();
    world_x = -60;
    world_z = -140;
    collision_tower();
    expect_crashed(2);
}

}  // namespace
