// Load result records: what a find sends to the component, loading from
// field lists (null keys, raw types, missing columns), the calculated
// months, and finds on a real project through the named indexes.
#include <gtest/gtest.h>

#include "loads/LoadResultRecords.h"
#include "project/ProjectData.h"
#include "projectdb/fieldlisthelpers.h"
#include "tests/loads/RecordingProjectDatabase.h"
#include "tests/support/OpenProjectTest.h"

using namespace hvac;

namespace {

class Recorded : public ::testing::Test {
protected:
    RecordingProjectDatabase fake;
    IProjectDatabasePtr db{&fake};
};

std::vector<int> keyValues(const RecordingProjectDatabase::Call& call) {
    std::vector<int> values;
    for (const VARIANT& key : call.keys) values.push_back(key.vt == VT_I4 ? key.lVal : -9999);
    return values;
}

} // namespace

TEST_F(Recorded, CoolingFindSeeksRoomOrZoneWithThreeIntegerKeys) {
    CoolingLoadRecord cooling(db);
    EXPECT_TRUE(cooling.find(-12, 6, 15));
    ASSERT_EQ(fake.calls.size(), 2u);
    EXPECT_EQ(fake.calls[0].table, L"tblLoadRoomCooling");
    EXPECT_EQ(fake.calls[0].index, L"ixRoomLiMonthiHour");
    EXPECT_EQ(fake.calls[1].name, "Seek3");
    EXPECT_EQ(keyValues(fake.calls[1]), (std::vector<int>{12, 6, 15}));

    fake.calls.clear();
    EXPECT_TRUE(cooling.find(4, 0, 23));
    EXPECT_EQ(fake.calls[0].index, L"ixZoneiMonthiHour");
    EXPECT_EQ(keyValues(fake.calls[1]), (std::vector<int>{4, 0, 23}));
}

TEST_F(Recorded, HeatingFindSeeksOneKeyOnTheRoomOrZoneIndex) {
    HeatingLoadRecord heating(db);
    EXPECT_TRUE(heating.find(-7));
    EXPECT_TRUE(heating.find(2));
    ASSERT_EQ(fake.calls.size(), 4u);
    EXPECT_EQ(fake.calls[0].table, L"tblLoadRoomHeating");
    EXPECT_EQ(fake.calls[0].index, L"ixRoomL");
    EXPECT_EQ(fake.calls[1].name, "Seek");
    EXPECT_EQ(keyValues(fake.calls[1]), (std::vector<int>{7}));
    EXPECT_EQ(fake.calls[2].index, L"ixZone");
    EXPECT_EQ(keyValues(fake.calls[3]), (std::vector<int>{2}));
}

TEST_F(Recorded, SubjectZeroOrNoConnectionFindsNothingWithoutACall) {
    CoolingLoadRecord cooling(db);
    HeatingLoadRecord heating(db);
    EXPECT_FALSE(cooling.find(0, 6, 15));
    EXPECT_FALSE(heating.find(0));
    EXPECT_TRUE(fake.calls.empty());
    CoolingLoadRecord unconnected{IProjectDatabasePtr()};
    EXPECT_FALSE(unconnected.find(-1, 6, 15));
}

TEST_F(Recorded, NewRecordIsZeroWithNullKeysAndAFailedFindKeepsTheFields) {
    CoolingLoadRecord cooling(db);
    int32_t key = -1;
    EXPECT_FALSE(cooling.key(CoolingField::ixRoomL, key));
    EXPECT_EQ(key, 0);
    EXPECT_TRUE(cooling.isNull(CoolingField::ixZone));
    EXPECT_EQ(cooling.real(CoolingField::dRoomTotal), 0.0);

    fake.answer = makeFieldList({{L"ixRoomL", _variant_t(3)}, {L"dRoomTotal", _variant_t(1234.5)}});
    ASSERT_TRUE(cooling.find(-3, 6, 14));
    fake.found = false;
    EXPECT_FALSE(cooling.find(-3, 6, 15));
    EXPECT_EQ(cooling.real(CoolingField::dRoomTotal), 1234.5);
    EXPECT_TRUE(cooling.key(CoolingField::ixRoomL, key));
    EXPECT_EQ(key, 3);
}

TEST_F(Recorded, FieldListsSetNullKeysRawTypesOnlyAndKeepMissingColumns) {
    CoolingLoadRecord cooling(db);
    fake.answer = makeFieldList({{L"ixRoomL", _variant_t(9)},
                                 {L"ixZone", _variant_t(5)},
                                 {L"dRoof", _variant_t(100.0)},
                                 {L"iCoolingCFM", _variant_t(450)},
                                 {L"dWall", _variant_t(70.0)}});
    ASSERT_TRUE(cooling.find(-9, 6, 14));

    VARIANT null;
    VariantInit(&null);
    null.vt = VT_NULL;
    fake.answer = makeFieldList({{L"ixRoomL", _variant_t()},                // VT_EMPTY: null
                                 {L"ixZone", _variant_t(null)},              // VT_NULL: null
                                 {L"dRoof", _variant_t(7)},                  // VT_I4 in a real column: not taken
                                 {L"iCoolingCFM", _variant_t(12.9)},         // VT_R8 in an integer column: not taken
                                 {L"dRoomTotal", _variant_t(36000.0)},
                                 {L"dNoSuchColumn", _variant_t(1.0)},
                                 {L"droomtotalsensible", _variant_t(5.0)}});  // names compare exactly
    ASSERT_TRUE(cooling.find(-9, 6, 15));
    int32_t key = -1;
    EXPECT_FALSE(cooling.key(CoolingField::ixZone, key));
    EXPECT_EQ(key, 0);
    EXPECT_FALSE(cooling.key(CoolingField::ixRoomL, key));
    EXPECT_EQ(cooling.real(CoolingField::dRoof), 100.0);
    EXPECT_EQ(cooling.integer(CoolingField::iCoolingCFM), 450);
    EXPECT_EQ(cooling.real(CoolingField::dWall), 70.0);  // missing from the list: kept
    EXPECT_EQ(cooling.real(CoolingField::dRoomTotal), 36000.0);
    EXPECT_EQ(cooling.real(CoolingField::dRoomTotalSensible), 0.0);
}

TEST_F(Recorded, FieldListsWithAnotherLowerBoundAreWalkedWhole) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 3, 4);
    auto* items = static_cast<VARIANT*>(array->pvData);
    items[0].vt = VT_BSTR;
    items[0].bstrVal = SysAllocString(L"dSlab");
    items[1].vt = VT_R8;
    items[1].dblVal = 12.5;
    items[2].vt = VT_BSTR;
    items[2].bstrVal = SysAllocString(L"iHeatingCFM");
    items[3].vt = VT_I4;
    items[3].lVal = 640;
    _variant_t list;
    list.vt = VT_ARRAY | VT_VARIANT;
    list.parray = array;
    HeatingLoadRecord heating(db);
    heating.loadFieldList(list);
    EXPECT_EQ(heating.real(HeatingField::dSlab), 12.5);
    EXPECT_EQ(heating.integer(HeatingField::iHeatingCFM), 640);
}

TEST(ResultFields, TablesHoldTheColumnsInDeclaredOrder) {
    EXPECT_EQ(kCoolingResultFields.size(), 58u);
    EXPECT_EQ(kHeatingResultFields.size(), 37u);
    EXPECT_EQ(std::wstring(kCoolingResultFields[22].name), L"iCoolingCFM");
    EXPECT_EQ(std::wstring(kCoolingResultFields[57].name), L"dOSASystemEfficiency62");
    EXPECT_EQ(kCoolingResultFields[2].type, ResultFieldType::kNullableInteger);
    EXPECT_EQ(std::wstring(kHeatingResultFields[19].name), L"iHeatingCFM");
    EXPECT_EQ(kHeatingResultFields[19].type, ResultFieldType::kInteger);
}

namespace {

using Project = OpenProjectTest;

} // namespace

TEST_F(Project, CalculatedMonthsAreTheFlaggedMonthsByName) {
    // A new project calculates months 5, 6 and 7.
    EXPECT_EQ(calculatedMonthNames(db), (std::vector<std::string>{"June", "July", "August"}));
    ASSERT_TRUE(db.Execute(L"update tblMonth set bDoCalculation = -1 where iMonth = 0"));
    EXPECT_EQ(calculatedMonthNames(db).front(), "January");
    ASSERT_TRUE(db.Execute(L"update tblMonth set bDoCalculation = 0"));
    EXPECT_TRUE(calculatedMonthNames(db).empty());
}

TEST_F(Project, CalculatedMonthsWithoutConnectionRaiseTheComponentError) {
    IProjectDatabasePtr none;
    try {
        calculatedMonthNames(none);
        FAIL() << "no error raised";
    } catch (const _com_error& error) {
        EXPECT_EQ(error.Error(), E_POINTER);
    }
}

TEST_F(Project, FindsRowsOfRoomsAndZonesThroughTheComponent) {
    ASSERT_TRUE(db.Execute(L"insert into tblLoadRoomCooling (ixRoomL, iMonth, iHour, dRoomTotal, iCoolingCFM) "
                           L"values (12, 6, 15, 36000, 1200)"));
    ASSERT_TRUE(db.Execute(L"insert into tblLoadRoomCooling (ixZone, iMonth, iHour, dRoomTotal) "
                           L"values (12, 6, 15, 50000)"));
    ASSERT_TRUE(db.Execute(L"insert into tblLoadRoomHeating (ixZone, dRoomTotal) values (3, 34130)"));
    CoolingLoadRecord cooling(db);
    ASSERT_TRUE(cooling.find(-12, 6, 15));
    EXPECT_EQ(cooling.real(CoolingField::dRoomTotal), 36000.0);
    EXPECT_EQ(cooling.integer(CoolingField::iCoolingCFM), 1200);
    EXPECT_TRUE(cooling.isNull(CoolingField::ixZone));
    ASSERT_TRUE(cooling.find(12, 6, 15));
    EXPECT_EQ(cooling.real(CoolingField::dRoomTotal), 50000.0);
    EXPECT_TRUE(cooling.isNull(CoolingField::ixRoomL));
    EXPECT_FALSE(cooling.find(-12, 6, 16));

    HeatingLoadRecord heating(db);
    EXPECT_FALSE(heating.find(-3));
    ASSERT_TRUE(heating.find(3));
    EXPECT_EQ(heating.real(HeatingField::dRoomTotal), 34130.0);
}

TEST_F(Project, EachOpenProjectHoldsOneRecordOfEachUntilItDisconnects) {
    ProjectDatabaseData project(dir);
    EXPECT_EQ(project.coolingLoadRecord(), nullptr);
    ASSERT_TRUE(project.makeReady(false));
    CoolingLoadRecord* cooling = project.coolingLoadRecord();
    ASSERT_NE(cooling, nullptr);
    ASSERT_NE(project.heatingLoadRecord(), nullptr);
    ASSERT_TRUE(project.makeReady(false));
    EXPECT_EQ(project.coolingLoadRecord(), cooling);  // kept, not made again
    EXPECT_TRUE(cooling->connected());
    project.disconnect();
    EXPECT_EQ(project.coolingLoadRecord(), nullptr);
    EXPECT_EQ(project.heatingLoadRecord(), nullptr);
}
