// The duct data functions through the interpreter and the call wrapper:
// making ducts, changing their data, reading hangers and legacy records,
// selecting ducts, the frame of a row, and wrong arguments to each.
#include "tests/integration/HostFixture.h"

#include "database/dbopen.h"
#include "ducts/DuctAccess.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/ZkDuct.h"
#include "integration/DocData.h"
#include "project/ProjectData.h"

namespace {

class DuctFunctions : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        if (!ZkDuct::desc()) ZkDuct::rxInit();
        gDocDataManager = new DocDataManager;
        registerFunctionTableForTest();
        eval("(defun convert_rp_dp (p u) p)");
        eval("(defun convert_ra_da (a u) a)");
        eval("(defun getPrevDuct (k x) nil)");
        eval("(defun getNextDuctsTransparent (k x tr) nil)");
    }
    void TearDown() override {
        clearOldDuctFields();
        delete gDocDataManager;
        gDocDataManager = nullptr;
        HostFixture::TearDown();
    }
    // The duct named by the AutoLISP variable `name`, opened for read.
    AcDbObjectPointer<ZkDuct> duct(const std::string& name) {
        ads_name ename;
        lisp::EvalResult r = interp.evalString(name);
        EXPECT_TRUE(r.ok && lisp::isType(r.value, lisp::Type::Ename));
        AcDbObjectId id;
        if (r.ok && r.value) {
            ename[0] = r.value->u.name[0];
            ename[1] = r.value->u.name[1];
            acdbGetObjectId(id, ename);
        }
        return AcDbObjectPointer<ZkDuct>(id, AcDb::kForRead);
    }
    // A line in model space, named `name` in AutoLISP.
    void addLine(const std::string& name) {
        AcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(acdbOpenObject(space, doc->database()->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, line), Acad::eOk);
        line->close();
        space->close();
        ads_name ename;
        acdbGetAdsName(ename, id);
        interp.setValue(name, lisp::Interpreter::ename(ename));
    }
    // Erases the entity named by the AutoLISP variable `name`.
    void erase(const std::string& name) {
        lisp::EvalResult r = interp.evalString(name);
        ASSERT_TRUE(r.ok && r.value);
        ads_name ename{r.value->u.name[0], r.value->u.name[1]};
        AcDbObjectId id;
        ASSERT_EQ(acdbGetObjectId(id, ename), Acad::eOk);
        AcDbEntityPointer entity(id, AcDb::kForWrite);
        ASSERT_TRUE(entity);
        entity->erase();
    }
    // Calls `call`, expecting nil and the wrong-type message.
    void expectWrongType(const std::string& call) {
        output.clear();
        EXPECT_EQ(eval(call), "nil") << call;
        EXPECT_EQ(output, "\nWrong type of arguments passed.\n") << call;
    }
};

} // namespace

TEST_F(DuctFunctions, AddDuctToDwgTakes2DPointsAtElevationZero) {
    ASSERT_EQ(eval("(type (setq d (zk_hvac-addDuctToDwg 12 '(10 20) '(110.5 20))))"), "ENAME") << output;
    {
        auto d = duct("d");
        ASSERT_TRUE(d);
        EXPECT_EQ(d->ductKey(), 12);
        EXPECT_EQ(d->startPoint(), AcGePoint3d(10, 20, 0));
        EXPECT_EQ(d->endPoint(), AcGePoint3d(110.5, 20, 0));
        EXPECT_EQ(d->sizeFor(), "X");
    }
    eval("(setq r (zk_hvac-addDuctToDwg 70000 '(0 0 96) '(0 0 144.0)))");
    auto r = duct("r");
    EXPECT_EQ(r->ductKey(), 70000);
    EXPECT_EQ(r->startPoint().z, 96.0);
    EXPECT_EQ(r->endPoint().z, 144.0);
}

TEST_F(DuctFunctions, InsertLikePlumbingSetsTheSizeText) {
    eval("(setq d (zk_hvac-insertDuct-likePlumbing 3 '(0 0 10) '(50 0 10) \"14x10\"))");
    auto d = duct("d");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->sizeFor(), "14x10");
    EXPECT_EQ(d->endPoint(), AcGePoint3d(50, 0, 10));
}

TEST_F(DuctFunctions, SetDuctInfoAppliesEachKnownKey) {
    eval("(setq d (zk_hvac-addDuctToDwg 1 '(0 0 5) '(100 0 5)))");
    EXPECT_EQ(eval("(zk_hvac-setDuctInfo d '(\"Z1\" . 10.0))"), "T");
    {
        auto d = duct("d");
        EXPECT_EQ(d->startPoint(), AcGePoint3d(0, 0, 10));
        EXPECT_EQ(d->endPoint(), AcGePoint3d(100, 0, 5));
    }
    EXPECT_EQ(eval("(zk_hvac-setDuctInfo d '(\"HANGERDIST\" 1.0 2.0 3.0))"), "T");
    EXPECT_EQ(eval("(zk_hvac-duct-getHangerList d)"), "(1.0 2.0 3.0)");
    EXPECT_EQ(eval("(zk_hvac-setDuctInfo d '(\"HANGERDIST\" 7.5 9.0))"), "T");
    EXPECT_EQ(eval("(zk_hvac-duct-getHangerList d)"), "(7.5 9.0)");

    EXPECT_EQ(eval("(zk_hvac-setDuctInfo d '(\"P1\" 1 2 3) (list \"P2\" '(4 5)) '(\"Z2\" . 8)"
                   " '(\"ixDuct\" . 44) '(\"SIZEFOR\" . \"8x8\") '(\"DWG\" . \"Level2.dwg\")"
                   " '(\"DWGSTART\" . T) (cons \"DWGEND\" T) '(\"REVERSEARROWS\" . T)"
                   " '(\"bLockWidth\" . T) '(\"bLockDepth\" . T) '(\"bLockShape\" . T))"),
              "T");
    {
        auto d = duct("d");
        EXPECT_EQ(d->startPoint(), AcGePoint3d(1, 2, 3));
        EXPECT_EQ(d->endPoint(), AcGePoint3d(4, 5, 8));
        EXPECT_EQ(d->ductKey(), 44);
        EXPECT_EQ(d->sizeFor(), "8x8");
        EXPECT_EQ(d->drawingName(), "Level2.dwg");
        EXPECT_TRUE(d->startsInOtherDrawing() && d->endsInOtherDrawing() && d->reverseArrows());
        EXPECT_TRUE(d->lockWidth() && d->lockDepth() && d->lockShape());
    }
    // nil values, wrong kinds, unknown keys and non-list arguments.
    EXPECT_EQ(eval("(zk_hvac-setDuctInfo d '(\"DWGSTART\") (cons \"bLockDepth\" nil) '(\"Z1\" . \"high\")"
                   " '(\"ixDuct\" . 2.5) '(\"SIZEFOR\" . 5) '(\"P1\" . \"here\") '(\"NOSUCHKEY\" . 1) 7 \"x\""
                   " '(\"HANGERDIST\" 1.0 \"x\") '(\"z1\" . 99.0))"),
              "T");
    auto d = duct("d");
    EXPECT_FALSE(d->startsInOtherDrawing());
    EXPECT_FALSE(d->lockDepth());
    EXPECT_TRUE(d->lockWidth());
    EXPECT_EQ(d->startPoint(), AcGePoint3d(1, 2, 3));
    EXPECT_EQ(d->ductKey(), 44);
    EXPECT_EQ(d->sizeFor(), "8x8");
    EXPECT_EQ(d->hangerDistances(), (std::vector<double>{7.5, 9.0}));
}

TEST_F(DuctFunctions, EntitiesThatAreNotDuctsGiveNil) {
    addLine("l");
    output.clear();
    EXPECT_EQ(eval("(zk_hvac-setDuctInfo l '(\"Z1\" . 1.0))"), "nil");
    EXPECT_EQ(eval("(zk_hvac-duct-getHangerList l)"), "nil");
    EXPECT_EQ(output, "");
    eval("(setq d (zk_hvac-addDuctToDwg 1 '(0 0) '(1 0)))");
    EXPECT_EQ(eval("(zk_hvac-duct-getHangerList d)"), "nil");  // no hangers
    erase("d");
    EXPECT_EQ(eval("(zk_hvac-setDuctInfo d '(\"Z1\" . 1.0))"), "nil");
}

TEST_F(DuctFunctions, SsgetxDuctListsDuctsInModelSpaceOrder) {
    eval("(setq a (zk_hvac-addDuctToDwg 5 '(0 0) '(1 0)))");
    addLine("l");
    eval("(setq b (zk_hvac-addDuctToDwg 6 '(0 1) '(1 1)))");
    eval("(setq c (zk_hvac-addDuctToDwg 5 '(0 2) '(1 2)))");
    eval("(setq e (zk_hvac-addDuctToDwg 5 '(0 3) '(1 3)))");
    erase("e");
    EXPECT_EQ(eval("(equal (ssgetx-duct) (list a b c))"), "T");
    EXPECT_EQ(eval("(equal (ssgetx-duct 5) (list a c))"), "T");
    EXPECT_EQ(eval("(ssgetx-duct 7)"), "nil");
    EXPECT_EQ(eval("(equal (ssgetx-duct \"5\") (list a b c))"), "T");  // not an integer: every duct
}

TEST_F(DuctFunctions, OldDuctInfoMatchesTheDrawingNameInUpperCase) {
    oldDuctFields record;
    record.ixDuct = 70000;
    record.drawingName = "PLAN.DWG";
    record.fields[0] = Adesk::Int32(3);
    record.fields[1] = std::string("sa");
    oldDuctFieldsList().push_back(record);
    oldDuctFields other = record;
    other.ixDuct = 9;
    other.fields[0] = Adesk::Int32(4);
    oldDuctFieldsList().push_back(other);

    std::string found = eval("(zk_hvac-getOldDuctInfo 70000 \"plan.dwg\")");
    EXPECT_EQ(found.substr(0, 26), "(70000.0 \"PLAN.DWG\" 3 \"sa\"") << found;
    EXPECT_EQ(eval("(length (zk_hvac-getOldDuctInfo 9 \"Plan.Dwg\"))"), "37");
    EXPECT_EQ(eval("(nth 2 (zk_hvac-getOldDuctInfo 9 \"PLAN.DWG\"))"), "4");
    EXPECT_EQ(eval("(zk_hvac-getOldDuctInfo 9 \"Other.dwg\")"), "nil");
    EXPECT_EQ(eval("(zk_hvac-getOldDuctInfo 8 \"PLAN.DWG\")"), "nil");
}

TEST_F(DuctFunctions, DuctCoordIsTheFrameOfTheRow) {
    DuctDbRecord* db = currentDuctRecord();
    ASSERT_TRUE(db);
    ASSERT_TRUE(gDocDataManager->currentDocData()->project()->makeReady(true));
    db = currentDuctRecord();
    db->BeginNew();
    db->SetX1(0), db->SetY1(0), db->SetZ1(96);
    db->SetX2(0), db->SetY2(40), db->SetZ2(96);
    ASSERT_TRUE(db->Save());
    std::string key = std::to_string(db->ixDuct);
    EXPECT_EQ(eval("(mapcar '(lambda (v) (mapcar '(lambda (x) (+ 0.0 (atof (rtos x 2 6)))) v)) (zk_hvac-getDuctCoord " +
                   key + ".7))"),
              "((0.0 1.0 0.0) (-1.0 0.0 0.0) (0.0 0.0 1.0))");
    EXPECT_EQ(eval("(zk_hvac-getDuctCoord 999)"), "nil");
}

TEST_F(DuctFunctions, WrongArgumentsGiveTheWrongTypeStatus) {
    eval("(setq d (zk_hvac-addDuctToDwg 1 '(0 0) '(1 0)))");
    expectWrongType("(zk_hvac-addDuctToDwg)");
    expectWrongType("(zk_hvac-addDuctToDwg \"1\" '(0 0) '(1 0))");
    expectWrongType("(zk_hvac-addDuctToDwg 1 '(0 0))");
    expectWrongType("(zk_hvac-addDuctToDwg 1 \"a\" '(1 0))");
    expectWrongType("(zk_hvac-insertDuct-likePlumbing 1 '(0 0) '(1 0))");
    expectWrongType("(zk_hvac-insertDuct-likePlumbing 1 '(0 0) '(1 0) 5)");
    expectWrongType("(zk_hvac-setDuctInfo)");
    expectWrongType("(zk_hvac-setDuctInfo 5 '(\"Z1\" . 1.0))");
    expectWrongType("(zk_hvac-getOldDuctInfo)");
    expectWrongType("(zk_hvac-getOldDuctInfo 1)");
    expectWrongType("(zk_hvac-getOldDuctInfo \"x\" \"y\")");
    expectWrongType("(zk_hvac-getOldDuctInfo 1 2)");
    expectWrongType("(zk_hvac-duct-getHangerList)");
    expectWrongType("(zk_hvac-duct-getHangerList \"d\")");
    expectWrongType("(zk_hvac-getDuctCoord)");
    expectWrongType("(zk_hvac-getDuctCoord \"1\")");
    expectWrongType("(zk_hvac-getDuctCoord d)");
    EXPECT_EQ(eval("(equal (ssgetx-duct '(\"a\")) (list d))"), "T");  // never wrong: every duct
}
