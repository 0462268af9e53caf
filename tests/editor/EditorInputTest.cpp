// The editor's input queue: prompts, points, Enter, Escape, running out of
// input, refused text, and the drag loop of a jig.
#include <gtest/gtest.h>

#include <string>

#include "database/dbline.h"
#include "editor/AcEdJig.h"
#include "editor/EditorBuiltins.h"
#include "editor/EditorInput.h"
#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"

namespace {

class EditorInput : public ::testing::Test {
protected:
    void SetUp() override {
        acedClearInput();
        adsSetOutputSink([this](std::string_view text) { output.append(text); });
    }
    void TearDown() override {
        acedClearInput();
        adsSetOutputSink({});
    }
    std::string output;
};

// Drags the end of a line.
class LineJig : public AcEdJig {
public:
    LineJig() { setDispPrompt("\nEnd point:"); }
    DragStatus sampler() override {
        setUserInputControls(kNullResponseAccepted);
        AcGePoint3d p;
        DragStatus status = acquirePoint(p);
        if (status == kNormal && p.isEqualTo(last)) return kNoChange;
        if (status == kNormal) last = p;
        return status;
    }
    bool update() override {
        line.setEndPoint(last);
        ++updates;
        return true;
    }
    AcDbEntity* entity() const override { return const_cast<AcDbLine*>(&line); }
    AcDbLine line;
    AcGePoint3d last;
    int updates = 0;
};

} // namespace

TEST_F(EditorInput, PointsEnterAndEscapeAnswerPromptsInOrder) {
    acedQueueInput(AcEdInputItem::makePoint(AcGePoint3d(1, 2, 3)));
    acedQueueInput(AcEdInputItem::makeText(""));
    acedQueueInput(AcEdInputItem::makeText("*Cancel*"));
    ads_point base = {0, 0, 0}, p;
    EXPECT_EQ(acedGetPoint(base, "\nPick:", p), RTNORM);
    EXPECT_EQ(p[2], 3.0);
    EXPECT_EQ(acedGetPoint(base, "\nPick:", p), RTNONE);
    EXPECT_EQ(acedGetPoint(base, "\nPick:", p), RTCAN);
    EXPECT_EQ(acedGetPoint(base, "\nPick:", p), RTCAN);  // nothing left: Escape
    EXPECT_EQ(output, "\nPick:\nPick:\nPick:*Cancel*\n\nPick:*Cancel*\n");
}

TEST_F(EditorInput, TextAtAPointPromptIsRefusedAndEnterCanBeRequired) {
    acedQueueInput(AcEdInputItem::makeText("abc"));
    acedQueueInput(AcEdInputItem::makeText(""));
    acedQueueInput(AcEdInputItem::makePoint(AcGePoint3d(4, 5, 0)));
    ads_point base = {0, 0, 0}, p;
    acedInitGet(RSG_NONULL, nullptr);
    EXPECT_EQ(acedGetPoint(base, "\nP:", p), RTNORM);
    EXPECT_EQ(p[0], 4.0);
    EXPECT_EQ(output, "\nP:\nInvalid point.\nP:\nPoint or option keyword required.\nP:");
}

TEST_F(EditorInput, StringPromptTakesTextAndPointsAsText) {
    acedQueueInput(AcEdInputItem::makeText("hello"));
    acedQueueInput(AcEdInputItem::makePoint(AcGePoint3d(1.5, 2, 0)));
    char buffer[8];
    EXPECT_EQ(acedGetString(0, "\nName:", buffer, sizeof buffer), RTNORM);
    EXPECT_STREQ(buffer, "hello");
    EXPECT_EQ(acedGetString(0, "\nName:", buffer, sizeof buffer), RTNORM);
    EXPECT_STREQ(buffer, "1.5,2,0");
    EXPECT_EQ(acedGetString(0, "\nName:", buffer, sizeof buffer), RTCAN);
}

TEST_F(EditorInput, DragUpdatesOnlyOnChangeAndAcceptsAnUnchangedClick) {
    LineJig jig;
    acedQueueInput(AcEdInputItem::makePoint(AcGePoint3d(5, 5, 0)));
    acedQueueInput(AcEdInputItem::makePoint(AcGePoint3d(5, 5, 0)));
    acedQueueInput(AcEdInputItem::makeText(""));
    EXPECT_EQ(jig.drag(), AcEdJig::kNormal);
    EXPECT_EQ(jig.drag(), AcEdJig::kNormal);
    EXPECT_EQ(jig.updates, 1);
    EXPECT_EQ(jig.previewCount(), 1);
    EXPECT_EQ(jig.drag(), AcEdJig::kNull);
    EXPECT_EQ(jig.drag(), AcEdJig::kCancel);
    EXPECT_EQ(jig.line.endPoint(), AcGePoint3d(5, 5, 0));
}

TEST_F(EditorInput, OrthoModeGovernsOnlyInputThatAsksForIt) {
    lisp::Interpreter interp;
    registerEditorBuiltins(interp);
    ASSERT_TRUE(interp.evalString("(setvar \"ORTHOMODE\" 1)").ok);
    EXPECT_TRUE(acedOrthoMode());
    LineJig jig;
    acedQueueInput(AcEdInputItem::makePoint(AcGePoint3d(0, 0, 0)));
    acedQueueInput(AcEdInputItem::makePoint(AcGePoint3d(10, 2, 0)));
    acedQueueInput(AcEdInputItem::makePoint(AcGePoint3d(11, 9, 0)));
    EXPECT_EQ(jig.drag(), AcEdJig::kNormal);
    jig.setUserInputControls(static_cast<AcEdJig::UserInputControls>(AcEdJig::kGovernedByOrthoMode));
    AcGePoint3d p;
    EXPECT_EQ(jig.acquirePoint(p), AcEdJig::kNormal);
    EXPECT_EQ(p, AcGePoint3d(10, 0, 0));
    EXPECT_EQ(jig.acquirePoint(p), AcEdJig::kNormal);
    EXPECT_EQ(p, AcGePoint3d(10, 9, 0));
    EXPECT_EQ(interp.evalString("(getvar \"LASTPOINT\")").value != nullptr, true);
    acedSetOrthoMode(false);
}

TEST_F(EditorInput, HostInputQueuesPointsAndStringsAndRejectsOthers) {
    lisp::Interpreter interp;
    registerEditorBuiltins(interp);
    lisp::EvalResult r = interp.evalString("(host-input '(1 2) '(3 4 5) \"\" \"*Cancel*\")");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(lisp::Interpreter::prin1Text(r.value), "4");
    AcEdInputItem item;
    ASSERT_TRUE(acedNextInput(item));
    EXPECT_TRUE(item.isPoint);
    EXPECT_EQ(item.point, AcGePoint3d(1, 2, 0));
    r = interp.evalString("(host-input '(1 2) 'seven)");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("host-input"), std::string::npos);
    EXPECT_EQ(acedPendingInput(), 3u);  // nothing queued from the refused call
}
