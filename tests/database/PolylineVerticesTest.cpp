// The polyline vertex block: bulges and widths appear only once a vertex has
// a non-zero one, and every edit keeps all three arrays in step.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "database/dbpolylinevertices.h"

namespace {

using Vertex = AcDbPolylineVertex;

void expectSame(const AcDbPolylineVertices& list, const std::vector<Vertex>& model, int step) {
    ASSERT_EQ(list.size(), model.size()) << "step " << step;
    for (unsigned i = 0; i < model.size(); ++i) {
        const Vertex v = list[i];
        ASSERT_EQ(v.point.x, model[i].point.x) << "step " << step << " vertex " << i;
        ASSERT_EQ(v.point.y, model[i].point.y) << "step " << step << " vertex " << i;
        ASSERT_EQ(v.bulge, model[i].bulge) << "step " << step << " vertex " << i;
        ASSERT_EQ(v.startWidth, model[i].startWidth) << "step " << step << " vertex " << i;
        ASSERT_EQ(v.endWidth, model[i].endWidth) << "step " << step << " vertex " << i;
    }
}

TEST(PolylineVertices, PlainVerticesKeepNoBulgesOrWidths) {
    AcDbPolylineVertices list;
    for (int k = 0; k < 6; ++k) list.append({AcGePoint2d(k, 2 * k)});
    list.insert(0, {AcGePoint2d(-1, -1)});
    list.setBulge(3, 0.0);
    list.setWidths(2, 0.0, 0.0);
    list.erase(1);
    EXPECT_FALSE(list.hasBulges());
    EXPECT_FALSE(list.hasWidths());
    expectSame(list, {{AcGePoint2d(-1, -1)}, {AcGePoint2d(1, 2)}, {AcGePoint2d(2, 4)}, {AcGePoint2d(3, 6)},
                      {AcGePoint2d(4, 8)}, {AcGePoint2d(5, 10)}},
               0);
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.capacity(), 0u);
}

// The first non-zero value of a kind gives every vertex that kind, zero for
// those that had none, whatever the other kind's state.
TEST(PolylineVertices, FirstBulgeOrWidthGivesEveryVertexZerosAndKeepsPoints) {
    AcDbPolylineVertices list;
    list.reserve(3);
    for (int k = 0; k < 3; ++k) list.append({AcGePoint2d(k, -k)});
    list.setWidths(2, 0.5, 0.75);
    EXPECT_TRUE(list.hasWidths());
    EXPECT_FALSE(list.hasBulges());
    list.setBulge(0, -1.0);
    EXPECT_TRUE(list.hasBulges());
    expectSame(list, {{AcGePoint2d(0, 0), -1.0, 0, 0}, {AcGePoint2d(1, -1)}, {AcGePoint2d(2, -2), 0, 0.5, 0.75}}, 0);
    // An inserted vertex with both kinds, into a full block.
    list.insert(1, {AcGePoint2d(9, 9), 0.25, 1.0, 2.0});
    expectSame(list, {{AcGePoint2d(0, 0), -1.0, 0, 0}, {AcGePoint2d(9, 9), 0.25, 1.0, 2.0}, {AcGePoint2d(1, -1)},
                      {AcGePoint2d(2, -2), 0, 0.5, 0.75}},
               1);
    list.erase(0);
    list.erase(2);
    expectSame(list, {{AcGePoint2d(9, 9), 0.25, 1.0, 2.0}, {AcGePoint2d(1, -1)}}, 2);
}

// Random edits against a plain vector of full vertices: any slip in moving
// one array but not another shows as a mismatch.
TEST(PolylineVertices, RandomEditsMatchAPlainVector) {
    std::mt19937 random(5);
    for (int round = 0; round < 20; ++round) {
        AcDbPolylineVertices list;
        std::vector<Vertex> model;
        for (int step = 0; step < 300; ++step) {
            const unsigned n = static_cast<unsigned>(model.size());
            const int op = static_cast<int>(random() % 10);
            const double a = static_cast<double>(random() % 100), b = static_cast<double>(random() % 7);
            // Rounds differ in how often bulges and widths are non-zero.
            const bool some = static_cast<int>(random() % 20) < round;
            if (op < 5 || n == 0) {
                const unsigned at = n ? static_cast<unsigned>(random() % (n + 1)) : 0;
                Vertex v{AcGePoint2d(a, b), some ? b / 8 : 0.0, some && op == 0 ? a : 0.0, some && op == 1 ? b : 0.0};
                list.insert(at, v);
                model.insert(model.begin() + at, v);
            } else {
                const unsigned at = static_cast<unsigned>(random() % n);
                if (op == 5) {
                    list.erase(at);
                    model.erase(model.begin() + at);
                } else if (op == 6) {
                    list.setBulge(at, some ? -a : 0.0);
                    model[at].bulge = some ? -a : 0.0;
                } else if (op == 7) {
                    list.setWidths(at, some ? b : 0.0, some ? a : 0.0);
                    model[at].startWidth = some ? b : 0.0;
                    model[at].endWidth = some ? a : 0.0;
                } else {
                    list.setPoint(at, AcGePoint2d(b, a));
                    model[at].point = AcGePoint2d(b, a);
                }
            }
            expectSame(list, model, step);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

TEST(PolylineVertices, IteratesEveryVertexWithItsValues) {
    AcDbPolylineVertices list;
    list.append({AcGePoint2d(1, 1), 0.5});
    list.append({AcGePoint2d(2, 2), 0.0, 3.0, 4.0});
    std::vector<Vertex> seen(list.begin(), list.end());
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].bulge, 0.5);
    EXPECT_EQ(seen[1].point.x, 2.0);
    EXPECT_EQ(seen[1].endWidth, 4.0);
}

} // namespace
