// The project explorer's rules beside its grid: the rows and their
// attributes, loading a row's children on its first expansion, building the
// tree, finding the row of a device, the sort order and the buttons.
#include "project/ProjectExplorerDialog.h"

#include <cstdlib>

#include "ducts/DuctDbRecord.h"
#include "integration/DrawingHelpers.h"
#include "ui/MessageBox.h"

namespace hvac {

namespace {

constexpr int kColumns = 10;
const char* const kKeys[kColumns] = {"sValue", "devType", "level",     "ixGroup",    "ixSch",
                                     "ixList", "dwg",     "bExpanded", "bIsCallout", "rowType"};
const char* const kHeaders[kColumns] = {"ID",     "devType", "level",     "ixGroup",    "ixSch",
                                        "ixList", "dwg",     "bExpanded", "bIsCallout", "rowType"};

const char* const kNoneInDatabase = "None in database";
const char* const kNoneOnDrawing = "None on drawing";

int toInt(const std::string& text) { return std::atoi(text.c_str()); }

// Rows whose children are the device lists, loaded only when asked for.
int deviceParentLevel(int32_t devType) { return devType == kExplorerDiffusers ? 4 : 3; }

bool sameWhereBothKnown(const std::string& a, const std::string& b) { return a.empty() || b.empty() || a == b; }

} // namespace

CDialogProjectExplorerHVAC::CDialogProjectExplorerHVAC(std::string caller)
    : CAcUiDialog("Project Explorer"), mCaller(std::move(caller)) {
    addDropList(IDC_EXPLORER_SORT, "Sort Order:", &mSortList, [this] { sortOrderChanged(); });
    addRowControl(IDC_EXPLORER_GRID, &mGrid);
    addButton(IDC_EXPLORER_FIND, "&Find <", [this] { findDevice(); });
    addButton(IDC_EXPLORER_QUERY, "&Query. . .", [this] { queryDevice(); });
    addButton(IDOK, "Exit", [this] { exitDialog(); });
    mGrid.handlers().expandClicked = [this](int row) { expandRow(row); };
}

CDialogProjectExplorerHVAC::~CDialogProjectExplorerHVAC() = default;

void CDialogProjectExplorerHVAC::setInterface(IProjectDatabasePtr db) {
    mDb = std::move(db);
    mSchedule = std::make_unique<DiffuserRecord>(mDb, DiffuserRecord::Table::kSchedule);
    mPlaced = std::make_unique<DiffuserRecord>(mDb, DiffuserRecord::Table::kPlacement);
    mGroup = std::make_unique<DiffuserRecord>(mDb, DiffuserRecord::Table::kScheduleGroup);
    mDuct = std::make_unique<DuctDbRecord>(mDb);
}

bool CDialogProjectExplorerHVAC::OnInitDialog() {
    SetDialogName("zk_elec:dwgSwitchCustomization");
    bCalloutFirst = readRegistryString(kExplorerSettingsKey, kExplorerSortSetting) == "0" ? 0 : 1;
    mSortList = CDropList();
    mSortList.AddString("Sort by callout, then drawing", 1);
    mSortList.AddString("Sort by drawing, then callout", 0);
    mSortList.SetCurSel(bCalloutFirst ? 0 : 1);
    buildTree();
    locateRow();
    GridModel& m = mGrid.model();
    int total = 0;
    for (int c = 0; c < m.columnCount(); ++c) total += m.columnWidth(c);
    m.setColumnWidth(0, 10 * total);
    return true;
}

// ---- rows

ExplorerRow CDialogProjectExplorerHVAC::rowAt(int row) const {
    const GridModel& m = mGrid.model();
    ExplorerRow r;
    r.sValue = m.attribute(row, "sValue");
    r.devType = toInt(m.attribute(row, "devType"));
    r.level = toInt(m.attribute(row, "level"));
    r.ixGroup = m.attribute(row, "ixGroup");
    r.ixSch = m.attribute(row, "ixSch");
    r.ixList = m.attribute(row, "ixList");
    r.dwg = m.attribute(row, "dwg");
    r.bExpanded = m.attribute(row, "bExpanded");
    r.bIsCallout = m.attribute(row, "bIsCallout");
    r.rowType = m.attribute(row, "rowType");
    return r;
}

int CDialogProjectExplorerHVAC::insertRow(int after, const ExplorerRow& r) {
    GridModel& m = mGrid.model();
    int row = m.insertRowAfter(after, r.sValue, r.level);
    const std::string values[kColumns] = {r.sValue,        std::to_string(r.devType), std::to_string(r.level),
                                          r.ixGroup,       r.ixSch,                   r.ixList,
                                          r.dwg,           r.bExpanded,               r.bIsCallout,
                                          r.rowType};
    for (int c = 0; c < kColumns; ++c) m.setText(row, c, values[c]);
    return row;
}

// A child carries its parent's device type, group, schedule and drawing.
ExplorerRow CDialogProjectExplorerHVAC::childOf(const ExplorerRow& parent, std::string rowType,
                                                std::string sValue) const {
    ExplorerRow child;
    child.sValue = std::move(sValue);
    child.devType = parent.devType;
    child.level = parent.level + 1;
    child.ixGroup = parent.ixGroup;
    child.ixSch = parent.ixSch;
    child.dwg = parent.dwg;
    child.rowType = std::move(rowType);
    return child;
}

// ---- loading

std::vector<ExplorerRow> CDialogProjectExplorerHVAC::childrenOf(const ExplorerRow& p) {
    namespace sql = explorer_sql;
    std::vector<ExplorerRow> rows;
    auto drawings = [&](const ExplorerQuery& query) {
        for (const std::string& name : runExplorerQuery(query)) {
            ExplorerRow r = childOf(p, "drawing", name);
            r.dwg = name;
            rows.push_back(r);
        }
    };
    auto devices = [&](const ExplorerQuery& query) {
        for (const std::string& key : runExplorerQuery(query)) {
            ExplorerRow r = childOf(p, "device", key);
            r.ixList = key;
            rows.push_back(r);
        }
    };
    // Diffuser schedules show their callout; Query on them asks for the schedule.
    auto schedules = [&](const ExplorerQuery& query) {
        for (const std::string& key : runExplorerQuery(query)) {
            mSchedule->read(toInt(key));
            ExplorerRow r = childOf(p, "callout", mSchedule->text(L"CALLOUT"));
            r.ixSch = key;
            r.bIsCallout = "true";
            rows.push_back(r);
        }
    };
    auto airflow = [&](const AirflowKind& kind) {
        ExplorerRow r = childOf(p, "callout", kind.name);
        r.ixGroup = kind.code;
        rows.push_back(r);
    };
    bool calloutFirst = bCalloutFirst != 0;
    if (p.devType == kExplorerDiffusers) {
        switch (p.level) {
        case 1:
            for (const std::string& key : runExplorerQuery(sql::scheduleGroups())) {
                mGroup->read(toInt(key));
                ExplorerRow r = childOf(p, "group", mGroup->text(L"sName"));
                r.ixGroup = key;
                rows.push_back(r);
            }
            break;
        case 2:
            if (calloutFirst) schedules(sql::schedulesOfGroup(p.ixGroup));
            else drawings(sql::drawingsOfGroup(p.ixGroup));
            break;
        case 3:
            if (calloutFirst) drawings(sql::drawingsOfSchedule(p.ixSch));
            else schedules(sql::schedulesOnDrawing(p.ixGroup, p.dwg));
            break;
        case 4: devices(sql::diffusersOf(p.ixSch, p.dwg)); break;
        default: break;
        }
    } else if (p.devType == kExplorerDucts) {
        switch (p.level) {
        case 1:
            if (calloutFirst)
                for (const AirflowKind& kind : kAirflowKinds) airflow(kind);
            else
                drawings(sql::ductDrawings());
            break;
        case 2:
            if (calloutFirst) drawings(sql::drawingsOfAirflow(p.ixGroup));
            else
                for (const AirflowKind& kind : kAirflowKinds)
                    if (!runExplorerQuery(sql::airflowOnDrawing(p.dwg, kind.code)).empty()) airflow(kind);
            break;
        case 3: devices(sql::ductsOf(p.ixGroup, p.dwg)); break;
        default: break;
        }
    }
    return rows;
}

void CDialogProjectExplorerHVAC::expandRow(int row) {
    GridModel& m = mGrid.model();
    if (row < m.fixedRowCount() || row >= m.rowCount()) return;
    ExplorerRow parent = rowAt(row);
    if (parent.bExpanded == "T" || parent.rowType == "device") return;
    for (int r = m.subtreeEnd(row) - 1; r > row; --r) m.deleteRow(r);  // the placeholder
    m.setAttribute(row, "bExpanded", "T");
    m.setExpanded(row, true);
    std::vector<ExplorerRow> children = childrenOf(parent);
    if (children.empty()) {
        ExplorerRow none = childOf(parent, "", kNoneOnDrawing);
        none.bExpanded = "T";
        insertRow(row, none);
        return;
    }
    int after = row;
    for (const ExplorerRow& child : children) {
        after = insertRow(after, child);
        if (child.rowType == "device") continue;
        int placeholder = insertRow(after, childOf(child, "device", ""));
        m.setExpanded(after, false);
        after = placeholder;
    }
}

bool CDialogProjectExplorerHVAC::tableHasRows(int32_t type) {
    return !runExplorerQuery(type == kExplorerDiffusers ? explorer_sql::placedDiffusers() : explorer_sql::ducts())
                .empty();
}

void CDialogProjectExplorerHVAC::buildTree() {
    GridModel& m = mGrid.model();
    m.deleteAllRows();
    m.setColumnCount(kColumns);
    m.setFixedRowCount(1);
    for (int c = 0; c < kColumns; ++c) {
        m.setColumnKey(c, kKeys[c]);
        if (c >= 1 && c <= 8) m.setColumnWidth(c, 0);
    }
    m.appendRow("", 0);
    for (int c = 0; c < kColumns; ++c) m.setText(0, c, kHeaders[c]);
    int after = 0;
    for (auto [type, name] : {std::pair{kExplorerDiffusers, "Diffusers"}, std::pair{kExplorerDucts, "Ducts"}}) {
        ExplorerRow header;
        header.sValue = name;
        header.devType = type;
        header.level = 1;
        header.rowType = "header";
        after = insertRow(after, header);
        int placeholder = insertRow(after, childOf(header, "device", ""));
        m.setExpanded(after, false);
        after = placeholder;
    }
    // Every row in order, those inserted meanwhile included, as if clicked.
    for (int r = 1; r < m.rowCount(); ++r) {
        ExplorerRow row = rowAt(r);
        if (row.rowType == "device" || row.level < 1 || row.level >= deviceParentLevel(row.devType)) continue;
        if (row.rowType == "header" && !tableHasRows(row.devType)) {
            for (int c = m.subtreeEnd(r) - 1; c > r; --c) m.deleteRow(c);
            ExplorerRow none;
            none.sValue = kNoneInDatabase;
            none.devType = kExplorerNoDevice;
            none.level = 2;
            none.bExpanded = "T";
            insertRow(r, none);
            m.setAttribute(r, "bExpanded", "T");  // nothing more to load
            m.setExpanded(r, true);
            continue;
        }
        expandRow(r);
    }
}

// ---- locating

int CDialogProjectExplorerHVAC::headerRow(int32_t type) const {
    const GridModel& m = mGrid.model();
    for (int r = m.fixedRowCount(); r < m.rowCount(); ++r)
        if (m.attribute(r, "rowType") == "header" && toInt(m.attribute(r, "devType")) == type) return r;
    return -1;
}

// The first row of the kind below parent whose group, schedule and drawing
// agree with the target's where both are known; device lists are loaded on
// the way only when a device is looked for.
int CDialogProjectExplorerHVAC::findRow(int parent, const ExplorerRow& target, const std::string& kind) {
    GridModel& m = mGrid.model();
    expandRow(parent);
    for (int r = parent + 1; r < m.subtreeEnd(parent); r = m.subtreeEnd(r)) {
        ExplorerRow child = rowAt(r);
        if (!sameWhereBothKnown(child.ixGroup, target.ixGroup) || !sameWhereBothKnown(child.ixSch, target.ixSch) ||
            !sameWhereBothKnown(child.dwg, target.dwg))
            continue;
        if (child.rowType == kind && (kind != "device" || child.ixList == target.ixList)) return r;
        if (child.rowType == "device" || (child.level >= deviceParentLevel(child.devType) && kind != "device"))
            continue;
        int found = findRow(r, target, kind);
        if (found >= 0) return found;
    }
    return -1;
}

void CDialogProjectExplorerHVAC::selectRow(int row) {
    GridModel& m = mGrid.model();
    for (int p = m.parentRow(row); p >= 0; p = m.parentRow(p)) m.setExpanded(p, true);
    m.setFocusCell({row, 0});
    m.setSelectedRange({row, 0, row, 0});
}

void CDialogProjectExplorerHVAC::locateRow() {
    int header = headerRow(devType);
    if (header < 0) return;
    if (mode == "header") {
        selectRow(header);
        return;
    }
    ExplorerRow target;
    target.devType = devType;
    if (mode == "device") {
        target.ixList = std::to_string(ixL);
        if (devType == kExplorerDiffusers && mPlaced && mPlaced->read(ixL)) {
            int32_t schedule = mPlaced->integer(L"ixDiffS");
            target.ixSch = std::to_string(schedule);
            target.dwg = mPlaced->text(L"DRAWING");
            if (mSchedule->read(schedule)) target.ixGroup = std::to_string(mSchedule->integer(L"ixDiffSGroup"));
        } else if (devType == kExplorerDucts && mDuct && mDuct->Load(ixL)) {
            target.ixGroup = mDuct->GetAirflow();
            target.dwg = mDuct->GetDrawing();
        } else {
            return;
        }
    } else {
        target.ixGroup = mGroupKey;
        target.ixSch = ixSch > 0 ? std::to_string(ixSch) : "";
        target.dwg = dwg;
    }
    int found = findRow(header, target, mode);
    if (found >= 0) selectRow(found);
}

void CDialogProjectExplorerHVAC::sortOrderChanged() {
    int32_t chosen = mSortList.GetItemData(mSortList.GetCurSel());
    if (chosen == bCalloutFirst || chosen < 0) return;
    bCalloutFirst = chosen;
    int current = mGrid.model().focusCell().row;
    ExplorerRow row = rowAt(current);
    devType = row.devType;
    dwg = row.dwg;
    mGroupKey = row.ixGroup;
    ixSch = toInt(row.ixSch);
    mode = row.rowType;
    if (mode == "device") ixL = toInt(row.sValue);
    buildTree();
    locateRow();
}

// ---- buttons

void CDialogProjectExplorerHVAC::readCurrentRow(bool withSchedule) {
    ExplorerRow row = rowAt(mGrid.model().focusCell().row);
    ixL = toInt(row.ixList);
    devType = row.devType;
    if (!withSchedule) return;
    ixSch = toInt(row.ixSch);
    dwg = row.dwg;
}

bool CDialogProjectExplorerHVAC::currentRowIsDevice() const {
    return ixL > 0 && mGrid.model().text(mGrid.model().focusCell().row, 0) != kNoneInDatabase;
}

void CDialogProjectExplorerHVAC::storeSortOrder() const {
    writeRegistryString(kExplorerSettingsKey, kExplorerSortSetting, bCalloutFirst ? "1" : "0");
}

void CDialogProjectExplorerHVAC::findDevice() {
    readCurrentRow(false);
    if (!currentRowIsDevice()) return;
    exitDialog();
    EndDialog(kExplorerFindDevice);
}

void CDialogProjectExplorerHVAC::queryDevice() {
    readCurrentRow(true);
    if (currentRowIsDevice()) {
        exitDialog();
        EndDialog(kExplorerQueryDevice);
    } else if (mGrid.model().attribute(mGrid.model().focusCell().row, "bIsCallout") == "true") {
        exitDialog();
        EndDialog(kExplorerQuerySchedule);
    }
}

void CDialogProjectExplorerHVAC::exitDialog() {
    storeSortOrder();
    EndDialog(IDOK);
}

} // namespace hvac
