// Numeric semantics: 32-bit wrapping, integer division, promotion to real.
#include "LispTestSupport.h"

namespace {

using Numeric = LispTest;

TEST_F(Numeric, IntegersWrapAt32Bits) {
    EXPECT_EQ(run("(+ 2147483647 1)"), "-2147483648");
    EXPECT_EQ(run("(* 65536 65536)"), "0");
    EXPECT_EQ(run("(1+ 2147483647)"), "-2147483648");
    EXPECT_EQ(run("(type 2147483647)"), "INT");
    EXPECT_EQ(run("(type -2147483648)"), "INT");
    // Literals outside 32 bits read as reals.
    EXPECT_EQ(run("2147483649"), "2.14748e+09");
    EXPECT_EQ(run("(type -2147483649)"), "REAL");
}

TEST_F(Numeric, IntegerDivisionTruncates) {
    EXPECT_EQ(run("(/ 7 2)"), "3");
    EXPECT_EQ(run("(/ -7 2)"), "-3");
    EXPECT_EQ(run("(/ 7 2.0)"), "3.5");
    EXPECT_EQ(run("(/ 100 2 5)"), "10");
    EXPECT_EQ(run("(rem 7 3)"), "1");
    EXPECT_EQ(run("(rem 7.5 2)"), "1.5");
}

TEST_F(Numeric, RealsPromoteTheRest) {
    EXPECT_EQ(run("(+ 1 2.5)"), "3.5");
    EXPECT_EQ(run("(type (* 2 1.0))"), "REAL");
    EXPECT_EQ(run("(- 5)"), "-5");
    EXPECT_EQ(run("(list (+) (*) (- 10 1 2))"), "(0 0 7)");
    EXPECT_EQ(run("(list (max 1 2.0) (min 3 1) (abs -4) (fix -3.7) (float 2))"),
              "(2.0 1 4 -3 2.0)");
}

TEST_F(Numeric, ComparisonsAcrossTypes) {
    EXPECT_EQ(run("(list (= 1 1.0) (/= 1 2) (< 1 2 3) (< 1 3 2) (>= 3 3 1) (= \"a\" \"a\"))"),
              "(T T T nil T T)");
    EXPECT_EQ(run("(list (zerop 0.0) (minusp -1) (numberp \"1\"))"), "(T T nil)");
}

TEST_F(Numeric, MathFunctions) {
    EXPECT_EQ(run("(sqrt 16)"), "4.0");
    EXPECT_EQ(run("(list (sin 0) (cos 0) (atan 1 1))"), "(0.0 1.0 0.785398)");
    EXPECT_EQ(run("pi"), "3.14159");
}

}  // namespace
