// Fitting kinds at a duct's downstream joint: the family test, the AUTOFIT
// tables, the angle tests and the parameter each kind takes.
#include "tests/integration/HostFixture.h"

#include <cmath>

#include "ducts/DuctAccess.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/FittingRules.h"
#include "integration/DocData.h"
#include "project/ProjectData.h"

namespace {

class FittingRules : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        gDocDataManager = new DocDataManager;
        ASSERT_TRUE(gDocDataManager->currentDocData()->project()->makeReady(true)) << output;
        db = currentDuctRecord();
        ASSERT_TRUE(db && db->hasDatabase());
        eval("(defun convert_rp_dp (p u) p)");
        eval("(defun getPrevDuct (k x) nil)");
        noNextDucts();
    }
    void TearDown() override {
        delete gDocDataManager;
        gDocDataManager = nullptr;
        HostFixture::TearDown();
    }
    void noNextDucts() { eval("(defun getNextDuctsTransparent (k x tr) nil)"); }
    // The product answers `next` for duct `key` in the plain form only; the
    // transparent form would name nothing.
    void nextDucts(int32_t key, int32_t a, int32_t b = 0, int32_t c = 0) {
        eval("(defun getNextDuctsTransparent (k x tr) (if (and (= k " + std::to_string(key) +
             ") (not tr)) (list " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) + ")))");
    }
    int32_t duct(AcGePoint3d s, AcGePoint3d e, const std::string& shape = "r", const std::string& material = "") {
        db->BeginNew();
        db->SetX1(s.x), db->SetY1(s.y), db->SetZ1(s.z);
        db->SetX2(e.x), db->SetY2(e.y), db->SetZ2(e.z);
        db->SetShape(shape);
        db->SetMaterial(material);
        EXPECT_TRUE(db->Save());
        return db->ixDuct;
    }
    // A level duct of length 10 leaving (10,0,0) at `degrees` from the x axis.
    int32_t ductAt(double degrees) {
        const double a = degrees * M_PI / 180;
        return duct({10, 0, 0}, {10 + 10 * std::cos(a), 10 * std::sin(a), 0});
    }
    void setting(const std::string& key, const std::string& text) {
        std::wstring sql = L"update tblGlobal set sText = '" + std::wstring(text.begin(), text.end()) +
                           L"' where sKey = '" + std::wstring(key.begin(), key.end()) + L"'";
        db->database().Execute(sql);
    }
    void dropSetting(const std::string& key) {
        db->database().Execute(L"delete from tblGlobal where sKey = '" + std::wstring(key.begin(), key.end()) + L"'");
    }
    ZkDuctDbInfo record(int32_t key) { return db->GetRecord(key); }
    std::string kind, parameter;
    DuctDbRecord* db = nullptr;
};

ZkDuctDbInfo shaped(const std::string& shape, const std::string& material = "") {
    ZkDuctDbInfo r;
    r.SHAPE = shape;
    r.MATERIAL = material;
    return r;
}

} // namespace

TEST(FittingFamily, RoundShapeCodesInEitherCaseAndFlexibleMaterial) {
    for (const char* round : {"RD", "OO", "DX", "OX", "rd", "oo", "dx", "ox"})
        EXPECT_FALSE(IsRectangular(shaped(round))) << round;
    for (const char* rect : {"r", "R", "", "Rd", "RDX", "oval"}) EXPECT_TRUE(IsRectangular(shaped(rect))) << rect;
    EXPECT_FALSE(IsRectangular(shaped("r", "FX")));  // flexible duct is round whatever its shape
    EXPECT_TRUE(IsRectangular(shaped("r", "fx")));
}

TEST_F(FittingRules, EachAutoFitTableMapsItsDigitsAndNothingElse) {
    const char* two[] = {"SQUARE ELBOW", "RADIUS ELBOW", "NONE", "NONE", "NONE", "NONE"};
    const char* three[] = {"ANYANGLE", "asym_branch", "conical_branch", "strt_branch", "WYE", "BRANCH_ELBOW"};
    const char* four[] = {"asym_branch", "conical_branch", "strt_branch", "NONE", "NONE", "NONE"};
    for (int d = 0; d <= 5; ++d) {
        const std::string digit(1, char('0' + d));
        for (const char* family : {"RC", "RD"}) {
            const std::string f(family);
            setting("AUTOFIT-" + f + "2", digit);
            setting("AUTOFIT-" + f + "3", digit);
            setting("AUTOFIT-" + f + "4", digit);
            EXPECT_EQ(ResolveAutoFit(*db, "AUTOFIT-" + f + "2"), two[d]) << f << d;
            EXPECT_EQ(ResolveAutoFit(*db, "AUTOFIT-" + f + "3"), three[d]) << f << d;
            EXPECT_EQ(ResolveAutoFit(*db, "AUTOFIT-" + f + "4"), four[d]) << f << d;
        }
    }
    for (const char* odd : {"7", "", "01", " 1", "x"}) {
        setting("AUTOFIT-RC3", odd);
        EXPECT_EQ(ResolveAutoFit(*db, "AUTOFIT-RC3"), "NONE") << '"' << odd << '"';
    }
    dropSetting("AUTOFIT-RD3");
    EXPECT_EQ(ResolveAutoFit(*db, "AUTOFIT-RD3"), "NONE");
    setting("AUTOFIT-RC5", "0");
    EXPECT_EQ(ResolveAutoFit(*db, "AUTOFIT-RC5"), "NONE");
    EXPECT_EQ(ResolveAutoFit(*db, "ELBOW RADIUS"), "NONE");
}

TEST_F(FittingRules, TheSeededProjectChoosesDocumentedDefaults) {
    EXPECT_EQ(ResolveAutoFit(*db, "AUTOFIT-RC2"), "RADIUS ELBOW");
    EXPECT_EQ(ResolveAutoFit(*db, "AUTOFIT-RC3"), "ANYANGLE");
    EXPECT_EQ(ResolveAutoFit(*db, "AUTOFIT-RC4"), "asym_branch");
    EXPECT_EQ(ResolveAutoFit(*db, "AUTOFIT-RD2"), "RADIUS ELBOW");
    EXPECT_EQ(ResolveAutoFit(*db, "AUTOFIT-RD3"), "conical_branch");
    EXPECT_EQ(ResolveAutoFit(*db, "AUTOFIT-RD4"), "conical_branch");
    EXPECT_EQ(fittingSetting(*db, "TURNING VANES"), "NO");
    EXPECT_FALSE(fittingSetting(*db, "ELBOW RADIUS").empty());
}

TEST_F(FittingRules, ADuctWithNoNextDuctEndsTheRun) {
    const int32_t k = duct({0, 0, 0}, {10, 0, 0});
    setting("ELBOW RADIUS", "2.5");
    ASSERT_TRUE(AutoFit(*db, record(k), kind, parameter));
    EXPECT_EQ(kind, "END");
    EXPECT_EQ(parameter, "");
}

TEST_F(FittingRules, ARoundDuctTurningTakesTheElbowRadius) {
    const int32_t k = duct({0, 0, 0}, {10, 0, 0}, "RD");
    const int32_t n = ductAt(90);
    nextDucts(k, n);
    setting("AUTOFIT-RD2", "1");
    setting("AUTOFIT-RC2", "0");
    setting("ELBOW RADIUS", "2.5");
    ASSERT_TRUE(AutoFit(*db, record(k), kind, parameter));
    EXPECT_EQ(kind, "RADIUS ELBOW");
    EXPECT_EQ(parameter, "2.5");
}

TEST_F(FittingRules, ASquareElbowTakesTheTurningVanes) {
    const int32_t k = duct({0, 0, 0}, {10, 0, 0});
    const int32_t n = ductAt(-90);
    nextDucts(k, n);
    setting("AUTOFIT-RC2", "0");
    setting("TURNING VANES", "YES");
    ASSERT_TRUE(AutoFit(*db, record(k), kind, parameter));
    EXPECT_EQ(kind, "SQUARE ELBOW");
    EXPECT_EQ(parameter, "YES");
}

TEST_F(FittingRules, WithinAboutFiveDegreesIsATransitionWhateverTheSettings) {
    const int32_t k = duct({0, 0, 0}, {10, 0, 0});
    setting("AUTOFIT-RC2", "0");
    const int32_t straight = ductAt(5);
    ASSERT_TRUE(ChooseTwoWay(*db, record(k), straight, true, kind));
    EXPECT_EQ(kind, "TRANSITION");
    // sin(6 deg) is past 0.1: an angle, so the setting decides.
    const int32_t bent = ductAt(6);
    ASSERT_TRUE(ChooseTwoWay(*db, record(k), bent, true, kind));
    EXPECT_EQ(kind, "SQUARE ELBOW");
    // A duct reversing on itself is in line too (the sine is zero).
    const int32_t back = ductAt(180);
    ASSERT_TRUE(ChooseTwoWay(*db, record(k), back, true, kind));
    EXPECT_EQ(kind, "TRANSITION");
}

TEST_F(FittingRules, FlexibleDuctReadsTheRoundSettings) {
    const int32_t k = duct({0, 0, 0}, {10, 0, 0}, "r", "FX");
    nextDucts(k, ductAt(90));
    setting("AUTOFIT-RC2", "0");
    setting("AUTOFIT-RD2", "1");
    ASSERT_TRUE(AutoFit(*db, record(k), kind, parameter));
    EXPECT_EQ(kind, "RADIUS ELBOW");
}

TEST_F(FittingRules, ASplitWhereBothBranchesTurnIsAWyeWithoutTheSettings) {
    const int32_t k = duct({0, 0, 0}, {10, 0, 0});
    const int32_t left = ductAt(60), right = ductAt(-60), ahead = ductAt(0);
    setting("AUTOFIT-RC3", "7");
    nextDucts(k, left, right);
    ASSERT_TRUE(AutoFit(*db, record(k), kind, parameter));
    EXPECT_EQ(kind, "WYE");
    EXPECT_EQ(parameter, "");
    // One branch in line: the setting decides.
    setting("AUTOFIT-RC3", "3");
    nextDucts(k, ahead, left);
    ASSERT_TRUE(AutoFit(*db, record(k), kind, parameter));
    EXPECT_EQ(kind, "strt_branch");
    nextDucts(k, left, ahead);
    ASSERT_TRUE(AutoFit(*db, record(k), kind, parameter));
    EXPECT_EQ(kind, "strt_branch");
}

TEST_F(FittingRules, ThreeNextDuctsReadTheFourWaySettingOfTheFamily) {
    const int32_t k = duct({0, 0, 0}, {10, 0, 0}, "oo");
    nextDucts(k, ductAt(0), ductAt(90), ductAt(-90));
    setting("AUTOFIT-RD4", "2");
    setting("AUTOFIT-RC4", "0");
    ASSERT_TRUE(AutoFit(*db, record(k), kind, parameter));
    EXPECT_EQ(kind, "strt_branch");
}

TEST_F(FittingRules, ASettingOutsideTheTableOrMissingGivesNone) {
    const int32_t k = duct({0, 0, 0}, {10, 0, 0});
    nextDucts(k, ductAt(90));
    setting("AUTOFIT-RC2", "7");
    ASSERT_TRUE(AutoFit(*db, record(k), kind, parameter));
    EXPECT_EQ(kind, "NONE");
    EXPECT_EQ(parameter, "");
    dropSetting("AUTOFIT-RC2");
    ASSERT_TRUE(AutoFit(*db, record(k), kind, parameter));
    EXPECT_EQ(kind, "NONE");
}

TEST_F(FittingRules, AMissingNextDuctOrAFailingProductFails) {
    const int32_t k = duct({0, 0, 0}, {10, 0, 0});
    nextDucts(k, 9999);
    EXPECT_FALSE(AutoFit(*db, record(k), kind, parameter));
    EXPECT_EQ(kind, "NONE");
    nextDucts(k, 9999, 9998);
    EXPECT_FALSE(AutoFit(*db, record(k), kind, parameter));
    eval("(defun getNextDuctsTransparent (k x tr) (/ 1 0))");
    EXPECT_FALSE(AutoFit(*db, record(k), kind, parameter));
    eval("(setq getNextDuctsTransparent nil)");
    EXPECT_FALSE(AutoFit(*db, record(k), kind, parameter));
}
