// CDialogDwgDiff: the modal dialog "Diffuser Blocks" listing the project's
// diffuser block definitions (tblDwgDiff) in their sort order. Rows are
// moved, added, renamed and deleted in the grid; OK writes the replacements
// collected by the deletes and every row with its sort order, Cancel writes
// nothing.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "grid/GridControl.h"
#include "project/DbRecord.h"
#include "ui/AcUiDialog.h"

enum : int {
    IDC_DWGDIFF_GRID = 1048,
    IDC_DWGDIFF_NEW = 1051,
    IDC_DWGDIFF_DELETE = 1052,
    IDC_DWGDIFF_UP = 1053,
    IDC_DWGDIFF_DOWN = 1054,
};

class CDialogDwgDiff : public CAcUiDialog {
public:
    explicit CDialogDwgDiff(IProjectDatabasePtr db);

    GridControl& grid() { return mGrid; }
    // (deleted block key, replacing block key) in the order of deletion.
    const std::vector<std::pair<int32_t, int32_t>>& replacements() const { return mReplacements; }

    void moveUp();
    void moveDown();
    void addBlock();
    void deleteSelected();
    // Adds a deletion answered by "util-deleteBlocks": earlier pairs that
    // pointed at the deleted block now point at its replacement.
    void addReplacement(int32_t deleted, int32_t replacing);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void loadRows();
    int addRow(const std::string& key, const std::string& description, const std::string& number, int32_t type);
    bool storedBlock(int32_t key);
    bool askDeleteBlock(int32_t key, int32_t& replacing);
    // Writes the deletions and the rows (OnOK runs it in one transaction).
    void saveChanges();

    DbRecord mRecord;
    GridControl mGrid;
    std::vector<std::pair<int32_t, int32_t>> mReplacements;
};

// "New Diffuser Block", or with that taken "New Diffuser Block (1)", (2), ...
std::string uniqueBlockName(const std::vector<std::string>& taken);
