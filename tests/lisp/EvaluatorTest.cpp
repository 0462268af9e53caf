// Evaluator: defun with locals, dynamic scope, lambda, control forms, list
// functions, catch-all error handling, load.
#include "LispTestSupport.h"

#include <cstdio>
#include <fstream>

namespace {

using Evaluator = LispTest;

TEST_F(Evaluator, DefunLocalsAreRestoredAfterTheCall) {
    EXPECT_EQ(run("(setq x 1 y 2)"
                  "(defun f (x / y) (setq y (* x 10)) (list x y))"
                  "(list (f 5) x y)"),
              "((5 50) 1 2)");
}

TEST_F(Evaluator, ScopeIsDynamic) {
    EXPECT_EQ(run("(setq depth 0)"
                  "(defun show () depth)"
                  "(defun outer (depth) (show))"
                  "(list (outer 7) (show))"),
              "(7 0)");
}

TEST_F(Evaluator, BindingsAreRestoredWhenAnErrorPasses) {
    run("(setq v 'global) (defun bad (v) (car 5))");
    EXPECT_EQ(run("(bad 1)"), "; error: bad argument type: consp: 5");
    EXPECT_EQ(run("v"), "GLOBAL") << "binding leaked";
}

TEST_F(Evaluator, RedefiningTheRunningFunctionKeepsItAlive) {
    EXPECT_EQ(run("(defun self () (defun self () 2) (list 1 1)) (list (self) (self))"),
              "((1 1) 2)");
}

TEST_F(Evaluator, ForeachVariableIsRestored) {
    EXPECT_EQ(run("(setq e 'outer) (foreach e '(1 2) e) e"), "OUTER");
}

TEST_F(Evaluator, PrincWithoutArgumentsIsQuiet) {
    EXPECT_EQ(run("(princ)"), "");
    EXPECT_EQ(output, "");
}

TEST_F(Evaluator, LambdaMapcarApply) {
    EXPECT_EQ(run("(mapcar '(lambda (a b) (+ a b)) '(1 2 3) '(10 20))"), "(11 22)");
    EXPECT_EQ(run("(mapcar '1+ '(1 2))"), "(2 3)");
    EXPECT_EQ(run("(apply '+ '(1 2 3))"), "6");
    EXPECT_EQ(run("(apply (function (lambda (x) (* x x))) '(4))"), "16");
    EXPECT_EQ(run("((lambda (x) (list x x)) 'a)"), "(A A)");
}

TEST_F(Evaluator, TypesOfValues) {
    EXPECT_EQ(run("(defun g () 1) (mapcar 'type (list 1 1.0 \"s\" 'a '(1) car g))"),
              "(INT REAL STR SYM LIST SUBR USUBR)");
    EXPECT_EQ(run("(type nil)"), "nil");
}

TEST_F(Evaluator, ControlForms) {
    EXPECT_EQ(run("(if nil 1 2)"), "2");
    EXPECT_EQ(run("(if nil 1)"), "nil");
    EXPECT_EQ(run("(cond ((= 1 2) 'a) ((+ 1 2)) (T 'c))"), "3");
    EXPECT_EQ(run("(setq i 0 s 0) (while (< i 4) (setq s (+ s i) i (1+ i))) s"), "6");
    EXPECT_EQ(run("(setq n 0) (repeat 5 (setq n (+ n 2)))"), "10");
    EXPECT_EQ(run("(setq acc nil) (foreach e '(1 2 3) (setq acc (cons e acc)))"), "(3 2 1)");
    EXPECT_EQ(run("(list (and 1 2) (and 1 nil) (or nil 3) (or) (and))"), "(T nil T nil T)");
    EXPECT_EQ(run("(progn 1 2 3)"), "3");
}

TEST_F(Evaluator, ListFunctions) {
    EXPECT_EQ(run("(setq l '(a b c d))"), "(A B C D)");
    EXPECT_EQ(run("(list (car l) (cadr l) (caddr l) (cddr l) (nth 3 l) (nth 9 l) (last l))"),
              "(A B C (C D) D nil D)");
    EXPECT_EQ(run("(list (length l) (reverse l) (append '(1) nil '(2 3)))"),
              "(4 (D C B A) (1 2 3))");
    EXPECT_EQ(run("(assoc 8 '((0 . \"LINE\") (8 . \"0\")))"), "(8 . \"0\")");
    EXPECT_EQ(run("(member 'c l)"), "(C D)");
    EXPECT_EQ(run("(cons 1 2)"), "(1 . 2)");
    EXPECT_EQ(run("(list (car nil) (cdr nil))"), "(nil nil)");
}

TEST_F(Evaluator, EqualityWithFuzz) {
    EXPECT_EQ(run("(equal '(1 (2.0 \"a\")) '(1 (2.0 \"a\")))"), "T");
    EXPECT_EQ(run("(equal 1.0 1.05 0.1)"), "T");
    EXPECT_EQ(run("(equal 1.0 1.2 0.1)"), "nil");
    EXPECT_EQ(run("(list (eq 'a 'a) (eq \"a\" \"a\") (setq q '(1)) (eq q q))"), "(T nil (1) T)");
}

TEST_F(Evaluator, CatchAllApply) {
    EXPECT_EQ(run("(setq r (vl-catch-all-apply '/ '(1 0))) (vl-catch-all-error-p r)"), "T");
    EXPECT_EQ(run("(vl-catch-all-error-message r)"), "\"divide by zero\"");
    EXPECT_EQ(run("(vl-catch-all-apply '+ '(1 2))"), "3");
    EXPECT_EQ(run("(vl-catch-all-error-p 3)"), "nil");
    EXPECT_EQ(run("(vl-catch-all-error-message (vl-catch-all-apply 'nosuch nil))"),
              "\"no function definition: NOSUCH\"");
}

TEST_F(Evaluator, StringFunctions) {
    EXPECT_EQ(run("(strcat \"ab\" \"\" \"c\")"), "\"abc\"");
    EXPECT_EQ(run("(list (strlen \"abc\") (substr \"hello\" 2 3) (substr \"hello\" 4))"),
              "(3 \"ell\" \"lo\")");
    EXPECT_EQ(run("(list (strcase \"aB\") (strcase \"aB\" T))"), "(\"AB\" \"ab\")");
    EXPECT_EQ(run("(list (itoa -12) (atoi \"42x\") (atof \"2.5\") (rtos 1.5) (rtos 2 2 1))"),
              "(\"-12\" 42 2.5 \"1.5000\" \"2.0\")");
}

TEST_F(Evaluator, LoadEvaluatesAFile) {
    std::string path = ::testing::TempDir() + "lisp_load_test.lsp";
    {
        std::ofstream file(path);
        file << "(defun loaded-fn (x) (* x 3))\n(setq loaded-value (loaded-fn 2))\n";
    }
    EXPECT_EQ(run("(load \"" + path + "\")"), "6");
    EXPECT_EQ(run("(loaded-fn 5)"), "15");
    EXPECT_EQ(run("(load \"/nonexistent/file.lsp\" 'missing)"), "MISSING");
    EXPECT_EQ(run("(load \"/nonexistent/file.lsp\")"),
              "; error: LOAD failed: \"/nonexistent/file.lsp\"");
    std::remove(path.c_str());
}

TEST_F(Evaluator, BuiltinsDefinedFromCpp) {
    lisp.defineBuiltin("host-twice", [](lisp::Args args) {
        if (!lisp::isNumber(args[0])) lisp::raiseError("host-twice: number expected");
        return lisp::makeReal(2 * lisp::numberValue(args[0]));
    }, 1, 1);
    EXPECT_EQ(run("(host-twice 4)"), "8.0");
    EXPECT_EQ(run("(host-twice \"x\")"), "; error: host-twice: number expected");
    EXPECT_EQ(run("(host-twice)"), "; error: too few arguments");
}

}  // namespace
