// Duct settings from "duct-getSettings", centre points with their offsets,
// and frames, including vertical ducts oriented by their neighbours.
#include "tests/integration/HostFixture.h"

#include <cmath>

#include "ducts/DuctAccess.h"
#include "ducts/DuctCallbacks.h"
#include "ducts/DuctFrame.h"
#include "ducts/DuctSettings.h"
#include "integration/DocData.h"
#include "project/ProjectData.h"

namespace {

class DuctGeometry : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        gDocDataManager = new DocDataManager;
        ASSERT_TRUE(gDocDataManager->currentDocData()->project()->makeReady(true)) << output;
        db = currentDuctRecord();
        ASSERT_TRUE(db && db->hasDatabase());
        eval("(defun convert_rp_dp (p u) p)");
        eval("(defun convert_ra_da (a u) (if (= u 1) 1.5707963 0.0))");
        // Definitions outlive a test: start each one with no neighbours.
        eval("(defun getPrevDuct (k x) nil)");
        eval("(defun getNextDuctsTransparent (k x tr) nil)");
        eval("(defun duct-getSettings (x) nil)");
    }
    void TearDown() override {
        delete gDocDataManager;
        gDocDataManager = nullptr;
        HostFixture::TearDown();
    }
    // A duct row from start to end; answers its key.
    int32_t duct(AcGePoint3d s, AcGePoint3d e, int32_t alignment = 1) {
        db->BeginNew();
        db->SetX1(s.x), db->SetY1(s.y), db->SetZ1(s.z);
        db->SetX2(e.x), db->SetY2(e.y), db->SetZ2(e.z);
        db->SetIAlignmentPointNumber1(alignment);
        EXPECT_TRUE(db->Save());
        return db->ixDuct;
    }
    DuctFrame frameOf(int32_t key, bool convert) { return Frame(*db, db->GetRecord(key), convert); }
    static void expectVector(const AcGeVector3d& v, double x, double y, double z) {
        EXPECT_NEAR(v.x, x, 1e-6);
        EXPECT_NEAR(v.y, y, 1e-6);
        EXPECT_NEAR(v.z, z, 1e-6);
    }
    DuctDbRecord* db = nullptr;
};

resbuf* settingsAnswer(resbuf* pairs) {
    resbuf* head = acutBuildList(RTLB, 0);
    head->rbnext = pairs;
    resbuf* last = head;
    while (last->rbnext) last = last->rbnext;
    last->rbnext = acutBuildList(RTLE, 0);
    return head;
}

} // namespace

TEST(DuctSettingsRead, KnownKeysOfTheRightKindAreSet) {
    DuctSettings s;
    s.ixLayerSystem = 9;
    s.SHAPE.assign("r");
    resbuf* answer = settingsAnswer(acutBuildList(
        RTLB, RTSTR, "MATERIAL", RTSTR, "galvanized sheet metal", RTDOTE,   // 22 characters: cut to 19
        RTLB, RTSTR, "WIDTH", RTSHORT, 14, RTDOTE,                          // an integer widens
        RTLB, RTSTR, "SIZEMAX", RTREAL, 24.9, RTDOTE,                       // truncated
        RTLB, RTSTR, "ixLayerSystem", RTREAL, 3.0, RTDOTE,                  // wrong kind: kept
        RTLB, RTSTR, "SHAPE", RTSHORT, 5, RTDOTE,                           // wrong kind: kept
        RTLB, RTSTR, "DEPTH", RTDOTE, RTREAL, 8.5, RTLE,                    // the other pair form
        RTLB, RTSTR, "UNKNOWN", RTREAL, 1.0, RTDOTE,
        RTLB, RTSTR, "AIRFLOW", RTSTR, "sa", RTDOTE,
        RTLB, RTSTR, "iHangerType", RTLONG, 70000, RTDOTE, 0));
    ASSERT_TRUE(readDuctSettings(s, answer));
    acutRelRb(answer);
    EXPECT_EQ(s.MATERIAL.str(), "galvanized sheet me");
    EXPECT_EQ(s.MATERIAL.c_str()[19], L'\0');
    EXPECT_EQ(s.WIDTH, 14.0);
    EXPECT_EQ(s.SIZEMAX, 24);
    EXPECT_EQ(s.ixLayerSystem, 9);
    EXPECT_EQ(s.SHAPE.str(), "r");
    EXPECT_EQ(s.DEPTH, 8.5);
    EXPECT_EQ(s.AIRFLOW.str(), "sa");
    EXPECT_EQ(s.iHangerType, 70000);
}

TEST(DuctSettingsRead, AnswerThatIsNotAListFails) {
    DuctSettings s;
    resbuf* answer = acutBuildList(RTREAL, 1.0, 0);
    EXPECT_FALSE(readDuctSettings(s, answer));
    acutRelRb(answer);
    EXPECT_FALSE(readDuctSettings(s, nullptr));
}

TEST(DuctNeighbourAnswers, NextDuctsComeAsAPointOrAListOfIntegers) {
    ads_point triple = {4.9, 70000.0, 0.0};
    resbuf* point = acutBuildList(RT3DPOINT, triple, 0);
    EXPECT_EQ(readNextDuctKeys(point), (std::array<int32_t, 3>{4, 70000, 0}));
    resbuf* list = acutBuildList(RTLB, RTSHORT, 3, RTLONG, 70001, RTSHORT, 0, RTLE, 0);
    EXPECT_EQ(readNextDuctKeys(list), (std::array<int32_t, 3>{3, 70001, 0}));
    resbuf* shortList = acutBuildList(RTLB, RTSHORT, 3, RTLE, 0);
    EXPECT_EQ(readNextDuctKeys(shortList), (std::array<int32_t, 3>{3, 0, 0}));
    resbuf* bad = acutBuildList(RTLB, RTSHORT, 3, RTSTR, "x", RTSHORT, 5, RTLE, 0);
    EXPECT_EQ(readNextDuctKeys(bad), (std::array<int32_t, 3>{0, 0, 0}));
    EXPECT_EQ(readNextDuctKeys(nullptr), (std::array<int32_t, 3>{0, 0, 0}));
    for (resbuf* rb : {point, list, shortList, bad}) acutRelRb(rb);
}

TEST_F(DuctGeometry, SettingsComeFromTheProduct) {
    DuctSettings* s = currentDuctSettings();
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(GetSettings(*s));  // answers nil
    eval("(defun duct-getSettings (x) (if (null x) '((\"SHAPE\" . \"round\") (\"Z1\" . 96.0) (\"Z2\" . 96))))");
    ASSERT_TRUE(GetSettings(*s));
    EXPECT_EQ(s->SHAPE.str(), "round");
    EXPECT_EQ(s->Z2, 96.0);
    eval("(defun duct-getSettings (x) nil)");
    EXPECT_FALSE(GetSettings());
    EXPECT_EQ(s->SHAPE.str(), "round");
}

TEST_F(DuctGeometry, AccessorFollowsTheProjectConnection) {
    ProjectDatabaseData& project = gDocDataManager->currentDocData()->project()->database();
    EXPECT_EQ(currentDuctRecord()->database().GetInterfacePtr(),
              project.connection().database().GetInterfacePtr());
    project.disconnect();
    EXPECT_FALSE(currentDuctRecord()->hasDatabase());
    EXPECT_FALSE(currentDuctRecord()->Load(1));
    ASSERT_TRUE(project.makeReady(false));
    EXPECT_TRUE(currentDuctRecord()->hasDatabase());
    // Without document data there is neither accessor nor settings.
    DocDataManager* manager = gDocDataManager;
    gDocDataManager = nullptr;
    EXPECT_EQ(currentDuctRecord(), nullptr);
    EXPECT_EQ(currentDuctSettings(), nullptr);
    EXPECT_FALSE(GetSettings());
    gDocDataManager = manager;
}

TEST_F(DuctGeometry, CentreShiftsByTheVerticalAndSideOffsets) {
    ZkDuctDbInfo r;
    r.X1 = 10, r.Y1 = 20, r.Z1 = 100;
    r.DEPTH = -12;  // absolute value counts
    r.WIDTH = 20;
    DuctFrame f{AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0), AcGeVector3d(0, 0, 1)};
    r.VERTICALOFFSET = "t";
    EXPECT_EQ(CentrePoint(r, true, &f, false), AcGePoint3d(10, 20, 94));
    r.VERTICALOFFSET = "h";
    r.iHangerType = 2;
    r.dHangerDepth = 1;
    EXPECT_EQ(CentrePoint(r, true, &f, false), AcGePoint3d(10, 20, 107));
    r.iHangerType = 0;
    EXPECT_EQ(CentrePoint(r, true, &f, false), AcGePoint3d(10, 20, 106));
    r.VERTICALOFFSET = "b";
    r.OFFSET = "r";
    EXPECT_EQ(CentrePoint(r, true, &f, false), AcGePoint3d(10, 10, 106));
    r.VERTICALOFFSET = "c";
    r.OFFSET = "l";
    EXPECT_EQ(CentrePoint(r, true, &f, false), AcGePoint3d(10, 30, 100));
    EXPECT_EQ(CentrePoint(r, true, nullptr, false), AcGePoint3d(10, 20, 100));
}

TEST_F(DuctGeometry, ConversionUsesTheProjectFunctionWhenItAnswersAPoint) {
    ZkDuctDbInfo r;
    r.X2 = 1, r.Y2 = 2, r.Z2 = 3;
    r.iAlignmentPointNumber1 = 4;
    eval("(defun convert_rp_dp (p u) (mapcar '+ p (list 100.0 200.0 u)))");
    EXPECT_EQ(CentrePoint(r, false, nullptr, true), AcGePoint3d(101, 202, 7));
    eval("(defun convert_rp_dp (p u) \"no point\")");
    EXPECT_EQ(CentrePoint(r, false, nullptr, true), AcGePoint3d(1, 2, 3));
}

TEST_F(DuctGeometry, LevelDuctFrame) {
    DuctFrame f = frameOf(duct({0, 0, 96}, {0, 40, 96}), false);
    expectVector(f.direction, 0, 1, 0);
    expectVector(f.side, -1, 0, 0);
    expectVector(f.up, 0, 0, 1);
}

TEST_F(DuctGeometry, VerticalDuctWithoutNeighboursTakesTheDefaultUpVector) {
    int32_t riser = duct({5, 5, 96}, {5, 5, 144});
    expectVector(frameOf(riser, false).up, std::cos(1.5707963), std::sin(1.5707963), 0);
    expectVector(frameOf(riser, true).up, 1, 0, 0);
    DuctFrame f = frameOf(riser, true);
    expectVector(f.direction, 0, 0, 1);
    expectVector(f.side, 0, -1, 0);
}

TEST_F(DuctGeometry, VerticalDuctTakesItsSideFromThePreviousDuct) {
    int32_t run = duct({0, 0, 96}, {0, 40, 96});
    int32_t riser = duct({0, 40, 96}, {0, 40, 144});
    eval("(defun getPrevDuct (k x) (if (= k " + std::to_string(riser) + ") " + std::to_string(run) + "))");
    DuctFrame f = frameOf(riser, false);
    expectVector(f.side, -1, 0, 0);
    expectVector(f.up, 0, -1, 0);  // D x S with D up
}

TEST_F(DuctGeometry, VerticalDuctSearchesDownstreamThroughOtherRisers) {
    int32_t riser1 = duct({0, 0, 96}, {0, 0, 120});
    int32_t riser2 = duct({0, 0, 120}, {0, 0, 144});
    int32_t run = duct({0, 0, 144}, {30, 0, 144});
    // Next ducts answered as a point-like triple of reals.
    eval("(defun getNextDuctsTransparent (k x tr)"
         " (cond ((= k " + std::to_string(riser1) + ") (list 0.0 " + std::to_string(riser2) + ".0 0.0))"
         "       ((= k " + std::to_string(riser2) + ") (list " + std::to_string(run) + ".9 0.0 0.0))))");
    DuctFrame f = frameOf(riser1, false);
    expectVector(f.side, 0, 1, 0);
    expectVector(f.up, -1, 0, 0);
}

TEST_F(DuctGeometry, TwoVerticalDuctsThatAreEachOthersNeighboursDoNotLoop) {
    int32_t a = duct({0, 0, 96}, {0, 0, 120});
    int32_t b = duct({0, 0, 120}, {0, 0, 96});
    std::string as = std::to_string(a), bs = std::to_string(b);
    eval("(defun getPrevDuct (k x) (if (= k " + as + ") " + bs + " " + as + "))");
    eval("(defun getNextDuctsTransparent (k x tr) (list (if (= k " + as + ") " + bs + " " + as + ") 0 0))");
    DuctFrame f = frameOf(a, true);
    // b, the neighbour, looks at a again: that second visit falls back to
    // (1, 0, 0), and the side it gives comes back to a through b.
    expectVector(f.direction, 0, 0, 1);
    expectVector(f.side, 0, -1, 0);
    expectVector(f.up, 1, 0, 0);
    f = frameOf(a, true);  // the visited list starts afresh
    expectVector(f.side, 0, -1, 0);
}

TEST_F(DuctGeometry, NeighbourQueriesTreatFailuresAsNone) {
    EXPECT_EQ(previousDuctKey(3), 0);  // answers nil
    eval("(defun getPrevDuct (k x) (car k))");
    EXPECT_EQ(previousDuctKey(3), 0);
    eval("(defun getNextDuctsTransparent (k x tr) (if tr '(4 5 6) '(7 8 9)))");
    EXPECT_EQ(nextDuctKeys(3, true), (std::array<int32_t, 3>{4, 5, 6}));
    EXPECT_EQ(nextDuctKeys(3, false), (std::array<int32_t, 3>{7, 8, 9}));
    eval("(defun getNextDuctsTransparent (k x tr) \"none\")");
    EXPECT_EQ(nextDuctKeys(3), (std::array<int32_t, 3>{0, 0, 0}));
    eval("(defun duct-getIxDiffL (k) (* k 2))");
    EXPECT_EQ(ductDiffuserKey(40000), 80000);
    eval("(defun duct-getIxDiffL (k) nil)");
    EXPECT_EQ(ductDiffuserKey(4), 0);
    EXPECT_EQ(convertProjectAngle(2.0, 5), 0.0);
    eval("(defun convert_ra_da (a u) \"text\")");
    EXPECT_EQ(convertProjectAngle(2.0, 1), 0.0);
}
