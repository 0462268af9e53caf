// COptions: the modal dialog "Orvane HVAC Options", one tree grid row per
// project-wide setting of tblGlobal. It reads the values when it opens and
// writes every row back on OK; Cancel writes nothing.
#pragma once

#include <string>

#include "grid/GridControl.h"
#include "project/DbRecord.h"
#include "ui/AcUiDialog.h"

namespace hvac {

struct OptionSetting;

enum : int { IDC_OPTIONS_GRID = 1048 };

class COptions : public CAcUiDialog {
public:
    // blockFolder: where the block browse looks for drawings. The dialog
    // makes its own tblGlobal record object on db.
    COptions(std::string blockFolder, IProjectDatabasePtr db);

    void setInitialKey(std::string key) { mKey = std::move(key); }
    void setStartEditing(bool start) { mStartEditing = start; }
    // The key (column 2) of the row selected last.
    const std::string& currentKey() const { return mKey; }
    // The cell editing was started in when the dialog opened (-1: none).
    GridCellRef editingCell() const { return mEditing; }
    GridControl& grid() { return mGrid; }
    // The grid row showing key, -1 when none does.
    int rowOfKey(const std::string& key) const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void buildRows();
    void loadValues();
    std::string storedValueText(const OptionSetting& setting, bool& numeric);
    void applyDependentRules(int row);
    void setRowEnabled(int row, bool enabled);
    bool rowDisabled(int row) const;
    bool canEdit(int row, int column);
    void endEdit(int row, int column);
    void browseBlock(int row);
    void saveRow(int row);
    const OptionSetting* settingOfRow(int row) const;

    std::string mBlockFolder;
    std::string mKey;
    bool mStartEditing = false;
    DbRecord mGlobal;
    GridControl mGrid;
    GridCellRef mEditing{-1, -1};
    std::string mPreviousValue;
};

}  // namespace hvac
