// Conversions between AutoLISP values and result buffers, both directions,
// and entity-data (DXF group) lists.
#include "LispTestSupport.h"
#include "lisp/AdsConvert.h"

#include <cstdlib>
#include <cstring>

namespace {

using Conversion = LispTest;

TEST_F(Conversion, AtomsAsAFunctionReceivesThem) {
    EXPECT_EQ(run("(host-resbufs 1 70000 -32768 32768 2.5 \"s\" T nil)"),
              "((5003 . 1) (5010 . 70000) (5003 . -32768) (5010 . 32768) (5001 . 2.5) "
              "(5005 . \"s\") (5021) (5019))");
}

TEST_F(Conversion, PointsDottedPairsAndNestedLists) {
    EXPECT_EQ(run("(host-resbufs '(1 2 3) '(1 2.5))"), "((5009 1.0 2.0 3.0) (5002 1.0 2.5))");
    EXPECT_EQ(run("(host-resbufs '(1 . 2))"), "((5016) (5003 . 1) (5003 . 2) (5018))");
    EXPECT_EQ(run("(host-resbufs '(1 2 3 4))"),
              "((5016) (5003 . 1) (5003 . 2) (5003 . 3) (5003 . 4) (5017))");
    EXPECT_EQ(run("(host-resbufs '(\"a\" (1 2 3) (\"k\" . 4)))"),
              "((5016) (5005 . \"a\") (5009 1.0 2.0 3.0) (5016) (5005 . \"k\") (5003 . 4) (5018) "
              "(5017))");
    EXPECT_EQ(run("(host-resbufs '(1 \"x\"))"), "((5016) (5003 . 1) (5005 . \"x\") (5017))");
}

TEST_F(Conversion, ValuesWithoutNodeFormAreErrors) {
    EXPECT_EQ(run("(host-resbufs 'abc)"),
              "; error: bad argument type for an application function: ABC");
}

TEST_F(Conversion, ResultBuffersBackToValues) {
    ads_point p = {1, 2, 3};
    resbuf* list = acutBuildList(RTLB, RTSTR, "key", RTDOTE, RTLONG, 7, RTLE, RTLB, RTSHORT, 1,
                                 RTREAL, 2.5, RTLE, RT3DPOINT, p, RTPOINT, p, RTT, RTNIL, 0);
    std::vector<lisp::Ref> values = lisp::resbufsToValues(list);
    acutRelRb(list);
    ASSERT_EQ(values.size(), 6u);
    EXPECT_EQ(lisp::Interpreter::prin1Text(lisp::makeList(values)),
              "((\"key\" . 7) (1 2.5) (1.0 2.0 3.0) (1.0 2.0) T nil)");
}

TEST_F(Conversion, ReceivedDottedPairFormReadsBack) {
    lisp::EvalResult numbers = lisp.evalString("'((1 . 2) (4 5 . 6) 7)");
    resbuf* list = lisp::valueToResbufs(numbers.value);
    const resbuf* cursor = list;
    lisp::Ref back = lisp::readResbufValue(cursor);
    acutRelRb(list);
    EXPECT_EQ(lisp::Interpreter::prin1Text(back), "((1 . 2) (4 5 . 6) 7)");
}

TEST_F(Conversion, MalformedChainsRaiseErrors) {
    resbuf* list = acutBuildList(RTLB, RTSHORT, 1, 0);
    EXPECT_THROW(lisp::resbufsToValues(list), lisp::LispError);
    acutRelRb(list);
    list = acutBuildList(RTLE, 0);
    EXPECT_THROW(lisp::resbufsToValues(list), lisp::LispError);
    acutRelRb(list);
    // A dot with nothing before it, and a dotted tail without its list end.
    list = acutBuildList(RTLB, RTDOTE, RTSHORT, 1, RTLE, 0);
    EXPECT_THROW(lisp::resbufsToValues(list), lisp::LispError);
    acutRelRb(list);
    list = acutBuildList(RTLB, RTSHORT, 1, RTDOTE, RTSHORT, 2, RTSHORT, 3, 0);
    EXPECT_THROW(lisp::resbufsToValues(list), lisp::LispError);
    acutRelRb(list);
}

// Released nodes are reused: a new node must come back blank whatever its
// last use held, and nodes stay ordinary heap blocks for code that frees
// them itself.
TEST_F(Conversion, ReusedNodesStartBlankAndMixWithTheHeap) {
    for (int round = 0; round < 3; ++round) {
        resbuf* list = acutBuildList(RTSTR, "text", RTREAL, 2.5, RTLONG, 70000, 0);
        acutRelRb(list);
        resbuf* fresh = acutNewRb(RTSHORT);
        resbuf* second = acutNewRb(RT3DPOINT);
        ASSERT_NE(fresh, nullptr);
        EXPECT_EQ(fresh->restype, RTSHORT);
        EXPECT_EQ(fresh->rbnext, nullptr);
        EXPECT_EQ(fresh->resval.rint, 0);
        EXPECT_EQ(second->resval.rpoint[0], 0.0);
        EXPECT_EQ(second->resval.rpoint[2], 0.0);
        EXPECT_EQ(second->rbnext, nullptr);
        acutRelRb(second);
        std::free(fresh);
    }
    auto* own = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    own->restype = RTSTR;
    own->resval.rstring = strdup("own");
    acutRelRb(own);
    resbuf* again = acutNewRb(RTSTR);
    EXPECT_EQ(again->resval.rstring, nullptr);
    acutRelRb(again);
}

// Long results are read into lists in place: every element, in order.
TEST_F(Conversion, LongResultListsKeepEveryElement) {
    resbuf* head = acutBuildList(RTLB, 0);
    resbuf* tail = head;
    for (int i = 0; i < 5000; ++i) {
        tail->rbnext = acutBuildList(RTLB, RTREAL, i * 0.5, RTDOTE, RTLONG, i, RTLE, 0);
        while (tail->rbnext) tail = tail->rbnext;
    }
    tail->rbnext = acutBuildList(RTLE, 0);
    lisp::Ref value = lisp::resbufsToResult(head);
    acutRelRb(head);
    std::vector<lisp::Ref> items = lisp::listItems(value);
    ASSERT_EQ(items.size(), 5000u);
    EXPECT_EQ(lisp::Interpreter::prin1Text(items[0]), "(0.0 . 0)");
    EXPECT_EQ(lisp::Interpreter::prin1Text(items[4999]), "(2499.5 . 4999)");
}

TEST_F(Conversion, EntityDataBothWays) {
    lisp::EvalResult data = lisp.evalString(
        "'((0 . \"LINE\") (8 . \"0\") (10 1.0 2.0 0.0) (11 4 5) (40 . 2.5) (62 . 1) (90 . 70000) "
        "(-3 (\"APP\" (1000 . \"x\") (1070 . 3))))");
    ASSERT_TRUE(data.ok);
    resbuf* list = lisp::dxfListToResbufs(data.value);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->restype, 0);
    EXPECT_STREQ(list->resval.rstring, "LINE");
    const resbuf* point = list->rbnext->rbnext;
    EXPECT_EQ(point->restype, 10);
    EXPECT_DOUBLE_EQ(point->resval.rpoint[1], 2.0);
    EXPECT_EQ(point->rbnext->restype, 11);
    EXPECT_DOUBLE_EQ(point->rbnext->resval.rpoint[2], 0.0);
    lisp::Ref back = lisp::dxfResbufsToList(list);
    acutRelRb(list);
    EXPECT_EQ(lisp::Interpreter::prin1Text(back),
              "((0 . \"LINE\") (8 . \"0\") (10 1.0 2.0 0.0) (11 4.0 5.0 0.0) (40 . 2.5) (62 . 1) "
              "(90 . 70000) (-3 (\"APP\" (1000 . \"x\") (1070 . 3))))");
}

TEST_F(Conversion, BadEntityDataIsAnError) {
    lisp::EvalResult data = lisp.evalString("'((0 . 5))");
    EXPECT_THROW(lisp::dxfListToResbufs(data.value), lisp::LispError);
    data = lisp.evalString("'((10 . \"x\"))");
    EXPECT_THROW(lisp::dxfListToResbufs(data.value), lisp::LispError);
}

TEST_F(Conversion, BuildListCopyAndRelease) {
    ads_name name = {0x1234, 0};
    resbuf* list = acutBuildList(RTSTR, "abc", RTENAME, name, 8, "LAYER", 0);
    resbuf* copy = lisp::copyResbufs(list);
    acutRelRb(list);
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->resval.rstring, "abc");
    EXPECT_EQ(copy->rbnext->resval.rlname[0], 0x1234);
    EXPECT_STREQ(copy->rbnext->rbnext->resval.rstring, "LAYER");
    acutRelRb(copy);
}

}  // namespace

namespace {

// Small integers are shared values: results around the edges of the shared
// range keep their own values, compare equal and eq, and stay untouched when
// arithmetic makes new numbers from them.
TEST_F(Conversion, SharedSmallIntegersKeepTheirValues) {
    resbuf* list = acutBuildList(RTLONG, -129, RTLONG, -128, RTSHORT, 0, RTLONG, 1023, RTLONG, 1024,
                                 RTLONG, 70000, 0);
    std::vector<lisp::Ref> values = lisp::resbufsToValues(list);
    acutRelRb(list);
    EXPECT_EQ(lisp::Interpreter::prin1Text(lisp::makeList(values)), "(-129 -128 0 1023 1024 70000)");
    EXPECT_EQ(run("(setq a 1023 b (1+ a) c (1- a)) (list a b c (eq a 1023) (eq b 1024) (= (* a 1) 1023))"),
              "(1023 1024 1022 T T T)");
    EXPECT_EQ(run("(setq n 0 l nil) (repeat 1100 (setq l (cons n l) n (1+ n))) (list (length l) (car l) "
                  "(nth 1099 l) (apply '+ l))"),
              "(1100 1099 0 604450)");
}

// Releasing lists of pairs, lists of lists and long chains: every shape the
// release takes apart without recursion or with one level of it.
TEST_F(Conversion, ListsOfPairsAndListsRelease) {
    EXPECT_EQ(run("(setq x nil) (repeat 50000 (setq x (cons (cons 1.5 (list 2 (cons 3 4))) x))) "
                  "(setq y (list x x)) (setq x nil) (length (car y))"),
              "50000");
    EXPECT_EQ(run("(setq y nil) (setq x nil) (repeat 100000 (setq x (cons (cons x 1) nil))) (setq x nil)"), "nil");
}

}  // namespace
