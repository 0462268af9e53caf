// Entity lists: entget shows an entity's groups, entmake builds one from
// groups (with or without subclass markers, custom classes included),
// entnext/entlast walk model space and entdel erases and restores.
#include <gtest/gtest.h>

#include "DrawingFixture.h"
#include "database/io/EntityLists.h"
#include "database/io/ResbufDxfFiler.h"

namespace {

struct WorkingDb {
    AcDbDatabase db;
    AcDbDatabase* previous;
    WorkingDb() : previous(acdbHostApplicationServices()->workingDatabase()) {
        registerTestClasses();
        addLayer(&db, "DUCTS", 3);
        acdbHostApplicationServices()->setWorkingDatabase(&db);
    }
    ~WorkingDb() { acdbHostApplicationServices()->setWorkingDatabase(previous); }
};

resbuf* item(resbuf*& tail, resbuf*& head, int code) {
    resbuf* rb = static_cast<resbuf*>(calloc(1, sizeof(resbuf)));
    rb->restype = static_cast<short>(code);
    (tail ? tail->rbnext : head) = rb;
    tail = rb;
    return rb;
}

// ((0 . "TESTPIPE") [(100 . "AcDbEntity")] (8 . "DUCTS") [(100 . "TestPipe")] (10 ...) (11 ...) (90 . key) (1 . size))
resbuf* pipeList(int key, bool markers) {
    resbuf *head = nullptr, *tail = nullptr;
    item(tail, head, 0)->resval.rstring = orvDupResbufString("TESTPIPE");
    if (markers) item(tail, head, 100)->resval.rstring = orvDupResbufString("AcDbEntity");
    item(tail, head, 8)->resval.rstring = orvDupResbufString("DUCTS");
    if (markers) item(tail, head, 100)->resval.rstring = orvDupResbufString("TestPipe");
    resbuf* p = item(tail, head, 10);
    p->resval.rpoint[0] = 1, p->resval.rpoint[1] = 2, p->resval.rpoint[2] = 3;
    p = item(tail, head, 11);
    p->resval.rpoint[0] = 4, p->resval.rpoint[1] = 5, p->resval.rpoint[2] = 6;
    item(tail, head, 90)->resval.rlong = key;
    item(tail, head, 1)->resval.rstring = orvDupResbufString("20x10");
    return head;
}

const resbuf* find(const resbuf* list, int code) {
    for (; list; list = list->rbnext)
        if (list->restype == code) return list;
    return nullptr;
}

class EntityLists : public ::testing::TestWithParam<bool> {};

TEST_P(EntityLists, EntMakeThenEntGetGivesTheGroupsBack) {
    WorkingDb w;
    resbuf* list = pipeList(42, GetParam());
    ASSERT_EQ(acdbEntMake(list), RTNORM);
    orvReleaseResbufs(list);

    ads_name last;
    ASSERT_EQ(acdbEntLast(last), RTNORM);
    resbuf* got = acdbEntGet(last);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->restype, -1);
    EXPECT_EQ(got->resval.rlname[0], last[0]);
    ASSERT_NE(find(got, 0), nullptr);
    EXPECT_STREQ(find(got, 0)->resval.rstring, "TESTPIPE");
    EXPECT_STREQ(find(got, 8)->resval.rstring, "DUCTS");
    ASSERT_NE(find(got, 90), nullptr);
    EXPECT_EQ(find(got, 90)->resval.rlong, 42);
    EXPECT_EQ(find(got, 11)->resval.rpoint[2], 6.0);
    EXPECT_STREQ(find(got, 1)->resval.rstring, "20x10");
    ASSERT_NE(find(got, 330), nullptr);  // owner: model space
    orvReleaseResbufs(got);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutMarkers, EntityLists, ::testing::Bool());

TEST(EntityListErrors, UnknownTypeOrWrongMarkerIsRejected) {
    WorkingDb w;
    resbuf* list = pipeList(1, true);
    free(list->resval.rstring);
    list->resval.rstring = orvDupResbufString("NO_SUCH_THING");
    EXPECT_EQ(acdbEntMake(list), RTREJ);
    orvReleaseResbufs(list);

    list = pipeList(1, true);
    free(list->rbnext->rbnext->rbnext->resval.rstring);  // the TestPipe marker
    list->rbnext->rbnext->rbnext->resval.rstring = orvDupResbufString("AcDbLine");
    EXPECT_EQ(acdbEntMake(list), RTREJ);
    orvReleaseResbufs(list);
    ads_name none;
    EXPECT_EQ(acdbEntLast(none), RTERROR);  // nothing was appended

    ads_name bogus = {12345, 0};
    EXPECT_EQ(acdbEntGet(bogus), nullptr);
    EXPECT_EQ(acdbEntDel(bogus), RTERROR);
}

TEST(EntityWalk, EntNextSkipsErasedAndEntDelRestores) {
    WorkingDb w;
    for (int k = 1; k <= 3; ++k) {
        resbuf* list = pipeList(k, false);
        ASSERT_EQ(acdbEntMake(list), RTNORM);
        orvReleaseResbufs(list);
    }
    ads_name first, second, third, after, null = {0, 0};
    ASSERT_EQ(acdbEntNext(null, first), RTNORM);
    ASSERT_EQ(acdbEntNext(first, second), RTNORM);
    ASSERT_EQ(acdbEntNext(second, third), RTNORM);
    EXPECT_EQ(acdbEntNext(third, after), RTERROR);

    ASSERT_EQ(acdbEntDel(second), RTNORM);
    ASSERT_EQ(acdbEntNext(first, after), RTNORM);
    EXPECT_EQ(after[0], third[0]);
    ASSERT_EQ(acdbEntDel(third), RTNORM);
    ASSERT_EQ(acdbEntLast(after), RTNORM);
    EXPECT_EQ(after[0], first[0]);
    ASSERT_EQ(acdbEntDel(second), RTNORM);  // back again
    ASSERT_EQ(acdbEntLast(after), RTNORM);
    EXPECT_EQ(after[0], second[0]);
}

}  // namespace
