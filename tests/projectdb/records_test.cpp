// Table selection, seeking, navigation and record writes through field lists.
#include "projectdb_fixture.h"

using Fields = std::vector<std::pair<std::wstring, _variant_t>>;

TEST_P(ProjectDbTest, AddNewAssignsKeyAndUpdateRewritesOnlyGivenFields)
{
    IProjectDatabasePtr db = open();
    ASSERT_TRUE(db.SetTable(L"tblDuct", L"ixDuct"));
    _variant_t stored;
    ASSERT_TRUE(db.AddNew(makeFieldList({{L"AIRFLOW", L"sa"}, {L"WIDTH", 12.0}, {L"SIZEFOR", L"X   "},
                                         {L"bDeleted", _variant_t(SHORT(0))}}),
                          stored));
    LONG key = fieldValue(stored, L"ixDuct")->lVal;
    EXPECT_GT(key, 0);
    EXPECT_EQ(fieldCount(stored), 62u);
    EXPECT_EQ(textOf(fieldValue(stored, L"SIZEFOR")), L"X");  // right-trimmed
    EXPECT_DOUBLE_EQ(fieldValue(stored, L"CFMDIVERSITY")->dblVal, 1.0);
    EXPECT_DOUBLE_EQ(fieldValue(stored, L"dHangerZ")->dblVal, 120.0);

    _variant_t fields, updated;
    ASSERT_TRUE(db.Seek(_variant_t(key, VT_I4), fields));
    ASSERT_TRUE(db.Update(makeFieldList({{L"CFM", 455.7}, {L"bForceVertical", _variant_t(SHORT(-1))}}), updated));
    EXPECT_DOUBLE_EQ(fieldValue(updated, L"CFM")->dblVal, 455.7);
    EXPECT_EQ(fieldValue(updated, L"bForceVertical")->vt, VT_BOOL);
    EXPECT_EQ(fieldValue(updated, L"bForceVertical")->boolVal, VARIANT_TRUE);
    EXPECT_EQ(textOf(fieldValue(updated, L"AIRFLOW")), L"sa");

    _variant_t flags;
    ASSERT_TRUE(db.SelectColumn(L"select bForceVertical from tblDuct where ixDuct = " + std::to_wstring(key), flags));
    EXPECT_EQ(static_cast<VARIANT*>(flags.parray->pvData)[0].boolVal, VARIANT_TRUE);
    ASSERT_TRUE(db.SelectColumn(L"Select AIRFLOW, ixDuct from tblDuct where DRAWING is null and bDeleted = 0 and AIRFLOW = \"sa\"", flags));
}

TEST_P(ProjectDbTest, SeekByTextIgnoresCaseAndMissingKeyIsNotFound)
{
    IProjectDatabasePtr db = open();
    _variant_t fields;
    ASSERT_TRUE(db.SetTable(L"tblGlobal", L"sKey"));
    EXPECT_TRUE(db.Seek(L"elbow radius", fields));
    EXPECT_FALSE(db.Seek(L"NO SUCH SETTING", fields));
    EXPECT_FALSE(db.HasError());
    ASSERT_TRUE(db.SetTable(L"tblGlobal", L"ixGlobal"));
    EXPECT_TRUE(db.Seek(_variant_t(1, VT_I4), fields));
}

TEST_P(ProjectDbTest, EmptyKeyMatchesNullColumnOnly)
{
    IProjectDatabasePtr db = open();
    _variant_t fields, stored;
    ASSERT_TRUE(db.SetTable(L"tblLayerKey", L"isxLayerSystemKey"));
    ASSERT_TRUE(db.AddNew(makeFieldList({{L"ixLayerSystem", 3}, {L"ixLayer", 1}, {L"sKey", L"sa"}}), stored));
    EXPECT_TRUE(db.Seek2(_variant_t(), L"sa", fields));
    EXPECT_EQ(fieldValue(fields, L"ixLayerSystem")->vt, VT_NULL);
    EXPECT_TRUE(db.Seek2(_variant_t(3, VT_I4), L"sa", fields));
    EXPECT_EQ(fieldValue(fields, L"ixLayerSystem")->lVal, 3);
    EXPECT_FALSE(db.Seek2(_variant_t(4, VT_I4), L"sa", fields));
    _variant_t null;
    null.vt = VT_NULL;
    EXPECT_TRUE(db.Seek2(null, L"ROOM LABELS", fields));
}

TEST_P(ProjectDbTest, ThreeKeySeekOnCoolingLoads)
{
    IProjectDatabasePtr db = open();
    _variant_t stored, fields;
    ASSERT_TRUE(db.SetTable(L"tblLoadRoomCooling", L"ixRoomLiMonthiHour"));
    for (int hour = 0; hour < 3; ++hour)
        db.AddNew(makeFieldList({{L"ixRoomL", 7}, {L"iMonth", 6}, {L"iHour", hour}, {L"dRoof", 100.0 + hour}}), stored);
    db.AddNew(makeFieldList({{L"ixZone", 7}, {L"iMonth", 6}, {L"iHour", 1}, {L"dRoof", 9.0}}), stored);
    ASSERT_TRUE(db.Seek3(_variant_t(7, VT_I4), _variant_t(6, VT_I4), _variant_t(1, VT_I4), fields));
    EXPECT_DOUBLE_EQ(fieldValue(fields, L"dRoof")->dblVal, 101.0);
    EXPECT_EQ(fieldValue(fields, L"ixZone")->vt, VT_NULL);
    EXPECT_FALSE(db.Seek3(_variant_t(7, VT_I4), _variant_t(5, VT_I4), _variant_t(1, VT_I4), fields));
    ASSERT_TRUE(db.SetTable(L"tblLoadRoomCooling", L"ixZoneiMonthiHour"));
    ASSERT_TRUE(db.Seek3(_variant_t(7, VT_I4), _variant_t(6, VT_I4), _variant_t(1, VT_I4), fields));
    EXPECT_DOUBLE_EQ(fieldValue(fields, L"dRoof")->dblVal, 9.0);
    EXPECT_THROW(db.SetTable(L"tblLoadRoomCooling", L"ixNoSuchIndex"), _com_error);
}

TEST_P(ProjectDbTest, NavigationFollowsIndexOrderAndEmptyTableIsEofAndBof)
{
    IProjectDatabasePtr db = open();
    ASSERT_TRUE(db.SetTable(L"tblDwgDiff", L"iSortOrder"));
    EXPECT_TRUE(db.IsEOF());
    EXPECT_TRUE(db.IsBOF());
    _variant_t stored, fields;
    for (int order : {3, 1, 2})
        db.AddNew(makeFieldList({{L"iSortOrder", order}, {L"sDescription", L"Block " + std::to_wstring(order)}}), stored);
    ASSERT_TRUE(db.SetTable(L"tblDwgDiff", L"iSortOrder"));
    EXPECT_FALSE(db.IsEOF());
    EXPECT_FALSE(db.IsBOF());
    std::vector<LONG> seen;
    for (bool ok = db.MoveFirst(fields); !db.IsEOF(); ok = db.MoveNext(1, fields)) {
        ASSERT_TRUE(ok);
        seen.push_back(fieldValue(fields, L"iSortOrder")->lVal);
    }
    EXPECT_EQ(seen, (std::vector<LONG>{1, 2, 3}));
    EXPECT_THROW(db.MoveNext(1, fields), _com_error);  // past the end: no current record

    // Seek then MoveNext continues from the found record.
    ASSERT_TRUE(db.Seek(_variant_t(2, VT_I4), fields));
    ASSERT_TRUE(db.MoveNext(1, fields));
    EXPECT_EQ(fieldValue(fields, L"iSortOrder")->lVal, 3);
}

TEST_P(ProjectDbTest, ExecuteChangesRowsAndCachedColumnsFollowSchemaChanges)
{
    IProjectDatabasePtr db = open();
    _variant_t stored, fields;
    ASSERT_TRUE(db.SetTable(L"tblDiffS", L"ixDiffS"));
    db.AddNew(makeFieldList({{L"CALLOUT", L"A"}, {L"ixDwgDiff", 4}}), stored);
    EXPECT_TRUE(db.Execute(L"update tblDiffS set ixDwgDiff = 9 where ixDwgDiff = 4"));
    ASSERT_TRUE(db.Seek(*fieldValue(stored, L"ixDiffS"), fields));
    EXPECT_EQ(fieldValue(fields, L"ixDwgDiff")->lVal, 9);
    EXPECT_TRUE(db.Execute(L"alter table tblDiffS add column sExtra TEXT"));
    ASSERT_TRUE(db.SetTable(L"tblDiffS", L"ixDiffS"));
    ASSERT_TRUE(db.Seek(*fieldValue(stored, L"ixDiffS"), fields));
    EXPECT_NE(fieldValue(fields, L"sExtra"), nullptr);
}

// Callers' SQL as the product writes it: string literals in double quotes,
// a column named like a keyword, text compared without regard to case.
TEST_P(ProjectDbTest, CallerSqlWithDoubleQuotedTextAndAKeywordColumn)
{
    IProjectDatabasePtr db = open();
    ASSERT_TRUE(db.Execute(L"insert into tblDuct (OFFSET, AIRFLOW, SIZEFOR) values (\"RIGHT\", 'sa', \"it's 12\")"));
    _variant_t values;
    ASSERT_TRUE(db.SelectColumn(L"select OFFSET from tblDuct where AIRFLOW = \"SA\" order by ixDuct limit 1 offset 0",
                                values));
    EXPECT_EQ(textOf(&firstValue(values)), L"RIGHT");
    ASSERT_TRUE(db.SelectColumn(L"select SIZEFOR from tblDuct where OFFSET = 'right'", values));
    EXPECT_EQ(textOf(&firstValue(values)), L"it's 12");
    EXPECT_THROW(db.SelectColumn(L"update tblDuct set WIDTH = 1", values), _com_error);
}

// A file keeps what its columns' types cannot convert (text in a number
// column, a fraction in an integer column, a number in a text column): the
// field list shows each as its column's kind, and the record as read still
// guards a later Update once another user has written to the file.
TEST_P(ProjectDbTest, ValuesStoredAsAnotherTypeReadAsTheirColumnsKind)
{
    if (onServer()) GTEST_SKIP() << "the server refuses such values when they are written";
    IProjectDatabasePtr db = open();
    ASSERT_TRUE(db.Execute(L"insert into tblDuct (ixLayerSystem, WIDTH, DEPTH, bForceVertical, SIZEFOR, DAMPERTYPE, "
                           L"bDeleted, AIRFLOW) values ('abc', 'x', 2, 'yes', 12, 2.5, 2, 'ra  ')"));
    ASSERT_TRUE(db.SetTable(L"tblDuct", L"ixDuct"));
    _variant_t fields;
    ASSERT_TRUE(db.MoveFirst(fields));
    LONG key = fieldValue(fields, L"ixDuct")->lVal;
    for (int pass = 0; pass < 2; ++pass) {  // navigation, then a seek by key
        SCOPED_TRACE(pass);
        EXPECT_EQ(fieldValue(fields, L"ixLayerSystem")->vt, VT_I4);
        EXPECT_EQ(fieldValue(fields, L"ixLayerSystem")->lVal, 0);
        EXPECT_EQ(fieldValue(fields, L"WIDTH")->vt, VT_R8);
        EXPECT_EQ(fieldValue(fields, L"WIDTH")->dblVal, 0.0);
        EXPECT_EQ(fieldValue(fields, L"DEPTH")->dblVal, 2.0);
        EXPECT_EQ(fieldValue(fields, L"bForceVertical")->boolVal, VARIANT_FALSE);
        EXPECT_EQ(textOf(fieldValue(fields, L"SIZEFOR")), L"12");
        EXPECT_EQ(fieldValue(fields, L"DAMPERTYPE")->lVal, 2);
        EXPECT_EQ(fieldValue(fields, L"bDeleted")->boolVal, VARIANT_TRUE);
        EXPECT_EQ(textOf(fieldValue(fields, L"AIRFLOW")), L"ra");
        EXPECT_EQ(fieldValue(fields, L"DRAWING")->vt, VT_NULL);
        ASSERT_TRUE(db.Seek(_variant_t(key, VT_I4), fields));
    }
    IProjectDatabasePtr other = open();
    ASSERT_TRUE(other.Execute(L"insert into tblDuct (AIRFLOW) values ('sa')"));
    _variant_t updated;
    ASSERT_TRUE(db.Update(makeFieldList({{L"CFM", 80.0}}), updated));
    EXPECT_EQ(fieldValue(updated, L"CFM")->dblVal, 80.0);
    EXPECT_EQ(textOf(fieldValue(updated, L"SIZEFOR")), L"12");
    EXPECT_EQ(fieldValue(updated, L"ixLayerSystem")->lVal, 0);
}

TEST_P(ProjectDbTest, StoredTextReadsBackRightTrimmedWithItsCharactersKept)
{
    IProjectDatabasePtr db = open();
    ASSERT_TRUE(db.SetTable(L"tblDuct", L"ixDuct"));
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"X \t\r\n", L"X"},                         // every trailing blank goes
        {L"  lead kept", L"  lead kept"},            // leading blanks stay
        {L"   ", L""},                               // only blanks
        {L"Zuluft \u00c4\u00df\u6c14 ", L"Zuluft \u00c4\u00df\u6c14"},  // beyond ASCII
        {L"a\u00e9 \t", L"a\u00e9"},
    };
    for (const auto& [written, read] : cases) {
        _variant_t stored, fields;
        ASSERT_TRUE(db.AddNew(makeFieldList({{L"SIZEFOR", written.c_str()}}), stored));
        EXPECT_EQ(textOf(fieldValue(stored, L"SIZEFOR")), read);
        ASSERT_TRUE(db.Seek(_variant_t(fieldValue(stored, L"ixDuct")->lVal, VT_I4), fields));
        EXPECT_EQ(textOf(fieldValue(fields, L"SIZEFOR")), read);
    }
}

TEST_P(ProjectDbTest, FieldListsOutliveTheComponentThatMadeThem)
{
    _variant_t first, second;
    {
        IProjectDatabasePtr db = open();
        ASSERT_TRUE(db.SetTable(L"tblGlobal", L"ixGlobal"));
        ASSERT_TRUE(db.Seek(_variant_t(1, VT_I4), first));
        ASSERT_TRUE(db.Seek(_variant_t(1, VT_I4), second));
    }
    // The names stay readable after the table state and the component are
    // gone, and freeing one list leaves the other whole.
    first.Clear();
    auto* items = static_cast<VARIANT*>(second.parray->pvData);
    ASSERT_EQ(items[0].vt, VT_BSTR);
    EXPECT_EQ(std::wstring(items[0].bstrVal), L"ixGlobal");
    EXPECT_EQ(fieldValue(second, L"sKey")->vt, VT_BSTR);
}
