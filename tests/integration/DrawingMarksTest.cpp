// What the module keeps in a drawing's model space extended data: the
// connection mark, set the first time a function needs the project, which
// makes the drawing connect when it is opened again; and the duct alignment
// point. And disconnecting, after which the next function connects again.
#include "HostFixture.h"
#include "database/io/DrawingFiles.h"
#include "integration/DocData.h"
#include "integration/LispCall.h"
#include "project/ProjectData.h"

namespace {

LispStatus doNothing() { return kLispOk; }

class DrawingMarks : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        gDocDataManager = new DocDataManager;
    }
    void TearDown() override {
        delete gDocDataManager;
        gDocDataManager = nullptr;
        HostFixture::TearDown();
    }
    static zkPerDocData* current() { return gDocDataManager->currentDocData(); }
    static bool connected() { return current()->project()->database().connection().isOpen(); }
    // Saves the current drawing, closes everything and opens it again.
    void reopen() {
        const std::string path = projectDir + "/A.dxf";
        ASSERT_EQ(orv::io::saveDrawing(doc->database(), path), Acad::eOk);
        acDocManager->closeAll();
        auto* db = new AcDbDatabase(false);
        ASSERT_EQ(orv::io::readDrawing(db, path), Acad::eOk);
        doc = acDocManager->createDocument(path, db);
    }
};

} // namespace

TEST_F(DrawingMarks, TheFirstProjectCallMarksTheDrawingWhichThenConnectsAtOpen) {
    EXPECT_FALSE(drawingIsMarked(doc->database()));
    EXPECT_FALSE(connected());
    // A function that does not need the project leaves the drawing alone.
    invokeLispFunction(doNothing, nullptr);
    EXPECT_FALSE(drawingIsMarked(doc->database()));

    invokeLispFunction(doNothing, gDocDataManager);
    EXPECT_TRUE(connected());
    EXPECT_TRUE(drawingIsMarked(doc->database()));

    reopen();
    EXPECT_TRUE(drawingIsMarked(doc->database()));
    EXPECT_TRUE(connected()) << "a marked drawing connects when it is opened";
}

TEST_F(DrawingMarks, AnUnmarkedDrawingDoesNotConnectAtOpen) {
    reopen();
    EXPECT_FALSE(drawingIsMarked(doc->database()));
    EXPECT_FALSE(connected());
}

TEST_F(DrawingMarks, AMarkWithAnotherValueIsNotAMark) {
    doc->database()->registerApp("ORVANE");
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, doc->database()->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    resbuf* xdata = acutBuildList(1001, "ORVANE", 1000, "ZK_HVAC", 1000, "NO", 0);
    space->setXData(xdata);
    acutRelRb(xdata);
    space->close();
    EXPECT_FALSE(drawingIsMarked(doc->database()));
    reopen();
    EXPECT_FALSE(connected());
}

TEST_F(DrawingMarks, DisconnectClosesTheProjectUntilTheNextProjectCall) {
    invokeLispFunction(doNothing, gDocDataManager);
    ASSERT_TRUE(connected());
    registerFunctionTableForTest();
    EXPECT_EQ(eval("(zk_hvac-disconnect)"), "nil");
    EXPECT_FALSE(connected());
    EXPECT_EQ(eval("(zk_hvac-disconnect)"), "nil") << "a second disconnect is harmless";
    invokeLispFunction(doNothing, gDocDataManager);
    EXPECT_TRUE(connected());
}

TEST_F(DrawingMarks, AlignmentPointIsKeptInTheDrawing) {
    AcGePoint2d point;
    output.clear();
    EXPECT_FALSE(current()->alignmentPoint(point, false));
    EXPECT_EQ(output, "");
    EXPECT_FALSE(current()->alignmentPoint(point, true));
    EXPECT_EQ(output, "\nAlignment point not set yet!\nIt must be set before ducts can be inserted.");

    // Set by the product directly in the drawing after a failed look.
    doc->database()->registerApp("ORVANE_ALIGN");
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, doc->database()->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    double p[3] = {12.5, -4.0, 0.0};
    resbuf* xdata = acutBuildList(1001, "ORVANE_ALIGN", 1010, p, 0);
    space->setXData(xdata);
    acutRelRb(xdata);
    space->close();
    ASSERT_TRUE(current()->alignmentPoint(point, true));
    EXPECT_EQ(point, AcGePoint2d(12.5, -4.0));

    current()->setAlignmentPoint(AcGePoint2d(100, 200));
    reopen();
    ASSERT_TRUE(current()->alignmentPoint(point, false));
    EXPECT_EQ(point, AcGePoint2d(100, 200));
}
