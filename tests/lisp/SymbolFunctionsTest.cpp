// Symbols and the session: atoms-family, defun-q, environment variables,
// system variables by symbol, *error*, exit and quit.
#include "LispTestSupport.h"

namespace {

using Symbols = LispTest;

TEST_F(Symbols, AtomsFamily) {
    EXPECT_EQ(run("(atoms-family 1 '(\"CAR\" \"CDR\" \"XYZ_NO_SUCH\"))"), "(\"CAR\" \"CDR\" nil)");
    EXPECT_EQ(run("(atoms-family 0 '(\"CAR\"))"), "(CAR)");
    EXPECT_EQ(run("(setq af-test 1) (if (member 'AF-TEST (atoms-family 0)) T)"), "T");
    EXPECT_EQ(run("(atoms-family 2)"), "; error: bad argument value: atoms-family format 2");
}

TEST_F(Symbols, DefunQKeepsTheFunctionAsAList) {
    EXPECT_EQ(run("(defun-q my-startup (x) (print (list x)))"), "MY-STARTUP");
    EXPECT_EQ(run("(defun-q-list-ref 'my-startup)"), "((X) (PRINT (LIST X)))");
    EXPECT_EQ(run("(defun-q-list-set 'addq '((x / y) (setq y 2) (+ x y))) (addq 5)"), "7");
    EXPECT_EQ(run("(apply 'addq '(1))"), "3");
    EXPECT_EQ(run("(defun-q-list-ref 'car)"), "nil");
}

TEST_F(Symbols, EnvironmentAndSystemVariables) {
    EXPECT_EQ(run("(setenv \"ORV_TEST_VAR\" \"10\")"), "\"10\"");
    EXPECT_EQ(run("(list (getenv \"ORV_TEST_VAR\") (getenv \"ORV_NO_SUCH_VAR_X\"))"), "(\"10\" nil)");
    EXPECT_EQ(run("(list (type (getvar 'cdate)) (type (getvar \"MILLISECS\")) (> (getvar \"CDATE\") 20000101.0))"),
              "(REAL INT T)");
    EXPECT_EQ(run("(getvar 1)"), "; error: bad argument type: (or stringp symbolp): 1");
}

TEST_F(Symbols, ErrorHandlerExitAndQuit) {
    lisp::EvalResult handled = lisp.evalString("(defun *error* (msg) (princ (strcat \"caught: \" msg))) (/ 1 0)");
    EXPECT_FALSE(handled.ok);
    EXPECT_TRUE(handled.handled);
    EXPECT_EQ(output, "caught: divide by zero");
    output.clear();
    lisp::EvalResult exited = lisp.evalString("(exit) (princ \"not reached\")");
    EXPECT_TRUE(exited.handled);
    EXPECT_EQ(output, "caught: quit / exit abort");
    // An error inside *error* is what gets reported.
    lisp::EvalResult inner = lisp.evalString("(defun *error* (msg) (car 1)) (quit)");
    EXPECT_FALSE(inner.handled);
    EXPECT_EQ(inner.error, "bad argument type: consp: 1");
    EXPECT_EQ(run("(setq *error* nil) (exit)"), "; error: quit / exit abort");
    EXPECT_EQ(run("(vl-catch-all-error-message (vl-catch-all-apply 'exit nil))"), "\"quit / exit abort\"");
    EXPECT_EQ(run("(exit 1)"), "; error: too many arguments");
}

TEST_F(Symbols, PromptAndAlertPrint) {
    EXPECT_EQ(run("(prompt \"\\nPick a room: \")"), "nil");
    EXPECT_EQ(run("(alert \"Done\")"), "nil");
    EXPECT_EQ(output, "\nPick a room: \n[Alert] Done\n");
    EXPECT_EQ(run("(prompt 1)"), "; error: bad argument type: stringp: 1");
}

TEST_F(Symbols, ArgumentErrors) {
    const char* cases[][2] = {
        {"(atoms-family)", "too few arguments"},           {"(atoms-family 0 nil 1)", "too many arguments"},
        {"(atoms-family \"0\")", "bad argument type: fixnump: \"0\""},
        {"(defun-q-list-ref)", "too few arguments"},       {"(defun-q-list-ref \"a\")", "bad argument type: symbolp: \"a\""},
        {"(defun-q-list-set 'a)", "too few arguments"},    {"(defun-q-list-set 'a 1)", "bad argument type: listp: 1"},
        {"(getenv)", "too few arguments"},                 {"(getenv 'a)", "bad argument type: stringp: A"},
        {"(setenv \"a\")", "too few arguments"},           {"(setenv \"a\" 1)", "bad argument type: stringp: 1"},
        {"(quit 1)", "too many arguments"},                {"(alert)", "too few arguments"},
        {"(prompt \"a\" \"b\")", "too many arguments"},
    };
    for (auto& [source, error] : cases) EXPECT_EQ(run(source), std::string("; error: ") + error) << source;
}

}  // namespace
