// The load data store from AutoLISP: adding, truncation, keys, suffixes, resets and argument rules.
#include "LoadsFixture.h"
#include "loads/LoadRecords.h"

namespace {

class LoadStore : public LoadsFixture {};

}  // namespace

TEST_F(LoadStore, ValuesAddUpAndOtherFieldsStayZero) {
    eval("(zk_hvac-loads-storeRoomData 1 2 3 \"dRoof\" 10.5)");
    eval("(zk_hvac-loads-storeRoomData 1 2 3 \"dRoof\" 4.5)");
    EXPECT_EQ(eval("(car (zk_hvac-loads-getRoomData 1 2 3))"), "(\"dRoof\" . 15.0)");
    EXPECT_EQ(eval("(length (zk_hvac-loads-getRoomData 1 2 3))"), "54");
    EXPECT_EQ(eval("(apply '+ (mapcar 'cdr (cdr (zk_hvac-loads-getRoomData 1 2 3))))"), "0.0");
    eval("(zk_hvac-loads-storeRoomData 1 2 3 \"dPeopleRatio\" 2 \"dPeopleRatio\" 0.5)");
    EXPECT_EQ(eval("(cdr (assoc \"dPeopleRatio\" (zk_hvac-loads-getRoomData 1 2 3)))"), "2.5");
    EXPECT_EQ(output, "");
}

TEST_F(LoadStore, IntegerFieldsAddTruncatedValues) {
    eval("(zk_hvac-loads-storeRoomData 1 2 3 \"iCoolingCFM\" 99.9)");
    EXPECT_EQ(eval("(assoc \"iCoolingCFM\" (zk_hvac-loads-getRoomData 1 2 3))"), "(\"iCoolingCFM\" . 99)");
    eval("(zk_hvac-loads-storeRoomData 1 2 3 \"iCoolingCFM\" -2.9 \"iOSACFM\" 7)");
    EXPECT_EQ(eval("(cdr (assoc \"iCoolingCFM\" (zk_hvac-loads-getRoomData 1 2 3)))"), "97");
    EXPECT_EQ(eval("(cdr (assoc \"iOSACFM\" (zk_hvac-loads-getRoomData 1 2 3)))"), "7");
    eval("(zk_hvac-loads-storeRoomData 1 2 3 \"iOSACFM\" 1e300 \"iOSACFM\" 1e300)");
    EXPECT_EQ(eval("(cdr (assoc \"iOSACFM\" (zk_hvac-loads-getRoomData 1 2 3)))"), "2147483647");
}

TEST_F(LoadStore, FieldOrderAndTypesFollowTheRecord) {
    eval("(zk_hvac-loads-storeRoomData 0 0 1)");
    EXPECT_EQ(eval("(mapcar 'car (zk_hvac-loads-getRoomData 0 0 1 \"_2\"))"),
              eval("(mapcar '(lambda (p) (strcat (car p) \"_2\")) (zk_hvac-loads-getRoomData 0 0 1))"));
    EXPECT_EQ(eval("(car (nth 53 (zk_hvac-loads-getRoomData 0 0 1 \"_2\")))"), "\"dPeopleRatio_2\"");
    EXPECT_EQ(eval("(nth 23 (zk_hvac-loads-getRoomData 0 0 1 2))"), "(\"iCoolingCFM\" . 0)");  // not a string: bare
    EXPECT_EQ(eval("(nth 22 (zk_hvac-loads-getRoomData 0 0 1))"), "(\"dVentilationIMCLatent\" . 0.0)");
    EXPECT_EQ(eval("(nth 29 (zk_hvac-loads-getRoomData 0 0 1))"), "(\"iOSA62PeopleCFM\" . 0)");
    EXPECT_STREQ(hvac::kRoomFields[36].name, "dRoomTemperature");
    eval("(zk_hvac-loads-storeWallData 0 0 1 \"dGlassPartition\" 1)");
    EXPECT_EQ(eval("(mapcar 'car (zk_hvac-loads-getWallData 0 0 1 \"_2\"))"),
              "(\"dWall\" \"dWallPlenum\" \"dDoor\" \"dGlass\" \"dWallPartition\" \"dWallPlenumPartition\" "
              "\"dDoorPartition\" \"dGlassPartition\")");
    EXPECT_EQ(eval("(cdr (last (zk_hvac-loads-getWallData 0 0 1)))"), "1.0");
}

TEST_F(LoadStore, KeysCombineTheThreeParts) {
    eval("(zk_hvac-loads-storeRoomData 1 2 3 \"dFloor\" 1)");
    eval("(zk_hvac-loads-storeRoomData 0 102 3 \"dFloor\" 1)");
    EXPECT_EQ(eval("(cdr (assoc \"dFloor\" (zk_hvac-loads-getRoomData 0 0 10203)))"), "2.0");
    eval("(zk_hvac-loads-storeRoomData 300000 0 0 \"dFloor\" 1)");  // wraps in 32 bits, no fault
    EXPECT_EQ(eval("(cdr (assoc \"dFloor\" (zk_hvac-loads-getRoomData 300000 0 0)))"), "1.0");
}

TEST_F(LoadStore, MissingKeysAndResetsGiveNil) {
    EXPECT_EQ(eval("(zk_hvac-loads-getRoomData 9 9 9)"), "nil");
    eval("(zk_hvac-loads-storeRoomData 1 2 3 \"dRoof\" 1)");
    eval("(zk_hvac-loads-storeWallData 1 2 3 \"dWall\" 5)");
    EXPECT_EQ(eval("(zk_hvac-loads-resetRoomData)"), "nil");
    EXPECT_EQ(eval("(zk_hvac-loads-getRoomData 1 2 3)"), "nil");
    EXPECT_EQ(eval("(cdr (assoc \"dWall\" (zk_hvac-loads-getWallData 1 2 3)))"), "5.0");
    eval("(zk_hvac-loads-resetWallData)");
    EXPECT_EQ(eval("(zk_hvac-loads-getWallData 1 2 3)"), "nil");
    EXPECT_EQ(output, "");
}

TEST_F(LoadStore, WallAndRoomMapsAreIndependent) {
    eval("(zk_hvac-loads-storeWallData 1 2 3 \"dWall\" 5)");
    EXPECT_EQ(eval("(zk_hvac-loads-getRoomData 1 2 3)"), "nil");
    eval("(zk_hvac-loads-storeWallData 1 2 3 \"dRoof\" 5)");  // a room field is no wall field
    EXPECT_EQ(eval("(apply '+ (mapcar 'cdr (zk_hvac-loads-getWallData 1 2 3)))"), "5.0");
}

TEST_F(LoadStore, PairsWithoutUsableValuesCreateTheRecordOnly) {
    eval("(zk_hvac-loads-storeRoomData 1 2 3 \"dRoof\")");
    EXPECT_EQ(eval("(apply '+ (mapcar 'cdr (zk_hvac-loads-getRoomData 1 2 3)))"), "0.0");
    eval("(zk_hvac-loads-storeRoomData 4 5 6 \"noSuchField\" 3)");
    EXPECT_EQ(eval("(apply '+ (mapcar 'cdr (zk_hvac-loads-getRoomData 4 5 6)))"), "0.0");
    eval("(zk_hvac-loads-storeRoomData 4 5 6 \"DROOF\" 3 \"dRoof\" 1)");  // names are case-sensitive
    EXPECT_EQ(eval("(cdr (assoc \"dRoof\" (zk_hvac-loads-getRoomData 4 5 6)))"), "1.0");
}

TEST_F(LoadStore, NonStringNamesAreSkippedAndNonNumbersBecomeNames) {
    // 7 is skipped; "dRoof" "dFloor" 2: "dRoof" has no number, "dFloor" takes 2.
    eval("(zk_hvac-loads-storeRoomData 1 2 3 7 \"dRoof\" \"dFloor\" 2 '(1 2) \"dWall\" 4)");
    EXPECT_EQ(eval("(mapcar 'cdr (list (assoc \"dRoof\" (zk_hvac-loads-getRoomData 1 2 3)) "
                   "(assoc \"dFloor\" (zk_hvac-loads-getRoomData 1 2 3)) "
                   "(assoc \"dWall\" (zk_hvac-loads-getRoomData 1 2 3))))"),
              "(0.0 2.0 4.0)");
}

TEST_F(LoadStore, BadKeysAreWrongTypeAndChangeNothing) {
    for (const char* call : {"(zk_hvac-loads-storeRoomData 1 2 \"3\" \"dRoof\" 1)", "(zk_hvac-loads-storeRoomData 1 2)",
                             "(zk_hvac-loads-getRoomData 1 \"2\" 3)", "(zk_hvac-loads-storeWallData)",
                             "(zk_hvac-loads-getWallData 1 2)"}) {
        output.clear();
        EXPECT_EQ(eval(call), "nil") << call;
        EXPECT_EQ(output, "\nWrong type of arguments passed.\n") << call;
    }
    EXPECT_EQ(eval("(zk_hvac-loads-getRoomData 1 2 3)"), "nil");
}

// Both records share names ("dWall" is field 3 of a room, 0 of a wall): each table answers for itself.
TEST_F(LoadStore, FieldNamesAreFoundExactlyPerTable) {
    for (size_t i = 0; i < hvac::kRoomFields.size(); ++i)
        EXPECT_EQ(hvac::loadFieldIndex(hvac::kRoomFields, hvac::kRoomFields[i].name), int(i));
    for (size_t i = 0; i < hvac::kWallFields.size(); ++i)
        EXPECT_EQ(hvac::loadFieldIndex(hvac::kWallFields, hvac::kWallFields[i].name), int(i));
    EXPECT_EQ(hvac::loadFieldIndex(hvac::kRoomFields, "dWall"), 3);
    EXPECT_EQ(hvac::loadFieldIndex(hvac::kWallFields, "dWall"), 0);
    EXPECT_EQ(hvac::loadFieldIndex(hvac::kWallFields, "dRoof"), -1);
    for (const char* name : {"DROOF", "droof", "dRoo", "dRooff", "", "dRoof "})
        EXPECT_EQ(hvac::loadFieldIndex(hvac::kRoomFields, name), -1) << name;
}
