// The three table functions seen from AutoLISP: result pairs, month keys, argument errors.
#include "LoadsFixture.h"

namespace {

class CltdFunctions : public LoadsFixture {};

const char* const kWrongType = "\nWrong type of arguments passed.\n";
const char* const kBadData = "\nBad data passed .\n";

}  // namespace

TEST_F(CltdFunctions, RoofJulyAt40ReturnsThePublishedRow) {
    EXPECT_EQ(eval("(length (zk_hvac-getRoofCLTDDxf 40 1 6))"), "24");
    EXPECT_EQ(eval("(car (zk_hvac-getRoofCLTDDxf 40 1 6))"), "(0.06 . 0)");
    EXPECT_EQ(eval("(nth 14 (zk_hvac-getRoofCLTDDxf 40 1 6))"), "(14.06 . 88)");
    EXPECT_EQ(eval("(mapcar 'cdr (zk_hvac-getRoofCLTDDxf 40 1 6))"),
              "(0 -2 -4 -5 -6 -6 0 13 29 45 60 73 83 88 88 83 73 60 43 26 15 9 5 2)");
    EXPECT_EQ(eval("(mapcar 'cdr (zk_hvac-getWallCLTDDxf 40 16 \"S\" 6))"),
              "(24 22 20 18 16 14 12 11 9 8 8 8 9 11 14 17 20 23 25 27 27 27 27 25)");
    EXPECT_EQ(eval("(mapcar 'cdr (zk_hvac-getGlassCLTDDxf 40 \"a\" \"S\" 0))"),
              "(0 0 0 0 0 0 0 49 117 171 209 229 232 214 177 112 43 21 10 5 2 1 1 0)");
    EXPECT_EQ(output, "");
}

TEST_F(CltdFunctions, TwoMonthsGiveFortyEightPairsKeyedByMonth) {
    EXPECT_EQ(eval("(length (zk_hvac-getRoofCLTDDxf 40 1 0 6))"), "48");
    EXPECT_EQ(eval("(car (nth 23 (zk_hvac-getRoofCLTDDxf 40 1 0 6)))"), "23.0");
    EXPECT_EQ(eval("(car (nth 24 (zk_hvac-getRoofCLTDDxf 40 1 0 6)))"), "0.06");
    EXPECT_EQ(eval("(car (nth 47 (zk_hvac-getRoofCLTDDxf 40 1 0 6)))"), "23.06");
    EXPECT_EQ(eval("(= (cdr (nth 30 (zk_hvac-getRoofCLTDDxf 40 1 6 6))) (cdr (nth 6 (zk_hvac-getRoofCLTDDxf 40 1 6))))"),
              "T");
    EXPECT_EQ(eval("(zk_hvac-getWallCLTDDxf 40 1 \"W\")"), "nil");
}

TEST_F(CltdFunctions, WrongTypesReportAndReturnNil) {
    for (const char* call : {"(zk_hvac-getRoofCLTDDxf \"40\" 1 6)", "(zk_hvac-getRoofCLTDDxf 40)",
                             "(zk_hvac-getWallCLTDDxf 40 1 6)", "(zk_hvac-getGlassCLTDDxf 40 \"A\")",
                             "(zk_hvac-getGlassCLTDDxf 40 \"A\" \"E\" 6 \"7\")"}) {
        output.clear();
        EXPECT_EQ(eval(call), "nil") << call;
        EXPECT_EQ(output, kWrongType) << call;
    }
}

TEST_F(CltdFunctions, ArgumentsOutsideTheTablesAreBadData) {
    for (const char* call : {"(zk_hvac-getRoofCLTDDxf 15 1 6)", "(zk_hvac-getRoofCLTDDxf 72 1 6)",
                             "(zk_hvac-getRoofCLTDDxf -40 1 6)", "(zk_hvac-getRoofCLTDDxf 40 1 12)",
                             "(zk_hvac-getRoofCLTDDxf 40 1 6 -1)", "(zk_hvac-getWallCLTDDxf 40 1 \"UP\" 6)",
                             "(zk_hvac-getGlassCLTDDxf 40 \"A\" \"E\" 12)"}) {
        output.clear();
        EXPECT_EQ(eval(call), "nil") << call;
        EXPECT_EQ(output, kBadData) << call;
    }
    output.clear();
    EXPECT_EQ(eval("(length (zk_hvac-getGlassCLTDDxf 71 \"D\" \"UP\" 11))"), "24");
    EXPECT_EQ(eval("(length (zk_hvac-getRoofCLTDDxf 16.9 1 6.5))"), "24");  // reals truncate
    EXPECT_EQ(output, "");
}
