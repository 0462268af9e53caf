// The project explorer on a real project: the lists it asks the product for
// (the SQL texts recorded by a stand-in of the product's query function),
// the rows of both sort orders, "None in database" and "None on drawing",
// loading a row once, finding a duct and a diffuser in both sort orders, the
// buttons' results and the per-user sort order; answers that are not lists.
#include "tests/integration/HostFixture.h"

#include <cstdlib>

#include "com/bstr.h"
#include "integration/DrawingHelpers.h"
#include "lisp/AdsConvert.h"
#include "lisp/LispReader.h"
#include "project/ExplorerQueries.h"
#include "project/ProjectDbFile.h"
#include "project/ProjectExplorerDialog.h"
#include "ui/DialogActions.h"
#include "ui/MessageBox.h"

namespace {

using hvac::CDialogProjectExplorerHVAC;
using Path = std::vector<std::string>;

class Explorer : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        const char* config = std::getenv("XDG_CONFIG_HOME");
        savedConfig = config ? std::optional<std::string>(config) : std::nullopt;
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        ASSERT_TRUE(SUCCEEDED(db.CreateInstance()));
        ASSERT_GT(db.OpenProject(findProjectDatabaseFile(projectDir, "zk_hvac").c_str()).length(), 0u);
        uiClearDialogActions();
        // The product's query: the values of field1 in row order, each once.
        interp.defineBuiltin("hvac-projectExplorer_sqlQuery", [this](lisp::Args a) -> lisp::Ref {
            sent.push_back(a[0]->str + " | " + a[1]->str + " | " + a[2]->str);
            if (canned) return cannedAnswer;
            return lisp::Interpreter::list(column("SELECT v FROM (SELECT " + a[1]->str +
                                                  " AS v, ROW_NUMBER() OVER () AS n FROM (" + a[0]->str +
                                                  ")) WHERE v IS NOT NULL GROUP BY v ORDER BY MIN(n)"));
        }, 3, 3);
    }
    void TearDown() override {
        uiClearDialogActions();
        db.Close();
        db.Release();
        if (savedConfig) setenv("XDG_CONFIG_HOME", savedConfig->c_str(), 1);
        else unsetenv("XDG_CONFIG_HOME");
        HostFixture::TearDown();
    }

    std::vector<lisp::Ref> column(const std::string& sql) {
        std::vector<lisp::Ref> out;
        _variant_t values;
        if (!db.SelectColumn(sql.c_str(), values) || !(values.vt & VT_ARRAY)) return out;
        LONG low = 0, high = -1;
        SafeArrayGetLBound(values.parray, 1, &low);
        SafeArrayGetUBound(values.parray, 1, &high);
        for (LONG i = low; i <= high; ++i) {
            VARIANT v;
            VariantInit(&v);
            SafeArrayGetElement(values.parray, &i, &v);
            if (v.vt == VT_BSTR) out.push_back(lisp::Interpreter::string(_bstr_t(v.bstrVal).utf8()));
            else if (v.vt == VT_I4) out.push_back(lisp::Interpreter::integer(v.lVal));
            else if (v.vt == VT_R8) out.push_back(lisp::Interpreter::integer(int32_t(v.dblVal)));
            VariantClear(&v);
        }
        return out;
    }
    void exec(const std::string& sql) { ASSERT_TRUE(db.Execute(sql.c_str())) << sql; }
    void addGroup(int key, const std::string& name) {
        exec("INSERT INTO tblDiffSGroup (ixDiffSGroup, sName) VALUES (" + std::to_string(key) + ", '" + name + "')");
    }
    void addSchedule(int key, int group, const std::string& callout) {
        exec("INSERT INTO tblDiffS (ixDiffS, ixDiffSGroup, CALLOUT) VALUES (" + std::to_string(key) + ", " +
             std::to_string(group) + ", '" + callout + "')");
    }
    void placeDiffuser(int key, int schedule, const std::string& drawing, int deleted = 0) {
        exec("INSERT INTO tblDiffL (ixDiffL, ixDiffS, DRAWING, bDeleted) VALUES (" + std::to_string(key) + ", " +
             std::to_string(schedule) + ", '" + drawing + "', " + std::to_string(deleted) + ")");
    }
    void addDuct(int key, const std::string& airflow, const std::string& drawing, int deleted = 0) {
        exec("INSERT INTO tblDuct (ixDuct, AIRFLOW, DRAWING, bDeleted) VALUES (" + std::to_string(key) + ", '" +
             airflow + "', '" + drawing + "', " + std::to_string(deleted) + ")");
    }
    // Two groups (the second without schedules), diffusers of S-1 on two
    // drawings and of S-2 on one, ducts of two airflows on two drawings.
    void smallProject() {
        addGroup(1, "Supply diffusers");
        addGroup(2, "Return grilles");
        addSchedule(10, 1, "S-1");
        addSchedule(11, 1, "S-2");
        placeDiffuser(100, 10, "A.dwg");
        placeDiffuser(101, 10, "B.dwg");
        placeDiffuser(102, 11, "A.dwg");
        placeDiffuser(103, 10, "A.dwg");
        placeDiffuser(104, 11, "B.dwg", -1);  // deleted
        addDuct(1, "sa", "A.dwg");
        addDuct(2, "ra", "B.dwg");
        addDuct(3, "sa", "B.dwg");
        addDuct(4, "sa", "A.dwg");
    }
    void setSortSetting(const char* value) {
        ASSERT_TRUE(createRegistryKey(hvac::kExplorerSettingsKey));
        ASSERT_TRUE(writeRegistryString(hvac::kExplorerSettingsKey, hvac::kExplorerSortSetting, value));
    }
    static void act(DialogAction::Kind kind, std::vector<DialogRowRef> rows = {}, std::string text = "",
                    std::string item = "") {
        DialogAction a;
        a.kind = kind;
        a.rows = std::move(rows);
        a.text = std::move(text);
        a.item = std::move(item);
        uiQueueDialogAction(a);
    }
    static void expand(Path path) { act(DialogAction::Kind::kExpand, {{std::move(path)}}); }
    static void select(Path path) { act(DialogAction::Kind::kSelect, {{std::move(path)}}); }
    static void press(const std::string& caption) { act(DialogAction::Kind::kPress, {}, caption); }
    static void chooseSort(const std::string& item) { act(DialogAction::Kind::kChoose, {}, "Sort Order:", item); }

    // The tree as printed, without the title, the sort list and the header row.
    static std::string tree(const CDialogProjectExplorerHVAC& dialog) {
        std::string picture = dialog.picture();
        return picture.substr(picture.find("\nID | rowType") + 13);
    }
    // The selected row: "text rowType" and its ancestors' texts up to the header.
    static std::string selected(const CDialogProjectExplorerHVAC& dialog) {
        const GridModel& m = dialog.grid().model();
        int row = m.focusCell().row;
        if (row < 0) return "(none)";
        std::string path = m.text(row, 0) + " " + m.attribute(row, "rowType");
        for (int p = m.parentRow(row); p > 0; p = m.parentRow(p)) path = m.text(p, 0) + " / " + path;
        return path;
    }
    int run(CDialogProjectExplorerHVAC& dialog, int32_t devType = 2, int32_t ixL = 0) {
        dialog.setInterface(db);
        dialog.devType = devType;
        dialog.ixL = ixL;
        dialog.mode = ixL > 0 ? "device" : "callout";
        sent.clear();
        return dialog.DoModal();
    }

    IProjectDatabasePtr db;
    std::vector<std::string> sent;
    bool canned = false;
    lisp::Ref cannedAnswer;
    std::optional<std::string> savedConfig;
};

lisp::Ref read(const char* text) {
    std::istringstream in(text);
    lisp::Reader reader(in);
    lisp::Ref form;
    reader.read(form);
    return form;
}

} // namespace

TEST_F(Explorer, AnEmptyProjectShowsBothHeadersWithNoneInDatabase) {
    CDialogProjectExplorerHVAC dialog;
    EXPECT_EQ(run(dialog), IDOK);  // Escape: through OK
    EXPECT_EQ(tree(dialog), "\n  Diffusers | header\n    None in database\n  Ducts | header\n    None in database");
    EXPECT_EQ(sent, (std::vector<std::string>{"Select * from tblDiffL where bDeleted = 0 | ixDiffL | ixDiffL",
                                              "Select * from tblDuct where bDeleted = 0 | ixDuct | ixDuct"}));
    EXPECT_EQ(dialog.dialogName(), "zk_elec:dwgSwitchCustomization");
    // Columns 1 to 8 hold attributes and are hidden; column 0 is ten times all widths.
    const GridModel& m = dialog.grid().model();
    ASSERT_EQ(m.columnCount(), 10);
    EXPECT_EQ(m.columnWidth(0), 10 * (GridModel::kDefaultColumnWidth * 2));
    for (int c = 1; c <= 8; ++c) EXPECT_EQ(m.columnWidth(c), 0);
    EXPECT_EQ(m.text(0, 9), "rowType");
}

TEST_F(Explorer, CalloutFirstListsSchedulesThenDrawingsAndAirflowThenDrawings) {
    smallProject();
    CDialogProjectExplorerHVAC dialog;
    run(dialog);
    EXPECT_EQ(tree(dialog),
              "\n  Diffusers | header"
              "\n    Supply diffusers | group"
              "\n      S-1 | callout\n        A.dwg | drawing\n        B.dwg | drawing"
              "\n      S-2 | callout\n        A.dwg | drawing"
              "\n    Return grilles | group\n      None on drawing"
              "\n  Ducts | header"
              "\n    Supply | callout\n      A.dwg | drawing\n      B.dwg | drawing"
              "\n    Return | callout\n      B.dwg | drawing"
              "\n    Outside Air | callout\n      None on drawing"
              "\n    Exhaust | callout\n      None on drawing");
    EXPECT_EQ(sent, (std::vector<std::string>{
                        "Select * from tblDiffL where bDeleted = 0 | ixDiffL | ixDiffL",
                        "Select * from tblDiffSGroup | ixDiffSGroup | sName",
                        "Select * from tblDiffS  where ixDiffSGroup = 1 | ixDiffS | CALLOUT",
                        "Select * from tblDiffL where ixDiffS = 10 and bDeleted = 0 | DRAWING | DRAWING",
                        "Select * from tblDiffL where ixDiffS = 11 and bDeleted = 0 | DRAWING | DRAWING",
                        "Select * from tblDiffS  where ixDiffSGroup = 2 | ixDiffS | CALLOUT",
                        "Select * from tblDuct where bDeleted = 0 | ixDuct | ixDuct",
                        "Select * from tblDuct where AIRFLOW= \"sa\" and bDeleted = 0 | DRAWING | DRAWING",
                        "Select * from tblDuct where AIRFLOW= \"ra\" and bDeleted = 0 | DRAWING | DRAWING",
                        "Select * from tblDuct where AIRFLOW= \"oa\" and bDeleted = 0 | DRAWING | DRAWING",
                        "Select * from tblDuct where AIRFLOW= \"ea\" and bDeleted = 0 | DRAWING | DRAWING"}));
}

TEST_F(Explorer, DrawingFirstListsDrawingsThenSchedulesAndDrawingsThenAirflow) {
    smallProject();
    setSortSetting("0");
    CDialogProjectExplorerHVAC dialog;
    run(dialog);
    EXPECT_EQ(dialog.bCalloutFirst, 0);
    EXPECT_EQ(tree(dialog),
              "\n  Diffusers | header"
              "\n    Supply diffusers | group"
              "\n      A.dwg | drawing\n        S-1 | callout\n        S-2 | callout"
              "\n      B.dwg | drawing\n        S-1 | callout"
              "\n    Return grilles | group\n      None on drawing"
              "\n  Ducts | header"
              "\n    A.dwg | drawing\n      Supply | callout"
              "\n    B.dwg | drawing\n      Supply | callout\n      Return | callout");
    std::vector<std::string> expected = {
        "Select * from tblDiffL where bDeleted = 0 | ixDiffL | ixDiffL",
        "Select * from tblDiffSGroup | ixDiffSGroup | sName",
        "Select * from tblDiffL, tblDiffS  where tblDiffL.ixDiffS = tblDiffS.ixDiffS and tblDiffS.ixDiffSGroup = 1 and "
        "tblDiffL.bDeleted = 0 | DRAWING | DRAWING",
        "Select tblDiffL.ixDiffS, tblDiffS.CALLOUT from tblDiffL, tblDiffS  where tblDiffL.ixDiffS = tblDiffS.ixDiffS "
        "and tblDiffS.ixDiffSGroup = 1 and tblDiffL.DRAWING = \"A.dwg\" and tblDiffL.bDeleted = 0 | ixDiffS | CALLOUT",
        "Select tblDiffL.ixDiffS, tblDiffS.CALLOUT from tblDiffL, tblDiffS  where tblDiffL.ixDiffS = tblDiffS.ixDiffS "
        "and tblDiffS.ixDiffSGroup = 1 and tblDiffL.DRAWING = \"B.dwg\" and tblDiffL.bDeleted = 0 | ixDiffS | CALLOUT",
        "Select * from tblDiffL, tblDiffS  where tblDiffL.ixDiffS = tblDiffS.ixDiffS and tblDiffS.ixDiffSGroup = 2 and "
        "tblDiffL.bDeleted = 0 | DRAWING | DRAWING",
        "Select * from tblDuct where bDeleted = 0 | ixDuct | ixDuct",
        "Select * from tblDuct where bDeleted = 0 | DRAWING | DRAWING"};
    for (const char* drawing : {"A.dwg", "B.dwg"})
        for (const char* airflow : {"sa", "ra", "oa", "ea"})
            expected.push_back(std::string("Select AIRFLOW, ixDuct from tblDuct where DRAWING = \"") + drawing +
                               "\" and bDeleted = 0 and AIRFLOW = \"" + airflow + "\" | AIRFLOW | AIRFLOW");
    EXPECT_EQ(sent, expected);
}

TEST_F(Explorer, DeviceListsLoadOnTheirFirstExpansionOnly) {
    smallProject();
    expand({"Diffusers", "Supply diffusers", "S-1", "A.dwg"});
    expand({"Ducts", "Supply", "B.dwg"});
    expand({"Diffusers", "Supply diffusers", "S-1", "A.dwg"});  // collapses, loads nothing
    expand({"Diffusers", "Supply diffusers", "S-1", "A.dwg"});  // shows them again
    CDialogProjectExplorerHVAC dialog;
    run(dialog);
    std::string picture = tree(dialog);
    EXPECT_NE(picture.find("\n        A.dwg | drawing\n          100 | device\n          103 | device\n        B.dwg"),
              std::string::npos)
        << picture;
    EXPECT_NE(picture.find("\n      B.dwg | drawing\n        3 | device\n    Return"), std::string::npos) << picture;
    std::vector<std::string> lists(sent.end() - 2, sent.end());
    EXPECT_EQ(lists, (std::vector<std::string>{
                         "Select * from tblDiffL where ixDiffS = 10 and DRAWING = \"A.dwg\" and bDeleted = 0 | ixDiffL "
                         "| ixDiffL",
                         "Select * from tblDuct where AIRFLOW = \"sa\" and DRAWING = \"B.dwg\" and bDeleted = 0 | "
                         "ixDuct | ixDuct"}));
    EXPECT_EQ(sent.size(), 13u);
}

TEST_F(Explorer, FindClosesOnlyOnDeviceRows) {
    smallProject();
    // Header, group, callout, drawing and "None on drawing": nothing happens.
    select({"Diffusers"});
    press("&Find <");
    select({"Diffusers", "Supply diffusers"});
    press("&Find <");
    select({"Ducts", "Supply"});
    press("&Find <");
    select({"Ducts", "Supply", "A.dwg"});
    press("&Find <");
    select({"Ducts", "Exhaust", "None on drawing"});
    press("&Find <");
    expand({"Ducts", "Supply", "A.dwg"});
    select({"Ducts", "Supply", "A.dwg", "4"});
    press("&Find <");
    CDialogProjectExplorerHVAC dialog;
    EXPECT_EQ(run(dialog), hvac::kExplorerFindDevice);
    EXPECT_EQ(dialog.ixL, 4);
    EXPECT_EQ(dialog.devType, 1);
    EXPECT_EQ(uiPendingDialogActions(), 0u);

    uiClearDialogActions();
    CDialogProjectExplorerHVAC empty;
    exec("DELETE FROM tblDuct");
    exec("DELETE FROM tblDiffL");
    select({"Ducts", "None in database"});
    press("&Find <");
    press("&Query. . .");
    EXPECT_EQ(run(empty), IDOK);  // closed by the Escape after them
}

TEST_F(Explorer, QueryAsksForTheDeviceOrTheScheduleOfACallout) {
    smallProject();
    expand({"Diffusers", "Supply diffusers", "S-2", "A.dwg"});
    select({"Diffusers", "Supply diffusers", "S-2", "A.dwg", "102"});
    press("&Query. . .");
    CDialogProjectExplorerHVAC device;
    EXPECT_EQ(run(device), hvac::kExplorerQueryDevice);
    EXPECT_EQ(device.ixL, 102);
    EXPECT_EQ(device.devType, 2);
    EXPECT_EQ(device.ixSch, 11);
    EXPECT_EQ(device.dwg, "A.dwg");

    select({"Diffusers", "Supply diffusers", "S-2"});
    press("&Query. . .");
    CDialogProjectExplorerHVAC schedule;
    EXPECT_EQ(run(schedule), hvac::kExplorerQuerySchedule);
    EXPECT_EQ(schedule.ixSch, 11);
    EXPECT_EQ(schedule.ixL, 0);

    // Airflow rows are not schedules: Query does nothing there.
    select({"Ducts", "Return"});
    press("&Query. . .");
    press("Exit");
    CDialogProjectExplorerHVAC airflow;
    EXPECT_EQ(run(airflow), IDOK);
}

TEST_F(Explorer, DevicesAreFoundInBothSortOrders) {
    smallProject();
    for (const char* order : {"1", "0"}) {
        setSortSetting(order);
        CDialogProjectExplorerHVAC diffuser;
        run(diffuser, 2, 101);
        CDialogProjectExplorerHVAC duct;
        run(duct, 1, 3);
        if (order[0] == '1') {
            EXPECT_EQ(selected(diffuser), "Diffusers / Supply diffusers / S-1 / B.dwg / 101 device");
            EXPECT_EQ(selected(duct), "Ducts / Supply / B.dwg / 3 device");
        } else {
            EXPECT_EQ(selected(diffuser), "Diffusers / Supply diffusers / B.dwg / S-1 / 101 device");
            EXPECT_EQ(selected(duct), "Ducts / B.dwg / Supply / 3 device");
        }
        // Only the found device's list is loaded.
        EXPECT_EQ(tree(diffuser).find("100 | device"), std::string::npos);
        EXPECT_EQ(tree(duct).find("1 | device"), std::string::npos);
    }
    // No device: the first callout of the device type; a missing device: nothing.
    setSortSetting("1");
    CDialogProjectExplorerHVAC first;
    run(first, 1, 0);
    EXPECT_EQ(selected(first), "Ducts / Supply callout");
    CDialogProjectExplorerHVAC missing;
    run(missing, 2, 999);
    EXPECT_EQ(selected(missing), "(none)");
}

TEST_F(Explorer, ChangingTheSortOrderKeepsTheRowAndTheSameOrderDoesNothing) {
    smallProject();
    select({"Diffusers", "Supply diffusers", "S-1", "B.dwg"});
    chooseSort("Sort by callout, then drawing");  // the current order
    CDialogProjectExplorerHVAC same;
    run(same);
    EXPECT_EQ(sent.size(), 11u);  // the first build only
    EXPECT_EQ(selected(same), "Diffusers / Supply diffusers / S-1 / B.dwg drawing");

    setSortSetting("1");
    expand({"Ducts", "Return", "B.dwg"});
    select({"Ducts", "Return", "B.dwg", "2"});
    chooseSort("Sort by drawing, then callout");
    press("Exit");
    CDialogProjectExplorerHVAC device;
    run(device);
    EXPECT_EQ(selected(device), "Ducts / B.dwg / Return / 2 device");
    EXPECT_EQ(device.bCalloutFirst, 0);
    // Exit stored the new order for the next opening.
    EXPECT_EQ(readRegistryString(hvac::kExplorerSettingsKey, hvac::kExplorerSortSetting), "0");
    EXPECT_NE(device.picture().find("\nSort Order: Sort by drawing, then callout\n"), std::string::npos);

    select({"Diffusers", "Supply diffusers", "A.dwg", "S-2"});
    chooseSort("Sort by callout, then drawing");
    CDialogProjectExplorerHVAC callout;
    run(callout);
    EXPECT_EQ(selected(callout), "Diffusers / Supply diffusers / S-2 callout");
}

TEST_F(Explorer, AnswersThatAreNotListsGiveNoRows) {
    smallProject();
    canned = true;
    for (const char* answer : {"\"A.dwg\"", "42", "nil", "T"}) {
        cannedAnswer = read(answer);
        CDialogProjectExplorerHVAC dialog;
        run(dialog);
        EXPECT_EQ(tree(dialog), "\n  Diffusers | header\n    None in database\n  Ducts | header\n    None in database")
            << answer;
    }
    // A product function that fails gives no rows either.
    interp.evalString("(defun hvac-projectExplorer_sqlQuery (sql f1 f2) (/ 1 0))");
    CDialogProjectExplorerHVAC failing;
    run(failing);
    EXPECT_EQ(tree(failing), "\n  Diffusers | header\n    None in database\n  Ducts | header\n    None in database");
}

TEST(ExplorerQueryValues, StringsIntegersAndPointCoordinatesEachGiveOneValue) {
    auto values = [](const char* text) {
        resbuf* nodes = lisp::valueToResbufs(read(text));
        std::vector<std::string> out = hvac::explorerQueryValues(nodes);
        acutRelRb(nodes);
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(values("(\"A.dwg\" 7 100000)"), (V{"A.dwg", "7", "100000"}));
    // Two or three numbers come over as a point.
    EXPECT_EQ(values("(3 4)"), (V{"3", "4"}));
    EXPECT_EQ(values("(3 4 5)"), (V{"3", "4", "5"}));
    // Nested lists, reals, nil and T are not values.
    EXPECT_EQ(values("(\"a\" (\"b\" \"c\") 2.5 nil T \"d\")"), (V{"a", "d"}));
    EXPECT_TRUE(values("\"text\"").empty());
    EXPECT_TRUE(values("nil").empty());
}
