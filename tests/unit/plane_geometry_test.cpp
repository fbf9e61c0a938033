#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <vector>

#include "aircraft/PlaneGeometry.h"

namespace {

using Point = std::array<float, 3>;

Point row_of(const float (*table)[3], int row)
{
    return {table[row][0], table[row][1], table[row][2]};
}

double dot(const Point& a, const Point& b)
{
    return double(a[0]) * b[0] + double(a[1]) * b[1] + double(a[2]) * b[2];
}

Point mean(const std::vector<Point>& points)
{
    Point m{0, 0, 0};
    for (const Point& p : points)
        for (int i = 0; i < 3; ++i) m[i] += p[i] / float(points.size());
    return m;
}

// Twice the area vector of a polygon (Newell's method): perpendicular to a planar face, and the
// best fit for a slightly warped one.
Point area_normal(const std::vector<Point>& p)
{
    Point n{0, 0, 0};
    for (size_t i = 0; i < p.size(); ++i) {
        const Point& a = p[i];
        const Point& b = p[(i + 1) % p.size()];
        n[0] += a[1] * b[2] - a[2] * b[1];
        n[1] += a[2] * b[0] - a[0] * b[2];
        n[2] += a[0] * b[1] - a[1] * b[0];
    }
    return n;
}

std::vector<Point> positions(const FaceGroup& group, const std::vector<int>& rows)
{
    std::vector<Point> points;
    for (int row : rows) points.push_back(row_of(group.table, row));
    return points;
}

// Rows name positions before normals: every position row of a group comes before every normal
// row it uses, and all lie inside the table.
TEST(PlaneGeometry, FacesIndexPositionsThenNormalsInsideTheirTables)
{
    EXPECT_EQ(face_groups.size(), 17u);
    for (const FaceGroup* group : face_groups) {
        int last_position = -1;
        int first_normal = group->table_rows;
        for (const Face& face : group->faces) {
            EXPECT_GE(face.rows.size(), 3u) << group->name;
            for (int row : face.rows) last_position = std::max(last_position, row);
            first_normal = std::min(first_normal, face.normal);
            EXPECT_LT(face.normal, group->table_rows) << group->name;
        }
        EXPECT_LT(last_position, first_normal) << group->name;
    }
}

// Each stored normal points out of its piece along its main axis and stands roughly
// perpendicular to its face. A face given a neighbour's normal row, or a normal with a flipped
// sign, fails one of the two.
TEST(PlaneGeometry, NormalsPointOutOfTheirPieces)
{
    for (const FaceGroup* group : face_groups) {
        if (group->faces.size() < 2) continue;  // the strut is a flat strip
        std::set<int> used;
        for (const Face& face : group->faces) used.insert(face.rows.begin(), face.rows.end());
        const Point centre = mean(positions(*group, {used.begin(), used.end()}));
        for (const Face& face : group->faces) {
            const std::vector<Point> corners = positions(*group, face.rows);
            const Point normal = row_of(group->table, face.normal);
            int axis = 0;
            for (int i = 1; i < 3; ++i)
                if (std::fabs(normal[i]) > std::fabs(normal[axis])) axis = i;
            const Point face_centre = mean(corners);
            EXPECT_GT((face_centre[axis] - centre[axis]) * normal[axis], 0)
                << group->name << ", face with normal row " << face.normal;
            const Point area = area_normal(corners);
            const double cosine =
                std::fabs(dot(area, normal)) / std::sqrt(dot(area, area) * dot(normal, normal));
            EXPECT_GT(cosine, 0.5) << group->name << ", face with normal row " << face.normal;
        }
    }
}

// The fuselage, cabin and tail tables are symmetric about x = 0, so a slip in any number of
// one row leaves that row without its mirror twin. The blades are symmetric about the hub axis.
TEST(PlaneGeometry, CentreLineTablesAreSymmetric)
{
    struct Table {
        const char* name;
        const float (*rows)[3];
        int count;
        float y_sign;  // -1: the twin of (x, y, z) is (-x, -y, z)
    };
    const Table tables[] = {
        {"f_1", f_1, 11, 1},   {"f_2", f_2, 11, 1},       {"f_3", f_3, 11, 1},
        {"f_4", f_4, 12, 1},   {"f_5", f_5, 13, 1},       {"f_6", f_6, 9, 1},
        {"can", can, 13, 1},   {"tail_1", tail_1, 13, 1}, {"tail_2", tail_2, 8, 1},
        {"rudder", rudder, 11, 1}, {"prop", prop, 7, -1},
    };
    for (const Table& table : tables) {
        std::set<Point> rows;
        for (int i = 0; i < table.count; ++i) rows.insert(row_of(table.rows, i));
        for (const Point& p : rows) {
            const Point twin{-p[0] + 0.0f, table.y_sign * p[1] + 0.0f, p[2]};
            EXPECT_TRUE(rows.count(twin)) << table.name << " has no twin of (" << p[0] << ", "
                                          << p[1] << ", " << p[2] << ")";
        }
    }
}

// Where one wing part hangs on another, their edges coincide: the flap (hinged 1.25 behind the
// inner panel's centre) on the inner panel's trailing edge, and the outer panel (3.5 outboard)
// on the inner panel's tip.
TEST(PlaneGeometry, WingPartsMeetAtTheirEdges)
{
    auto translated = [](const float (*table)[3], int row, float dx, float dz) {
        return Point{table[row][0] + dx, table[row][1], table[row][2] + dz};
    };
    const int inner_trailing_edge[] = {0, 3, 7, 4};
    const int flap_leading_edge[] = {0, 1, 2, 3};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(translated(flap, flap_leading_edge[i], 0, -1.25f),
                  row_of(m_wing_1, inner_trailing_edge[i]));
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(translated(m_wing_2, i, 3.5f, 0), row_of(m_wing_1, 4 + i)) << "row " << i;
    // The tip closes the outer panel's thinner end at its trailing corners.
    EXPECT_EQ(translated(m_wing_3, 1, 5.5f, 0), translated(m_wing_2, 5, 3.5f, 0));
    EXPECT_EQ(translated(m_wing_3, 2, 5.5f, 0), translated(m_wing_2, 6, 3.5f, 0));
}

}  // namespace
