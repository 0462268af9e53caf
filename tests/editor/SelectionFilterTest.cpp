// Selection filters on entity group lists: wildcards without case, -4
// comparisons of numbers and points, groupings, and defaults of absent groups.
#include <gtest/gtest.h>

#include <memory>

#include "editor/EditorSelection.h"

namespace {

struct Release {
    void operator()(resbuf* rb) const { acutRelRb(rb); }
};
using List = std::unique_ptr<resbuf, Release>;

class SelectionFilter : public ::testing::Test {
protected:
    // A duct-like entity: type, layer, a real and a start point.
    void SetUp() override {
        const double start[3] = {5, 10, 0};
        entity.reset(acutBuildList(RTDXF0, "ZKDUCT", 8, "Ducts-Supply", 40, 2.5, 10, start, 0));
    }
    bool passes(resbuf* filter) {
        List owned(filter);
        return acedFilterMatches(owned.get(), entity.get());
    }
    List entity;
};

TEST_F(SelectionFilter, GroupsMatchWithWildcardsIgnoringCase) {
    EXPECT_TRUE(passes(acutBuildList(RTDXF0, "zkduct", 0)));
    EXPECT_TRUE(passes(acutBuildList(RTDXF0, "ZK*", 8, "ducts-*", 0)));
    EXPECT_FALSE(passes(acutBuildList(RTDXF0, "ZK*", 8, "Walls", 0)));
    EXPECT_TRUE(passes(acutBuildList(RTDXF0, "LINE,ZKDUCT", 0)));
    EXPECT_TRUE(passes(acutBuildList(RTDXF0, "~LINE", 0)));
    // Colour absent means by layer (256); a group the entity lacks fails.
    EXPECT_TRUE(passes(acutBuildList(62, 256, 0)));
    EXPECT_FALSE(passes(acutBuildList(7, "STANDARD", 0)));
}

TEST_F(SelectionFilter, RelationalOperators) {
    EXPECT_TRUE(passes(acutBuildList(-4, ">", 40, 2.0, 0)));
    EXPECT_FALSE(passes(acutBuildList(-4, "<", 40, 2.0, 0)));
    EXPECT_TRUE(passes(acutBuildList(-4, "!=", 40, 3.0, 0)));
    EXPECT_TRUE(passes(acutBuildList(-4, "*", 40, 99.0, 0)));
    const double corner[3] = {6, 6, 0};
    EXPECT_TRUE(passes(acutBuildList(-4, "<,>,*", 10, corner, 0)));
    EXPECT_FALSE(passes(acutBuildList(-4, "<,<,*", 10, corner, 0)));
    EXPECT_TRUE(passes(acutBuildList(-4, "&", 62, 0x100, 0)));
    EXPECT_FALSE(passes(acutBuildList(-4, "&=", 62, 0x101, 0)));
}

TEST_F(SelectionFilter, Groupings) {
    EXPECT_TRUE(passes(acutBuildList(-4, "<OR", RTDXF0, "LINE", 8, "Ducts*", -4, "OR>", 0)));
    EXPECT_FALSE(passes(acutBuildList(-4, "<AND", RTDXF0, "LINE", 8, "Ducts*", -4, "AND>", 0)));
    EXPECT_FALSE(passes(acutBuildList(-4, "<XOR", RTDXF0, "ZKDUCT", 8, "Ducts*", -4, "XOR>", 0)));
    EXPECT_TRUE(passes(acutBuildList(-4, "<NOT", RTDXF0, "LINE", -4, "NOT>", 0)));
    EXPECT_TRUE(passes(acutBuildList(-4, "<NOT", -4, "<OR", RTDXF0, "LINE", RTDXF0, "ARC", -4, "OR>", -4, "NOT>", 8, "D*", 0)));
    // Groupings end with the list when their close is missing.
    EXPECT_TRUE(passes(acutBuildList(-4, "<OR", RTDXF0, "LINE", RTDXF0, "ZKDUCT", 0)));
}

}  // namespace
