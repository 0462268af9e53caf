// Window and crossing selection through the editor's grid index: what is
// drawn decides (a circle's edge, not its extents), the index answers like
// a walk over every entity through appends, moves and erasures, entities
// still open for write are measured again later, and ZOOM V / P.
#include <gtest/gtest.h>

#include <random>

#include "database/dbcircle.h"
#include "database/dbdatabase.h"
#include "database/dbline.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "editor/EditorCommands.h"
#include "editor/EditorSelection.h"
#include "editor/EditorView.h"
#include "editor/EntityGridIndex.h"
#include "editor/EntityOutline.h"
#include "runtime/editor.h"

namespace {

class SpatialSelection : public ::testing::Test {
protected:
    void SetUp() override { acdbHostApplicationServices()->setWorkingDatabase(&db); }
    void TearDown() override { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }

    AcDbObjectId append(AcDbEntity* entity) {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        space->close();
        return id;
    }
    AcDbObjectId line(double x0, double y0, double x1, double y1) {
        return append(new AcDbLine(AcGePoint3d(x0, y0, 0), AcGePoint3d(x1, y1, 0)));
    }
    // The selection of a mode as ids, empty when nothing is selected.
    std::vector<AcDbObjectId> select(const char* mode, double x0, double y0, double x1, double y1,
                                     const resbuf* filter = nullptr) {
        const ads_point a = {x0, y0, 0}, b = {x1, y1, 0};
        ads_name ss;
        std::vector<AcDbObjectId> ids;
        if (acedSSGet(mode, a, b, filter, ss) != RTNORM) return ids;
        int32_t n = 0;
        acedSSLength(ss, &n);
        for (int32_t i = 0; i < n; ++i) {
            ads_name e;
            AcDbObjectId id;
            acedSSName(ss, i, e);
            acdbGetObjectId(id, e);
            ids.push_back(id);
        }
        acedSSFree(ss);
        return ids;
    }
    // The same answer by drawing every live entity of model space.
    std::vector<AcDbObjectId> walk(bool window, double x0, double y0, double x1, double y1) {
        const SelectionBox box{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
        std::vector<AcDbObjectId> ids;
        AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForRead);
        for (AcDbObjectId id : space->entityIds()) {
            if (id.isErased()) continue;
            AcDbEntityPointer e(id, AcDb::kForRead);
            const EntityOutline o = entityOutline(e.object());
            if (window ? outlineInside(o, box) : outlineCrosses(o, box)) ids.push_back(id);
        }
        return ids;
    }
    AcDbDatabase db;
};

} // namespace

TEST_F(SpatialSelection, CrossingFindsWhatIsDrawnNotTheExtents) {
    const AcDbObjectId circle = append(new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 10));
    const AcDbObjectId diagonal = line(20, 0, 30, 10);
    // Inside the circle, away from its edge: its extents hold the box, but
    // nothing of it is drawn there.
    EXPECT_TRUE(select("_C", -2, -2, 2, 2).empty());
    // Only the edge enters this box.
    EXPECT_EQ(select("_C", 9, -1, 12, 1), std::vector<AcDbObjectId>{circle});
    // A corner of the diagonal's extents, off the line itself.
    EXPECT_TRUE(select("C", 28, 0, 30, 2).empty());
    EXPECT_EQ(select("C", 24, 4, 26, 6), std::vector<AcDbObjectId>{diagonal});
    // A window needs everything inside; the filter keeps only circles.
    EXPECT_TRUE(select("W", -10.5, -10.5, 30, 9).empty());
    EXPECT_EQ(select("W", -10.5, -10.5, 31, 11).size(), 2u);
    const resbuf* circles = acutBuildList(RTDXF0, "CIRCLE", 0);
    EXPECT_EQ(select("W", -10.5, -10.5, 31, 11, circles), std::vector<AcDbObjectId>{circle});
    acutRelRb(const_cast<resbuf*>(circles));
}

TEST_F(SpatialSelection, PolygonsCrossOrHoldWhatIsDrawn) {
    const AcDbObjectId l = line(0, 0, 10, 0);
    const ads_point t[3] = {{-1, -1, 0}, {11, -1, 0}, {5, 8, 0}};
    resbuf* triangle = acutBuildList(RTPOINT, t[0], RTPOINT, t[1], RTPOINT, t[2], 0);
    ads_name ss;
    ASSERT_EQ(acedSSGet("WP", triangle, nullptr, nullptr, ss), RTNORM);
    acedSSFree(ss);
    // A notch over the middle of the line: its ends are inside, the line
    // leaves the polygon and comes back.
    const ads_point n[7] = {{-1, -1, 0}, {4, -1, 0}, {5, 1, 0}, {6, -1, 0}, {11, -1, 0}, {11, 5, 0}, {-1, 5, 0}};
    resbuf* notched = acutBuildList(RTPOINT, n[0], RTPOINT, n[1], RTPOINT, n[2], RTPOINT, n[3], RTPOINT, n[4],
                                    RTPOINT, n[5], RTPOINT, n[6], 0);
    EXPECT_EQ(acedSSGet("WP", notched, nullptr, nullptr, ss), RTERROR);
    ASSERT_EQ(acedSSGet("CP", notched, nullptr, nullptr, ss), RTNORM);
    ads_name first;
    AcDbObjectId id;
    acedSSName(ss, 0, first);
    acdbGetObjectId(id, first);
    EXPECT_EQ(id, l);
    acedSSFree(ss);
    acutRelRb(triangle);
    acutRelRb(notched);
}

TEST_F(SpatialSelection, TheIndexAnswersLikeAWalkThroughEdits) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> at(-500, 500), length(-60, 60);
    std::vector<AcDbObjectId> ids;
    for (int i = 0; i < 300; ++i) {
        const double x = at(random), y = at(random);
        if (i % 4 == 0) ids.push_back(append(new AcDbCircle(AcGePoint3d(x, y, 0), AcGeVector3d::kZAxis,
                                                            std::fabs(length(random)) + 0.5)));
        else ids.push_back(line(x, y, x + length(random), y + length(random)));
    }
    auto compare = [&](const char* stage) {
        for (int k = 0; k < 120; ++k) {
            const double x = at(random), y = at(random), w = std::fabs(length(random)) * (k % 3 + 1);
            ASSERT_EQ(select("C", x, y, x + w, y + w), walk(false, x, y, x + w, y + w)) << stage;
            ASSERT_EQ(select("W", x, y, x + w * 3, y + w * 3), walk(true, x, y, x + w * 3, y + w * 3)) << stage;
        }
    };
    compare("appended");
    for (size_t i = 1; i < ids.size(); i += 3) {
        AcDbEntityPointer e(ids[i], AcDb::kForWrite);
        e->transformBy(AcGeMatrix3d::translation(AcGeVector3d(length(random) * 5, length(random) * 5, 0)));
    }
    compare("moved");
    for (size_t i = 2; i < ids.size(); i += 5) {
        AcDbEntityPointer e(ids[i], AcDb::kForWrite);
        e->erase();
    }
    compare("erased");
    // The whole drawing at once walks the entries instead of the cells.
    ASSERT_EQ(select("C", -1e6, -1e6, 1e6, 1e6), walk(false, -1e6, -1e6, 1e6, 1e6));
    EXPECT_EQ(acedIndexedEntityCount(&db), ids.size());
}

TEST_F(SpatialSelection, AnEntityStillOpenForWriteIsMeasuredAgainLater) {
    const AcDbObjectId id = line(0, 0, 10, 0);
    AcDbLine* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, id, AcDb::kForWrite), Acad::eOk);
    // Measured while open (the selection itself cannot open it now).
    EXPECT_EQ(acedIndexedEntitiesIn(&db, AcGePoint2d(4, -1), AcGePoint2d(6, 1)).size(), 1u);
    l->setStartPoint(AcGePoint3d(0, 100, 0));
    l->setEndPoint(AcGePoint3d(10, 100, 0));
    l->close();
    EXPECT_TRUE(select("C", 4, -1, 6, 1).empty());
    EXPECT_EQ(select("C", 4, 99, 6, 101).size(), 1u);
}

TEST_F(SpatialSelection, BadBoxesSelectNothing) {
    line(0, 0, 10, 0);
    const double nan = std::nan("");
    EXPECT_TRUE(select("C", nan, 0, 1, 1).empty());
    EXPECT_TRUE(select("W", -INFINITY, -1, INFINITY, 1).empty());
    // A line across nearly all of the number range, and boxes far beyond
    // the grid's cells: answered without overflow.
    line(-1.7e308, 5, 1.7e308, 5);
    EXPECT_EQ(select("C", 0, 4, 1, 6).size(), 1u);
    EXPECT_EQ(select("C", -1e300, -1e300, 1e300, 1e300).size(), 2u);
    EXPECT_TRUE(select("C", 1e300, 1e300, 1e300, 1e300).empty());
    ads_name ss;
    EXPECT_EQ(acedSSGet("C", nullptr, nullptr, nullptr, ss), RTERROR);
}

namespace {
struct CommandLog : AcEditorReactor {
    std::vector<std::string> started;
    std::vector<AcEdView> viewAtEnd;
    void commandWillStart(const char* name) override { started.push_back(name); }
    void commandEnded(const char*) override { viewAtEnd.push_back(acedCurrentView()); }
};
} // namespace

TEST_F(SpatialSelection, ZoomVShowsTheWholeDrawingAndZoomPComesBack) {
    registerEditorViewVars();
    line(1000, 1000, 1200, 1000);
    resbuf centre{};
    centre.restype = RT3DPOINT;
    centre.resval.rpoint[0] = centre.resval.rpoint[1] = centre.resval.rpoint[2] = 0;
    acedSetVar("VIEWCTR", &centre);
    const AcEdView before = acedCurrentView();
    CommandLog log;
    acedEditor->addReactor(&log);
    acedCommand(RTSTR, "_.ZOOM", RTSTR, "_V", RTNONE);
    acedCommand(RTSTR, "_.ZOOM", RTSTR, "_P", RTNONE);
    acedEditor->removeReactor(&log);
    ASSERT_EQ(log.started, (std::vector<std::string>{"ZOOM", "ZOOM"}));
    const AcEdView& out = log.viewAtEnd[0];
    const double halfW = out.height / 2 * out.screenWidth / out.screenHeight;
    // The old view and the line both lie in the zoomed-out view.
    EXPECT_LE(out.centre.x - halfW, -before.height / 2);
    EXPECT_GE(out.centre.x + halfW, 1200);
    EXPECT_GE(out.centre.y + out.height / 2, 1000);
    const AcEdView& back = log.viewAtEnd[1];
    EXPECT_EQ(back.centre.x, before.centre.x);
    EXPECT_EQ(back.height, before.height);
}
