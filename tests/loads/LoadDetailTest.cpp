// The load detail dialog on a real project: rows and levels, the proration,
// system lines, formats, a negative latent, time row refreshes, the edit
// rule, empty month lists, results and the dialog's resource.
#include <gtest/gtest.h>


#include "lisp/AdsHost.h"
#include "loads/LoadDetailDialog.h"
#include "loads/LoadResultRecords.h"
#include "ui/DialogActions.h"
#include "ui/MessageBox.h"
#include "tests/support/OpenProjectTest.h"

using namespace hvac;

namespace {

class LoadDetail : public OpenProjectTest {
protected:
    void SetUp() override {
        OpenProjectTest::SetUp();
        if (HasFatalFailure()) return;
        exec(L"insert into tblLoadRoomHeating (ixRoomL, dRoof, dWall, dDoor, dGlass, dEquipment, dRoomTotal, "
             L"dSystemTotal, iHeatingCFM, iOSACFM) values (5, 20000, 10000, 4130, 0, 0, 34130, 0, 800, 200)");
        exec(L"insert into tblLoadRoomHeating (ixZone, dRoomTotal, dSystemTotal, dSystem62Total, dVentilation62, "
             L"dPlenumTotal) values (3, 30000, 40000, 41000, 5000, 1000)");
        exec(L"insert into tblLoadRoomCooling (ixRoomL, iMonth, iHour, dRoomTotalSensible, dRoomTotalLatent, "
             L"dRoomTotal, dPeopleSensible, dPeopleLatent, iCoolingCFM, iOSACFM) "
             L"values (5, 6, 14, 30000, 6000, 36000, 1000, -50, 1000, 150)");
        exec(L"insert into tblLoadRoomCooling (ixRoomL, iMonth, iHour, dRoomTotalSensible, dRoomTotalLatent, "
             L"dRoomTotal, iCoolingCFM, iOSACFM) values (5, 6, 13, 24000, 6000, 30000, 900, 100)");
        cooling = std::make_unique<CoolingLoadRecord>(db);
        heating = std::make_unique<HeatingLoadRecord>(db);
        uiClearDialogActions();
        adsSetOutputSink([this](std::string_view text) { output.append(text); });
    }
    void TearDown() override {
        adsSetOutputSink({});
        uiClearDialogActions();
        cooling.reset();
        heating.reset();
        OpenProjectTest::TearDown();
    }
    void exec(const wchar_t* sql) { ASSERT_TRUE(db.Execute(sql)) << "failed: " << _bstr_t(sql).utf8(); }

    static LoadDetailArgs roomArgs() {
        LoadDetailArgs a;
        a.title = "Room 5";
        a.subject = -5;
        a.area = 1200;
        a.people = 10;
        a.summaryMonth = 6;
        a.summaryHour = 14;
        a.currentSupplyCfm = 900;
        a.requiredSupplyCfm = 1000;
        a.supplyTemperature = 55;
        a.heatingDifference = 70;
        a.shareNumerator = 300;
        a.shareDenominator = 1200;
        a.loadMonth = 6;
        a.loadHour = 14;
        return a;
    }
    std::unique_ptr<CLoadDetail> open(LoadDetailArgs args, std::vector<std::string> months = {"June", "July", "August"}) {
        auto dialog = std::make_unique<CLoadDetail>(std::move(args), cooling.get(), heating.get(), std::move(months));
        result = dialog->DoModal();
        return dialog;
    }
    // The first row labelled label at or after from; -1 when none.
    static int rowOf(const GridModel& m, const std::string& label, int from = 0) {
        for (int r = from; r < m.rowCount(); ++r)
            if (m.text(r, 0) == label) return r;
        return -1;
    }
    static std::string value(const GridModel& m, const std::string& label, int column = 1, int from = 0) {
        int row = rowOf(m, label, from);
        return row < 0 ? "<no row>" : m.text(row, column);
    }

    std::string output;
    std::unique_ptr<CoolingLoadRecord> cooling;
    std::unique_ptr<HeatingLoadRecord> heating;
    int result = 0;
};

} // namespace

TEST_F(LoadDetail, RoomRowsInOrderWithLevelsProrationAndFormats) {
    auto dialog = open(roomArgs());
    const GridModel& m = dialog->grid().model();
    EXPECT_EQ(value(m, "Required Supply CFM"), "250");  // 1000 / 1200 x 300
    EXPECT_EQ(m.level(0), 0);
    EXPECT_EQ(m.cell(0, 0).mergeSpan, 8);
    EXPECT_EQ(m.level(rowOf(m, "Supply Air Requirements")), 1);
    EXPECT_EQ(m.level(rowOf(m, "Cooling")), 2);
    EXPECT_EQ(m.level(rowOf(m, "Supply Temperature")), 3);

    int heatingLoad = rowOf(m, "Heating Load");
    EXPECT_EQ(rowOf(m, "System Total", heatingLoad), -1);  // a room without argument 3
    int roomTotal = rowOf(m, "Room Total", heatingLoad);
    EXPECT_EQ(m.text(roomTotal, 1), "34100");
    EXPECT_EQ(m.text(roomTotal + 1, 1), "10 kW");
    EXPECT_EQ(m.text(roomTotal, 2), "100%");
    EXPECT_EQ(value(m, "Wall", 1, heatingLoad), "14100");  // wall and door
    EXPECT_EQ(rowOf(m, "Equipment", heatingLoad), rowOf(m, "Equipment", rowOf(m, "Cooling Load")));  // 0: none

    int coolingLoad = rowOf(m, "Cooling Load");
    int coolingTotal = rowOf(m, "Room Total", coolingLoad);
    EXPECT_EQ(m.text(coolingTotal, 1), "36000");
    EXPECT_EQ(m.text(coolingTotal + 1, 1), "3 Tons");
    EXPECT_EQ(m.text(coolingTotal + 1, 3), "2.5 Tons");
    EXPECT_EQ(value(m, "People", 1, coolingLoad), "1000");  // latent -50 leaves the sensible alone
    EXPECT_TRUE(m.cell(coolingTotal, 0).bold);
    EXPECT_EQ(m.cell(coolingLoad, 4).backColor, GetSysColor(COLOR_APPWORKSPACE));
    EXPECT_EQ(m.cell(coolingTotal, 0).backColor, CLR_DEFAULT);
}

TEST_F(LoadDetail, ZonesShowSystemLinesAndRoomsOnlyWhenAsked) {
    LoadDetailArgs zone = roomArgs();
    zone.subject = 3;
    zone.ventilationRule = "YES";
    auto dialog = open(zone);
    const GridModel& m = dialog->grid().model();
    int heatingLoad = rowOf(m, "Heating Load");
    int system = rowOf(m, "System Total", heatingLoad);
    ASSERT_EQ(system, heatingLoad + 1);
    EXPECT_EQ(m.text(system, 1), "41000");  // the ASHRAE 62 total
    EXPECT_EQ(m.text(system + 1, 1), "12.01 kW");
    EXPECT_EQ(value(m, "Ventilation", 1, heatingLoad), "5000");
    EXPECT_EQ(value(m, "Plenum", 1, heatingLoad), "1000");
    EXPECT_EQ(value(m, "Room Total", 2, heatingLoad), "73%");  // of the system total
    EXPECT_EQ(value(m, "Required Supply CFM"), "1000");      // no proration for a zone

    LoadDetailArgs room = roomArgs();
    room.showSystemTotals = true;
    auto asked = open(room);
    const GridModel& r = asked->grid().model();
    EXPECT_NE(rowOf(r, "System Total", rowOf(r, "Heating Load")), -1);
    EXPECT_NE(rowOf(r, "System Total", rowOf(r, "Cooling Load")), -1);
    // The system total is 0: percentages of it show a dash.
    EXPECT_EQ(value(r, "Room Total", 2, rowOf(r, "Heating Load")), "-");
}

TEST_F(LoadDetail, AnHourChangeRefreshesOnlyItsSection) {
    uiQueueDialogAction([] {
        DialogAction set;
        set.kind = DialogAction::Kind::kSet;
        set.rows = {{std::vector<std::string>{"Cooling Load", "Time"}}};
        set.column = 2;
        set.text = "2 pm";
        return set;
    }());
    auto dialog = open(roomArgs());
    const GridModel& m = dialog->grid().model();
    int coolingLoad = rowOf(m, "Cooling Load");
    EXPECT_EQ(m.text(coolingLoad + 1, 2), "2 pm");
    EXPECT_EQ(value(m, "Room Total", 1, coolingLoad), "30000");
    EXPECT_EQ(m.text(rowOf(m, "Room Total", coolingLoad) + 1, 1), "2.5 Tons");
    EXPECT_EQ(value(m, "People", 1, coolingLoad), "0");  // the 2 pm row has no people
    // The summary still shows 3 pm.
    EXPECT_EQ(value(m, "Time", 2), "3 pm");
    EXPECT_EQ(value(m, "Load (btuh)"), "36000");
    EXPECT_EQ(value(m, "OSA CFM", 2), "15%");

    // The summary's own time row refreshes the summary.
    DialogAction set;
    set.kind = DialogAction::Kind::kSet;
    set.rows = {{std::vector<std::string>{"Cooling", "Time"}}};
    set.column = 2;
    set.text = "2 pm";
    uiQueueDialogAction(set);
    set.text = "5 pm";
    uiQueueDialogAction(set);
    auto again = open(roomArgs());
    const GridModel& a = again->grid().model();
    EXPECT_EQ(value(a, "Load (btuh)"), "");  // no row at 5 pm: emptied
    EXPECT_EQ(value(a, "OSA CFM", 2), "");
    EXPECT_EQ(value(a, "Room Total", 1, rowOf(a, "Cooling Load")), "36000");
}

TEST_F(LoadDetail, OnlyTheTimeCellsOutsidePsychrometricsAreEditable) {
    LoadDetailArgs args = roomArgs();
    args.hasPsychrometrics = true;
    args.psychrometrics = {"Time", "850", "78.0 (DB F)", "", "0.0093", "1", "2", "3"};
    auto dialog = open(args);
    GridControl& grid = dialog->grid();
    const GridModel& m = grid.model();
    int psychro = rowOf(m, "Psychrometrics");
    EXPECT_EQ(m.row(psychro).height, 2 * m.defaultRowHeight());
    EXPECT_TRUE(m.cell(psychro, 3).centred);
    EXPECT_EQ(m.text(psychro + 1, 2), "78.0\xC2\xB0 F");
    EXPECT_EQ(m.text(psychro + 1, 3), "");
    EXPECT_NE(grid.editCell(psychro + 1, 1, "x"), "");
    int time = rowOf(m, "Time");
    EXPECT_NE(grid.editCell(time, 3, "x"), "");
    EXPECT_NE(grid.editCell(time, 1, "December"), "");  // not a calculated month
    EXPECT_EQ(grid.editCell(time, 1, "August"), "");
}

TEST_F(LoadDetail, WithoutCalculatedMonthsTheMonthCellsOfferNothing) {
    auto dialog = open(roomArgs(), {});
    const GridModel& m = dialog->grid().model();
    int time = rowOf(m, "Time");
    EXPECT_EQ(m.text(time, 1), "July");
    EXPECT_TRUE(m.cell(time, 1).entries.empty());
    EXPECT_EQ(m.cell(time, 2).entries.size(), 24u);
    EXPECT_EQ(m.cell(time, 2).entries[11].text, "noon");
    EXPECT_EQ(m.cell(time, 2).entries[23].text, "midnight");
}

TEST_F(LoadDetail, WithoutRowsTheNotFoundValuesShow) {
    LoadDetailArgs args = roomArgs();
    args.subject = -99;
    auto dialog = open(args);
    const GridModel& m = dialog->grid().model();
    EXPECT_NE(rowOf(m, "Load"), -1);
    EXPECT_EQ(value(m, "Load (btuh)"), "");
    int heatingLoad = rowOf(m, "Heating Load");
    EXPECT_EQ(value(m, "Room Total", 1, heatingLoad), "0");
    EXPECT_EQ(m.text(rowOf(m, "Room Total", heatingLoad) + 1, 1), "0 kW");
    int coolingLoad = rowOf(m, "Cooling Load");
    EXPECT_EQ(m.text(rowOf(m, "Room Total", coolingLoad) + 1, 1), "0 Tons");
    EXPECT_EQ(value(m, "Infiltration", 1, coolingLoad), "0");
}

TEST_F(LoadDetail, ButtonsGiveTheirResultsAndTheResourceIsRecorded) {
    DialogAction press;
    press.kind = DialogAction::Kind::kPress;
    press.text = "&Calculate This Load";
    uiQueueDialogAction(press);
    auto dialog = open(roomArgs());
    EXPECT_EQ(result, kLoadDetailCalculateResult);
    press.text = "OK";
    uiQueueDialogAction(press);
    open(roomArgs());
    EXPECT_EQ(result, IDOK);
    open(roomArgs());
    EXPECT_EQ(result, IDCANCEL);

    EXPECT_EQ(dialog->title(), "Load Detail");
    EXPECT_EQ(dialog->dialogName(), "zk_hvac:LoadDetail");
    EXPECT_EQ(dialog->control(IDC_LOADDETAIL_PRINT)->caption, "&Print. . .");
    ASSERT_EQ(dialog->anchors().size(), 4u);
    for (const CAcUiDialog::Anchor& a : dialog->anchors()) {
        int move = a.moveX * 1000 + a.moveY, grow = a.growX * 1000 + a.growY;
        if (a.id == IDC_LOADDETAIL_GRID) {
            EXPECT_EQ(grow, 100100);
        } else if (a.id == IDOK) {
            EXPECT_EQ(move, 50100);
        } else if (a.id == IDC_LOADDETAIL_CALCULATE) {
            EXPECT_EQ(move, 100);
        } else {
            EXPECT_EQ(a.id, IDC_LOADDETAIL_PRINT);
            EXPECT_EQ(move, 100100);
        }
    }
}
