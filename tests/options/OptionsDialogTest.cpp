// The options dialog on a real project: the initial key, loading with the
// code translations, the dependent rows and the edit rule, what OK stores
// (yes/no texts, codes, whole circle approximations, the lined formats,
// turning vanes) and that Cancel stores nothing; the block browse.
#include <gtest/gtest.h>

#include <fstream>

#include "editor/EditorInput.h"
#include "lisp/AdsHost.h"
#include "options/OptionsDialog.h"
#include "ui/DialogActions.h"
#include "ui/MessageBox.h"
#include "ui/SysColors.h"
#include "tests/support/OpenProjectTest.h"

using namespace hvac;

namespace {

class Options : public OpenProjectTest {
protected:
    void SetUp() override {
        OpenProjectTest::SetUp();
        if (HasFatalFailure()) return;
        uiClearDialogActions();
        acedClearInput();
        adsSetOutputSink([this](std::string_view text) { output.append(text); });
    }
    void TearDown() override {
        adsSetOutputSink({});
        uiClearDialogActions();
        acedClearInput();
        OpenProjectTest::TearDown();
    }
    void exec(const std::string& sql) { ASSERT_TRUE(db.Execute(sql.c_str())) << sql; }
    void setText(const std::string& key, const std::string& text) {
        exec("delete from tblGlobal where sKey = '" + key + "'");
        exec("insert into tblGlobal (sKey, bNumeric, sText) values ('" + key + "', 0, '" + text + "')");
    }
    // "text|number|numeric" of a stored setting, "missing" when there is none.
    std::string stored(const std::string& key) {
        DbRecord r(db, L"tblGlobal", L"ixGlobal");
        if (!r.read(L"sKey", _variant_t(key.c_str()))) return "missing";
        std::string text = r.text(L"sText") ? _bstr_t(r.text(L"sText")->c_str()).utf8() : "null";
        std::string number = r.number(L"dNumber") ? std::to_string(*r.number(L"dNumber")) : "null";
        return text + "|" + number + "|" + (r.boolean(L"bNumeric").value_or(false) ? "N" : "T");
    }
    static void set(const std::string& label, const std::string& text) {
        DialogAction a;
        a.kind = DialogAction::Kind::kSet;
        a.rows.emplace_back();
        a.rows.back().ref = label;
        a.column = 1;
        a.text = text;
        uiQueueDialogAction(a);
    }
    static void press(const std::string& caption) {
        DialogAction a;
        a.kind = DialogAction::Kind::kPress;
        a.text = caption;
        uiQueueDialogAction(a);
    }
    std::unique_ptr<COptions> open(const std::string& key = "", bool edit = false) {
        auto dialog = std::make_unique<COptions>(dir + "/", db);
        dialog->setInitialKey(key);
        dialog->setStartEditing(edit);
        result = dialog->DoModal();
        return dialog;
    }
    static std::string value(COptions& d, const std::string& key) {
        int row = d.rowOfKey(key);
        return row < 0 ? "<no row>" : d.grid().model().text(row, 1);
    }
    static bool grey(COptions& d, const std::string& key) {
        return d.grid().model().cell(d.rowOfKey(key), 1).textColor == GetSysColor(COLOR_GRAYTEXT);
    }

    std::string output;
    int result = 0;
};

} // namespace

TEST_F(Options, TheInitialKeyIsFocusedAndEditedWhenAsked) {
    auto d = open("bldg-ASHRAE62", true);
    int row = d->rowOfKey("bldg-ASHRAE62");
    EXPECT_EQ(d->grid().model().text(row, 0), "Ventilation calculation method");
    EXPECT_EQ(d->grid().model().focusCell(), (GridCellRef{row, 1}));
    EXPECT_EQ(d->editingCell(), (GridCellRef{row, 1}));
    EXPECT_EQ(d->currentKey(), "bldg-ASHRAE62");
    d = open("bldg-ASHRAE62", false);
    EXPECT_FALSE(d->editingCell().valid());
    // A heading title counts as a key.
    d = open("Fittings");
    EXPECT_EQ(d->grid().model().focusCell().row, d->rowOfKey("Fittings"));
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(Options, RowsCarryTheirKindsAndHiddenFlags) {
    auto d = open();
    const GridModel& m = d->grid().model();
    EXPECT_EQ(m.text(0, 2), "Database Key");
    EXPECT_TRUE(m.columnHidden(2) && m.columnHidden(3) && m.columnHidden(4));
    int vanes = d->rowOfKey("TURNING VANES");
    EXPECT_EQ(m.text(vanes, 3), "-1");
    EXPECT_EQ(m.text(vanes, 4), "-1");
    int heading = d->rowOfKey("Diffuser Connections");
    EXPECT_EQ(m.level(heading), 1);
    EXPECT_TRUE(m.cell(heading, 0).bold);
    EXPECT_EQ(m.cell(heading, 0).mergeSpan, 2);
    int supply = d->rowOfKey("Supply");
    EXPECT_EQ(m.level(supply), 2);
    EXPECT_EQ(m.level(d->rowOfKey("DCONN-CLGTYPE-SUPPLY")), 3);
    EXPECT_EQ(m.text(d->rowOfKey("DCONN-DAMPER-OUTSIDE"), 0), "Insert balancing dampers");
    EXPECT_EQ(m.text(d->rowOfKey("bldg-calculateMonth11"), 0), "Calculate cooling in December");
    EXPECT_EQ(m.cell(d->rowOfKey("LEADER ARROW"), 1).kind, GridCellKind::kCombo);
    EXPECT_EQ(m.cell(d->rowOfKey("LEADER ARROW"), 1).entries.size(), 21u);
    EXPECT_EQ(m.cell(d->rowOfKey("DIFFCALLOUT"), 1).entries.size(), 16u);
    EXPECT_EQ(d->dialogName(), "zk_hvac:Options");
    EXPECT_EQ(d->title(), "Orvane HVAC Options");
}

TEST_F(Options, StoredCodesShowTheirEntries) {
    setText("DIFFCALLOUT", "12");
    setText("REVERSEARROWS", "");
    setText("TOP CON", "SOMETHING");
    setText("DIFFCALLOUT_LOC", "MANUAL");
    setText("LINED ROUND DUCT LABEL FORMAT", "");
    setText("LINED OVAL DUCT LABEL FORMAT", "%W\"x%D\" lined");
    setText("SHOW4THROW", "yes");
    exec("delete from tblGlobal where sKey = 'CFM LABEL FORMAT'");
    exec("delete from tblGlobal where sKey = 'LINED RECTANGULAR DUCT LABEL FORMAT'");
    auto d = open();
    EXPECT_EQ(value(*d, "DIFFCALLOUT"), "Single line (callout-CFM)");
    EXPECT_EQ(value(*d, "REVERSEARROWS"), "Flow direction");
    EXPECT_EQ(value(*d, "TOP CON"), "Elbow");
    EXPECT_EQ(value(*d, "DIFFCALLOUT_LOC"), "Manual");
    EXPECT_EQ(value(*d, "LINED RECTANGULAR DUCT LABEL FORMAT"), "Same as non-lined duct label format");
    EXPECT_EQ(value(*d, "LINED ROUND DUCT LABEL FORMAT"), "Same as non-lined duct label format");
    EXPECT_EQ(value(*d, "LINED OVAL DUCT LABEL FORMAT"), "%W\"x%D\" lined");
    EXPECT_EQ(value(*d, "SHOW4THROW"), "No");  // only "YES" is yes
    EXPECT_EQ(value(*d, "CFM LABEL FORMAT"), "");
}

TEST_F(Options, OkStoresYesNoCodesAndWholeCircleApproximations) {
    exec("delete from tblGlobal where sKey = 'SHOW BK'");
    set("Show background below ductwork", "Yes");
    set("3D circle approximation", "5");
    set("Ventilation calculation method", "ASHRAE 62.1-2007");
    set("Lined round duct label format", "Same as non-lined duct label format");
    set("Custom diffuser callout format (return)", "typed %CFM");
    set("Default flex length (in)", "forty");
    press("&OK");
    auto d = open();
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(stored("SHOW BK"), "YES|null|T");
    EXPECT_EQ(stored("3DApproximation").substr(0, 11), "8|8.000000|");
    EXPECT_EQ(stored("bldg-ASHRAE62"), "ASHRAE2007|null|T");
    EXPECT_EQ(stored("LINED ROUND DUCT LABEL FORMAT"), "|null|T");
    EXPECT_EQ(stored("DCONN-FLEXLENGTH").substr(0, 10), "0|0.000000");
    // Heading titles are not stored.
    EXPECT_EQ(stored("Ductwork"), "missing");
    // The callout format rows are greyed, so the typed return format was refused.
    EXPECT_NE(output.find("refused"), std::string::npos);

    set("3D circle approximation", "12.7");
    press("&OK");
    open();
    EXPECT_EQ(stored("3DApproximation").substr(0, 13), "12|12.000000|");
}

TEST_F(Options, TheCalloutStyleEnablesItsFormatRows) {
    set("Diffuser callout", "Custom single line");
    press("&Cancel");
    auto d = open();
    EXPECT_FALSE(grey(*d, "DIFFUSER CALLOUT FORMAT"));
    EXPECT_FALSE(grey(*d, "DIFFUSER CALLOUT FORMAT: EXHAUST"));
    EXPECT_TRUE(grey(*d, "DIFFUSER CALLOUT LINE 1"));
    EXPECT_TRUE(grey(*d, "DIFFUSER CALLOUT LINE 2"));
    GridControl& g = d->grid();
    EXPECT_NE(g.editCell(d->rowOfKey("DIFFUSER CALLOUT LINE 1"), 1, "x"), "");
    EXPECT_EQ(g.editCell(d->rowOfKey("DIFFUSER CALLOUT FORMAT"), 1, "%CALLOUT"), "");
    EXPECT_EQ(g.editCell(d->rowOfKey("DIFFCALLOUT"), 1, "Custom two line"), "");
    EXPECT_TRUE(grey(*d, "DIFFUSER CALLOUT FORMAT"));
    EXPECT_FALSE(grey(*d, "DIFFUSER CALLOUT LINE 2"));
    // The label column greys with the value.
    int format = d->rowOfKey("DIFFUSER CALLOUT FORMAT");
    EXPECT_EQ(g.model().cell(format, 0).textColor, GetSysColor(COLOR_GRAYTEXT));
    // The maximum ventilation percentage follows its switch.
    EXPECT_EQ(g.editCell(d->rowOfKey("bldg-setMaxOSAPercent"), 1, "No"), "");
    EXPECT_TRUE(grey(*d, "bldg-maxOSAPercent"));
    EXPECT_EQ(g.editCell(d->rowOfKey("bldg-setMaxOSAPercent"), 1, "Yes"), "");
    EXPECT_FALSE(grey(*d, "bldg-maxOSAPercent"));
    // Labels, hidden columns and headings are never edited.
    EXPECT_NE(g.editCell(d->rowOfKey("SHOW BK"), 0, "x"), "");
    EXPECT_NE(g.editCell(d->rowOfKey("SHOW BK"), 2, "x"), "");
    EXPECT_NE(g.editCell(d->rowOfKey("Fittings"), 1, "x"), "");
}

TEST_F(Options, CancelStoresNothingButAnswersTheSelectedKey) {
    std::string before = stored("SHOW BK") + stored("ELBOW RADIUS");
    set("Show background below ductwork", "No");
    set("Radius for elbows", "3");
    DialogAction select;
    select.kind = DialogAction::Kind::kSelect;
    select.rows.emplace_back();
    select.rows.back().ref = std::string("Transparent ducts");
    select.column = 1;
    uiQueueDialogAction(select);
    press("&Cancel");
    auto d = open("SHOW BK");
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(d->currentKey(), "nextTransparentFitting");
    EXPECT_EQ(stored("SHOW BK") + stored("ELBOW RADIUS"), before);
}

TEST_F(Options, TurningVanesKeepsAnExistingTextAndMakesANewOneANumber) {
    setText("TURNING VANES", "YES");
    set("Turning vanes on square elbows and wyes", "No");
    press("&OK");
    open();
    EXPECT_EQ(stored("TURNING VANES"), "NO|null|T");
    exec("delete from tblGlobal where sKey = 'TURNING VANES'");
    set("Turning vanes on square elbows and wyes", "Yes");
    press("&OK");
    open();
    EXPECT_EQ(stored("TURNING VANES"), "null|0.000000|N");
}

TEST_F(Options, TheBlockBrowseTakesTheChosenDrawingsTitleOrKeepsThePreviousValue) {
    std::ofstream(dir + "/b-arrow.dwg") << "x";
    std::ofstream(dir + "/a-leader.dwg") << "x";
    set("Top block", "OLD");
    set("Top block", "Browse. . .");
    acedQueueInput(AcEdInputItem::makeText(dir + "/missing.dwg"));  // refused: no such file
    acedQueueInput(AcEdInputItem::makeText(dir + "/b-arrow"));
    set("Bottom block", "Browse. . .");  // nothing queued: cancelled
    press("&OK");
    open();
    EXPECT_EQ(stored("ELEVLABEL TOP BLOCK"), "b-arrow|null|T");
    EXPECT_EQ(stored("ELEVLABEL BOTTOM BLOCK"), "|null|T");
    // The first browse offered the previous name, the second the folder's first drawing.
    EXPECT_NE(output.find("[file dialog Open: Drawing (*.dwg), " + dir + "/OLD]"), std::string::npos) << output;
    EXPECT_NE(output.find("[file dialog Open: Drawing (*.dwg), " + dir + "/a-leader.dwg]"), std::string::npos);
    EXPECT_NE(output.find("no such file"), std::string::npos);
}
