// The call wrapper: status mapping, messages, the project check, locking and
// exception paths; and the module's guarded message handling.
#include "HostFixture.h"
#include "integration/DocData.h"
#include "integration/LispCall.h"
#include "integration/ModuleEntry.h"
#include "runtime/exceptions.h"

namespace {

int gCalls = 0;
int gLockCountSeen = 0;
int gStatusToReturn = 0;

LispStatus recordingImpl() {
    ++gCalls;
    gLockCountSeen = curDoc() ? curDoc()->lockCount() : -1;
    acedRetT();
    return static_cast<LispStatus>(gStatusToReturn);
}

LispStatus throwingFrameworkImpl() { throw new CException("boom"); }
LispStatus throwingOtherImpl() { throw 42; }

class CallWrapper : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        gCalls = 0;
        gLockCountSeen = 0;
        gStatusToReturn = 0;
    }
};

} // namespace

TEST_F(CallWrapper, StatusesMapToCodesAndMessages) {
    struct Case {
        int status;
        int code;
        const char* message;
    } cases[] = {
        {0, RSRSLT, ""},
        {1, RSERR, "\nToo few arguments passed.\n"},
        {2, RSERR, "\nWrong type of arguments passed.\n"},
        {3, RSERR, "\nBad data passed .\n"},
        {4, RSERR, ""},
        {17, RSRSLT, ""},
    };
    for (const Case& c : cases) {
        output.clear();
        gStatusToReturn = c.status;
        EXPECT_EQ(invokeLispFunction(recordingImpl, nullptr), c.code) << c.status;
        EXPECT_EQ(output, c.message) << c.status;
    }
    EXPECT_EQ(gCalls, 6);
}

TEST_F(CallWrapper, HoldsTheDocumentLockOnlyDuringTheCall) {
    invokeLispFunction(recordingImpl, nullptr);
    EXPECT_EQ(gLockCountSeen, 1);
    EXPECT_EQ(doc->lockCount(), 0);
}

TEST_F(CallWrapper, ProjectFunctionWithoutDocumentDataDoesNotRun) {
    // A manager created with no documents open holds no document data.
    acDocManager->closeAll();
    DocDataManager manager;
    output.clear();
    EXPECT_EQ(invokeLispFunction(recordingImpl, &manager), RSRSLT);
    EXPECT_EQ(gCalls, 0);
    EXPECT_EQ(output, "");
}

TEST_F(CallWrapper, FrameworkExceptionUnlocksPrintsAndPassesOn) {
    CException* caught = nullptr;
    try {
        invokeLispFunction(throwingFrameworkImpl, nullptr);
    } catch (CException* e) {
        caught = e;
    }
    ASSERT_NE(caught, nullptr);
    caught->Delete();
    EXPECT_EQ(output, "\nGeneral Exception");
    EXPECT_EQ(doc->lockCount(), 0);
}

TEST_F(CallWrapper, OtherExceptionUnlocksPrintsAndPassesOn) {
    EXPECT_THROW(invokeLispFunction(throwingOtherImpl, nullptr), int);
    EXPECT_EQ(output, "\nError");
    EXPECT_EQ(doc->lockCount(), 0);
}

TEST_F(CallWrapper, GuardedMessagesReportFailures) {
    EXPECT_EQ(runGuarded([]() -> AcRx::AppRetCode { throw new CException("Out of memory."); }), AcRx::kRetError);
    EXPECT_EQ(output, "\nGeneral Error:  Out of memory.");

    output.clear();
    SetLastError(0);
    EXPECT_EQ(runGuarded([]() -> AcRx::AppRetCode { throw std::runtime_error("x"); }), AcRx::kRetError);
    EXPECT_EQ(output, "\nOrvane error.\nClosing AutoCAD and reopening it should fix this problem.\n"
                      "If that doesn't work, try using the \"Database Utilities->Repair Database\" command.\n");

    output.clear();
    SetLastError(5);
    EXPECT_EQ(runGuarded([]() -> AcRx::AppRetCode { throw 1; }), AcRx::kRetError);
    EXPECT_EQ(output, "\nSystem error 5.\n");
    SetLastError(0);
}
