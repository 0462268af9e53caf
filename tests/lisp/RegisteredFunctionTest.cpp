// Registered application functions: argument passing, results, RSERR,
// exceptions, re-entrant acedInvoke, per-document contexts, output and
// system variables.
#include "LispTestSupport.h"
#include "lisp/AdsConvert.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

std::string gReceived;  // host-resbufs-like dump of the last arguments

std::string describe(const resbuf* list) {
    std::string text;
    for (const resbuf* node = list; node; node = node->rbnext) {
        text += std::to_string(node->restype);
        if (node->restype == RTSTR) text += std::string(":") + node->resval.rstring;
        if (node->restype == RTSHORT) text += ":" + std::to_string(node->resval.rint);
        if (node->restype == RTLONG) text += ":" + std::to_string(node->resval.rlong);
        text += ' ';
    }
    return text;
}

int echoArgs() {
    resbuf* args = acedGetArgs();
    gReceived = describe(args);
    resbuf* again = acedGetArgs();  // every request gives a fresh list
    EXPECT_EQ(describe(again), gReceived);
    acutRelRb(again);
    acedRetList(args);
    acutRelRb(args);
    return RSRSLT;
}

int returnPair() {
    resbuf* list = acutBuildList(RTLB, RTSTR, "n", RTDOTE, RTLONG, 70000, RTLE, 0);
    acedRetList(list);
    acutRelRb(list);
    return RSRSLT;
}

int failWithRserr() {
    acedRetInt(5);
    return RSERR;
}

int throwStd() { throw std::runtime_error("handler broke"); }

int nothing() { return RSRSLT; }

// Calls the AutoLISP function named by its first argument with its second.
int invokeBack() {
    resbuf* args = acedGetArgs();
    resbuf* result = nullptr;
    int status = acedInvoke(args, &result);
    acutRelRb(args);
    if (status != RTNORM) {
        acedRetStr("invoke failed");
        return RSRSLT;
    }
    acedRetList(result);
    acutRelRb(result);
    return RSRSLT;
}

int returnMixed() {
    resbuf* args = acedGetArgs();
    const resbuf* first = args;
    int status = RSRSLT;
    if (!first) {
        acedRetVoid();
    } else if (first->restype == RT3DPOINT) {
        ads_point p = {first->resval.rpoint[0] * 2, first->resval.rpoint[1] * 2, 1};
        acedRetPoint(p);
    } else if (first->restype == RTENAME) {
        acedRetName(first->resval.rlname, RTENAME);
    } else if (first->restype == RTREAL) {
        acedRetReal(first->resval.rreal / 4);
    } else {
        resbuf* broken = acutBuildList(RTLB, RTSHORT, 1, 0);  // no list end
        if (acedRetList(broken) != RTERROR) status = RSERR;
        acutRelRb(broken);
    }
    acutRelRb(args);
    return status;
}

class Registered : public LispTest {
protected:
    void SetUp() override {
        LispTest::SetUp();
        adsSetFunctionContext(this);
        acedDefun("t-echo", 0);
        acedRegFunc(echoArgs, 0);
        acedDefun("t-pair", 1);
        acedRegFunc(returnPair, 1);
        acedDefun("t-rserr", 2);
        acedRegFunc(failWithRserr, 2);
        acedDefun("t-throw", 3);
        acedRegFunc(throwStd, 3);
        acedDefun("t-nothing", 4);
        acedRegFunc(nothing, 4);
        acedDefun("t-invoke", 5);
        acedRegFunc(invokeBack, 5);
        acedDefun("t-mixed", 6);
        acedRegFunc(returnMixed, 6);
    }
    void TearDown() override {
        adsDropFunctionContext(this);
        LispTest::TearDown();
    }
};

TEST_F(Registered, HandlerReceivesArgumentsAndReturnsAList) {
    EXPECT_EQ(run("(t-echo \"a\" 5 70000 '(1 . 2))"), "(\"a\" 5 70000 (1 . 2))");
    EXPECT_EQ(gReceived, "5005:a 5003:5 5010:70000 5016 5003:1 5003:2 5018 ");
    EXPECT_EQ(run("(t-echo)"), "nil");
    EXPECT_EQ(gReceived, "");
}

TEST_F(Registered, ResultsAndFailures) {
    EXPECT_EQ(run("(t-pair)"), "(\"n\" . 70000)");
    EXPECT_EQ(run("(t-nothing)"), "nil");
    EXPECT_EQ(run("(t-rserr)"), "nil");
    EXPECT_EQ(run("(t-throw)"), "; error: exception in T-THROW: handler broke");
    EXPECT_EQ(run("(type t-echo)"), "EXRXSUBR");
    EXPECT_EQ(run("(vl-catch-all-error-p (vl-catch-all-apply 't-throw nil))"), "T");
}

TEST_F(Registered, ResultKindsAndFunctionValues) {
    EXPECT_EQ(run("(t-mixed '(1 2 3))"), "(2.0 4.0 1.0)");
    EXPECT_EQ(run("(t-mixed 10.0)"), "2.5");
    ads_name name = {0xabc, 0};
    lisp.setValue("some-entity", lisp::Interpreter::ename(name));
    EXPECT_EQ(run("(t-mixed some-entity)"), "<Entity name: abc>");
    EXPECT_EQ(run("(t-mixed)"), "") << "acedRetVoid prints nothing";
    EXPECT_EQ(run("(t-mixed \"x\")"), "; error: malformed list in result buffers: missing list end");
    EXPECT_EQ(run("(mapcar 't-mixed '(4.0 8.0))"), "(1.0 2.0)");
    EXPECT_EQ(run("(apply 't-echo '(1 2))"), "(1 2)");
}

TEST_F(Registered, InvokeCallsAutoLispFunctions) {
    run("(defun square (x) (* x x)) (defun broken () (/ 1 0))");
    EXPECT_EQ(run("(t-invoke \"square\" 7)"), "49");
    EXPECT_EQ(run("(t-invoke \"missing-fn\" 7)"), "\"invoke failed\"");
    output.clear();
    EXPECT_EQ(run("(t-invoke \"broken\")"), "\"invoke failed\"");
    EXPECT_EQ(output, "; error: divide by zero\n");
    // Re-entrant: AutoLISP -> handler -> AutoLISP -> handler.
    EXPECT_EQ(run("(defun via-echo (a) (t-echo a 1)) (t-invoke \"via-echo\" \"z\")"),
              "(\"z\" 1)");
}

TEST_F(Registered, InvokeFromOutsideAnyCall) {
    run("(defun pt () '(1 2 3))");
    resbuf* args = acutBuildList(RTSTR, "pt", 0);
    resbuf* result = nullptr;
    ASSERT_EQ(acedInvoke(args, &result), RTNORM);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->restype, RT3DPOINT);
    EXPECT_DOUBLE_EQ(result->resval.rpoint[2], 3.0);
    acutRelRb(result);
    acutRelRb(args);
    EXPECT_EQ(acedInvoke(nullptr, &result), RTERROR);
    EXPECT_EQ(result, nullptr);
}

TEST_F(Registered, ContextsArePerDocument) {
    int otherDocument = 0;
    adsSetFunctionContext(&otherDocument);
    EXPECT_TRUE(adsRegisteredFunctions().empty());
    EXPECT_EQ(run("(t-echo 1)"), "; error: no function definition: T-ECHO");
    acedDefun("t-other", 9);
    adsSetFunctionContext(this);
    auto functions = adsRegisteredFunctions();
    ASSERT_EQ(functions.size(), 7u);
    EXPECT_EQ(functions.front(), (std::pair<std::string, short>("t-echo", 0)));
    EXPECT_EQ(functions.back(), (std::pair<std::string, short>("t-mixed", 6)));
    EXPECT_EQ(acedUndef("t-pair", 1), RTNORM);
    EXPECT_EQ(run("(t-pair)"), "; error: no function definition: T-PAIR");
    adsDropFunctionContext(&otherDocument);
}

TEST_F(Registered, RetOutsideACallIsAnError) {
    EXPECT_EQ(acedRetInt(1), RTERROR);
    EXPECT_EQ(acedGetArgs(), nullptr);
}

TEST_F(Registered, OutputGoesThroughTheSink) {
    acutPrintf("%s-%d", "x", 4);
    acedAlert("careful");
    EXPECT_EQ(output, "x-4\n[Alert] careful\n");
}

TEST_F(Registered, SystemVariables) {
    static int value = 3;
    adsRegisterSysVar(
        "TESTVAR",
        [](resbuf* rb) {
            rb->restype = RTSHORT;
            rb->resval.rint = static_cast<short>(value);
            return true;
        },
        [](const resbuf* rb) {
            if (rb->restype != RTSHORT || rb->resval.rint < 0) return false;
            value = rb->resval.rint;
            return true;
        });
    adsRegisterSysVar("TESTNAME", [](resbuf* rb) {
        rb->restype = RTSTR;
        rb->resval.rstring = strdup("drawing.dwg");
        return true;
    });
    EXPECT_EQ(run("(getvar \"testvar\")"), "3");
    EXPECT_EQ(run("(setvar \"TestVar\" 8)"), "8");
    EXPECT_EQ(value, 8);
    EXPECT_EQ(run("(setvar \"testvar\" -1)"), "; error: variable setting rejected: \"testvar\" -1");
    EXPECT_EQ(run("(getvar \"testname\")"), "\"drawing.dwg\"");
    EXPECT_EQ(run("(getvar \"nosuchvar\")"), "nil");
    EXPECT_EQ(run("(setvar \"testname\" \"x\")"),
              "; error: variable setting rejected: \"testname\" \"x\"");
    adsUnregisterSysVar("TESTVAR");
    adsUnregisterSysVar("TESTNAME");
    EXPECT_EQ(run("(getvar \"testvar\")"), "nil");
}

}  // namespace
