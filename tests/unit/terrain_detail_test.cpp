// Detail by distance on the landscape of the random source's first state: the coarser meshes
// against the chosen level's, the error each patch is given, the levels chosen for an eye, and
// the curtains between patches of different levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "core/Global.h"
#include "terrain/TerrainGrid.h"

namespace {

class Detail : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        grid = new TerrainGrid;
        random_state = 1;
        grid->setPoints();
    }
    static void TearDownTestSuite() { delete grid; }
    static void make_current(int level)
    {
        testing::internal::CaptureStdout();
        grid->update_current(level);
        testing::internal::GetCapturedStdout();
    }
    static TerrainGrid* grid;
};
TerrainGrid* Detail::grid = nullptr;

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
TEST_F(Detail, CoarserMeshesMeetTheChosenLevel)
{
    for (int finest = 1; finest <= 3; ++finest) {
        make_current(finest);
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
                most = std::max(most, std::fabs(grid->vertices[v + 1] - height_on(mesh.vertices, cells, x, z)));
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
TEST_F(Detail, ChoosesCoarserMeshesWhereTheErrorIsSmall)
{
    make_current(3);
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
    for (int p = 0; p < TerrainDetail::patch_count; ++p) EXPECT_LE(detail.levels[p], before[p]) << p;
}

// Patches given levels at random: along every edge between two levels, the curtains cover the
// upright gap between the coarser patch's edge and the finer one's, reaching past it by no more
// than their overlap; no curtain hangs anywhere else.
TEST_F(Detail, CurtainsCloseEveryGapExactly)
{
    make_current(3);
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
                    EXPECT_GE(covered_to, hi - tolerance) << along_z << " " << line << " " << k << " at " << s;
                    const double past = TerrainDetail::curtain_overlap + tolerance;
                    EXPECT_TRUE(lowest >= lo - past && highest <= hi + past) << "past the gap at " << s;
                }
            }
    EXPECT_GT(gaps, 1000);
}

}  // namespace
