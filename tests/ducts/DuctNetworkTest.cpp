// Drawing and editing duct networks through the AutoLISP functions: zkDuct
// at the end, start and middle of a duct and off it, several ducts at a
// point, a point outside the view, zkbreak, zkductforce, the fillet, and
// what bad input and a refused database write leave behind.
#include "tests/integration/HostFixture.h"

#include "database/dbline.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "ducts/DuctAccess.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/ZkDuct.h"
#include "editor/EditorView.h"
#include "integration/DocData.h"
#include "project/ProjectData.h"
#include "runtime/editor.h"

namespace {

class DuctNetwork : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        if (!ZkDuct::desc()) ZkDuct::rxInit();
        gDocDataManager = new DocDataManager;
        registerFunctionTableForTest();
        registerEditorViewVars();
        ASSERT_TRUE(gDocDataManager->currentDocData()->project()->makeReady(true)) << output;
        db = currentDuctRecord();
        ASSERT_TRUE(db && db->hasDatabase());
        eval("(defun convert_rp_dp (p u) p)");
        eval("(defun convert_ra_da (a u) a)");
        eval("(defun getPrevDuct (k x) nil)");
        eval("(defun getNextDuctsTransparent (k x tr) nil)");
        eval("(defun duct-elevationListDialog (l) 0)");
        settings(120, 120);
        eval("(setvar \"VIEWCTR\" '(0 0 0))");
        eval("(setvar \"VIEWSIZE\" 1000.0)");
    }
    void TearDown() override {
        delete gDocDataManager;
        gDocDataManager = nullptr;
        HostFixture::TearDown();
    }
    void settings(double z1, double z2) {
        eval("(defun duct-getSettings (x) '((\"AIRFLOW\" . \"sa\") (\"SHAPE\" . \"r\") (\"SIZEFOR\" . \"12x8\")"
             " (\"WIDTH\" . 12.0) (\"DEPTH\" . 8.0) (\"Z1\" . " + std::to_string(z1) + ") (\"Z2\" . " +
             std::to_string(z2) + ")))");
    }
    int32_t zkDuct(const std::string& p1, const std::string& p2) {
        std::string r = eval("(zkDuct '" + p1 + " '" + p2 + ")");
        return r == "nil" ? 0 : std::stoi(r);
    }
    void alignmentPoint() { gDocDataManager->currentDocData()->setAlignmentPoint(AcGePoint2d(0, 0)); }
    // Model space ducts by key.
    std::vector<AcDbObjectId> ducts(int32_t key = -1) {
        std::vector<AcDbObjectId> out;
        AcDbBlockTableRecord* space = nullptr;
        if (acdbOpenObject(space, doc->database()->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return out;
        for (AcDbObjectId id : space->entityIds()) {
            AcDbObjectPointer<ZkDuct> d(id, AcDb::kForRead);
            if (d && !id.isErased() && (key < 0 || d->ductKey() == key)) out.push_back(id);
        }
        space->close();
        return out;
    }
    AcDbObjectId only(int32_t key) {
        std::vector<AcDbObjectId> found = ducts(key);
        EXPECT_EQ(found.size(), 1u) << "ducts with key " << key;
        return found.empty() ? AcDbObjectId() : found[0];
    }
    std::string ename(int32_t key) {
        ads_name name;
        acdbGetAdsName(name, only(key));
        interp.setValue("tmp-e" + std::to_string(key), lisp::Interpreter::ename(name));
        return "tmp-e" + std::to_string(key);
    }
    int rows() {
        _variant_t values;
        if (!db->database().SelectColumn(L"select count(*) from tblDuct", values)) return -1;
        const VARIANT& v = static_cast<VARIANT*>(values.parray->pvData)[0];
        return v.vt == VT_I4 ? v.lVal : static_cast<int>(v.dblVal);
    }
    // The entity and its row agree on both ends; answers the entity's ends.
    std::pair<AcGePoint3d, AcGePoint3d> ends(int32_t key) {
        AcDbObjectPointer<ZkDuct> d(only(key), AcDb::kForRead);
        if (!d) return {};
        const ZkDuctDbInfo row = db->GetRecord(key);
        EXPECT_TRUE(d->startPoint().isEqualTo(AcGePoint3d(row.X1, row.Y1, row.Z1))) << "start of " << key;
        EXPECT_TRUE(d->endPoint().isEqualTo(AcGePoint3d(row.X2, row.Y2, row.Z2))) << "end of " << key;
        EXPECT_EQ(row.DRAWING, gDocDataManager->currentDocData()->fileName());
        return {d->startPoint(), d->endPoint()};
    }
    static void expectPoint(const AcGePoint3d& p, double x, double y, double z) {
        EXPECT_NEAR(p.x, x, 1e-9);
        EXPECT_NEAR(p.y, y, 1e-9);
        EXPECT_NEAR(p.z, z, 1e-9);
    }
    DuctDbRecord* db = nullptr;
};

} // namespace

TEST_F(DuctNetwork, ADuctStartingOnNothingTakesTheSettings) {
    settings(120, 130);
    const int32_t k = zkDuct("(0 0)", "(100 0)");
    ASSERT_GT(k, 0) << output;
    auto [s, e] = ends(k);
    expectPoint(s, 0, 0, 120);
    expectPoint(e, 100, 0, 130);
    const ZkDuctDbInfo row = db->GetRecord(k);
    EXPECT_EQ(row.SIZEFOR, "12x8");
    EXPECT_EQ(row.WIDTH, 12.0);
    AcDbObjectPointer<ZkDuct> d(only(k), AcDb::kForRead);
    EXPECT_EQ(d->sizeFor(), "12x8");
    d.close();
    // Drawn on from it, the new duct's size is still to be worked out.
    const int32_t next = zkDuct("(100 0)", "(200 0)");
    EXPECT_EQ(db->GetRecord(next).SIZEFOR, "X");
    EXPECT_EQ(db->GetRecord(next).WIDTH, 12.0);
}

TEST_F(DuctNetwork, AtTheEndOrStartTheNewDuctTakesThatElevation) {
    settings(120, 130);
    const int32_t first = zkDuct("(0 0)", "(100 0)");
    const int32_t fromEnd = zkDuct("(100 0)", "(100 50)");
    const int32_t fromStart = zkDuct("(0 0)", "(0 -50)");
    ASSERT_GT(fromEnd, 0);
    ASSERT_GT(fromStart, 0);
    expectPoint(ends(fromEnd).first, 100, 0, 130);
    expectPoint(ends(fromEnd).second, 100, 50, 130);
    expectPoint(ends(fromStart).first, 0, 0, 120);
    EXPECT_EQ(rows(), 3);
    expectPoint(ends(first).first, 0, 0, 120);  // not split
}

TEST_F(DuctNetwork, InTheMiddleTheDuctIsSplit) {
    const int32_t main = zkDuct("(0 0)", "(100 0)");
    ASSERT_TRUE(db->SetDamper(main, 2, 0.5));
    ASSERT_TRUE(db->SetSizeFor(main, "12x8"));
    const int32_t branch = zkDuct("(40 0)", "(40 30)");
    ASSERT_GT(branch, 0);
    EXPECT_EQ(rows(), 3);
    expectPoint(ends(main).first, 40, 0, 120);
    EXPECT_EQ(db->GetRecord(main).SIZEFOR, "X");
    AcDbObjectPointer<ZkDuct> d(only(main), AcDb::kForRead);
    EXPECT_EQ(d->sizeFor(), "X");
    d.close();
    // The piece from the old start to the split point.
    int32_t piece = 0;
    for (AcDbObjectId id : ducts()) {
        AcDbObjectPointer<ZkDuct> p(id, AcDb::kForRead);
        if (p->ductKey() != main && p->ductKey() != branch) piece = p->ductKey();
    }
    ASSERT_GT(piece, 0);
    expectPoint(ends(piece).first, 0, 0, 120);
    expectPoint(ends(piece).second, 40, 0, 120);
    const ZkDuctDbInfo pieceRow = db->GetRecord(piece);
    EXPECT_EQ(pieceRow.DAMPERTYPE, 0);
    EXPECT_EQ(pieceRow.SIZEFOR, "12x8");
    EXPECT_EQ(db->GetRecord(branch).DAMPERTYPE, 0);
}

TEST_F(DuctNetwork, NearButOffTheDuctNothingIsSplit) {
    const int32_t main = zkDuct("(0 0)", "(100 0)");
    ASSERT_GT(zkDuct("(40 3)", "(40 30)"), 0);
    EXPECT_EQ(rows(), 2);
    expectPoint(ends(main).first, 0, 0, 120);
    // Beyond the selection box the new duct starts from the settings.
    settings(90, 90);
    const int32_t far = zkDuct("(70 5)", "(70 30)");
    expectPoint(ends(far).first, 70, 5, 90);
}

TEST_F(DuctNetwork, ADuctOnlyOnTheBoxBorderIsFound) {
    zkDuct("(0 0)", "(100 0)");
    settings(90, 90);
    // The box's upper corners lie 6 units from P1 at 45 degrees: with P1
    // that far below the duct, the duct runs along the box's top border.
    const double below = 6.0 * std::sin(3.14159265 / 4);
    char p1[64];
    std::snprintf(p1, sizeof p1, "(50 %.17g)", -below);
    const int32_t onBorder = zkDuct(p1, "(50 -40)");
    ASSERT_GT(onBorder, 0) << output;
    EXPECT_NEAR(ends(onBorder).first.z, 120, 1e-9);  // the duct's elevation, no split
    EXPECT_EQ(rows(), 2);
    // Half a unit further down the box misses the duct and its arrowheads.
    std::snprintf(p1, sizeof p1, "(60 %.17g)", -below - 0.5);
    EXPECT_NEAR(ends(zkDuct(p1, "(60 -40)")).first.z, 90, 1e-9);
}

TEST_F(DuctNetwork, SeveralDuctsAtTheStartOfferTheirElevations) {
    settings(100, 100);
    zkDuct("(0 0)", "(50 0)");
    const int32_t second = zkDuct("(50 50)", "(50 0)");
    // The second duct drops to 140 at the shared point (the row decides).
    ASSERT_TRUE(db->Load(second));
    db->BeginEdit();
    db->SetZ2(140);
    ASSERT_TRUE(db->Save());
    eval("(defun duct-elevationListDialog (l) (setq offered l) 1)");
    const int32_t k = zkDuct("(50 0)", "(90 0)");
    ASSERT_GT(k, 0);
    EXPECT_EQ(eval("offered"), "(100.0 140.0 (\"Select Starting Elevation (ft-in)\" 2 1))");
    expectPoint(ends(k).first, 50, 0, 140);
}

namespace {
// The commands run, with the view each one leaves.
struct CommandLog : AcEditorReactor {
    std::vector<std::string> commands;
    std::vector<AcEdView> views;
    void commandWillStart(const char* name) override { commands.push_back(name); }
    void commandEnded(const char*) override { views.push_back(acedCurrentView()); }
};
} // namespace

TEST_F(DuctNetwork, APointOutsideTheViewIsZoomedToAndTheViewRestored) {
    const int32_t main = zkDuct("(5000 0)", "(5100 0)");
    eval("(setvar \"VIEWCTR\" '(0 0 0))");
    eval("(setvar \"VIEWSIZE\" 100.0)");
    CommandLog log;
    acedEditor->addReactor(&log);
    const int32_t branch = zkDuct("(5050 0)", "(5050 40)");
    acedEditor->removeReactor(&log);
    ASSERT_GT(branch, 0) << output;
    expectPoint(ends(main).first, 5050, 0, 120);  // found and split
    // Both ends lie outside the view: zoomed out and back for each.
    ASSERT_EQ(log.commands, (std::vector<std::string>(4, "ZOOM")));
    const AcEdView& out = log.views[0];
    EXPECT_GE(out.centre.x + out.height / 2 * out.screenWidth / out.screenHeight, 5050);
    EXPECT_EQ(eval("(getvar \"VIEWCTR\")"), "(0.0 0.0 0.0)");
    EXPECT_EQ(eval("(getvar \"VIEWSIZE\")"), "100.0");
    // A duct drawn inside the view zooms nowhere.
    log.commands.clear();
    acedEditor->addReactor(&log);
    ASSERT_GT(zkDuct("(0 0)", "(20 0)"), 0);
    acedEditor->removeReactor(&log);
    EXPECT_TRUE(log.commands.empty());
}

TEST_F(DuctNetwork, BreakRefusesDrawingToDrawingDuctsAndBreaksRisersAtTheZ) {
    alignmentPoint();
    const int32_t level = zkDuct("(0 0)", "(100 0)");
    db->Load(level);
    db->BeginEdit();
    db->SetFitting("DWGTODWG");
    ASSERT_TRUE(db->Save());
    EXPECT_EQ(eval("(zkbreak " + ename(level) + " '(50 0))"), "0");
    EXPECT_EQ(rows(), 1);

    settings(100, 200);
    const int32_t riser = zkDuct("(300 300)", "(300 300)");
    ASSERT_GT(riser, 0);
    const std::string added = eval("(zkbreak " + ename(riser) + " '(300 300 150))");
    ASSERT_NE(added, "0");
    const int32_t n = std::stoi(added);
    expectPoint(ends(n).first, 300, 300, 100);
    expectPoint(ends(n).second, 300, 300, 150);
    expectPoint(ends(riser).first, 300, 300, 150);
    expectPoint(ends(riser).second, 300, 300, 200);
    EXPECT_EQ(db->GetRecord(riser).SIZEFOR, "X");
}

TEST_F(DuctNetwork, BreakAndForceNeedTheAlignmentPoint) {
    const int32_t k = zkDuct("(0 0)", "(100 0)");
    output.clear();
    EXPECT_EQ(eval("(zkbreak " + ename(k) + " '(50 0))"), "nil");
    EXPECT_NE(output.find("Alignment point not set yet!"), std::string::npos);
    EXPECT_EQ(eval("(zkductforce '(0 0) '(1 0) " + std::to_string(k) + ")"), "nil");
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(ducts().size(), 1u);
}

TEST_F(DuctNetwork, ForceDrawsAnotherEntityForARow) {
    alignmentPoint();
    const int32_t k = zkDuct("(0 0)", "(100 0)");
    EXPECT_EQ(eval("(zkductforce '(0 10 120) '(100 10 120) " + std::to_string(k) + ".7)"), std::to_string(k));
    EXPECT_EQ(ducts(k).size(), 2u);
    EXPECT_EQ(eval("(zkductforce '(0 10) '(100 10) 99999)"), "nil");
}

TEST_F(DuctNetwork, FilletOfCrossingDuctsKeepsThePickedParts) {
    const int32_t a = zkDuct("(0 0)", "(100 0)");
    const int32_t b = zkDuct("(50 -50)", "(50 50)");
    EXPECT_EQ(eval("(zk_hvac-duct-fillet " + ename(a) + " '(10 0) " + ename(b) + " '(50 40))"), "nil");
    expectPoint(ends(a).first, 0, 0, 120);
    expectPoint(ends(a).second, 50, 0, 120);
    expectPoint(ends(b).first, 50, 0, 120);
    expectPoint(ends(b).second, 50, 50, 120);
    EXPECT_EQ(rows(), 2);
}

TEST_F(DuctNetwork, FilletOfDuctsMeetingBeyondTheirEndsExtendsBoth) {
    const int32_t a = zkDuct("(0 0)", "(40 0)");
    const int32_t b = zkDuct("(50 10)", "(50 60)");
    eval("(zk_hvac-duct-fillet " + ename(a) + " '(10 0) " + ename(b) + " '(50 40))");
    expectPoint(ends(a).second, 50, 0, 120);
    expectPoint(ends(b).first, 50, 0, 120);
}

TEST_F(DuctNetwork, FilletOfParallelDuctsSaysTheyDoNotIntersect) {
    const int32_t a = zkDuct("(0 0)", "(40 0)");
    const int32_t b = zkDuct("(0 20)", "(40 20)");
    output.clear();
    EXPECT_EQ(eval("(zk_hvac-duct-fillet " + ename(a) + " '(10 0) " + ename(b) + " '(10 20))"), "nil");
    EXPECT_NE(output.find("\nDucts do not intersect."), std::string::npos);
    expectPoint(ends(a).second, 40, 0, 120);
}

TEST_F(DuctNetwork, FilletBetweenElevationsAddsARiser) {
    const int32_t a = zkDuct("(0 0)", "(40 0)");
    settings(100, 100);
    const int32_t b = zkDuct("(50 10)", "(50 60)");
    eval("(zk_hvac-duct-fillet " + ename(a) + " '(10 0) " + ename(b) + " '(50 40))");
    ASSERT_EQ(rows(), 3);
    int32_t riser = 0;
    for (AcDbObjectId id : ducts()) {
        AcDbObjectPointer<ZkDuct> p(id, AcDb::kForRead);
        if (p->ductKey() != a && p->ductKey() != b) riser = p->ductKey();
    }
    ASSERT_GT(riser, 0);
    expectPoint(ends(riser).first, 50, 0, 120);
    expectPoint(ends(riser).second, 50, 0, 100);
    EXPECT_EQ(db->GetRecord(riser).SIZEFOR, "X");
}

TEST_F(DuctNetwork, BadArgumentsAndOtherEntitiesChangeNothing) {
    alignmentPoint();
    const int32_t k = zkDuct("(0 0)", "(100 0)");
    EXPECT_EQ(eval("(zkDuct \"a\" '(0 0))"), "nil");
    EXPECT_EQ(eval("(zkDuct '(0 0))"), "nil");
    EXPECT_EQ(eval("(zkbreak '(0 0) '(0 0))"), "nil");
    EXPECT_EQ(eval("(zk_hvac-duct-fillet " + ename(k) + " '(1 0) " + ename(k) + ")"), "nil");
    EXPECT_EQ(eval("(zkductforce '(0 0) '(1 0) \"7\")"), "nil");
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, doc->database()->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    AcDbObjectId id;
    space->appendAcDbEntity(id, line);
    line->close();
    space->close();
    ads_name name;
    acdbGetAdsName(name, id);
    interp.setValue("a-line", lisp::Interpreter::ename(name));
    EXPECT_EQ(eval("(zkbreak a-line '(0.5 0))"), "0");
    EXPECT_EQ(eval("(zk_hvac-duct-fillet a-line '(0 0) " + ename(k) + " '(1 0))"), "nil");
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(ducts().size(), 1u);
}

TEST_F(DuctNetwork, ARefusedRowLeavesNoEntity) {
    const int32_t main = zkDuct("(0 0)", "(100 0)");
    db->database().Execute(
        L"create trigger refuse before insert on tblDuct begin select raise(abort, 'refused'); end");
    EXPECT_EQ(zkDuct("(200 0)", "(300 0)"), 0);
    EXPECT_EQ(zkDuct("(50 0)", "(50 30)"), 0);  // the split's row is refused too
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(ducts().size(), 1u);
    expectPoint(ends(main).first, 0, 0, 120);
}

TEST_F(DuctNetwork, TheSelectionFollowsMovedAndErasedDucts) {
    const int32_t a = zkDuct("(0 0)", "(100 0)");
    // Moved away from the origin: a new duct there no longer splits it...
    eval("(zk_hvac-setDuctInfo " + ename(a) + " '(\"P1\" 500 0 120) '(\"P2\" 600 0 120))");
    const int32_t b = zkDuct("(50 0)", "(50 30)");
    EXPECT_EQ(rows(), 2);
    // ...but one in the middle of its new place does.
    ASSERT_GT(zkDuct("(550 0)", "(550 30)"), 0);
    EXPECT_EQ(rows(), 4);
    {
        AcDbObjectPointer<ZkDuct> d(only(b), AcDb::kForWrite);
        ASSERT_TRUE(d);
        d->erase();
    }
    settings(77, 77);
    const int32_t c = zkDuct("(50 0)", "(80 0)");
    expectPoint(ends(c).first, 50, 0, 77);  // the erased duct gives nothing
}
