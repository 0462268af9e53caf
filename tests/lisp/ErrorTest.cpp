// Errors: malformed input, unknown functions, argument checks, divide by zero
// and runaway recursion all end in an AutoLISP error, never a crash.
#include "LispTestSupport.h"

namespace {

using Errors = LispTest;

TEST_F(Errors, MalformedInput) {
    EXPECT_EQ(run("(+ 1 2"), "; error: malformed list on input");
    EXPECT_EQ(run("\"abc"), "; error: malformed string on input");
    EXPECT_EQ(run(")"), "; error: extra right paren on input");
    EXPECT_EQ(run("( . 1)"), "; error: invalid dotted pair on input");
    EXPECT_EQ(run("'"), "; error: malformed list on input");
}

TEST_F(Errors, FunctionsAndArguments) {
    EXPECT_EQ(run("(foo 1)"), "; error: no function definition: FOO");
    EXPECT_EQ(run("(+ 1 \"a\")"), "; error: bad argument type: numberp: \"a\"");
    EXPECT_EQ(run("(strcat \"a\" 1)"), "; error: bad argument type: stringp: 1");
    EXPECT_EQ(run("(car)"), "; error: too few arguments");
    EXPECT_EQ(run("(car '(1) '(2))"), "; error: too many arguments");
    EXPECT_EQ(run("(defun two (a b) a) (two 1)"), "; error: too few arguments");
    EXPECT_EQ(run("(two 1 2 3)"), "; error: too many arguments");
    EXPECT_EQ(run("(setq notfn 5) (notfn)"), "; error: bad function: 5");
    EXPECT_EQ(run("(setq 1 2)"), "; error: bad argument type: symbolp: 1");
}

TEST_F(Errors, DivideByZero) {
    EXPECT_EQ(run("(/ 1 0)"), "; error: divide by zero");
    EXPECT_EQ(run("(/ 1.0 0)"), "; error: divide by zero");
    EXPECT_EQ(run("(rem 1 0)"), "; error: divide by zero");
}

TEST_F(Errors, RunawayRecursionIsAnError) {
    EXPECT_EQ(run("(defun down (n) (down (1+ n))) (down 0)"),
              "; error: stack limit reached: recursion too deep");
    EXPECT_EQ(run("(defun deep (n) (if (> n 0) (1+ (deep (1- n))) 0)) (deep 500)"), "500");
}

TEST_F(Errors, DeeplyNestedDataNeitherCrashesNorLeaks) {
    EXPECT_EQ(run("(setq x nil) (repeat 200000 (setq x (list x))) (setq x nil)"), "nil");
    EXPECT_EQ(run("(setq x nil) (repeat 200000 (setq x (cons 1 x))) (length x)"), "200000");
    std::string nested(20000, '(');
    EXPECT_EQ(run(nested), "; error: malformed list on input: nesting too deep");
}

}  // namespace
