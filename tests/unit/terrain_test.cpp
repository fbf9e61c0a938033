#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>
#include <memory>
#include <sstream>

#include "shell/Global.h"
#include "shell/Keyboard.h"
#include "shell/Sim.h"
#include "terrain/TerrainGrid.h"
#include "terrain/Triangle.h"

namespace {

Vertex at(float x, float y, float z)
{
    Vertex v;
    v.x = x;
    v.y = y;
    v.z = z;
    return v;
}

void expect_normal(const Triangle& face, float x, float y, float z)
{
    EXPECT_EQ(face.getNx(), x);
    EXPECT_EQ(face.getNy(), y);
    EXPECT_EQ(face.getNz(), z);
}

TEST(Vertex, AccessorsTruncateTowardZero)
{
    Vertex v = at(-0.5f, 704.9f, -2.9f);
    EXPECT_EQ(v.getX(), 0);
    EXPECT_EQ(v.getY(), 704);
    EXPECT_EQ(v.getZ(), -2);
}

TEST(Vertex, MidpointCarriesOnlyThePosition)
{
    Vertex p = at(0, 0, 0), q = at(1408, 5000, 0);
    p.setAll(0, 0, 0, 0.5f, 0.6f, 0.7f, 1, 0.25f, 0.75f);
    q.setR(1);
    q.setTexCoordx(0.5f);
    const Vertex m = getMidpoint(p, q);
    EXPECT_EQ(m.x, 704);
    EXPECT_EQ(m.y, 2500);
    EXPECT_EQ(m.z, 0);
    for (float field : {m.r, m.g, m.b, m.a, m.texCoordx, m.texCoordy}) EXPECT_EQ(field, 0);
}

TEST(Triangle, NormalFollowsTheWindingOfTruncatedCorners)
{
    Triangle face;
    face.setVertexData(at(0, 0, 0), at(0, 0, 176), at(176, 0, 176));
    expect_normal(face, 0, 1, 0);
    face.setVertexData(at(176, 0, 176), at(0, 0, 176), at(0, 0, 0));
    expect_normal(face, 0, -1, 0);
    // All three heights truncate to 10 before the edges are formed.
    face.setVertexData(at(0, 10.2f, 0), at(0, 10.7f, 176), at(176, 10.9f, 176));
    expect_normal(face, 0, 1, 0);
    // Two corners on one integer point: no face, and no division by zero.
    face.setVertexData(at(0, 0, 0), at(0.4f, 0.3f, 0.9f), at(176, 0, 176));
    expect_normal(face, 0, 0, 0);
    // A slope: e1 = (0, -1408, -1408), e2 = (-1408, 0, 0).
    face.setVertexData(at(0, 0, 0), at(0, 1408, 1408), at(1408, 1408, 1408));
    EXPECT_FLOAT_EQ(face.getNy(), float(1 / std::sqrt(2.0)));
    EXPECT_FLOAT_EQ(face.getNz(), -float(1 / std::sqrt(2.0)));
}

// One landscape for the whole suite, generated from the generator's first state.
class Landscape : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        grid = new TerrainGrid;
        random_state = 1;
        grid->setPoints();
    }
    static void TearDownTestSuite()
    {
        delete grid;
        grid = nullptr;
    }
    static TerrainGrid* grid;
};
TerrainGrid* Landscape::grid = nullptr;

TEST_F(Landscape, ReferenceHeightsAndDrawOrder)
{
    EXPECT_EQ(grid->Grid0[0][0].y, 4541);  // from the first draw, 16838
    EXPECT_EQ(grid->Grid0[0][1].y, 3527);
    EXPECT_EQ(grid->Grid0[0][2].y, 3925);
    EXPECT_EQ(grid->Grid0[0][0].x, -14784);
    EXPECT_EQ(grid->Grid0[21][3].z, 14784);
    EXPECT_EQ(grid->Grid0[21][3].x, -14784 + 3 * 1408);

    // The first interior point takes the draw after all 484 rim draws.
    random_state = 1;
    for (int k = 0; k < 484; ++k) random_next();
    EXPECT_EQ(grid->Grid0[2][2].y, float(int(randomRange(-1500, 1500))));

    for (int i = 0; i < 22; ++i)
        for (int j = 0; j < 22; ++j) {
            const float y = grid->Grid0[i][j].y;
            EXPECT_EQ(y, float(int(y)));
            const bool rim = i < 2 || i > 19 || j < 2 || j > 19;
            EXPECT_GE(y, rim ? 3000 : -1500) << i << "," << j;
            EXPECT_LE(y, rim ? 5999 : 1499) << i << "," << j;
        }

    // The range covers the rim and every midpoint, but not the hills drawn into Grid0.
    float lowest = 0, highest = 0;
    for (int r = 0; r < 169; ++r)
        for (int c = 0; c < 169; ++c) {
            const bool hill =
                r % 8 == 0 && c % 8 == 0 && r >= 16 && r <= 152 && c >= 16 && c <= 152;
            if (!hill) lowest = std::min(lowest, grid->Grid3[r][c].y);
            highest = std::max(highest, grid->Grid3[r][c].y);
        }
    EXPECT_EQ(grid->lowestY, lowest);
    EXPECT_EQ(grid->highestY, highest);
}

bool same_fields(const Vertex& a, const Vertex& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_F(Landscape, CoarsePointsRecurInEveryFinerGrid)
{
    for (int i = 0; i < 22; ++i)
        for (int j = 0; j < 22; ++j)
            ASSERT_TRUE(same_fields(grid->Grid3[8 * i][8 * j], grid->Grid0[i][j])) << i << "," << j;
    for (int i = 0; i < 43; ++i)
        for (int j = 0; j < 43; ++j)
            ASSERT_TRUE(same_fields(grid->Grid2[2 * i][2 * j], grid->Grid1[i][j])) << i << "," << j;
    for (const Vertex* corner : {&grid->Grid1[42][0], &grid->Grid2[84][84], &grid->Grid3[0][168]})
        EXPECT_TRUE(corner->y >= 3000 && corner->y <= 5999);
}

// Checks a grid of n points per side: flat centre, midpoints never below their parents' mean,
// colour and texture fields untouched.
template <int n>
void check_refined(const Vertex (&g)[n][n])
{
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const Vertex& p = g[r][c];
            if (std::abs(p.x) <= 4928 && std::abs(p.z) <= 4928) {
                ASSERT_EQ(p.y, 0) << r << "," << c;
            }
            ASSERT_EQ(p.r + p.g + p.b + p.a + p.texCoordx + p.texCoordy, 0);
            if (r % 2 == 1 && c % 2 == 0) {
                ASSERT_GE(p.y, float((g[r - 1][c].y + g[r + 1][c].y) * 0.5)) << r << "," << c;
            }
            if (c % 2 == 1) {
                ASSERT_GE(p.y, float((g[r][c - 1].y + g[r][c + 1].y) * 0.5)) << r << "," << c;
            }
        }
}

TEST_F(Landscape, FlatCentreAndRaisedMidpoints)
{
    check_refined(grid->Grid1);
    check_refined(grid->Grid2);
    check_refined(grid->Grid3);
    // Just outside the flat square a midpoint has one flat parent and is displaced above half
    // of the other.
    const Vertex& edge = grid->Grid1[15][29];  // between Grid0[7][14] (0) and Grid0[8][15]
    EXPECT_NE(edge.y, 0);
}

TEST_F(Landscape, MeshCountsIndicesAndNormals)
{
    const struct {
        const std::vector<float>& vertices;
        const std::vector<float>& normals;
        const std::vector<float>& colours;
        const std::vector<float>& tc0;
        const std::vector<float>& tc1;
        const std::vector<unsigned>& indices;
        size_t triangles;
    } levels[] = {
        {grid->l0_vertices, grid->l0_normals, grid->l0_colours, grid->l0_texCoord0,
         grid->l0_texCoord1, grid->l0_indices, 882},
        {grid->l1_vertices, grid->l1_normals, grid->l1_colours, grid->l1_texCoord0,
         grid->l1_texCoord1, grid->l1_indices, 3528},
        {grid->l2_vertices, grid->l2_normals, grid->l2_colours, grid->l2_texCoord0,
         grid->l2_texCoord1, grid->l2_indices, 14112},
        {grid->l3_vertices, grid->l3_normals, grid->l3_colours, grid->l3_texCoord0,
         grid->l3_texCoord1, grid->l3_indices, 56448},
    };
    for (const auto& level : levels) {
        const size_t count = level.triangles * 3;
        ASSERT_EQ(level.indices.size(), count);
        ASSERT_EQ(level.vertices.size(), count * 3);
        ASSERT_EQ(level.normals.size(), count * 3);
        ASSERT_EQ(level.colours.size(), count * 3);
        ASSERT_EQ(level.tc0.size(), count * 2);
        EXPECT_EQ(level.tc0, level.tc1);
        for (size_t k = 0; k < count; ++k) {
            ASSERT_EQ(level.indices[k], k);
            ASSERT_GT(level.normals[3 * k + 1], 0) << "vertex " << k;
        }
    }
    EXPECT_EQ(grid->indexCounter, 169344);  // left at the last level's count
}

TEST_F(Landscape, FirstTrianglesOfLevelZero)
{
    const Vertex& a = grid->Grid0[0][0];
    const Vertex& b = grid->Grid0[1][0];
    const Vertex& c = grid->Grid0[1][1];
    const Vertex& d = grid->Grid0[0][1];
    const Vertex* expected[] = {&a, &b, &c, &a, &c, &d};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(grid->l0_vertices[3 * k], expected[k]->x);
        EXPECT_EQ(grid->l0_vertices[3 * k + 1], expected[k]->y);
        EXPECT_EQ(grid->l0_vertices[3 * k + 2], expected[k]->z);
    }
    Triangle first, second;
    first.setVertexData(a, b, c);
    second.setVertexData(a, c, d);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(grid->l0_normals[3 * k + 1], first.getNy());
        EXPECT_EQ(grid->l0_normals[9 + 3 * k + 1], second.getNy());
    }
    EXPECT_NE(first.getNy(), second.getNy());  // two different faces on this rim cell
    const float s = 1.0f / 22;
    const float expected_tc[] = {0, 0, s, 0, s, s, 0, 0, s, s, 0, s};
    for (int k = 0; k < 12; ++k) EXPECT_EQ(grid->l0_texCoord0[k], expected_tc[k]);

    // A cell of the flat centre: both faces straight up, all six vertices dark green.
    const size_t flat = 6 * (21 * 10 + 10);
    for (size_t k = flat; k < flat + 6; ++k) {
        EXPECT_EQ(grid->l0_normals[3 * k + 1], 1);
        EXPECT_FLOAT_EQ(grid->l0_colours[3 * k + 1], 0.32f);
    }
}

// The texture coordinate at grid point [n-1][n-1] is the float sum of n - 1 steps, not 1.
TEST_F(Landscape, FarCornerTextureCoordinatesAreFloatSums)
{
    const struct {
        const std::vector<float>& tc;
        int n;
    } levels[] = {{grid->l0_texCoord0, 22}, {grid->l1_texCoord0, 43}, {grid->l2_texCoord0, 85},
                  {grid->l3_texCoord0, 169}};
    bool any_differs_from_product = false;
    for (const auto& level : levels) {
        const float s = 1.0f / level.n;
        float sum = 0;
        for (int k = 0; k < level.n - 1; ++k) sum += s;
        const size_t c = level.tc.size() / 2 - 4;  // corner C of the last cell's first triangle
        EXPECT_EQ(level.tc[2 * c], sum) << level.n;
        EXPECT_EQ(level.tc[2 * c + 1], sum) << level.n;
        EXPECT_LT(sum, 1.0f);
        any_differs_from_product |= sum != float(level.n - 1) * s;
    }
    EXPECT_TRUE(any_differs_from_product) << "the sums no longer tell accumulation from products";
}

TEST(TerrainColours, FromHeight)
{
    auto grid = std::make_unique<TerrainGrid>();
    grid->Grid0[0][0].y = 0;
    grid->Grid0[1][0].y = 3000;
    grid->Grid0[1][1].y = 6000;
    grid->Grid0[0][1].y = -1500;
    grid->makeTriangles();
    // Vertices A, B, C, A, C, D of the first cell.
    const float expected[][3] = {{0, 0.32f, 0}, {0.5f, 0.64f, 0.5f},     {1, 0.96f, 1},
                                 {0, 0.32f, 0}, {1, 0.96f, 1}, {-0.25f, 0.16f, -0.25f}};
    for (int k = 0; k < 6; ++k)
        for (int channel = 0; channel < 3; ++channel)
            EXPECT_FLOAT_EQ(grid->l0_colours[3 * k + channel], expected[k][channel]) << k;
}

// Runs `action` and returns what it printed to standard output.
template <typename Action>
std::string printed(Action action)
{
    std::ostringstream captured;
    std::streambuf* original = std::cout.rdbuf(captured.rdbuf());
    action();
    std::cout.rdbuf(original);
    return captured.str();
}

TEST_F(Landscape, UpdateCurrentCopiesTheLevelAndReports)
{
    const char* lines[] = {"  Terrain: 882 triangles\n\n", "  Terrain: 3528 triangles\n\n",
                           "  Terrain: 14112 triangles\n\n", "  Terrain: 56448 triangles\n\n"};
    const std::vector<float>* level_vertices[] = {&grid->l0_vertices, &grid->l1_vertices,
                                                  &grid->l2_vertices, &grid->l3_vertices};
    for (int repeat = 0; repeat < 2; ++repeat)
        for (int t : {2, 0, 3, 1}) {
            EXPECT_EQ(printed([&] { grid->update_current(t); }), lines[t]);
            EXPECT_EQ(grid->vertices, *level_vertices[t]);
            EXPECT_EQ(grid->indices.size() * 3, level_vertices[t]->size());
        }
    EXPECT_EQ(grid->texCoord0, grid->l1_texCoord0);
    EXPECT_EQ(grid->colours, grid->l1_colours);
    EXPECT_EQ(grid->normals, grid->l1_normals);
    for (int t : {4, -1}) {
        EXPECT_EQ(printed([&] { grid->update_current(t); }), "");
        EXPECT_EQ(grid->vertices, grid->l1_vertices);
    }
}

TEST(TerrainKeys, LevelStaysInRangeAndIsReselectedAtItsLimits)
{
    // The global landscape is not generated here, so every level reports 0 triangles.
    const std::string line = "  Terrain: 0 triangles\n\n";
    const int saved_level = level;
    level = 2;
    EXPECT_EQ(printed([] { keyb('a', 0, 0); keyb('A', 0, 0); }), line + line);
    EXPECT_EQ(level, 3);
    EXPECT_EQ(printed([] { for (int k = 0; k < 4; ++k) keyb(k % 2 ? 'Z' : 'z', 0, 0); }),
              line + line + line + line);
    EXPECT_EQ(level, 0);
    level = saved_level;
}

}  // namespace
