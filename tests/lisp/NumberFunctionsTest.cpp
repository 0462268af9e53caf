// Number functions from the AutoLISP reference: comparisons of any atoms,
// powers and logarithms, bit operations, point geometry and unit text.
#include "LispTestSupport.h"

namespace {

using Numbers = LispTest;

TEST_F(Numbers, ComparisonsTakeAnyAtoms) {
    EXPECT_EQ(run("(list (= 'a 'a) (= 'a 'b) (= nil nil) (= \"me\" \"me\") (= 4 4.0 4))"), "(T nil T T T)");
    EXPECT_EQ(run("(list (< \"a\" \"b\") (> \"b\" \"a\") (< 'a 'b) (/= 10 20 10 20 20))"), "(T T T nil)");
    // One argument is always T, whatever it is.
    EXPECT_EQ(run("(list (= 'x) (< \"s\") (/= '(1)) (>= nil))"), "(T T T T)");
    // Mixed numbers and strings compare without an error; lists only equal themselves.
    EXPECT_EQ(run("(list (< 1 \"a\") (= 1 \"1\") (= '(1) '(1)))"), "(T nil nil)");
    EXPECT_EQ(run("(setq l '(1)) (= l l)"), "T");
}

TEST_F(Numbers, PowersAndLogarithms) {
    EXPECT_EQ(run("(list (exp 1.0) (exp 2.2) (expt 2 4) (expt 3.0 2.0) (log 4.5))"),
              "(2.71828 9.02501 16 9.0 1.50408)");
    EXPECT_EQ(run("(list (expt 2 31) (expt 2 -1) (expt -1 -3) (type (expt 2 0.5)))"), "(-2147483648 0 -1 REAL)");
    EXPECT_EQ(run("(log 0)"), "; error: function undefined for argument: 0");
    EXPECT_EQ(run("(sqrt -4)"), "; error: function undefined for argument: -4");
    EXPECT_EQ(run("(expt -8 0.5)"), "; error: function undefined for argument: -8");
    EXPECT_EQ(run("(list (gcd 81 57) (gcd 12 20))"), "(3 4)");
}

TEST_F(Numbers, BitOperations) {
    EXPECT_EQ(run("(list (logand 7 15 3) (logand 2 3 15) (logand 8 3) (logand))"), "(3 2 0 0)");
    EXPECT_EQ(run("(list (logior 1 2 4) (logior 9 3) (logior))"), "(7 11 0)");
    EXPECT_EQ(run("(list (lsh 2 1) (lsh 2 -1) (lsh 40 2) (lsh 16384 1) (lsh 1 31) (lsh))"),
              "(4 1 160 32768 -2147483648 0)");
    EXPECT_EQ(run("(list (~ 3) (~ 100) (~ -4))"), "(-4 -101 3)");
    EXPECT_EQ(run("(list (boole 1 12 5) (boole 6 6 5) (boole 4 3 14) (boole 7 1 2 4))"), "(4 3 12 7)");
    EXPECT_EQ(run("(logand 1.0 2)"), "; error: bad argument type: fixnump: 1.0");
}

TEST_F(Numbers, PointGeometry) {
    EXPECT_EQ(run("(angle '(1.0 1.0) '(1.0 4.0))"), "1.5708");
    EXPECT_EQ(run("(angle '(5.0 1.33) '(2.4 1.33))"), "3.14159");
    EXPECT_EQ(run("(angle '(0 0) '(0 -1))"), "4.71239");
    EXPECT_EQ(run("(list (distance '(1.0 2.5 3.0) '(7.7 2.5 3.0)) (distance '(1 1) '(4 5 9)))"), "(6.7 5.0)");
    EXPECT_EQ(run("(polar '(1 1 3.5) 0.785398 1.414214)"), "(2.0 2.0 3.5)");
    EXPECT_EQ(run("(polar '(1 1) 0 2)"), "(3.0 1.0)");
    EXPECT_EQ(run("(setq a '(1.0 1.0) b '(9.0 9.0) c '(4.0 1.0) d '(4.0 2.0)) (inters a b c d)"), "nil");
    EXPECT_EQ(run("(inters a b c d nil)"), "(4.0 4.0)");
    EXPECT_EQ(run("(inters '(0 0) '(1 0) '(0 1) '(1 1) nil)"), "nil");
    EXPECT_EQ(run("(trans '(1 2) 0 1)"), "(1.0 2.0 0.0)");
    EXPECT_EQ(run("(trans '(1 2 3) 0 '(0 0 1))"), "(1.0 2.0 3.0)");
    EXPECT_EQ(run("(angle '(1) '(2 2))"), "; error: bad argument type: 2D/3D point: (1)");
    EXPECT_EQ(run("(distance '(1 2) \"a\")"), "; error: bad argument type: 2D/3D point: \"a\"");
    EXPECT_EQ(run("(trans '(1 2) 7 0)"), "; error: bad argument value: coordinate system 7");
}

TEST_F(Numbers, AnglesAndDistancesAsText) {
    EXPECT_EQ(run("(list (angtos 0.785398 0 4) (angtos 0.785398 1 4) (angtos 0.785398 2 4) (angtos 0.785398 3 4))"),
              "(\"45.0000\" \"45d0'0\\\"\" \"50.0000g\" \"0.7854r\")");
    EXPECT_EQ(run("(angtos 0.785398 4 4)"), "\"N 45d0'0\\\" E\"");
    EXPECT_EQ(run("(list (angtos -1.5708 0 0) (angtos (* 2.5 pi) 0 1))"), "(\"270\" \"90.0\")");
    EXPECT_EQ(run("(list (angtof \"45.0000\" 0) (angtof \"45d0'0\\\"\" 1) (angtof \"50g\" 2) (angtof \"N 45d E\" 4))"),
              "(0.785398 0.785398 0.785398 0.785398)");
    EXPECT_EQ(run("(angtof \"abc\" 0)"), "nil");
    EXPECT_EQ(run("(list (distof \"1.25\" 2) (distof \"1.25E+01\" 1) (distof \"1'-3\\\"\" 4) (distof \"3 1/2\" 5))"),
              "(1.25 12.5 15.0 3.5)");
    EXPECT_EQ(run("(distof \"x1\" 2)"), "nil");
    EXPECT_EQ(run("(list (cvunit 1 \"minute\" \"second\") (cvunit 1 \"inch\" \"cm\") (cvunit 1.0 \"foot\" \"inch\"))"),
              "(60.0 2.54 12.0)");
    EXPECT_EQ(run("(cvunit '(1 2) \"foot\" \"inch\")"), "(12.0 24.0)");
    EXPECT_EQ(run("(list (cvunit 1 \"inch\" \"degree\") (cvunit 1 \"furlong\" \"inch\"))"), "(nil nil)");
    EXPECT_EQ(run("(angtos 1 9)"), "; error: bad argument value: angtos mode 9");
}

// Every new number function refuses wrong types and wrong argument counts.
TEST_F(Numbers, ArgumentErrors) {
    const char* cases[][2] = {
        {"(exp)", "too few arguments"},           {"(exp 1 2)", "too many arguments"},
        {"(exp \"1\")", "bad argument type: numberp: \"1\""},
        {"(expt 2)", "too few arguments"},        {"(expt 2 2 2)", "too many arguments"},
        {"(expt 'a 2)", "bad argument type: numberp: A"},
        {"(log)", "too few arguments"},           {"(log 1 2)", "too many arguments"},
        {"(lsh 1 2 3)", "too many arguments"},    {"(lsh \"a\" 1)", "bad argument type: fixnump: \"a\""},
        {"(~)", "too few arguments"},             {"(~ 1 2)", "too many arguments"},
        {"(~ 1.5)", "bad argument type: fixnump: 1.5"},
        {"(boole 1)", "too few arguments"},       {"(boole 1 2.0)", "bad argument type: fixnump: 2.0"},
        {"(logior 'x)", "bad argument type: fixnump: X"},
        {"(gcd 1)", "too few arguments"},         {"(gcd 1 2 3)", "too many arguments"},
        {"(angle '(0 0))", "too few arguments"},  {"(angle '(0 0) '(1 1) 1)", "too many arguments"},
        {"(distance '(0 0))", "too few arguments"},
        {"(polar '(0 0) 1)", "too few arguments"}, {"(polar '(0 0) 1 \"2\")", "bad argument type: numberp: \"2\""},
        {"(inters '(0 0) '(1 1) '(0 1))", "too few arguments"},
        {"(inters '(0 0) '(1 1) '(0 1) '(1 0) T 1)", "too many arguments"},
        {"(trans '(0 0) 0)", "too few arguments"},
        {"(angtos)", "too few arguments"},        {"(angtos 1 0 4 5)", "too many arguments"},
        {"(angtos \"1\")", "bad argument type: numberp: \"1\""},
        {"(angtof 1)", "bad argument type: stringp: 1"}, {"(angtof \"1\" 0 1)", "too many arguments"},
        {"(distof)", "too few arguments"},        {"(distof 2.0)", "bad argument type: stringp: 2.0"},
        {"(cvunit 1 \"inch\")", "too few arguments"}, {"(cvunit 1 \"inch\" 'cm)", "bad argument type: stringp: CM"},
        {"(cvunit \"1\" \"inch\" \"cm\")", "bad argument type: numberp: \"1\""},
    };
    for (auto& [source, error] : cases) EXPECT_EQ(run(source), std::string("; error: ") + error) << source;
}

}  // namespace
