// CLoadDetail: the modal dialog showing the load breakdown of one room or
// zone on a tree grid of 8 columns. Only the month and hour of the two time
// rows can be changed; a change refreshes the section the row belongs to.
#pragma once

#include <string>
#include <vector>

#include "grid/GridControl.h"
#include "loads/LoadDetailArgs.h"
#include "ui/AcUiDialog.h"

namespace hvac {

class CoolingLoadRecord;
class HeatingLoadRecord;

// Resource of the dialog.
enum : int {
    IDC_LOADDETAIL_GRID = 1007,
    IDC_LOADDETAIL_CALCULATE = 1006,
    IDC_LOADDETAIL_PRINT = 5,
    IDI_LOADDETAIL = 140,
    kLoadDetailCalculateResult = 101,
};

class CLoadDetail : public CAcUiDialog {
public:
    // The records belong to the project and are only read (either may be
    // null: nothing is found then); months are the calculated month names.
    CLoadDetail(LoadDetailArgs args, CoolingLoadRecord* cooling, HeatingLoadRecord* heating,
                std::vector<std::string> months);

    GridControl& grid() { return mGrid; }
    static const std::vector<std::string>& hourLabels();

    // Refreshes, each reading its time row: the "Cooling" summary values and
    // the "Cooling Load" lines.
    void refreshCoolingSummary();
    void refreshCoolingLoad();

protected:
    bool OnInitDialog() override;

private:
    // Row building (LoadDetailRows.cpp).
    void buildRows();
    int addRow(int level, const std::string& label, const std::string& value = "", bool merge = false);
    void emphasise(int row);
    int addTimeRow(int level, int month, int hour);
    void addSupplyRows();
    void addCoolingSummary();
    void addHeatingSummary();
    void addHeatingLoad();
    void addCoolingLoad();
    void addPsychrometrics();
    void addHeatingLine(const std::string& label, double value, double base, bool found, bool total = false);
    void fillCoolingLine(int row, double sensible, double latent, double base);
    void fillTonsLine(int row, double sensible, double latent);
    bool timeOf(int timeRow, int& month, int& hour) const;

    // Interaction (LoadDetailDialog.cpp).
    bool canEdit(int row, int column) const;
    void timeRowChanged(int row);

    LoadDetailArgs mArgs;
    CoolingLoadRecord* mCooling;
    HeatingLoadRecord* mHeating;
    std::vector<std::string> mMonths;
    GridControl mGrid;
    int mSummaryTimeRow = -1;  // the "Cooling" summary's time row
    int mLoadTimeRow = -1;     // the "Cooling Load" section's time row
};

}  // namespace hvac
