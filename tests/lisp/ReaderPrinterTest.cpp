// Reader and printer: literals, escapes, dotted pairs, comments, printed forms.
#include "LispTestSupport.h"

#include <sstream>

namespace {

using ReaderPrinter = LispTest;

TEST_F(ReaderPrinter, RoundTripsDataThroughQuote) {
    for (const char* text : {"(1 2 . 3)", "(1 (2 3) \"x\")", "((0 . \"LINE\") (10 1.0 2.0 0.0))",
                             "(A B C)", "nil", "T", "(nil T)", "-7", "\"a\\nb\\t\\\"q\\\"\\\\\""}) {
        EXPECT_EQ(run(std::string("'") + text), text);
    }
}

TEST_F(ReaderPrinter, SymbolsAreCaseInsensitiveAndPrintUpperCase) {
    EXPECT_EQ(run("'foo"), "FOO");
    EXPECT_EQ(run("(eq 'Foo 'FOO)"), "T");
    EXPECT_EQ(run("(setq MixedCase 4) mixedcase"), "4");
}

TEST_F(ReaderPrinter, NumbersAndComments) {
    EXPECT_EQ(run("; comment\n 12 ; trailing"), "12");
    EXPECT_EQ(run(";| block\n comment |; 1.5"), "1.5");
    EXPECT_EQ(run(".5"), "0.5");
    EXPECT_EQ(run("-2.5e2"), "-250.0");
    EXPECT_EQ(run("'(1+ 1- -)"), "(1+ 1- -)");
    EXPECT_EQ(run("'(a .b)"), "(A .B)");
}

TEST_F(ReaderPrinter, StringEscapes) {
    EXPECT_EQ(run("(strlen \"a\\nb\\t\\\\\")"), "5");
    EXPECT_EQ(run("(ascii \"\\101\")"), "65");
    EXPECT_EQ(run("(princ \"q\\\"x\")"), "\"q\\\"x\"");
    EXPECT_EQ(output, "q\"x");
}

TEST_F(ReaderPrinter, RealsPrintWithSixSignificantDigits) {
    EXPECT_EQ(run("1.5"), "1.5");
    EXPECT_EQ(run("2.0"), "2.0");
    EXPECT_EQ(run("3.14159265"), "3.14159");
    EXPECT_EQ(run("100000.0"), "100000.0");
    EXPECT_EQ(run("1e20"), "1.0e+20");
    EXPECT_EQ(run("1234567.0"), "1.23457e+06");
}

TEST_F(ReaderPrinter, PrincPrin1AndPrintOutput) {
    EXPECT_EQ(run("(princ \"a\")"), "\"a\"");
    EXPECT_EQ(output, "a");
    output.clear();
    run("(prin1 \"a\\nb\")");
    EXPECT_EQ(output, "\"a\\nb\"");
    output.clear();
    run("(princ 2.0) (princ 'x) (print 5) (terpri)");
    EXPECT_EQ(output, "2.0X\n5 \n");
}

TEST_F(ReaderPrinter, EntityNamesPrintInHex) {
    ads_name name = {0x7ffffb0c5e0, 0};
    EXPECT_EQ(lisp::Interpreter::prin1Text(lisp::Interpreter::ename(name)),
              "<Entity name: 7ffffb0c5e0>");
}

TEST_F(ReaderPrinter, ReadFormFromStreamOneAtATime) {
    std::istringstream in("(+ 1 2) foo \")\" (a . b)) 7");
    lisp::Ref form;
    std::string error;
    using Status = lisp::Interpreter::ReadStatus;
    ASSERT_EQ(lisp.readForm(in, form, error), Status::Form);
    EXPECT_EQ(lisp::Interpreter::prin1Text(form), "(+ 1 2)");
    ASSERT_EQ(lisp.readForm(in, form, error), Status::Form);
    EXPECT_EQ(lisp::Interpreter::prin1Text(form), "FOO");
    ASSERT_EQ(lisp.readForm(in, form, error), Status::Form);
    EXPECT_EQ(lisp::Interpreter::prin1Text(form), "\")\"");
    ASSERT_EQ(lisp.readForm(in, form, error), Status::Form);
    EXPECT_EQ(lisp::Interpreter::prin1Text(form), "(A . B)");
    EXPECT_EQ(lisp.readForm(in, form, error), Status::Error);
    EXPECT_EQ(error, "extra right paren on input");
    EXPECT_EQ(lisp.readForm(in, form, error), Status::End);
}

TEST_F(ReaderPrinter, ReadAndEvalBuiltins) {
    EXPECT_EQ(run("(read \"(1 2 . 3)\")"), "(1 2 . 3)");
    EXPECT_EQ(run("(eval (read \"(+ 1 2)\"))"), "3");
    EXPECT_EQ(run("(type (read \"\"))"), "nil");
}

}  // namespace
