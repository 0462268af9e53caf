// The headless dialog host: printing at open and close, queued actions with
// rows by index, label and path, Escape on an empty queue, buttons by
// caption or id, refused actions, creation failure, anchors.
#include <gtest/gtest.h>

#include "grid/GridControl.h"
#include "lisp/AdsHost.h"
#include "ui/AcUiDialog.h"
#include "ui/DialogActions.h"
#include "ui/MessageBox.h"

namespace {

class TreeDialog : public CAcUiDialog {
public:
    TreeDialog() : CAcUiDialog("Tree") {
        addRowControl(100, &grid);
        addButton(IDOK, "&OK");
        addButton(7, "&Apply", [this] { ++applied; });
        addButton(8, "&Done", [this] { EndDialog(42); });
        grid.handlers().endEdit = [this](int row, int) { edits.push_back(grid.model().text(row, 0)); };
    }
    bool OnInitDialog() override {
        GridModel& m = grid.model();
        m.setColumnCount(3);
        int title = m.appendRow("Title");
        m.mergeCells(title, 0, 2);
        m.setText(title, 2, "covered");
        for (const char* section : {"Heating", "Cooling"}) {
            m.appendRow(section, 1);
            int time = m.appendRow("Time", 2);
            m.cell(time, 1).kind = GridCellKind::kEdit;
            m.setText(time, 1, "noon");
        }
        return initOk;
    }
    GridControl grid;
    int applied = 0;
    bool initOk = true;
    std::vector<std::string> edits;
};

class Host : public ::testing::Test {
protected:
    void SetUp() override {
        uiClearDialogActions();
        adsSetOutputSink([this](std::string_view text) { output.append(text); });
    }
    void TearDown() override {
        adsSetOutputSink({});
        uiClearDialogActions();
    }
    static DialogAction set(DialogRowRef row, int column, std::string text) {
        DialogAction a;
        a.kind = DialogAction::Kind::kSet;
        a.rows = {std::move(row)};
        a.column = column;
        a.text = std::move(text);
        return a;
    }
    static DialogAction press(std::string caption, int id = 0) {
        DialogAction a;
        a.kind = DialogAction::Kind::kPress;
        a.text = std::move(caption);
        a.buttonId = id;
        return a;
    }
    std::string output;
};

} // namespace

TEST_F(Host, PrintsAtOpenAndCloseWithLevelsAndMergedCellsOnce) {
    TreeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);  // empty queue: Escape
    std::string picture = "\n[dialog Tree]\nTitle\n  Heating\n    Time | noon\n  Cooling\n    Time | noon";
    EXPECT_EQ(output, picture + picture + "\n[dialog Tree closed: 2]");
}

TEST_F(Host, RowsByIndexLabelAndPathAndButtonsByCaptionOrId) {
    uiQueueDialogAction(set({std::vector<std::string>{"Cooling", "Time"}}, 1, "1 pm"));
    uiQueueDialogAction(set({std::string("Time")}, 1, "2 pm"));  // the first "Time": under Heating
    uiQueueDialogAction(set({4}, 1, "3 pm"));
    uiQueueDialogAction(press("Apply"));
    uiQueueDialogAction(press("", 7));
    uiQueueDialogAction(press("&Done"));
    uiQueueDialogAction(press("&OK"));  // left for the next dialog
    TreeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.grid.model().text(4, 1), "3 pm");
    EXPECT_EQ(dialog.grid.model().text(2, 1), "2 pm");
    EXPECT_EQ(dialog.applied, 2);
    EXPECT_EQ(uiPendingDialogActions(), 1u);
    EXPECT_NE(output.find("\n    Time | 3 pm\n[dialog Tree closed: 42]"), std::string::npos);

    TreeDialog next;
    EXPECT_EQ(next.DoModal(), IDOK);
}

TEST_F(Host, RefusedActionsSayWhyAndTheDialogGoesOn) {
    uiQueueDialogAction(set({std::vector<std::string>{"Heating", "Cooling"}}, 1, "x"));  // not below Heating
    uiQueueDialogAction(set({9}, 1, "x"));
    uiQueueDialogAction(set({std::string("Title")}, 1, "x"));
    uiQueueDialogAction(press("&Nothing"));
    DialogAction drag;
    drag.kind = DialogAction::Kind::kDrag;
    drag.rows = {{1}};
    drag.target = {3};
    uiQueueDialogAction(drag);
    TreeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_NE(output.find("\n[dialog Tree] (\"set\" (\"Heating\" \"Cooling\") 1 \"x\") refused: there is no row "
                          "(\"Heating\" \"Cooling\")"),
              std::string::npos);
    EXPECT_NE(output.find("(\"set\" 9 1 \"x\") refused: there is no row 9"), std::string::npos);
    EXPECT_NE(output.find("(\"set\" \"Title\" 1 \"x\") refused: the cell is read-only"), std::string::npos);
    EXPECT_NE(output.find("(\"press\" \"&Nothing\") refused: the dialog has no such button"), std::string::npos);
    EXPECT_NE(output.find("(\"drag\" (1) 3) refused: rows cannot be dragged in this grid"), std::string::npos);
    EXPECT_TRUE(dialog.edits.empty());
}

TEST_F(Host, ADialogThatCannotBeCreatedAnswersMinusOneAndPrintsNothing) {
    TreeDialog failing;
    failing.initOk = false;
    EXPECT_EQ(failing.DoModal(), -1);
    TreeDialog duplicate;
    duplicate.addButton(7, "&Again");
    EXPECT_EQ(duplicate.DoModal(), -1);
    EXPECT_EQ(output, "");
}

TEST_F(Host, AnchorsAndSavedPositionNameAreRecorded) {
    TreeDialog dialog;
    dialog.SetDialogName("zk_hvac:Tree");
    dialog.StretchControlXY(100, 100, 100);
    dialog.MoveControlXY(IDOK, 50, 100);
    dialog.MoveControlY(7, 100);
    dialog.MoveControlX(7, 30);
    ASSERT_EQ(dialog.anchors().size(), 3u);
    EXPECT_EQ(dialog.dialogName(), "zk_hvac:Tree");
    const auto& grid = dialog.anchors()[0];
    EXPECT_EQ(grid.id, 100);
    EXPECT_EQ(grid.growX, 100);
    EXPECT_EQ(grid.growY, 100);
    EXPECT_EQ(grid.moveX, 0);
    const auto& apply = dialog.anchors()[2];
    EXPECT_EQ(apply.moveX, 30);  // the last call for a control holds
    EXPECT_EQ(apply.moveY, 0);
}

TEST_F(Host, DropListsArePrintedAndChosenByLabelOrIdEvenTheCurrentItem) {
    TreeDialog dialog;
    CDropList sort;
    sort.AddString("By name", 10);
    sort.AddString("By date", 20);
    sort.SetCurSel(0);
    std::vector<int32_t> picked;
    dialog.addDropList(2025, "Sort &Order:", &sort, [&] { picked.push_back(sort.GetItemData(sort.GetCurSel())); });
    auto choose = [](std::string list, int id, std::string item) {
        DialogAction a;
        a.kind = DialogAction::Kind::kChoose;
        a.text = std::move(list);
        a.buttonId = id;
        a.item = std::move(item);
        return a;
    };
    uiQueueDialogAction(choose("Sort Order:", 0, "By date"));
    uiQueueDialogAction(choose("", 2025, "By date"));
    uiQueueDialogAction(choose("Sort Order:", 0, "By size"));
    uiQueueDialogAction(choose("Filter:", 0, "By date"));
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(picked, (std::vector<int32_t>{20, 20}));
    EXPECT_NE(output.find("\n[dialog Tree]\nTitle"), std::string::npos);
    EXPECT_NE(output.find("    Time | noon\nSort &Order: By date\n[dialog Tree closed: 2]"), std::string::npos);
    EXPECT_NE(output.find("(\"choose\" \"Sort Order:\" \"By size\") refused: the list has no item \"By size\""),
              std::string::npos);
    EXPECT_NE(output.find("(\"choose\" \"Filter:\" \"By date\") refused: the dialog has no such list"),
              std::string::npos);
    EXPECT_FALSE(sort.SetCurSel(2));
    EXPECT_EQ(sort.GetCurSel(), -1);
}
