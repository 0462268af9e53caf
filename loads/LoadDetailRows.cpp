// The load detail's rows: built once from the arguments and the project's
// load rows, and the two refreshes that fill the cooling values of a time.
#include <algorithm>
#include <cmath>

#include "loads/LoadDetailDialog.h"
#include "loads/LoadNumberFormat.h"
#include "loads/LoadResultRecords.h"
#include "ui/SysColors.h"

namespace hvac {

namespace {

constexpr int kColumns = 8;

using CF = CoolingField;
using HF = HeatingField;

// The sensible and latent fields of one cooling line; the three system
// figures follow the ventilation rule.
struct CoolingLine {
    const char* label;
    bool system;  // shown for a zone or on request only
    bool tons;    // a Tons line of the line above
};

const CoolingLine kCoolingLines[] = {
    {"System Total", true, false}, {"", true, true},          {"Ventilation", true, false},
    {"Plenum", true, false},       {"Room Total", false, false}, {"", false, true},
    {"Roof", false, false},        {"Wall", false, false},       {"Glass", false, false},
    {"Horizontal Partitions", false, false}, {"Vertical Partitions", false, false},
    {"Lighting", false, false},    {"Equipment", false, false},  {"People", false, false},
    {"Infiltration", false, false}};

} // namespace

int CLoadDetail::addRow(int level, const std::string& label, const std::string& value, bool merge) {
    GridModel& m = mGrid.model();
    int row = m.appendRow(label, level);
    m.setText(row, 1, value);
    if (merge) m.mergeCells(row, 0, kColumns - 1);
    return row;
}

void CLoadDetail::emphasise(int row) {
    GridModel& m = mGrid.model();
    for (int c = 0; c < kColumns; ++c) {
        GridCell& cell = m.cell(row, c);
        cell.bold = true;
        if (m.level(row) == 1) cell.backColor = GetSysColor(COLOR_APPWORKSPACE);
    }
}

int CLoadDetail::addTimeRow(int level, int month, int hour) {
    GridModel& m = mGrid.model();
    int row = addRow(level, "Time", monthName(month));
    GridCell& monthCell = m.cell(row, 1);
    monthCell.kind = GridCellKind::kDropList;
    for (size_t i = 0; i < mMonths.size(); ++i) monthCell.entries.push_back({mMonths[i], int32_t(i)});
    GridCell& hourCell = m.cell(row, 2);
    hourCell.kind = GridCellKind::kDropList;
    const std::vector<std::string>& hours = hourLabels();
    for (size_t i = 0; i < hours.size(); ++i) hourCell.entries.push_back({hours[i], int32_t(i)});
    hourCell.text = hour >= 0 && hour < int(hours.size()) ? hours[size_t(hour)] : "";
    return row;
}

bool CLoadDetail::timeOf(int timeRow, int& month, int& hour) const {
    const GridModel& m = mGrid.model();
    month = hour = -1;
    for (int i = 0; i < 12; ++i)
        if (m.text(timeRow, 1) == monthName(i)) month = i;
    const std::vector<std::string>& hours = hourLabels();
    auto found = std::find(hours.begin(), hours.end(), m.text(timeRow, 2));
    if (found != hours.end()) hour = int(found - hours.begin());
    return month >= 0 && hour >= 0;
}

void CLoadDetail::buildRows() {
    GridModel& m = mGrid.model();
    m.deleteAllRows();
    m.setColumnCount(kColumns);
    m.setFixedRowCount(0);
    emphasise(addRow(0, mArgs.title, "", true));
    addRow(2, "Area (sf)", roundedNumber(mArgs.area));
    addRow(2, "People", roundedNumber(mArgs.people));
    addSupplyRows();
    addCoolingSummary();
    addHeatingSummary();
    addHeatingLoad();
    addCoolingLoad();
    addPsychrometrics();
}

void CLoadDetail::addSupplyRows() {
    emphasise(addRow(1, "Supply Air Requirements", "", true));
    addRow(2, "Current Supply CFM", roundedNumber(mArgs.currentSupplyCfm));
    double required = mArgs.requiredSupplyCfm;
    if (mArgs.isRoom() && mArgs.shareNumerator > 0 && mArgs.shareDenominator > 0)
        required = std::trunc(double(mArgs.requiredSupplyCfm) / mArgs.shareDenominator * mArgs.shareNumerator);
    addRow(2, "Required Supply CFM", roundedNumber(required));
}

void CLoadDetail::addCoolingSummary() {
    emphasise(addRow(2, "Cooling", "", true));
    if (mArgs.coolingNotCalculated) {
        addRow(3, "Not calculated", "", true);
        return;
    }
    mSummaryTimeRow = addTimeRow(3, mArgs.summaryMonth, mArgs.summaryHour);
    addRow(3, "Supply Temperature", temperature(mArgs.supplyTemperature));
    addRow(3, "Load (btuh)");
    addRow(3, "Supply CFM");
    addRow(3, "OSA CFM");
    refreshCoolingSummary();
}

void CLoadDetail::refreshCoolingSummary() {
    if (mSummaryTimeRow < 0) return;
    GridModel& m = mGrid.model();
    int load = mSummaryTimeRow + 2, supply = load + 1, osa = load + 2;
    int month, hour;
    bool found = timeOf(mSummaryTimeRow, month, hour) && mCooling && mCooling->find(mArgs.subject, month, hour);
    if (!found) {
        for (int row : {load, supply, osa}) m.setText(row, 1, "");
        m.setText(osa, 2, "");
        return;
    }
    m.setText(load, 1, roundedNumber(mCooling->real(CF::dRoomTotal)));
    m.setText(supply, 1, roundedNumber(mCooling->integer(CF::iCoolingCFM)));
    m.setText(osa, 1, roundedNumber(mCooling->integer(CF::iOSACFM)));
    m.setText(osa, 2, percentage(mCooling->integer(CF::iOSACFM), mCooling->integer(CF::iCoolingCFM)));
}

void CLoadDetail::addHeatingSummary() {
    emphasise(addRow(2, "Heating", "", true));
    if (mArgs.heatingNotCalculated) {
        addRow(3, "Not Calculated", "", true);
        return;
    }
    addRow(3, "Heating Temperature Difference", temperatureDifference(mArgs.heatingDifference));
    if (mHeating && mHeating->find(mArgs.subject)) {
        addRow(3, "Load (btuh)", roundedNumber(mHeating->real(HF::dRoomTotal)));
        addRow(3, "Supply CFM", roundedNumber(mHeating->integer(HF::iHeatingCFM)));
        int osa = addRow(3, "OSA CFM", roundedNumber(mHeating->integer(HF::iOSACFM)));
        mGrid.model().setText(osa, 2, percentage(mHeating->integer(HF::iOSACFM), mHeating->integer(HF::iHeatingCFM)));
    } else {
        addRow(3, "Load");
        addRow(3, "Supply CFM");
        addRow(3, "OSA CFM");
    }
}

void CLoadDetail::addHeatingLine(const std::string& label, double value, double base, bool found, bool total) {
    int row = addRow(2, label, roundedNumber(found ? value : 0));
    if (found) mGrid.model().setText(row, 2, percentage(value, base));
    if (!total) return;
    emphasise(row);
    addRow(2, "", kilowatts(found ? value : 0));
}

void CLoadDetail::addHeatingLoad() {
    emphasise(addRow(1, "Heating Load", "btuh"));
    if (mArgs.heatingNotCalculated) {
        addRow(2, "Not calculated", "", true);
        return;
    }
    HeatingLoadRecord* h = mHeating;
    bool found = h && h->find(mArgs.subject);
    auto v = [&](HF field) { return found ? h->real(field) : 0.0; };
    const std::string& rule = mArgs.ventilationRule;
    double system = rule == "YES" ? v(HF::dSystem62Total) : rule == "IMC" ? v(HF::dSystemIMCTotal) : v(HF::dSystemTotal);
    int32_t room = 0;
    bool isRoomRow = found && h->key(HF::ixRoomL, room);
    double base = isRoomRow && !mArgs.showSystemTotals ? v(HF::dRoomTotal) : system;
    if (mArgs.isZone() || mArgs.showSystemTotals) {
        addHeatingLine("System Total", system, base, found, true);
        double ventilation = rule == "YES" ? v(HF::dVentilation62) : rule == "IMC" ? v(HF::dVentilationIMC)
                                                                                    : v(HF::dVentilation);
        addHeatingLine("Ventilation", ventilation, base, found);
        addHeatingLine("Plenum", v(HF::dPlenumTotal), base, found);
    }
    addHeatingLine("Room Total", v(HF::dRoomTotal), base, found, true);
    if (found && v(HF::dRoof) == 0 && v(HF::dRoofPlenum) != 0) addRow(2, "Roof", "Plenum");
    else addHeatingLine("Roof", v(HF::dRoof), base, found);
    addHeatingLine("Wall", v(HF::dWall) + v(HF::dDoor), base, found);
    addHeatingLine("Glass", v(HF::dGlass), base, found);
    addHeatingLine("Slab", v(HF::dSlab), base, found);
    addHeatingLine("Horizontal Partitions", v(HF::dFloor), base, found);
    addHeatingLine("Vertical Partitions", v(HF::dWallPartition) + v(HF::dGlassPartition) + v(HF::dDoorPartition),
                   base, found);
    if (found && v(HF::dEquipment) > 0) addHeatingLine("Equipment", v(HF::dEquipment), base, found);
    addHeatingLine("Infiltration", v(HF::dInfiltration), base, found);
}

void CLoadDetail::addCoolingLoad() {
    GridModel& m = mGrid.model();
    int heading = addRow(1, "Cooling Load", "Total btuh");
    m.setText(heading, 3, "Sensible btuh");
    m.setText(heading, 5, "Latent btuh");
    emphasise(heading);
    if (mArgs.coolingNotCalculated) {
        addRow(2, "Not calculated", "", true);
        return;
    }
    mLoadTimeRow = addTimeRow(2, mArgs.loadMonth, mArgs.loadHour);
    bool system = mArgs.isZone() || mArgs.showSystemTotals;
    for (const CoolingLine& line : kCoolingLines) {
        if (line.system && !system) continue;
        int row = addRow(2, line.label);
        if (std::string(line.label) == "System Total" || std::string(line.label) == "Room Total") emphasise(row);
    }
    refreshCoolingLoad();
}

void CLoadDetail::fillCoolingLine(int row, double sensible, double latent, double base) {
    GridModel& m = mGrid.model();
    m.setText(row, 1, roundedNumber(latent < 0 ? sensible : sensible + latent));
    m.setText(row, 3, sensible != 0 ? roundedNumber(sensible) : "");
    m.setText(row, 5, latent != 0 ? roundedNumber(latent) : "");
    m.setText(row, 2, sensible == 0 && latent == 0 ? "" : percentage(sensible + latent, base));
    m.setText(row, 4, sensible != 0 ? percentage(sensible, base) : "");
    m.setText(row, 6, latent != 0 ? percentage(latent, base) : "");
}

void CLoadDetail::fillTonsLine(int row, double sensible, double latent) {
    GridModel& m = mGrid.model();
    m.setText(row, 1, tons(sensible + latent));
    m.setText(row, 3, tons(sensible));
    m.setText(row, 5, tons(latent));
}

void CLoadDetail::refreshCoolingLoad() {
    if (mLoadTimeRow < 0) return;
    GridModel& m = mGrid.model();
    int month, hour;
    bool found = timeOf(mLoadTimeRow, month, hour) && mCooling && mCooling->find(mArgs.subject, month, hour);
    int row = mLoadTimeRow + 1;
    bool system = mArgs.isZone() || mArgs.showSystemTotals;
    if (!found) {
        for (const CoolingLine& line : kCoolingLines) {
            if (line.system && !system) continue;
            for (int c = 1; c < kColumns; ++c) m.setText(row, c, "");
            m.setText(row, 1, line.tons ? tons(0) : "0");
            ++row;
        }
        return;
    }
    const CoolingLoadRecord& r = *mCooling;
    auto v = [&](CF field) { return r.real(field); };
    const std::string& rule = mArgs.ventilationRule;
    bool yes = rule == "YES", imc = rule == "IMC";
    double systemTotal = yes ? v(CF::dSystem62Total) : imc ? v(CF::dSystemIMCTotal) : v(CF::dSystemTotal);
    double base = r.isNull(CF::ixZone) && !mArgs.showSystemTotals ? v(CF::dRoomTotal) : systemTotal;
    if (system) {
        double s = yes ? v(CF::dSystem62TotalSensible) : imc ? v(CF::dSystemIMCTotalSensible) : v(CF::dSystemTotalSensible);
        double l = yes ? v(CF::dSystem62TotalLatent) : imc ? v(CF::dSystemIMCTotalLatent) : v(CF::dSystemTotalLatent);
        fillCoolingLine(row++, s, l, base);
        fillTonsLine(row++, s, l);
        s = yes ? v(CF::dVentilation62Sensible) : imc ? v(CF::dVentilationIMCSensible) : v(CF::dVentilationSensible);
        l = yes ? v(CF::dVentilation62Latent) : imc ? v(CF::dVentilationIMCLatent) : v(CF::dVentilationLatent);
        fillCoolingLine(row++, s, l, base);
        fillCoolingLine(row++, v(CF::dPlenumTotal), 0, base);
    }
    fillCoolingLine(row++, v(CF::dRoomTotalSensible), v(CF::dRoomTotalLatent), base);
    fillTonsLine(row++, v(CF::dRoomTotalSensible), v(CF::dRoomTotalLatent));
    if (v(CF::dRoof) == 0 && v(CF::dRoofPlenum) != 0) {
        for (int c = 1; c < kColumns; ++c) m.setText(row, c, "");
        m.setText(row++, 1, "Plenum");
    } else {
        fillCoolingLine(row++, v(CF::dRoof), 0, base);
    }
    fillCoolingLine(row++, v(CF::dWall) + v(CF::dDoor), 0, base);
    fillCoolingLine(row++, v(CF::dGlass), 0, base);
    fillCoolingLine(row++, v(CF::dFloor), 0, base);
    fillCoolingLine(row++, v(CF::dWallPartition) + v(CF::dDoorPartition) + v(CF::dGlassPartition), 0, base);
    fillCoolingLine(row++, v(CF::dLights), 0, base);
    fillCoolingLine(row++, v(CF::dEquipmentSensible), v(CF::dEquipmentLatent), base);
    fillCoolingLine(row++, v(CF::dPeopleSensible), v(CF::dPeopleLatent), base);
    fillCoolingLine(row++, v(CF::dInfiltrationSensible), v(CF::dInfiltrationLatent), base);
}

void CLoadDetail::addPsychrometrics() {
    if (!mArgs.hasPsychrometrics) return;
    GridModel& m = mGrid.model();
    static const char* const headings[] = {"CFM",           "Dry Bulb\nTemperature", "Wet Bulb\nTemperature",
                                           "Humidity\nRatio", "Total\nLoad",         "Sensible\nLoad",
                                           "Latent\nLoad"};
    int heading = addRow(1, "Psychrometrics");
    for (int c = 1; c < kColumns; ++c) {
        GridCell& cell = m.cell(heading, c);
        cell.text = headings[c - 1];
        cell.centred = true;
        cell.wordWrap = true;
    }
    m.row(heading).height = 2 * m.defaultRowHeight();
    emphasise(heading);
    const std::vector<std::string>& s = mArgs.psychrometrics;
    for (size_t first = 0; first + 8 <= s.size(); first += 8) {
        int row = addRow(2, s[first]);
        for (int c = 1; c < kColumns; ++c) {
            std::string text = s[first + size_t(c)];
            if ((c == 2 || c == 3) && !text.empty())
                text = text.substr(0, text.size() > 7 ? text.size() - 7 : 0) + kDegreeSign + " F";
            m.setText(row, c, text);
        }
    }
}

}  // namespace hvac
