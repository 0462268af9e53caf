// The load detail's arguments: types by position, flags, and the optional
// list of psychrometric strings.
#include <gtest/gtest.h>

#include "ads/ads.h"
#include "loads/LoadDetailArgs.h"

using namespace hvac;

namespace {

// Arguments 1 to 18 of a room, followed by the given tail.
resbuf* arguments(resbuf* tail, short flagType = RTNIL) {
    resbuf* head = acutBuildList(RTSTR, "Room 5", RTSHORT, -5, flagType, RTSTR, "IMC", RTREAL, 1200.0, RTSHORT, 10,
                                 RTSHORT, 6, RTSHORT, 14, RTLONG, 900, RTSHORT, 1000, RTSHORT, 55, RTSHORT, 70,
                                 RTSHORT, 300, RTSHORT, 1200, RTSHORT, 6, RTSHORT, 15, RTT, RTNIL, 0);
    resbuf* last = head;
    while (last->rbnext) last = last->rbnext;
    last->rbnext = tail;
    return head;
}

bool read(resbuf* list, LoadDetailArgs& args) {
    ArgCursor cursor(list);
    bool ok = readLoadDetailArgs(cursor, args);
    acutRelRb(list);
    return ok;
}

} // namespace

TEST(LoadDetailArgs, ReadsEighteenArgumentsWithNumbersWhereRealsGo) {
    LoadDetailArgs args;
    ASSERT_TRUE(read(arguments(nullptr), args));
    EXPECT_EQ(args.subject, -5);
    EXPECT_EQ(args.ventilationRule, "IMC");
    EXPECT_EQ(args.people, 10.0);  // an integer where a real goes
    EXPECT_EQ(args.currentSupplyCfm, 900);
    EXPECT_TRUE(args.heatingNotCalculated);
    EXPECT_FALSE(args.coolingNotCalculated);
    EXPECT_FALSE(args.hasPsychrometrics);
}

TEST(LoadDetailArgs, MissingOrMistypedArgumentsFail) {
    LoadDetailArgs args;
    resbuf* shortList = arguments(nullptr);
    resbuf* cut = shortList;
    for (int i = 0; i < 16; ++i) cut = cut->rbnext;  // keep 17
    acutRelRb(cut->rbnext);
    cut->rbnext = nullptr;
    EXPECT_FALSE(read(shortList, args));

    // A list where the flag of argument 3 goes.
    resbuf* listFlag = arguments(nullptr, RTLB);
    resbuf* third = listFlag->rbnext->rbnext;
    resbuf* end = acutBuildList(RTLE, 0);
    end->rbnext = third->rbnext;
    third->rbnext = end;
    EXPECT_FALSE(read(listFlag, args));

    resbuf* textSubject = acutBuildList(RTSTR, "Room", RTSTR, "-5", 0);
    EXPECT_FALSE(read(textSubject, args));
}

TEST(LoadDetailArgs, PsychrometricLinesStopAtANonStringAndDropAnIncompleteLine) {
    LoadDetailArgs args;
    resbuf* tail = acutBuildList(RTLB, RTSTR, "a", RTSTR, "b", RTSTR, "c", RTSTR, "d", RTSTR, "e", RTSTR, "f",
                                 RTSTR, "g", RTSTR, "h", RTSTR, "i", RTSTR, "j", RTSHORT, 3, RTSTR, "k", RTLE, 0);
    ASSERT_TRUE(read(arguments(tail), args));
    EXPECT_TRUE(args.hasPsychrometrics);
    EXPECT_EQ(args.psychrometrics.size(), 8u);
    EXPECT_EQ(args.psychrometrics.back(), "h");

    LoadDetailArgs plain;
    ASSERT_TRUE(read(arguments(acutBuildList(RTSTR, "not a list", 0)), plain));
    EXPECT_FALSE(plain.hasPsychrometrics);
}
