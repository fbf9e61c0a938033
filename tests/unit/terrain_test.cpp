// The landscape generated from the random source's first state: its reference figures, the
// four meshes, the console line of a level switch, and the face normal of a triangle. The sky
// dome's inside.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "core/Global.h"
#include "scenery/World.h"
#include "terrain/TerrainGrid.h"
#include "terrain/Triangle.h"

namespace {

class Landscape : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        grid = new TerrainGrid;
        random_state = 1;
        grid->setPoints();
    }
    static void TearDownTestSuite() { delete grid; }
    static TerrainGrid* grid;
};
TerrainGrid* Landscape::grid = nullptr;

// Every point of a grid of n points a side lies on its lattice; the centre square is flat.
template <int n>
double heights(const Vertex (&g)[n][n])
{
    const float spacing = 29568.0f / (n - 1);
    double sum = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const Vertex& p = g[i][j];
            EXPECT_TRUE(p.x == -14784 + j * spacing && p.z == -14784 + i * spacing) << n;
            const bool flat = std::fabs(p.x) <= 4928 && std::fabs(p.z) <= 4928;
            EXPECT_TRUE(!flat || p.y == 0) << n << ": " << i << ", " << j;
            sum += p.y;
        }
    return sum;
}

TEST_F(Landscape, ReferenceFigures)
{
    EXPECT_EQ(grid->Grid0[0][0].y, 4541);
    EXPECT_EQ(grid->Grid0[0][1].y, 3527);
    EXPECT_EQ(grid->Grid0[0][2].y, 3925);
    EXPECT_EQ(grid->lowestY, -1350.33032f);
    EXPECT_EQ(grid->highestY, 6090.21826f);
    EXPECT_EQ(heights(grid->Grid0), 759857);
    EXPECT_EQ(heights(grid->Grid1), 2815548.0571975708);
    EXPECT_EQ(heights(grid->Grid2), 10816987.617045403);
    EXPECT_EQ(heights(grid->Grid3), 42380826.08652775);
    // The finest mesh's normals, colours and texture coordinates, summed in their order.
    auto sum = [](const std::vector<float>& v) { return std::accumulate(v.begin(), v.end(), 0.0); };
    EXPECT_EQ(sum(grid->l3_normals), 118945.3242889893);
    EXPECT_EQ(sum(grid->l3_colours), 162076.46599104826);
    EXPECT_EQ(sum(grid->l3_texCoord0), 168341.80403262377);
}

// Two triangles a cell, three vertices of their own each: indices 0, 1, 2 ..., normals up,
// both texture-coordinate arrays alike. The first cell runs A B C, A C D from Grid0[0][0].
TEST_F(Landscape, Meshes)
{
    const struct {
        const std::vector<float>& vertices, &normals, &texCoord0, &texCoord1;
        const std::vector<unsigned>& indices;
        size_t triangles;
    } levels[] = {
        {grid->l0_vertices, grid->l0_normals, grid->l0_texCoord0, grid->l0_texCoord1, grid->l0_indices, 882},
        {grid->l1_vertices, grid->l1_normals, grid->l1_texCoord0, grid->l1_texCoord1, grid->l1_indices, 3528},
        {grid->l2_vertices, grid->l2_normals, grid->l2_texCoord0, grid->l2_texCoord1, grid->l2_indices, 14112},
        {grid->l3_vertices, grid->l3_normals, grid->l3_texCoord0, grid->l3_texCoord1, grid->l3_indices, 56448},
    };
    for (const auto& level : levels) {
        const size_t count = 3 * level.triangles;
        ASSERT_EQ(level.indices.size(), count);
        ASSERT_EQ(level.vertices.size(), 3 * count);
        ASSERT_EQ(level.normals.size(), 3 * count);
        EXPECT_EQ(level.texCoord0, level.texCoord1);
        for (size_t k = 0; k < count; ++k) {
            ASSERT_EQ(level.indices[k], k);
            ASSERT_GT(level.normals[3 * k + 1], 0) << k;
        }
    }
    const Vertex* corner[] = {&grid->Grid0[0][0], &grid->Grid0[1][0], &grid->Grid0[1][1],
                              &grid->Grid0[0][0], &grid->Grid0[1][1], &grid->Grid0[0][1]};
    for (int k = 0; k < 6; ++k)
        EXPECT_TRUE(grid->l0_vertices[3 * k] == corner[k]->x &&
                    grid->l0_vertices[3 * k + 1] == corner[k]->y &&
                    grid->l0_vertices[3 * k + 2] == corner[k]->z) << k;
}

std::string printed(TerrainGrid* grid, int level)
{
    testing::internal::CaptureStdout();
    grid->update_current(level);
    return testing::internal::GetCapturedStdout();
}

// Selecting a level copies its arrays and reports its size, also when it was current; other
// numbers change nothing.
TEST_F(Landscape, LevelSwitch)
{
    const std::vector<float>* colours[] = {&grid->l0_colours, &grid->l1_colours, &grid->l2_colours,
                                           &grid->l3_colours};
    for (int t : {2, 0, 3, 3, 1}) {
        EXPECT_EQ(printed(grid, t), "  Terrain: " + std::to_string(colours[t]->size() / 9) + " triangles\n\n");
        EXPECT_EQ(grid->colours, *colours[t]);
    }
    EXPECT_EQ(printed(grid, 4) + printed(grid, -1), "");
    EXPECT_EQ(grid->colours, grid->l1_colours);
}

// Corners that truncate to one point make no face: the normal is 0 rather than a division by 0.
TEST(Triangle, NoFaceNoNormal)
{
    Vertex a, b, c;
    b.x = 0.4f, b.y = -0.3f, b.z = 0.9f;
    c.x = c.z = 176;
    Triangle face;
    face.setVertexData(a, b, c);
    EXPECT_TRUE(face.getNx() == 0 && face.getNy() == 0 && face.getNz() == 0);
}

// At each height the dome is a 16-gon with corners toward angle 0, pi/8, ...; its rings (corner
// radius, height) are the lower one, the upper one and the zenith. Halfway between two corners,
// at angle pi/16, a side lies cos(pi/16) of the corner radius away: there the inside ends.
TEST(SkyDome, InsideEndsAtItsSides)
{
    const double rings[3][2] = {{1e5 / 3, -80000}, {1e5 / 3 * 0.7071, 23570}, {0, 1e5 / 3}};
    const double c = std::cos(M_PI / 16), s = std::sin(M_PI / 16);
    for (double y : {-79000.0, 0.0, 6400.0, 23570.0, 30000.0})
        for (double margin : {0.0, 2000.0}) {
            const int k = y <= 23570 ? 0 : 1;
            const double f = (y - rings[k][1]) / (rings[k + 1][1] - rings[k][1]);
            const double side = c * (rings[k][0] + f * (rings[k + 1][0] - rings[k][0])) - margin;
            EXPECT_TRUE(inside_sky_dome((side - 1) * c, y, (side - 1) * s, margin)) << y;
            EXPECT_FALSE(inside_sky_dome((side + 1) * c, y, (side + 1) * s, margin)) << y;
        }
    EXPECT_FALSE(inside_sky_dome(0, 33400, 0, 0));
    EXPECT_FALSE(inside_sky_dome(0, -80100, 0, 0));
}

}  // namespace
