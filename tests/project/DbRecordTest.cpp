// Record objects: reading by one or more keys, null fields, saving only the
// changed fields of new and read records.
#include <gtest/gtest.h>

#include "project/DbRecord.h"
#include "tests/support/OpenProjectTest.h"

namespace {

using Records = OpenProjectTest;

} // namespace

TEST_F(Records, ReadsByNameAndByCompositeKey) {
    DbRecord keys(db, L"tblLayerKey", L"ixLayerKey");
    ASSERT_TRUE(keys.read(L"isxLayerSystemKey", _variant_t(), L"ROOM LABELS"));
    EXPECT_TRUE(keys.integer(L"ixLayer").has_value());
    EXPECT_FALSE(keys.integer(L"ixLayerSystem").has_value()); // null column
    EXPECT_FALSE(keys.read(L"isxLayerSystemKey", _variant_t(7), L"ROOM LABELS"));
    EXPECT_FALSE(keys.found());
}

TEST_F(Records, NewRecordSavesItsChangedFieldsAndGetsAKey) {
    DbRecord global(db, L"tblGlobal", L"ixGlobal");
    EXPECT_FALSE(global.read(L"sKey", L"DEMO SETTING"));
    EXPECT_FALSE(global.text(L"sText").has_value());
    global.setText(L"sKey", L"DEMO SETTING");
    global.setText(L"sText", L"on");
    ASSERT_TRUE(global.save());
    EXPECT_TRUE(global.found());
    EXPECT_TRUE(global.integer(L"ixGlobal").has_value());
    EXPECT_FALSE(global.number(L"dNumber").has_value());

    DbRecord again(db, L"tblGlobal", L"ixGlobal");
    ASSERT_TRUE(again.read(L"sKey", L"DEMO SETTING"));
    EXPECT_EQ(again.text(L"sText").value_or(L"?"), L"on");
}

TEST_F(Records, ModifiedRecordUpdatesTheRowItWasReadFrom) {
    DbRecord global(db, L"tblGlobal", L"ixGlobal");
    global.setText(L"sKey", L"DEMO NUMBER");
    global.setNumber(L"dNumber", 1.5);
    ASSERT_TRUE(global.save());
    int32_t key = *global.integer(L"ixGlobal");

    DbRecord edit(db, L"tblGlobal", L"ixGlobal");
    ASSERT_TRUE(edit.read(L"ixGlobal", _variant_t(static_cast<int>(key))));
    EXPECT_FALSE(edit.modified());
    EXPECT_FALSE(edit.save()); // nothing changed, nothing sent
    edit.setNumber(L"dNumber", 2.25);
    EXPECT_TRUE(edit.modified());
    ASSERT_TRUE(edit.save());

    DbRecord check(db, L"tblGlobal", L"ixGlobal");
    ASSERT_TRUE(check.read(L"sKey", L"DEMO NUMBER"));
    EXPECT_DOUBLE_EQ(check.number(L"dNumber").value_or(0), 2.25);
    EXPECT_EQ(*check.integer(L"ixGlobal"), key);
}

TEST_F(Records, WithoutAnInterfaceNothingIsFound) {
    DbRecord orphan(IProjectDatabasePtr(), L"tblGlobal", L"ixGlobal");
    EXPECT_FALSE(orphan.read(L"sKey", L"ANY"));
    orphan.setText(L"sKey", L"X");
    EXPECT_FALSE(orphan.save());
}
