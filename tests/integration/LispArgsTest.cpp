// Argument readers: what each accepts, what it consumes, where it leaves the
// cursor on failure.
#include <gtest/gtest.h>

#include "geometry/AcGePoint3d.h"
#include "integration/LispArgs.h"

namespace {

struct Chain {
    explicit Chain(resbuf* rb) : head(rb) {}
    ~Chain() { acutRelRb(head); }
    resbuf* head;
};

} // namespace

TEST(ArgReaders, StringThenInt) {
    Chain c(acutBuildList(RTSTR, "a", RTSHORT, 5, 0));
    ArgCursor cur(c.head);
    std::string s;
    int32_t n = 0;
    ASSERT_TRUE(argString(cur, s));
    ASSERT_TRUE(argInt(cur, n));
    EXPECT_EQ(s, "a");
    EXPECT_EQ(n, 5);
    EXPECT_TRUE(cur.atEnd());
}

TEST(ArgReaders, IntTruncatesRealsAndAnswersGroupCodes) {
    Chain c(acutBuildList(RTREAL, 70000.0, RTREAL, -2.9, 8, "LAYER", 0));
    ArgCursor cur(c.head);
    int32_t n = 0;
    ASSERT_TRUE(argInt(cur, n));
    EXPECT_EQ(n, 70000);
    ASSERT_TRUE(argInt(cur, n));
    EXPECT_EQ(n, -2);
    // A DXF group node gives its own code and stays under the cursor.
    resbuf* group = cur.node();
    ASSERT_TRUE(argInt(cur, n));
    EXPECT_EQ(n, 8);
    EXPECT_EQ(cur.node(), group);
}

TEST(ArgReaders, FailureLeavesCursor) {
    Chain c(acutBuildList(RTSTR, "x", 0));
    ArgCursor cur(c.head);
    int32_t n = 0;
    double r = 0;
    EXPECT_FALSE(argInt(cur, n));
    EXPECT_FALSE(argReal(cur, r));
    EXPECT_FALSE(argRealOnly(cur, r));
    EXPECT_EQ(cur.node(), c.head);
}

TEST(ArgReaders, RealOnlyRejectsIntegers) {
    Chain c(acutBuildList(RTSHORT, 3, 0));
    ArgCursor cur(c.head);
    double r = 0;
    EXPECT_FALSE(argRealOnly(cur, r));
    ASSERT_TRUE(argReal(cur, r));
    EXPECT_EQ(r, 3.0);
}

TEST(ArgReaders, BoolRules) {
    Chain c(acutBuildList(RTNIL, RTT, RTSHORT, 0, RTLE, 0));
    ArgCursor cur(c.head);
    bool b = true;
    ASSERT_TRUE(argBool(cur, b));
    EXPECT_FALSE(b);
    ASSERT_TRUE(argBool(cur, b));
    EXPECT_TRUE(b);
    ASSERT_TRUE(argBool(cur, b)); // any other node is true, even 0
    EXPECT_TRUE(b);
    resbuf* end = cur.node();
    ASSERT_TRUE(argBool(cur, b)); // RTLE: false, not consumed
    EXPECT_FALSE(b);
    EXPECT_EQ(cur.node(), end);
    ArgCursor exhausted(nullptr);
    EXPECT_FALSE(argBool(exhausted, b));
    Chain lb(acutBuildList(RTLB, RTLE, 0));
    ArgCursor atList(lb.head);
    EXPECT_FALSE(argBool(atList, b));
}

TEST(ArgReaders, Point3dFromNumbers) {
    Chain c(acutBuildList(RTSHORT, 1, RTLONG, 2, RTREAL, 3.0, 0));
    ArgCursor cur(c.head);
    AcGePoint3d p;
    ASSERT_TRUE(argPoint3d(cur, p));
    EXPECT_EQ(p, AcGePoint3d(1, 2, 3));
    EXPECT_TRUE(cur.atEnd());

    Chain d(acutBuildList(RTREAL, 1.0, RTREAL, 2.0, RTSTR, "s", 0));
    ArgCursor cur2(d.head);
    ASSERT_TRUE(argPoint3d(cur2, p));
    EXPECT_EQ(p, AcGePoint3d(1, 2, 0));
    ASSERT_NE(cur2.node(), nullptr);
    EXPECT_EQ(cur2.node()->restype, RTSTR);
}

TEST(ArgReaders, PointNodes) {
    double pt[3] = {4, 5, 6};
    Chain c(acutBuildList(RTPOINT, pt, RT3DPOINT, pt, 0));
    ArgCursor cur(c.head);
    AcGePoint3d p;
    ASSERT_TRUE(argPoint3d(cur, p));
    EXPECT_EQ(p, AcGePoint3d(4, 5, 0));
    double x = 0, y = 0;
    ASSERT_TRUE(argPoint2d(cur, x, y));
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 5);
}

TEST(ArgReaders, StringIntPair) {
    // ("A" . 3.7) as received: RTLB "A" 3.7 RTDOTE
    Chain c(acutBuildList(RTLB, RTSTR, "A", RTREAL, 3.7, RTDOTE, 0));
    ArgCursor cur(c.head);
    std::string s;
    int32_t n = 0;
    ASSERT_TRUE(argStringIntPair(cur, s, n));
    EXPECT_EQ(s, "A");
    EXPECT_EQ(n, 3);
    EXPECT_TRUE(cur.atEnd());

    Chain bad(acutBuildList(RTLB, RTSTR, "A", RTSTR, "B", RTDOTE, 0));
    ArgCursor cur2(bad.head);
    EXPECT_FALSE(argStringIntPair(cur2, s, n));
    EXPECT_EQ(cur2.node(), bad.head);
}
