// The landscape generated from the random source's first state: its reference figures, the
// four meshes, the console line of a level switch, detail by distance (the coarser meshes
// against the chosen level's, each patch's error, the levels chosen for an eye, the curtains
// between levels), and the face normal of a triangle. The sky dome's inside.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
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

const float side = 29568, first = -14784;

// The height of a mesh laid out as the terrain's (cells row by row, A B C, A C D) at x, z, from
// the triangle of its cell that holds the point.
double height_on(const std::vector<float>& v, int cells, double x, double z)
{
    const int i = std::min(int((z - first) / side * cells), cells - 1);
    const int j = std::min(int((x - first) / side * cells), cells - 1);
    for (int t = 0; t < 2; ++t) {
        const float* p = &v[((size_t(i) * cells + j) * 6 + size_t(t) * 3) * 3];
        const double d = (p[3] - p[0]) * (p[8] - p[2]) - (p[6] - p[0]) * (p[5] - p[2]);
        const double u = ((x - p[0]) * (p[8] - p[2]) - (p[6] - p[0]) * (z - p[2])) / d;
        const double w = ((p[3] - p[0]) * (z - p[2]) - (x - p[0]) * (p[5] - p[2])) / d;
        if (u >= -1e-9 && w >= -1e-9 && u + w <= 1 + 1e-9)
            return p[1] + u * (p[4] - p[1]) + w * (p[7] - p[1]);
    }
    ADD_FAILURE() << "no triangle holds " << x << ", " << z;
    return 0;
}

// Every coarser mesh starts its cells on the chosen level's points, as the chosen level's mesh
// draws them (place, colour, texture coordinates), and each patch's error is the largest height
// difference between the two meshes over the chosen level's vertices in it.
TEST_F(Landscape, DetailCoarserMeshesMeetTheChosenLevel)
{
    for (int finest = 1; finest <= 3; ++finest) {
        printed(grid, finest);
        const TerrainDetail& detail = grid->detail;
        const int fine_cells = TerrainPatches::per_side << finest;
        for (int k = 0; k < finest; ++k) {
            const DetailMesh& mesh = detail.coarser[k];
            const int cells = TerrainPatches::per_side << k, step = 1 << (finest - k);
            ASSERT_EQ(mesh.count(), size_t(cells) * cells * 6);
            for (int i = 0; i < cells; ++i)
                for (int j = 0; j < cells; ++j) {
                    const size_t at = (size_t(i) * cells + j) * 6;
                    const size_t fine = (size_t(i) * step * fine_cells + size_t(j) * step) * 6;
                    for (int c = 0; c < 3; ++c)
                        ASSERT_TRUE(mesh.vertices[at * 3 + c] == grid->vertices[fine * 3 + c] &&
                                    mesh.colours[at * 3 + c] == grid->colours[fine * 3 + c])
                            << finest << " " << k << ": " << i << ", " << j;
                    ASSERT_TRUE(mesh.texCoords[at * 2] == grid->texCoord0[fine * 2] &&
                                mesh.texCoords[at * 2 + 1] == grid->texCoord0[fine * 2 + 1]);
                }
            std::vector<double> largest(TerrainDetail::patch_count, 0);
            for (size_t v = 0; v < grid->vertices.size(); v += 3) {
                const double x = grid->vertices[v], z = grid->vertices[v + 2];
                const int cell = int(v / 18), row = cell / fine_cells, column = cell % fine_cells;
                const int p = (row >> finest) * TerrainPatches::per_side + (column >> finest);
                double& most = largest[size_t(p)];
                const double coarse = height_on(mesh.vertices, cells, x, z);
                most = std::max(most, std::fabs(grid->vertices[v + 1] - coarse));
            }
            for (int p = 0; p < TerrainDetail::patch_count; ++p)
                ASSERT_NEAR(detail.errors[size_t(p) * 3 + size_t(k)], largest[size_t(p)], 0.01)
                    << finest << " " << k << ": patch " << p;
        }
    }
}

// From the start of the runway in the 640 by 480 window: near patches keep the chosen level,
// flat ones farther out take the coarsest, and wherever a coarser mesh is drawn its error seen
// from the eye stays within two pixels. Farther from the same ground, no patch grows finer.
TEST_F(Landscape, DetailChoosesCoarserMeshesWhereTheErrorIsSmall)
{
    printed(grid, 3);
    TerrainDetail& detail = grid->detail;
    const double pixels = 480 / (2 * std::tan(40 * M_PI / 180));
    const double eye[3] = {0, 10, -230}, far_eye[3] = {0, 20000, -230};
    detail.choose(eye, pixels, grid->patches);
    int coarse = 0, before[TerrainDetail::patch_count];
    for (int p = 0; p < TerrainDetail::patch_count; ++p) {
        const float* box = &grid->patches.boxes[size_t(p) * 6];
        double sum = 0;
        for (int k = 0; k < 3; ++k) {
            const double out = std::max({box[k] - eye[k], 0.0, eye[k] - box[3 + k]});
            sum += out * out;
        }
        const double distance = std::sqrt(sum);
        const int chosen = detail.levels[p];
        before[p] = chosen;
        if (distance < TerrainDetail::always_fine) {
            EXPECT_EQ(chosen, 3) << p;
        } else if (box[1] == 0 && box[4] == 0) {
            EXPECT_EQ(chosen, 0) << "flat patch " << p;
        }
        if (chosen < 3) {
            ++coarse;
            EXPECT_LE(detail.errors[size_t(p) * 3 + size_t(chosen)] * pixels / distance, 2) << p;
            EXPECT_GE(distance, detail.coarse_from) << p;
        }
    }
    EXPECT_GT(coarse, 40);
    EXPECT_GE(detail.coarse_from, TerrainDetail::always_fine);
    detail.choose(far_eye, pixels, grid->patches);
    for (int p = 0; p < TerrainDetail::patch_count; ++p)
        EXPECT_LE(detail.levels[p], before[p]) << p;
}

// Patches given levels at random: along every edge between two levels, the curtains cover the
// upright gap between the coarser patch's edge and the finer one's, reaching past it by no more
// than their overlap; no curtain hangs anywhere else.
TEST_F(Landscape, DetailCurtainsCloseEveryGap)
{
    printed(grid, 3);
    TerrainDetail& detail = grid->detail;
    const int n = TerrainPatches::per_side, patch_side = int(side) / n;
    unsigned state = 7;
    for (int& level : detail.levels) level = int((state = state * 1103515245 + 12345) >> 16) % 4;
    bool shown[TerrainDetail::patch_count];
    std::fill(std::begin(shown), std::end(shown), true);
    detail.hang_curtains(shown);
    const DetailMesh& curtains = detail.curtains;
    ASSERT_GT(curtains.count(), 0u);
    // Each curtain triangle, by its edge: along z at x = first + column * patch_side (key
    // column), or along x at z = first + row * patch_side (key 1000 + row).
    std::map<int, std::vector<const float*>> by_edge;
    for (size_t v = 0; v < curtains.vertices.size(); v += 9) {
        const float* t = &curtains.vertices[v];
        const bool along_z = t[0] == t[3] && t[0] == t[6], along_x = t[2] == t[5] && t[2] == t[8];
        ASSERT_TRUE(along_z || along_x) << "an upright triangle";
        if (along_z && along_x) continue;  // where the edges cross: no area
        const float at = along_z ? t[0] : t[2];
        const int line = int(std::lround((at - first) / patch_side));
        ASSERT_EQ(first + line * patch_side, at) << "on a patch's edge";
        by_edge[along_z ? line : 1000 + line].push_back(t);
    }
    // The height of a level's surface along an edge, between that level's points.
    auto edge_height = [&](int level, bool along_z, int line, double s) {
        const int step = 8 >> level, last = 168;  // the chosen level's points between them
        const double f = (s - first) / 176;
        const int i0 = std::min(int(f) / step * step, last - step);
        const double share = (f - i0) / step;
        const int l = line * 8;
        const double a = along_z ? grid->Grid3[i0][l].y : grid->Grid3[l][i0].y;
        const double b = along_z ? grid->Grid3[i0 + step][l].y : grid->Grid3[l][i0 + step].y;
        return a + share * (b - a);
    };
    // Places and heights are floats of up to 15000: a few of their last places may differ.
    const double tolerance = 0.01;
    ASSERT_LT(TerrainDetail::curtain_overlap, 1);
    int gaps = 0;
    for (const bool along_z : {true, false})
        for (int line = 1; line < n; ++line)
            for (int k = 0; k < n; ++k) {
                // The patches on either side of this stretch of the edge.
                const int before = along_z ? k * n + line - 1 : (line - 1) * n + k;
                const int after = along_z ? before + 1 : before + n;
                const auto found = by_edge.find(along_z ? line : 1000 + line);
                for (int sample = 0; sample < 64; ++sample) {
                    const double s = first + (k + (sample + 0.37) / 64) * patch_side;
                    const double a = edge_height(detail.levels[before], along_z, line, s);
                    const double b = edge_height(detail.levels[after], along_z, line, s);
                    const double lo = std::min(a, b), hi = std::max(a, b);
                    // Where the curtains cross the upright line at s, merged.
                    std::vector<std::pair<double, double>> spans;
                    if (found != by_edge.end())
                        for (const float* t : found->second) {
                            double low = 1e9, high = -1e9;
                            for (int e = 0; e < 3; ++e) {
                                const float* p = t + e * 3;
                                const float* q = t + (e + 1) % 3 * 3;
                                const double ps = along_z ? p[2] : p[0], qs = along_z ? q[2] : q[0];
                                if ((ps - s) * (qs - s) > 0 || ps == qs) continue;
                                const double y = p[1] + (q[1] - p[1]) * (s - ps) / (qs - ps);
                                low = std::min(low, y), high = std::max(high, y);
                            }
                            if (low <= high) spans.push_back({low, high});
                        }
                    std::sort(spans.begin(), spans.end());
                    double covered_to = lo, lowest = hi, highest = lo;
                    for (const auto& [low, high] : spans) {
                        if (low <= covered_to + tolerance) covered_to = std::max(covered_to, high);
                        lowest = std::min(lowest, low), highest = std::max(highest, high);
                    }
                    if (detail.levels[before] == detail.levels[after]) {
                        EXPECT_TRUE(spans.empty()) << "a curtain between patches of one level";
                        continue;
                    }
                    ++gaps;
                    const double past = TerrainDetail::curtain_overlap + tolerance;
                    EXPECT_GE(covered_to, hi - tolerance) << along_z << " " << line << " at " << s;
                    EXPECT_TRUE(lowest >= lo - past && highest <= hi + past) << "past it at " << s;
                }
            }
    EXPECT_GT(gaps, 1000);
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
