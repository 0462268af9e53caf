// The load detail dialog: resource, buttons, the edit rule and refreshes on
// time row changes.
#include "loads/LoadDetailDialog.h"

#include "ui/MessageBox.h"

namespace hvac {

CLoadDetail::CLoadDetail(LoadDetailArgs args, CoolingLoadRecord* cooling, HeatingLoadRecord* heating,
                         std::vector<std::string> months)
    : CAcUiDialog("Load Detail"), mArgs(std::move(args)), mCooling(cooling), mHeating(heating),
      mMonths(std::move(months)) {
    addRowControl(IDC_LOADDETAIL_GRID, &mGrid);
    addButton(IDC_LOADDETAIL_CALCULATE, "&Calculate This Load", [this] { EndDialog(kLoadDetailCalculateResult); });
    addButton(IDOK, "&OK");
    addButton(IDC_LOADDETAIL_PRINT, "&Print. . .", [this] { mGrid.Print(title()); });
    GridControl::Handlers& h = mGrid.handlers();
    h.canEdit = [this](int row, int column) { return canEdit(row, column); };
    h.selectionChanged = [this](int row, int) { timeRowChanged(row); };
    h.endEdit = [this](int row, int) { timeRowChanged(row); };
}

const std::vector<std::string>& CLoadDetail::hourLabels() {
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> hours;
        for (int h = 1; h <= 11; ++h) hours.push_back(std::to_string(h) + " am");
        hours.push_back("noon");
        for (int h = 1; h <= 11; ++h) hours.push_back(std::to_string(h) + " pm");
        hours.push_back("midnight");
        return hours;
    }();
    return labels;
}

bool CLoadDetail::OnInitDialog() {
    SetDialogName("zk_hvac:LoadDetail");
    SetIcon(IDI_LOADDETAIL);
    StretchControlXY(IDC_LOADDETAIL_GRID, 100, 100);
    MoveControlXY(IDOK, 50, 100);
    MoveControlY(IDC_LOADDETAIL_CALCULATE, 100);
    MoveControlXY(IDC_LOADDETAIL_PRINT, 100, 100);
    buildRows();
    return true;
}

// Only the month and hour cells of a time row; a "Time" line of the
// psychrometric table is not one.
bool CLoadDetail::canEdit(int row, int column) const {
    const GridModel& m = mGrid.model();
    return m.text(row, 0) == "Time" && m.text(row - 1, 0) != "Psychrometrics" && (column == 1 || column == 2);
}

void CLoadDetail::timeRowChanged(int row) {
    const GridModel& m = mGrid.model();
    if (m.text(row, 0) != "Time" || m.text(row - 1, 0) == "Psychrometrics") return;
    const std::string& section = m.text(m.parentRow(row), 0);
    if (section == "Cooling Load") refreshCoolingLoad();
    else if (section == "Cooling") refreshCoolingSummary();
}

}  // namespace hvac
