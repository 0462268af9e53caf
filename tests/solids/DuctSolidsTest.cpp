// The duct solid functions over tblDuct rows: the fitting builders and the
// lengths they record, the duct's own solid, union, slice and explode from
// AutoLISP, and what bad input answers.
#include "tests/integration/HostFixture.h"

#include <cmath>

#include "database/dbopen.h"
#include "ducts/DuctAccess.h"
#include "ducts/DuctDbRecord.h"
#include "editor/EditorBuiltins.h"
#include "integration/DocData.h"
#include "solid/HvacSolid.h"

namespace {

class DuctSolids : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        HvacSolid::rxInit();
        gDocDataManager = new DocDataManager;
        ASSERT_TRUE(gDocDataManager->currentDocData()->project()->makeReady(true)) << output;
        db = currentDuctRecord();
        ASSERT_TRUE(db && db->hasDatabase());
        registerFunctionTableForTest();
        registerSelectionBuiltins(interp);
        eval("(defun convert_rp_dp (p u) p)");
        eval("(defun getPrevDuct (k x) nil)");
        eval("(setq *next* nil)");
        eval("(defun getNextDuctsTransparent (k x tr) (cdr (assoc k *next*)))");
    }
    void TearDown() override {
        delete gDocDataManager;
        gDocDataManager = nullptr;
        HostFixture::TearDown();
    }
    // The product's answer for the ducts after `key`.
    void next(int32_t key, int32_t a, int32_t b = 0, int32_t c = 0) {
        eval("(setq *next* (cons (list " + std::to_string(key) + " " + std::to_string(a) + " " + std::to_string(b) +
             " " + std::to_string(c) + ") *next*))");
    }
    int32_t duct(AcGePoint3d s, AcGePoint3d e, double w, double d, const std::string& fitting = "",
                 const std::string& fit1 = "", const std::string& shape = "r") {
        db->BeginNew();
        db->SetX1(s.x), db->SetY1(s.y), db->SetZ1(s.z);
        db->SetX2(e.x), db->SetY2(e.y), db->SetZ2(e.z);
        db->SetWidth(w);
        db->SetDepth(d);
        db->SetShape(shape);
        db->SetFitting(fitting);
        db->SetFit1(fit1);
        EXPECT_TRUE(db->Save());
        return db->ixDuct;
    }
    ZkDuctDbInfo row(int32_t key) { return db->GetRecord(key); }
    std::string k(int32_t key) { return std::to_string(key); }
    // Mass properties of the live solids of model space, in drawing order.
    std::vector<zkSolidMassProps> solids() {
        std::vector<zkSolidMassProps> found;
        AcDbObjectPointer<AcDbBlockTableRecord> space(doc->database()->modelSpaceId(), AcDb::kForRead);
        for (AcDbObjectId id : space->entityIds()) {
            if (id.isErased()) continue;
            AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
            zkSolidMassProps props;
            if (zk_hvacSolid* solid = zk_hvacSolid::cast(entity.object()); solid && solid->getMassProps(props))
                found.push_back(props);
        }
        return found;
    }
    size_t modelSpaceCount() {
        AcDbObjectPointer<AcDbBlockTableRecord> space(doc->database()->modelSpaceId(), AcDb::kForRead);
        size_t n = 0;
        for (AcDbObjectId id : space->entityIds())
            if (!id.isErased()) ++n;
        return n;
    }

    // A placed diffuser (7) of schedule 1 and block 5 of the type at
    // (x y z), fed by the duct in *fed*; `sizes` completes the schedule's
    // insert.
    void placeDiffuser(int blockType, double x, double y, double z, const std::string& sizes) {
        exec("insert into tblDwgDiff (ixDwgDiff, iSortOrder, sDescription, iBlockNumber, iBlockType) values (5, 1, "
             "'D', 1, " + std::to_string(blockType) + ")");
        exec("insert into tblDiffS (ixDiffS, ixDwgDiff, " + sizes);
        exec("insert into tblDiffL (ixDiffL, ixDiffS, X, Y, Z, ROTATION, TILT, iAlignmentPointNumber) values (7, 1, " +
             std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(z) + ", 0, 0, 1)");
        eval("(defun duct-getIxDiffL (k) (if (= k *fed*) 7 nil))");
    }
    void exec(const std::string& sql) { ASSERT_TRUE(db->database().Execute(sql.c_str())) << sql; }

    DuctDbRecord* db = nullptr;
};

TEST_F(DuctSolids, TransitionOfDefaultLengthBetween12By8And10By8) {
    int32_t a = duct({0, 0, 0}, {100, 0, 0}, 12, 8, "TRANSITION"), b = duct({100, 0, 0}, {200, 0, 0}, 10, 8);
    next(a, b);
    eval("(setq r (zk_hvac-drawTripleFitting " + k(a) + " 0 nil))");
    EXPECT_EQ(eval("(car (car r))"), "\"Solid\"");
    EXPECT_EQ(eval("(length r)"), "1");
    ASSERT_EQ(solids().size(), 1u);
    EXPECT_NEAR(solids()[0].volume, 328.4, 0.05);
    EXPECT_NEAR(row(b).TAILLENGTH3D, 1 / std::tan(15 * 3.14159265 / 180), 1e-6);
    EXPECT_EQ(row(a).HEADLENGTH3D, 0);
}

TEST_F(DuctSolids, FamilyChangeTakesHalfTheLargerSizeWhenThatIsLonger) {
    int32_t a = duct({0, 0, 0}, {100, 0, 0}, 12, 8, "TRANSITION"), b = duct({100, 0, 0}, {200, 0, 0}, 12, 8, "", "", "RD");
    next(a, b);
    EXPECT_NE(eval("(zk_hvac-drawTripleFitting " + k(a) + " 0 nil)"), "nil");
    EXPECT_NEAR(row(b).TAILLENGTH3D, 6, 1e-9);
}

TEST_F(DuctSolids, ZeroLengthTextWithEqualSizesBuildsNothing) {
    int32_t a = duct({0, 0, 0}, {100, 0, 0}, 12, 8, "TRANSITION", "0"), b = duct({100, 0, 0}, {200, 0, 0}, 12, 8);
    db->Load(b), db->BeginEdit(), db->SetTailLength3d(9), db->Save();
    next(a, b);
    const size_t before = modelSpaceCount();
    EXPECT_EQ(eval("(zk_hvac-drawTripleFitting " + k(a) + " 0 nil)"), "nil");
    EXPECT_EQ(modelSpaceCount(), before);
    EXPECT_EQ(row(b).TAILLENGTH3D, 0);
}

TEST_F(DuctSolids, SingleLineDuctBuildsNothingAndResetsTheNextTails) {
    int32_t a = duct({0, 0, 0}, {100, 0, 0}, 12, 8, "TRANSITION"), b = duct({100, 0, 0}, {200, 0, 0}, 10, 8),
            c = duct({100, 0, 0}, {100, 90, 0}, 10, 8);
    for (int32_t key : {b, c}) db->Load(key), db->BeginEdit(), db->SetTailLength3d(7), db->Save();
    db->Load(a), db->BeginEdit(), db->SetDoubleLine("n"), db->Save();
    next(a, b, c);
    EXPECT_EQ(eval("(zk_hvac-drawTripleFitting " + k(a) + " 0 nil)"), "nil");
    EXPECT_EQ(row(b).TAILLENGTH3D, 0);
    EXPECT_EQ(row(c).TAILLENGTH3D, 0);
    EXPECT_EQ(eval("(zk_hvac-drawTripleCenter " + k(a) + " 0 nil)"), "nil");
}

TEST_F(DuctSolids, SquareElbowWhoseFirstPrepFailsGetsATransitionToTheNextDuct) {
    // The next duct is 10 deep where this one is 8: only (Wn, D) turns.
    int32_t a = duct({0, 0, 0}, {100, 0, 0}, 12, 8, "SQUARE ELBOW"), b = duct({100, 0, 0}, {100, 100, 0}, 12, 10);
    next(a, b);
    eval("(setq r (zk_hvac-drawTripleFitting " + k(a) + " 0 nil))");
    ASSERT_EQ(eval("(mapcar 'car r)"), "(\"Solid\" \"Transition1\")");
    const double lt = 1 / std::tan(15 * 3.14159265 / 180);
    EXPECT_NEAR(row(a).HEADLENGTH3D, 6, 1e-9);
    EXPECT_NEAR(row(b).TAILLENGTH3D, 6 + lt, 1e-9);
    ASSERT_EQ(solids().size(), 2u);
    EXPECT_NEAR(solids()[1].volume, 12 * 9 * lt, 1e-6);
}

TEST_F(DuctSolids, RadiusElbowOfEqualDuctsNeedsNoTransition) {
    int32_t a = duct({0, 0, 0}, {100, 0, 0}, 12, 8, "RADIUS ELBOW", "0.3"), b = duct({100, 0, 0}, {100, 100, 0}, 12, 8);
    next(a, b);
    eval("(setq r (zk_hvac-drawTripleFitting " + k(a) + " 0 nil))");
    EXPECT_EQ(eval("(mapcar 'car r)"), "(\"Solid\")");
    // A ratio of 0.3 is raised to 0.501: the elbow takes 0.501 * 12 of each.
    EXPECT_NEAR(row(a).HEADLENGTH3D, 0.501 * 12, 1e-6);
    EXPECT_NEAR(row(b).TAILLENGTH3D, 0.501 * 12, 1e-6);
}

TEST_F(DuctSolids, WyeWhoseLegsNeedTransitions) {
    int32_t trunk = duct({0, 0, 0}, {100, 0, 0}, 12, 8, "WYE");
    int32_t side = duct({100, 0, 0}, {100, 100, 0}, 10, 6);     // neither size shared: takes 12 by 8
    int32_t straight = duct({100, 0, 0}, {200, 0, 0}, 12, 6);  // width shared: 12 by 8
    next(trunk, side, straight);
    eval("(setq r (zk_hvac-drawTripleFitting " + k(trunk) + " 0 nil))");
    ASSERT_EQ(eval("(mapcar 'car r)"), "(\"Solid\" \"Transition1\" \"Transition2\")");
    const double lt = 1 / std::tan(15 * 3.14159265 / 180); // 12 by 8 to 10 by 6, and to 12 by 6
    EXPECT_NEAR(row(trunk).HEADLENGTH3D, 6, 1e-9);
    EXPECT_NEAR(row(side).TAILLENGTH3D, 12 + lt, 1e-9);
    EXPECT_NEAR(row(straight).TAILLENGTH3D, 12 + lt, 1e-9);
}

TEST_F(DuctSolids, SquareElbowGetsTurningVanesWhenItsParameterAsks) {
    auto elbowVolume = [&](const std::string& vanes, double y) {
        int32_t a = duct({0, y, 0}, {100, y, 0}, 24, 12, "SQUARE ELBOW", vanes);
        int32_t b = duct({100, y, 0}, {100, y + 100, 0}, 24, 12);
        next(a, b);
        // The other key is odd: it must not be taken for the vane flag.
        eval("(setq r (zk_hvac-drawTripleFitting " + k(a) + " 7 nil))");
        EXPECT_EQ(eval("(mapcar 'car r)"), "(\"Solid\")") << vanes;
        EXPECT_NEAR(row(a).HEADLENGTH3D, 12, 1e-9) << vanes;  // vanes do not move the ends
        return solids().back().volume;
    };
    const double plain = elbowVolume("NO", 0);
    EXPECT_NEAR(plain, 24 * 24 * 12, 1e-6);  // the two legs through the corner, fused
    // Sheet metal 0.12 thick (a hundredth of 12): top, bottom and the two
    // closed sides, with eleven vanes (the 33.9 diagonal at 3.0 spacing) of
    // radius 2 turning a quarter round, as tall as the inside.
    const double vaned = elbowVolume("Yes", 1000);
    const double walls = 0.12 * (2 * 24 * 24 + 2 * 24 * 12);
    const double vanes = 11 * (2.0 * 3.14159265358979 / 2) * (12 - 0.24) * 0.12;
    EXPECT_NEAR(vaned, walls + vanes, 0.02 * (walls + vanes));
    const double vanedAgain = elbowVolume("1", 2000);
    EXPECT_NEAR(vanedAgain, vaned, 1e-6);
    EXPECT_NEAR(elbowVolume("0", 3000), plain, 1e-6);
}


TEST_F(DuctSolids, CeilingDiffuserNeckRunsFromTheDuctEndToItsFacePlate) {
    int32_t a = duct({0, 0, 120}, {100, 0, 120}, 12, 8, "DCONN");
    eval("(setq *fed* " + k(a) + ")");
    placeDiffuser(1, 100, 0, 100, "WIDTH, NECK) values (1, 5, 24, 10)");
    db->Load(a), db->BeginEdit(), db->SetHeadLength3d(5), db->Save();
    eval("(setq r (zk_hvac-drawTripleDiffuser " + k(a) + " 0 nil))");
    ASSERT_EQ(eval("(mapcar 'car r)"), "(\"diffuser\")");
    ASSERT_EQ(solids().size(), 1u);
    // A round neck of 10 over the 20 between the duct and the diffuser, and
    // a face plate of 24 by 24, a tenth as thick, below it.
    EXPECT_NEAR(solids()[0].volume, 3.14159265358979 * 25 * 20 + 24 * 24 * 2.4, 0.5);
    EXPECT_NEAR(solids()[0].minPoint.z, 97.6, 1e-6);
    EXPECT_NEAR(solids()[0].maxPoint.z, 120, 1e-6);
    EXPECT_EQ(row(a).HEADLENGTH3D, 0);
    // The fitting dispatch builds the same piece for "DCONN".
    EXPECT_EQ(eval("(mapcar 'car (zk_hvac-drawTripleFitting " + k(a) + " 0 nil))"), "(\"Solid\")");
    EXPECT_EQ(solids().size(), 2u);
}

TEST_F(DuctSolids, SidewallDiffuserIsAGrillePlate) {
    int32_t a = duct({0, 0, 100}, {100, 0, 100}, 12, 8, "PDIF_CON");
    eval("(setq *fed* " + k(a) + ")");
    placeDiffuser(2, 101, 0, 100, "WIDTH, LENGTH) values (1, 5, 20, 6)");
    EXPECT_EQ(eval("(mapcar 'car (zk_hvac-drawTripleFitting " + k(a) + " 0 nil))"), "(\"Solid\")");
    ASSERT_EQ(solids().size(), 1u);
    EXPECT_NEAR(solids()[0].volume, 20 * 6 * 2, 1e-6);
}

TEST_F(DuctSolids, DiffuserConnectionWithoutItsDiffuserBuildsNothing) {
    int32_t a = duct({0, 0, 120}, {100, 0, 120}, 12, 8, "DCONN");
    const size_t before = modelSpaceCount();
    // The product names no diffuser for the duct.
    EXPECT_EQ(eval("(zk_hvac-drawTripleDiffuser " + k(a) + " 0 nil)"), "nil");
    // It names one whose row does not exist.
    eval("(defun duct-getIxDiffL (k) 99)");
    EXPECT_EQ(eval("(zk_hvac-drawTripleDiffuser " + k(a) + " 0 nil)"), "nil");
    EXPECT_EQ(eval("(zk_hvac-drawTripleFitting " + k(a) + " 0 nil)"), "nil");
    // The diffuser stands where the duct ends: no neck can be built.
    eval("(setq *fed* " + k(a) + ")");
    placeDiffuser(1, 100, 0, 120, "WIDTH, NECK) values (1, 5, 24, 10)");
    EXPECT_EQ(eval("(zk_hvac-drawTripleDiffuser " + k(a) + " 0 nil)"), "nil");
    EXPECT_EQ(eval("(zk_hvac-drawTripleDiffuser 999 0 nil)"), "nil");
    EXPECT_EQ(eval("(zk_hvac-drawTripleDiffuser \"x\" 0 nil)"), "nil");
    EXPECT_EQ(modelSpaceCount(), before);
}

TEST_F(DuctSolids, PairOfPantsGoesBackByName) {
    int32_t a = duct({0, 0, 0}, {100, 0, 0}, 12, 8);
    EXPECT_EQ(eval("(zk_hvac-drawTripleFitting " + k(a) + " 0 nil \"PAIR OF PANTS\")"), "\"PAIR OF PANTS\"");
}

TEST_F(DuctSolids, DuctSolidRunsBetweenWhatItsFittingsTake) {
    int32_t a = duct({0, 0, 0}, {100, 0, 0}, 12, 8);
    db->Load(a), db->BeginEdit(), db->SetTailLength3d(10), db->SetHeadLength3d(5), db->Save();
    eval("(setq r (zk_hvac-drawTripleCenter " + k(a) + " 0 nil))");
    EXPECT_EQ(eval("(mapcar 'car r)"), "(\"duct\")");
    ASSERT_EQ(solids().size(), 1u);
    const zkSolidMassProps props = solids()[0];
    EXPECT_NEAR(props.volume, 85 * 12 * 8, 1e-6);
    EXPECT_NEAR(props.minPoint.x, 10, 1e-6);
    EXPECT_NEAR(props.maxPoint.x, 95, 1e-6);
    EXPECT_NEAR(props.maxPoint.z - props.minPoint.z, 8, 1e-6);
    EXPECT_NEAR(props.centroid.x, 52.5, 1e-6);
}

TEST_F(DuctSolids, UnionErasesTheSecondSolidSliceCutsEveryOneExplodeGivesFaces) {
    int32_t a = duct({0, 0, 0}, {100, 0, 0}, 12, 8), b = duct({100, 0, 0}, {200, 0, 0}, 12, 8);
    eval("(setq s1 (cdar (zk_hvac-drawTripleCenter " + k(a) + " 0 nil)))");
    eval("(setq s2 (cdar (zk_hvac-drawTripleCenter " + k(b) + " 0 nil)))");
    EXPECT_EQ(eval("(zk_hvac-solidUnion s1 s2)"), "nil");
    ASSERT_EQ(solids().size(), 1u);
    EXPECT_NEAR(solids()[0].volume, 200 * 96, 1e-6);
    // Cut at x = 50 keeping the side of the origin.
    EXPECT_EQ(eval("(zk_hvac-solidSlice (ssadd s1) '(50 0 0) '(50 1 0) '(50 0 1) '(0 0 0))"), "T");
    EXPECT_NEAR(solids()[0].volume, 50 * 96, 1e-6);
    eval("(setq faces (zk_hvac-ExplodeSolid s1))");
    EXPECT_EQ(eval("(car (car faces))"), "\"FACE\"");
    EXPECT_EQ(eval("(length faces)"), "12"); // six sides, two triangles each
    EXPECT_EQ(solids().size(), 1u);
}

TEST_F(DuctSolids, BadInputAnswersNilWithoutBuilding) {
    int32_t a = duct({0, 0, 0}, {100, 0, 0}, 12, 8, "TRANSITION");
    const size_t before = modelSpaceCount();
    EXPECT_EQ(eval("(zk_hvac-drawTripleFitting \"1\" 0 nil)"), "nil");
    EXPECT_NE(output.find("Wrong type"), std::string::npos) << output;
    EXPECT_EQ(eval("(zk_hvac-drawTripleFitting 99999 0 nil)"), "nil");      // no such row
    EXPECT_EQ(eval("(zk_hvac-drawTripleFitting " + k(a) + " 0 nil)"), "nil"); // no next duct
    EXPECT_EQ(eval("(zk_hvac-drawTripleCenter 99999 0 nil)"), "nil");
    EXPECT_EQ(eval("(zk_hvac-solidUnion 1 2)"), "nil");
    EXPECT_EQ(eval("(zk_hvac-solidSlice nil '(0 0 0) '(1 0 0) '(0 1 0) '(0 0 1))"), "nil");
    EXPECT_EQ(eval("(zk_hvac-solidSlice (ssadd) '(0 0 0))"), "nil");
    EXPECT_EQ(eval("(zk_hvac-ExplodeSolid \"x\")"), "nil");
    EXPECT_EQ(modelSpaceCount(), before);
}

TEST_F(DuctSolids, WithoutTheSolidLibraryNothingIsBuilt) {
    int32_t a = duct({0, 0, 0}, {100, 0, 0}, 12, 8);
    HvacSolid::rxUninit();
    EXPECT_EQ(eval("(zk_hvac-drawTripleCenter " + k(a) + " 0 nil)"), "nil");
    EXPECT_EQ(modelSpaceCount(), 0u);
    HvacSolid::rxInit();
}

} // namespace
