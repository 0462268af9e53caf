// The duct record and its accessor: defaults, the load rules, what a save
// sends (only changed columns, in flag order, with their variant types) and
// the row operations built on load and save.
#include <gtest/gtest.h>

#include <map>

#include "RecordingDatabase.h"
#include "ducts/DuctDbRecord.h"
#include "projectdb/fieldlisthelpers.h"
#include "tests/support/OpenProjectTest.h"

namespace {

class DuctRecord : public OpenProjectTest {
protected:
    void SetUp() override {
        OpenProjectTest::SetUp();
        if (HasFatalFailure()) return;
        recorder = new RecordingDatabase(db);
        record.setDatabase(IProjectDatabasePtr(recorder));
        recorder->Release();  // the record's reference keeps it alive
    }
    void TearDown() override {
        record.setDatabase(nullptr);
        OpenProjectTest::TearDown();
    }
    // A new row with a few columns set; answers its key.
    int32_t newDuct(double width, const std::string& sizeFor) {
        record.BeginNew();
        record.SetWidth(width);
        record.SetSizeFor(sizeFor);
        EXPECT_TRUE(record.Save());
        return record.ixDuct;
    }
    std::vector<std::wstring> sentNames(size_t i) {
        std::vector<std::wstring> names;
        for (auto& [name, value] : recorder->sent.at(i).fields) names.push_back(name);
        return names;
    }

    RecordingDatabase* recorder = nullptr;
    DuctDbRecord record;
};

// A field list (name, value, ...) whose array starts at `lower`.
_variant_t fieldList(const std::vector<std::pair<std::wstring, _variant_t>>& pairs, LONG lower = 0) {
    _variant_t list;
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, lower, static_cast<ULONG>(pairs.size() * 2));
    auto* items = static_cast<VARIANT*>(array->pvData);
    for (size_t i = 0; i < pairs.size(); ++i) {
        items[2 * i].vt = VT_BSTR;
        items[2 * i].bstrVal = SysAllocString(pairs[i].first.c_str());
        VariantCopy(&items[2 * i + 1], &pairs[i].second);
    }
    list.vt = VT_ARRAY | VT_VARIANT;
    list.parray = array;
    return list;
}

} // namespace

TEST(DuctRecordValue, NewRecordHasTheProductDefaults) {
    const std::map<std::wstring, double> nonZero = {
        {L"CFMDIVERSITY", 1.0}, {L"dHangerZ", 120.0},         {L"dHangerStartOffset", 36.0},
        {L"dHangerEndOffset", 36.0}, {L"dHangerSize", 1.0}, {L"dHangerDepth", 1.0}, {L"dHangerSpacing", 1.0}};
    ZkDuctDbInfo fresh;
    for (const DuctColumnDef& c : ductColumns()) {
        SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
        switch (c.kind) {
        case DuctColumnKind::Int: EXPECT_EQ(fresh.*c.intField, 0); break;
        case DuctColumnKind::Bool: EXPECT_FALSE(fresh.*c.boolField); break;
        case DuctColumnKind::Text:
            EXPECT_EQ(fresh.*c.textField, std::wstring(c.name) == L"FITTING" ? " " : "");
            break;
        case DuctColumnKind::Real: {
            auto it = nonZero.find(c.name);
            EXPECT_EQ(fresh.*c.realField, it == nonZero.end() ? 0.0 : it->second);
            break;
        }
        }
    }
}

TEST(DuctRecordValue, ColumnsAreTheTableColumnsInFlagOrder) {
    const auto& c = ductColumns();
    EXPECT_STREQ(c[0].name, L"ixDuct");
    EXPECT_STREQ(c[2].name, L"WIDTH");
    EXPECT_STREQ(c[16].name, L"bForceVertical");
    EXPECT_STREQ(c[27].name, L"CFM");
    EXPECT_STREQ(c[50].name, L"bDeleted");
    EXPECT_STREQ(c[61].name, L"iHangerType");
    std::map<std::wstring, int> seen;
    for (const auto& column : c) ++seen[column.name];
    EXPECT_EQ(seen.size(), 62u);
}

TEST(DuctRecordLoadRules, BooleanIsTrueOnlyForMinusOne) {
    ZkDuctDbInfo r;
    readDuctFields(r, fieldList({{L"bDeleted", _variant_t(SHORT(1))}, {L"bForceVertical", _variant_t(SHORT(-1))}}));
    EXPECT_FALSE(r.bDeleted);
    EXPECT_TRUE(r.bForceVertical);
    readDuctFields(r, fieldList({{L"bForceVertical", _variant_t(1)}}));
    EXPECT_FALSE(r.bForceVertical);
    readDuctFields(r, fieldList({{L"bDeleted", _variant_t(true)}}));
    EXPECT_TRUE(r.bDeleted);
}

TEST(DuctRecordLoadRules, CfmIsTruncatedNullsAreZeroTextIsTrimmed) {
    ZkDuctDbInfo r;
    r.WIDTH = 5;
    r.AIRFLOW = "sa";
    r.ixLayerSystem = 4;
    _variant_t null;
    null.vt = VT_NULL;
    readDuctFields(r, fieldList({{L"CFM", _variant_t(250.9)},
                                 {L"WIDTH", null},
                                 {L"AIRFLOW", _variant_t()},
                                 {L"ixLayerSystem", null},
                                 {L"MATERIAL", _variant_t(L"galv  \t")},
                                 {L"SIZEMAX", _variant_t(-7.8)},
                                 {L"NOSUCHCOLUMN", _variant_t(3)},
                                 {L"width", _variant_t(9.0)}}));
    EXPECT_EQ(r.CFM, 250);
    EXPECT_EQ(r.WIDTH, 0.0);  // null; "width" is not WIDTH
    EXPECT_EQ(r.AIRFLOW, "");
    EXPECT_EQ(r.ixLayerSystem, 0);
    EXPECT_EQ(r.MATERIAL, "galv");
    EXPECT_EQ(r.SIZEMAX, -7);
}

TEST(DuctRecordLoadRules, ArrayIsWalkedFromItsLowerBound) {
    ZkDuctDbInfo r;
    readDuctFields(r, fieldList({{L"DEPTH", _variant_t(8.0)}, {L"Z2", _variant_t(3)}}, 1));
    EXPECT_EQ(r.DEPTH, 8.0);
    EXPECT_EQ(r.Z2, 3.0);
}

TEST_F(DuctRecord, ProjectTableHasExactlyTheRecordColumns) {
    _variant_t names;
    ASSERT_TRUE(db.SelectColumn(L"select name from pragma_table_info('tblDuct')", names));
    ASSERT_EQ(names.vt, VT_ARRAY | VT_VARIANT);
    std::map<std::wstring, int> inTable;
    const auto* items = static_cast<const VARIANT*>(names.parray->pvData);
    for (ULONG i = 0; i < names.parray->rgsabound[0].cElements; ++i)
        ++inTable[std::wstring(items[i].bstrVal, SysStringLen(items[i].bstrVal))];
    EXPECT_EQ(inTable.size(), size_t(kDuctColumnCount));
    for (const DuctColumnDef& c : ductColumns()) EXPECT_EQ(inTable.count(c.name), 1u) << wideToUtf8(c.name);
}

TEST_F(DuctRecord, SaveWithoutSettersSendsNothing) {
    record.BeginNew();
    EXPECT_FALSE(record.Save());
    int32_t key = newDuct(12, "12x8");
    recorder->sent.clear();
    ASSERT_TRUE(record.Load(key));
    record.BeginEdit();
    EXPECT_FALSE(record.Save());
    EXPECT_TRUE(recorder->sent.empty());
}

TEST_F(DuctRecord, SaveSendsChangedColumnsInFlagOrderWithTheirTypes) {
    record.BeginNew();
    record.SetIHangerType(2);
    record.SetBDeleted(false);
    record.SetAirflow("sa");
    record.SetWidth(14.5);
    record.SetBForceVertical(true);
    ASSERT_TRUE(record.Save());
    ASSERT_EQ(recorder->sent.size(), 1u);
    EXPECT_EQ(recorder->sent[0].operation, "AddNew");
    EXPECT_EQ(sentNames(0),
              (std::vector<std::wstring>{L"WIDTH", L"bForceVertical", L"AIRFLOW", L"bDeleted", L"iHangerType"}));
    const auto& f = recorder->sent[0].fields;
    EXPECT_EQ(f[0].second.vt, VT_R8);
    EXPECT_EQ(f[1].second.vt, VT_I2);
    EXPECT_EQ(f[1].second.iVal, -1);
    EXPECT_EQ(f[2].second.vt, VT_BSTR);
    EXPECT_EQ(f[3].second.vt, VT_I2);
    EXPECT_EQ(f[3].second.iVal, 0);
    EXPECT_EQ(f[4].second.vt, VT_I4);
    // The record now holds the stored row, with the key the database gave it.
    EXPECT_GT(record.ixDuct, 0);
    EXPECT_TRUE(record.bForceVertical);
    EXPECT_EQ(record.dHangerZ, 120.0);
    EXPECT_TRUE(record.changed().none());
    EXPECT_FALSE(record.isNew());
}

TEST_F(DuctRecord, EditUpdatesOnlyItsRow) {
    int32_t first = newDuct(10, "A");
    int32_t second = newDuct(20, "B");
    ASSERT_TRUE(record.Load(first));
    record.BeginEdit();
    EXPECT_EQ(record.originalKey(), first);
    record.SetDepth(6);
    recorder->sent.clear();
    ASSERT_TRUE(record.Save());
    ASSERT_EQ(recorder->sent.size(), 1u);
    EXPECT_EQ(recorder->sent[0].operation, "Update");
    EXPECT_EQ(sentNames(0), std::vector<std::wstring>{L"DEPTH"});

    ZkDuctDbInfo a = record.GetRecord(first), b = record.GetRecord(second);
    EXPECT_EQ(a.DEPTH, 6.0);
    EXPECT_EQ(a.WIDTH, 10.0);
    EXPECT_EQ(b.DEPTH, 0.0);
    EXPECT_EQ(b.SIZEFOR, "B");
}

TEST_F(DuctRecord, MissingRowLeavesTheRecordAndGivesDefaults) {
    int32_t key = newDuct(10, "A");
    ASSERT_TRUE(record.Load(key));
    EXPECT_FALSE(record.Load(key + 100));
    EXPECT_EQ(record.ixDuct, key);
    EXPECT_EQ(record.SIZEFOR, "A");
    EXPECT_FALSE(record.Exists(key + 100));
    EXPECT_EQ(record.GetRecord(key + 100), ZkDuctDbInfo());
    EXPECT_FALSE(record.SetSizeFor(key + 100, "X"));
    EXPECT_FALSE(record.SetDamper(key + 100, 1, 2.0));
}

TEST_F(DuctRecord, WithoutDatabaseNothingLoadsOrSaves) {
    DuctDbRecord none;
    EXPECT_FALSE(none.Load(1));
    EXPECT_FALSE(none.Exists(1));
    EXPECT_FALSE(none.SetSizeFor(1, "X"));
    none.BeginNew();
    none.SetWidth(3);
    EXPECT_FALSE(none.Save());
    EXPECT_EQ(none.GetRecord(1), ZkDuctDbInfo());
}

TEST_F(DuctRecord, SizeForAndDamperChangeTheirColumns) {
    int32_t key = newDuct(10, "A");
    recorder->sent.clear();
    ASSERT_TRUE(record.SetSizeFor(key, "X"));
    ASSERT_TRUE(record.SetDamper(key, 3, 4.5));
    ASSERT_EQ(recorder->sent.size(), 2u);
    EXPECT_EQ(sentNames(0), std::vector<std::wstring>{L"SIZEFOR"});
    EXPECT_EQ(sentNames(1), (std::vector<std::wstring>{L"DAMPERLOCATION", L"DAMPERTYPE"}));
    ZkDuctDbInfo r = record.GetRecord(key);
    EXPECT_EQ(r.SIZEFOR, "X");
    EXPECT_EQ(r.DAMPERTYPE, 3);
    EXPECT_EQ(r.DAMPERLOCATION, 4.5);
    EXPECT_EQ(r.WIDTH, 10.0);
}

TEST_F(DuctRecord, CopyIntoLeavesPositionsAndCopiesAirflowOnlyWhenAsked) {
    ZkDuctDbInfo source;
    source.ixLayerSystem = 2;
    source.AIRFLOW = "ra";
    source.WIDTH = 16;
    source.DEPTH = 10;
    source.Z1 = 96;
    source.Z2 = 108;
    source.FITTING = "ELBOW";
    source.dHangerSpacing = 48;
    source.iHangerType = 1;
    source.CFM = 800;
    source.PDROPLOCK = 0.25;
    source.CFMDIVERSITY = 0.9;
    source.X1 = 50;      // positions,
    source.TEXTX = 7;    // text place,
    source.DRAWING = "Other.dwg";  // drawing and
    source.bDeleted = true;        // flags are never copied
    source.TOTALPRESSURE = 1.5;

    int32_t key = newDuct(4, "A");
    recorder->sent.clear();
    ASSERT_TRUE(record.CopyInto(key, source, false));
    ASSERT_EQ(recorder->sent.size(), 1u);
    EXPECT_EQ(recorder->sent[0].fields.size(), 35u);
    ZkDuctDbInfo r = record.GetRecord(key);
    EXPECT_EQ(r.ixLayerSystem, 2);
    EXPECT_EQ(r.AIRFLOW, "ra");
    EXPECT_EQ(r.WIDTH, 16.0);
    EXPECT_EQ(r.Z2, 108.0);
    EXPECT_EQ(r.FITTING, "ELBOW");
    EXPECT_EQ(r.dHangerSpacing, 48.0);
    EXPECT_EQ(r.CFM, 0);
    EXPECT_EQ(r.CFMDIVERSITY, 1.0);
    EXPECT_EQ(r.X1, 0.0);
    EXPECT_EQ(r.TEXTX, 0.0);
    EXPECT_EQ(r.DRAWING, "");
    EXPECT_FALSE(r.bDeleted);
    EXPECT_EQ(r.TOTALPRESSURE, 0.0);
    EXPECT_EQ(r.SIZEFOR, "");  // the source's empty size-for is copied

    ASSERT_TRUE(record.CopyInto(key, source, true));
    r = record.GetRecord(key);
    EXPECT_EQ(r.CFM, 800);
    EXPECT_EQ(r.PDROPLOCK, 0.25);
    EXPECT_EQ(r.CFMDIVERSITY, 0.9);
    EXPECT_FALSE(record.CopyInto(key + 50, source, true));
}
