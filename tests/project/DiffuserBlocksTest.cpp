// The diffuser blocks dialog and the diffuser records on a real project:
// loading in sort order, moves, new rows and their names, deletes through
// the product's "util-deleteBlocks" with chained replacements, what OK and
// Cancel write; the block shape code, the read-only records and the
// placement of a diffuser.
#include "tests/integration/HostFixture.h"

#include <cmath>

#include "project/DiffuserRecords.h"
#include "project/DwgDiffDialog.h"
#include "project/PrivateDatabase.h"
#include "project/ProjectData.h"
#include "project/ProjectDbFile.h"
#include "ui/DialogActions.h"
#include "projectdb/fieldlisthelpers.h"
#include "ui/MessageBox.h"

namespace {

class DiffuserBlocks : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        ASSERT_TRUE(SUCCEEDED(db.CreateInstance()));
        ASSERT_GT(db.OpenProject(findProjectDatabaseFile(projectDir, "zk_hvac").c_str()).length(), 0u);
        uiClearDialogActions();
        // The product's answer: the replacing block comes from replacements,
        // an alist of key -> replacing key (missing: 0).
        eval("(setq replacements nil calls nil)");
        eval("(defun util-deleteBlocks (key kind discipline replaced / new)"
             "  (setq calls (cons (list key kind discipline replaced) calls))"
             "  (setq new (cdr (assoc key replacements)))"
             "  (list key (if new new 0)))");
    }
    void TearDown() override {
        uiClearDialogActions();
        db.Close();
        db.Release();
        HostFixture::TearDown();
    }
    void exec(const std::string& sql) { ASSERT_TRUE(db.Execute(sql.c_str())) << sql; }
    void addBlock(int key, int order, const std::string& name, int number, int type) {
        exec("insert into tblDwgDiff (ixDwgDiff, iSortOrder, sDescription, iBlockNumber, iBlockType) values (" +
             std::to_string(key) + ", " + std::to_string(order) + ", '" + name + "', " + std::to_string(number) +
             ", " + std::to_string(type) + ")");
    }
    // "key order description number type" of every stored block by sort order.
    std::string stored() {
        std::string out;
        db.SetTable(L"tblDwgDiff", L"iSortOrder");
        _variant_t fields;
        auto number = [&fields](const wchar_t* name) {
            const VARIANT* v = fieldValue(fields, name);
            return v && v->vt == VT_I4 ? std::to_string(v->lVal) : std::string("?");
        };
        for (bool more = db.MoveFirst(fields); more && !db.IsEOF(); more = db.MoveNext(1, fields)) {
            const VARIANT* name = fieldValue(fields, L"sDescription");
            out += number(L"ixDwgDiff") + " " + number(L"iSortOrder") + " " +
                   (name && name->vt == VT_BSTR ? _bstr_t(name->bstrVal).utf8() : "?") + " " +
                   number(L"iBlockNumber") + " " + number(L"iBlockType") + "\n";
        }
        return out;
    }
    int scheduleBlock(int ixDiffS) {
        DiffuserRecord s(db, DiffuserRecord::Table::kSchedule);
        EXPECT_TRUE(s.read(ixDiffS));
        return s.integer(L"ixDwgDiff");
    }
    static void queue(DialogAction::Kind kind, const std::string& text = "", int row = -1, int column = 0) {
        DialogAction a;
        a.kind = kind;
        a.text = text;
        if (row >= 0) {
            DialogRowRef ref;
            ref.ref = row;
            a.rows.push_back(ref);
        }
        a.column = column;
        uiQueueDialogAction(a);
    }
    static std::vector<std::string> column(const GridModel& m, int c) {
        std::vector<std::string> out;
        for (int r = 1; r < m.rowCount(); ++r) out.push_back(m.text(r, c));
        return out;
    }

    IProjectDatabasePtr db;
};

} // namespace

TEST_F(DiffuserBlocks, AnEmptyTableShowsTheHeaderOnlyAndMovesDoNothing) {
    CDialogDwgDiff dialog(db);
    queue(DialogAction::Kind::kPress, "Move &Up");
    queue(DialogAction::Kind::kPress, "Move Do&wn");
    queue(DialogAction::Kind::kPress, "&OK");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.grid().model().rowCount(), 1);
    EXPECT_EQ(stored(), "");
    EXPECT_EQ(dialog.dialogName(), "zk_hvac:dwgEquCustomization");
    ASSERT_EQ(dialog.anchors().size(), 7u);
    for (const CAcUiDialog::Anchor& a : dialog.anchors()) {
        int move = a.moveX * 1000 + a.moveY, grow = a.growX * 1000 + a.growY;
        if (a.id == IDC_DWGDIFF_GRID) EXPECT_EQ(grow, 100100);
        else if (a.id == IDOK || a.id == IDCANCEL) EXPECT_EQ(move, 50100);
        else EXPECT_EQ(move, 100000) << a.id;
    }
}

TEST_F(DiffuserBlocks, RowsLoadBySortOrderAndOkWritesTheRowNumberAsSortOrder) {
    addBlock(7, 30, "Slot", 4, 3);
    addBlock(3, 10, "Square", 1, 0);
    addBlock(5, 20, "Round", 2, 1);
    CDialogDwgDiff dialog(db);
    queue(DialogAction::Kind::kSelect, "", 3, 2);
    queue(DialogAction::Kind::kPress, "Move &Up");
    queue(DialogAction::Kind::kSet, "Corner", 1, 2);
    queue(DialogAction::Kind::kSet, "Sidewall", 1, 4);
    queue(DialogAction::Kind::kPress, "&OK");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(column(dialog.grid().model(), 1), (std::vector<std::string>{"3", "7", "5"}));
    EXPECT_EQ(stored(), "3 1 Corner 1 2\n7 2 Slot 4 3\n5 3 Round 2 1\n");
}

TEST_F(DiffuserBlocks, NewRowsCopyTheRowAboveUnderUniqueNames) {
    addBlock(1, 1, "Square", 12, 0);
    CDialogDwgDiff dialog(db);
    queue(DialogAction::Kind::kPress, "&New");
    queue(DialogAction::Kind::kPress, "&New");
    queue(DialogAction::Kind::kPress, "&New");
    queue(DialogAction::Kind::kCancel);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const GridModel& m = dialog.grid().model();
    EXPECT_EQ(column(m, 2), (std::vector<std::string>{"Square", "New Diffuser Block", "New Diffuser Block (1)",
                                                     "New Diffuser Block (2)"}));
    EXPECT_EQ(column(m, 1), (std::vector<std::string>{"1", "-1", "-1", "-1"}));
    EXPECT_EQ(m.text(4, 3), "12");
    EXPECT_EQ(m.focusCell(), (GridCellRef{4, 2}));
    // Cancel writes nothing.
    EXPECT_EQ(stored(), "1 1 Square 12 0\n");
    EXPECT_EQ(uniqueBlockName({"New Diffuser Block (1)", "New Diffuser Block"}), "New Diffuser Block (2)");
}

TEST_F(DiffuserBlocks, OkStoresNewRowsAndCopiedFlagTextsBecomeZero) {
    CDialogDwgDiff dialog(db);
    dialog.DoModal();  // empty: Escape
    GridModel& m = dialog.grid().model();
    dialog.addBlock();
    m.setText(1, 3, "To Scale");
    dialog.addBlock();
    EXPECT_EQ(m.text(2, 3), "0");
    EXPECT_EQ(m.text(2, 2), "New Diffuser Block (1)");
}

TEST_F(DiffuserBlocks, ChainedReplacementsRepointSchedulesThenBlocksAreDeleted) {
    addBlock(5, 1, "Five", 5, 0);
    addBlock(7, 2, "Seven", 7, 1);
    addBlock(9, 3, "Nine", 9, 2);
    addBlock(4, 4, "Four", 4, 3);
    exec("insert into tblDiffS (ixDiffS, ixDwgDiff, CALLOUT) values (1, 5, 'S-1')");
    exec("insert into tblDiffS (ixDiffS, ixDwgDiff, CALLOUT) values (2, 7, 'S-2')");
    exec("insert into tblDiffS (ixDiffS, ixDwgDiff, CALLOUT) values (3, 4, 'S-3')");
    eval("(setq replacements '((5 . 7) (7 . 9)))");
    CDialogDwgDiff dialog(db);
    queue(DialogAction::Kind::kSelect, "", 1, 2);
    queue(DialogAction::Kind::kPress, "&Delete");  // 5 by 7
    queue(DialogAction::Kind::kPress, "&Delete");  // 7 by 9
    queue(DialogAction::Kind::kSelect, "", 2, 2);
    queue(DialogAction::Kind::kPress, "&Delete");  // 4 by nothing
    queue(DialogAction::Kind::kPress, "&OK");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.replacements(), (std::vector<std::pair<int32_t, int32_t>>{{5, 9}, {7, 9}, {4, 0}}));
    // The second call was told of the first pair.
    EXPECT_EQ(eval("(cadddr (cadr calls))"), "((5 7))");
    EXPECT_EQ(eval("(cdr (last calls))"), "(\"Diff\" \"hvac\" nil)");
    EXPECT_EQ(stored(), "9 1 Nine 9 2\n");
    EXPECT_EQ(scheduleBlock(1), 9);
    EXPECT_EQ(scheduleBlock(2), 9);
    EXPECT_EQ(scheduleBlock(3), 4);  // a replacement of 0 updates no schedule
}

TEST_F(DiffuserBlocks, ADeleteTheProductRefusesKeepsTheRowAndUnstoredRowsGoWithoutAsking) {
    addBlock(5, 1, "Five", 5, 0);
    eval("(defun util-deleteBlocks (key kind discipline replaced) \"no\")");
    CDialogDwgDiff dialog(db);
    queue(DialogAction::Kind::kPress, "&Delete");
    queue(DialogAction::Kind::kPress, "&New");
    queue(DialogAction::Kind::kPress, "&Delete");
    queue(DialogAction::Kind::kPress, "&OK");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(column(dialog.grid().model(), 2), (std::vector<std::string>{"Five"}));
    EXPECT_TRUE(dialog.replacements().empty());
    EXPECT_EQ(stored(), "5 1 Five 5 0\n");
}

TEST_F(DiffuserBlocks, ShapeCodesFollowTheBlockTypeAndDefaultToRound) {
    addBlock(1, 1, "Rect", 1, 0);
    addBlock(2, 2, "Round", 2, 1);
    addBlock(3, 3, "Side", 3, 2);
    addBlock(4, 4, "Slot", 4, 3);
    addBlock(5, 5, "Odd", 5, 9);
    EXPECT_EQ(blockShapeCode(db, 1), 0);
    EXPECT_EQ(blockShapeCode(db, 2), 1);
    EXPECT_EQ(blockShapeCode(db, 3), 3);
    EXPECT_EQ(blockShapeCode(db, 4), 2);
    EXPECT_EQ(blockShapeCode(db, 5), 1);
    EXPECT_EQ(blockShapeCode(db, 42), 1);
}

TEST_F(DiffuserBlocks, ReadOnlyRecordsTrimTextAndKeepNullFlags) {
    exec("insert into tblDiffSGroup (ixDiffSGroup, sName, bShowUnused) values (2, 'Supply   ', 0)");
    exec("insert into tblDiffSGroup (ixDiffSGroup, sName, bShowUnused, sScheduleNote, dMaxHeight) "
         "values (3, 'Return', -1, 'Note ', 12.5)");
    DiffuserRecord group(db, DiffuserRecord::Table::kScheduleGroup);
    ASSERT_TRUE(group.read(2));
    EXPECT_EQ(group.text(L"sName"), "Supply");
    EXPECT_FALSE(group.flag(L"bShowUnused"));
    EXPECT_TRUE(group.isNull(L"sScheduleNote"));
    EXPECT_TRUE(group.isNull(L"dMaxHeight"));
    EXPECT_EQ(group.real(L"dMaxHeight"), 0.0);
    ASSERT_TRUE(group.read(3));
    EXPECT_TRUE(group.flag(L"bShowUnused"));
    EXPECT_EQ(group.text(L"sScheduleNote"), "Note");
    EXPECT_EQ(group.real(L"dMaxHeight"), 12.5);
    EXPECT_FALSE(group.read(99));
    EXPECT_TRUE(group.isNull(L"sName"));
}

TEST_F(DiffuserBlocks, PlacementTurnsOverAtTiltOneEightyAndConvertsWhenAsked) {
    exec("insert into tblDiffL (ixDiffL, X, Y, Z, ROTATION, TILT, iAlignmentPointNumber) "
         "values (1, 10, 20, 9, 0, 180, 2)");
    exec("insert into tblDiffL (ixDiffL, X, Y, Z, ROTATION, TILT, iAlignmentPointNumber) "
         "values (2, 1, 2, 3, 1.5707963, 0, 1)");
    DiffuserRecord placed(db, DiffuserRecord::Table::kPlacement);
    ASSERT_TRUE(placed.read(1));
    DiffuserPlacement p = diffuserPlacement(placed, false);
    EXPECT_EQ(p.position, AcGePoint3d(10, 20, 9));
    EXPECT_NEAR(p.xAxis.x, -1.0, 1e-12);
    EXPECT_NEAR(p.zAxis.z, -1.0, 1e-12);
    EXPECT_NEAR(p.yAxis.y, -1.0, 1e-12);  // (-1,0,0) x (0,0,-1)

    eval("(defun convert_rp_dp (p u) (list (+ (car p) 100) (cadr p) (caddr p)))");
    eval("(defun convert_ra_da (a u) (if (= u 1) 0 \"bad\"))");
    ASSERT_TRUE(placed.read(2));
    p = diffuserPlacement(placed, true);
    EXPECT_EQ(p.position, AcGePoint3d(101, 2, 3));
    EXPECT_NEAR(p.angle, 0.0, 1e-12);  // an integer answer replaces the angle
    EXPECT_NEAR(p.xAxis.x, 1.0, 1e-12);
    EXPECT_NEAR(p.yAxis.y, -1.0, 1e-12);  // (1,0,0) x (0,0,1)
    p = diffuserPlacement(placed, false);
    EXPECT_NEAR(p.angle, 1.5707963, 1e-12);
    EXPECT_NEAR(p.xAxis.y, 1.0, 1e-7);
}

TEST_F(DiffuserBlocks, TheProjectHoldsItsDiffuserRecordsUntilItDisconnects) {
    ProjectDatabaseData project(projectDir);
    EXPECT_EQ(project.diffuserPlacementRecord(), nullptr);
    ASSERT_TRUE(project.makeReady(false));
    DiffuserRecord* placed = project.diffuserPlacementRecord();
    ASSERT_NE(placed, nullptr);
    ASSERT_NE(project.diffuserScheduleRecord(), nullptr);
    ASSERT_NE(project.diffuserBlockRecord(), nullptr);
    exec("insert into tblDiffL (ixDiffL, X) values (4, 2.5)");
    ASSERT_TRUE(placed->read(4));
    EXPECT_EQ(placed->real(L"X"), 2.5);
    ASSERT_TRUE(project.makeReady(false));
    EXPECT_EQ(project.diffuserPlacementRecord(), placed);
    project.disconnect();
    EXPECT_EQ(project.diffuserPlacementRecord(), nullptr);
    EXPECT_EQ(project.diffuserScheduleRecord(), nullptr);
    EXPECT_EQ(project.diffuserBlockRecord(), nullptr);
}

TEST_F(DiffuserBlocks, APrivateDatabaseThatIsReadOnlyOrNoDatabaseOpensNothing) {
    std::string path = findProjectDatabaseFile(projectDir, "zk_hvac");
    std::string copy = root + "/locked.zk";
    std::filesystem::copy_file(path, copy);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_FALSE(openPrivateDatabase(copy));
    EXPECT_NE(output.find("Database is read-only. Cannot be viewed at this time."), std::string::npos) << output;
    output.clear();
    EXPECT_FALSE(openPrivateDatabase(root + "/none.zk"));
    EXPECT_NE(output.find("\nDatabase Error: "), std::string::npos);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
    IProjectDatabasePtr other = openPrivateDatabase(copy);
    ASSERT_TRUE(other);
    other.Close();
}

TEST_F(DiffuserBlocks, ARefusedWriteOnOkLeavesBlocksAndSchedulesAsTheyWere) {
    addBlock(5, 1, "Five", 5, 0);
    addBlock(7, 2, "Seven", 7, 1);
    exec("insert into tblDiffS (ixDiffS, ixDwgDiff, CALLOUT) values (1, 5, 'S-1')");
    eval("(setq replacements '((5 . 7)))");
    // The last write of OK, the row of block 7, is refused.
    exec("create trigger refuse before update of iSortOrder on tblDwgDiff begin select raise(abort, 'refused'); end");
    const std::string before = stored();
    CDialogDwgDiff dialog(db);
    queue(DialogAction::Kind::kSelect, "", 1, 2);
    queue(DialogAction::Kind::kPress, "&Delete");  // 5 by 7: schedule 1 moves, block 5 goes
    queue(DialogAction::Kind::kPress, "&OK");
    EXPECT_THROW(dialog.DoModal(), _com_error);
    _bstr_t text;
    EXPECT_NE(db.GetLastError(text), 0);  // still pending for the report
    EXPECT_NE(text.utf8().find("refused"), std::string::npos) << text.utf8();
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(scheduleBlock(1), 5);
    // The connection writes on afterwards.
    exec("update tblDwgDiff set sDescription = 'Five again' where ixDwgDiff = 5");
}
