// CDialogProjectExplorerHVAC: the modal dialog "Project Explorer", a tree of
// the project's diffusers (groups, schedules, drawings) and ducts (airflow,
// drawings) read through the product's SQL query function. The buttons hand
// the chosen device back to the caller through the result and the state
// fields; the caller may show the dialog again on the same device.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "grid/GridControl.h"
#include "project/DiffuserRecords.h"
#include "project/ExplorerQueries.h"
#include "ui/AcUiDialog.h"

class DuctDbRecord;

namespace hvac {

enum : int {
    IDC_EXPLORER_GRID = 1090,
    IDC_EXPLORER_FIND = 1091,
    IDC_EXPLORER_QUERY = 1092,
    IDC_EXPLORER_SORT = 2025,
};

// Results besides IDOK: query the device, find it, query its schedule.
enum : int { kExplorerQueryDevice = 100, kExplorerFindDevice = 101, kExplorerQuerySchedule = 102 };

enum : int32_t { kExplorerDucts = 1, kExplorerDiffusers = 2, kExplorerNoDevice = -1 };

// The per-user setting that keeps the sort order.
inline constexpr const char* kExplorerSettingsKey = "HVAC";
inline constexpr const char* kExplorerSortSetting = "bCalloutFirst";

// A row's attributes, kept as texts in the grid's columns by key.
struct ExplorerRow {
    std::string sValue;
    int32_t devType = 0;
    int level = 0;
    std::string ixGroup, ixSch, ixList, dwg, bExpanded, bIsCallout, rowType;
};

class CDialogProjectExplorerHVAC : public CAcUiDialog {
public:
    explicit CDialogProjectExplorerHVAC(std::string caller = "");
    ~CDialogProjectExplorerHVAC() override;

    // The project the tree is read from; the record objects are made here.
    void setInterface(IProjectDatabasePtr db);

    // State handed in before DoModal and read back after it.
    int32_t devType = kExplorerNoDevice;
    int32_t ixL = 0;
    int32_t ixSch = 0;
    std::string dwg;
    std::string mode = "callout";  // "device", "callout", "group", "header" or "drawing"
    int32_t bCalloutFirst = 1;      // 1: callout (or airflow), then drawing; 0: drawing first

    GridControl& grid() { return mGrid; }
    const GridControl& grid() const { return mGrid; }
    const std::string& caller() const { return mCaller; }

    ExplorerRow rowAt(int row) const;
    // Loads a row's children (once) as a click on its tree button does.
    void expandRow(int row);
    // The whole tree but the device lists, then the row of (mode, devType, ixL).
    void buildTree();
    void locateRow();
    // The sort list's choice: a different order rebuilds the tree on the current row.
    void sortOrderChanged();
    void findDevice();
    void queryDevice();
    void exitDialog();

protected:
    bool OnInitDialog() override;
    void OnCancel() override { exitDialog(); }

private:
    int insertRow(int after, const ExplorerRow& row);
    std::vector<ExplorerRow> childrenOf(const ExplorerRow& parent);
    ExplorerRow childOf(const ExplorerRow& parent, std::string rowType, std::string sValue) const;
    bool tableHasRows(int32_t type);
    int headerRow(int32_t type) const;
    int findRow(int parent, const ExplorerRow& target, const std::string& kind);
    void selectRow(int row);
    void readCurrentRow(bool withSchedule);
    bool currentRowIsDevice() const;
    void storeSortOrder() const;

    std::string mCaller;
    std::string mGroupKey;  // the group of the row to re-select after a change of sort order
    GridControl mGrid;
    CDropList mSortList;
    IProjectDatabasePtr mDb;
    std::unique_ptr<DiffuserRecord> mSchedule, mPlaced, mGroup;
    std::unique_ptr<DuctDbRecord> mDuct;
};

} // namespace hvac
