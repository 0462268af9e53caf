// The diffuser blocks dialog: loading, moving, adding and deleting rows, and
// writing them back on OK.
#include "project/DwgDiffDialog.h"

#include <algorithm>
#include <cstdlib>

#include "ads/ads.h"
#include "com/bstr.h"
#include "integration/LispCallbacks.h"
#include "projectdb/fieldlisthelpers.h"
#include "ui/MessageBox.h"

namespace {

constexpr int kKeyColumn = 1, kDescription = 2, kNumber = 3, kType = 4;
const char* const kTypes[] = {"Rectangular", "Round", "Sidewall", "Slot"};

int32_t keyOfRow(const GridModel& m, int row) { return std::atoi(m.text(row, kKeyColumn).c_str()); }

}  // namespace

std::string uniqueBlockName(const std::vector<std::string>& taken) {
    std::string name = "New Diffuser Block";
    for (int n = 1; std::find(taken.begin(), taken.end(), name) != taken.end(); ++n)
        name = "New Diffuser Block (" + std::to_string(n) + ")";
    return name;
}

CDialogDwgDiff::CDialogDwgDiff(IProjectDatabasePtr db)
    : CAcUiDialog("Diffuser Blocks"), mRecord(std::move(db), L"tblDwgDiff", L"ixDwgDiff") {
    addRowControl(IDC_DWGDIFF_GRID, &mGrid);
    addButton(IDC_DWGDIFF_UP, "Move &Up", [this] { moveUp(); });
    addButton(IDC_DWGDIFF_DOWN, "Move Do&wn", [this] { moveDown(); });
    addButton(IDC_DWGDIFF_NEW, "&New", [this] { addBlock(); });
    addButton(IDC_DWGDIFF_DELETE, "&Delete", [this] { deleteSelected(); });
    addButton(IDOK, "&OK");
    addButton(IDCANCEL, "&Cancel");
}

bool CDialogDwgDiff::OnInitDialog() {
    SetDialogName("zk_hvac:dwgEquCustomization");
    StretchControlXY(IDC_DWGDIFF_GRID, 100, 100);
    MoveControlXY(IDOK, 50, 100);
    MoveControlXY(IDCANCEL, 50, 100);
    for (int id : {IDC_DWGDIFF_NEW, IDC_DWGDIFF_DELETE, IDC_DWGDIFF_UP, IDC_DWGDIFF_DOWN}) MoveControlX(id, 100);
    GridModel& m = mGrid.model();
    m.setColumnCount(5);
    m.setFixedRowCount(1);
    m.appendRow("", 0);
    m.setText(0, kDescription, "Description");
    m.setText(0, kNumber, "Block Number");
    m.setText(0, kType, "Type");
    m.setColumnWidth(0, 0);
    m.setColumnWidth(kKeyColumn, 0);
    loadRows();
    if (m.rowCount() > 1) {
        m.setFocusCell({1, kDescription});
        m.setSelectedRange({1, kDescription, 1, kDescription});
    }
    return true;
}

int CDialogDwgDiff::addRow(const std::string& key, const std::string& description, const std::string& number,
                           int32_t type) {
    GridModel& m = mGrid.model();
    int row = m.appendRow("", 0);
    m.setText(row, kKeyColumn, key);
    m.setText(row, kDescription, description);
    m.cell(row, kDescription).kind = GridCellKind::kEdit;
    m.setText(row, kNumber, number);
    m.cell(row, kNumber).kind = GridCellKind::kEdit;
    GridCell& typeCell = m.cell(row, kType);
    typeCell.kind = GridCellKind::kDropList;
    for (int t = 0; t < 4; ++t) typeCell.entries.push_back({kTypes[t], t});
    typeCell.itemData = type;
    typeCell.text = type >= 0 && type < 4 ? kTypes[type] : "";
    return row;
}

void CDialogDwgDiff::loadRows() {
    IProjectDatabasePtr& db = mRecord.database();
    if (!db) return;
    db.SetTable(L"tblDwgDiff", L"iSortOrder");
    if (db.IsEOF() && db.IsBOF()) return;
    _variant_t fields;
    for (bool more = db.MoveFirst(fields); more && !db.IsEOF(); more = db.MoveNext(1, fields)) {
        auto field = [&fields](const wchar_t* name) -> std::wstring {
            const VARIANT* v = fieldValue(fields, name);
            if (!v) return L"";
            switch (v->vt) {
            case VT_BSTR: return std::wstring(v->bstrVal, SysStringLen(v->bstrVal));
            case VT_I4: return std::to_wstring(v->lVal);
            case VT_I2: return std::to_wstring(v->iVal);
            case VT_R8: return std::to_wstring(static_cast<long>(v->dblVal));
            default: return L"";
            }
        };
        std::wstring description = field(L"sDescription");
        while (!description.empty() && description.back() == L' ') description.pop_back();
        addRow(wideToUtf8(field(L"ixDwgDiff")), wideToUtf8(description), wideToUtf8(field(L"iBlockNumber")),
               std::atoi(wideToUtf8(field(L"iBlockType")).c_str()));
    }
}

void CDialogDwgDiff::moveUp() {
    GridModel& m = mGrid.model();
    int r = m.focusCell().row;
    if (r < 2 || r >= m.rowCount()) return;
    m.swapRows(r, r - 1);
    m.setFocusCell({r - 1, std::max(m.focusCell().column, kDescription)});
    m.setSelectedRange({r - 1, kDescription, r - 1, kType});
}

void CDialogDwgDiff::moveDown() {
    GridModel& m = mGrid.model();
    int r = m.focusCell().row;
    if (r < 1 || r + 1 >= m.rowCount()) return;
    m.swapRows(r, r + 1);
    m.setFocusCell({r + 1, std::max(m.focusCell().column, kDescription)});
    m.setSelectedRange({r + 1, kDescription, r + 1, kType});
}

// A new row copies the row above (a "To Scale" or "Can Rotate" text becomes
// "0") and gets a name no other row has.
void CDialogDwgDiff::addBlock() {
    GridModel& m = mGrid.model();
    int above = m.rowCount() - 1;
    int row = addRow("-1", "", "", 0);
    if (above >= 1) {
        for (int c = kDescription; c < m.columnCount(); ++c) {
            std::string text = m.text(above, c);
            m.setText(row, c, text == "To Scale" || text == "Can Rotate" ? "0" : text);
        }
        m.cell(row, kType).itemData = m.cell(above, kType).itemData;
    }
    std::vector<std::string> taken;
    for (int r = 1; r < row; ++r) taken.push_back(m.text(r, kDescription));
    m.setText(row, kDescription, uniqueBlockName(taken));
    m.setFocusCell({row, kDescription});
    m.setSelectedRange({row, kDescription, row, kDescription});
}

bool CDialogDwgDiff::storedBlock(int32_t key) {
    DbRecord probe(mRecord.database(), L"tblDwgDiff", L"ixDwgDiff");
    return key != -1 && probe.read(L"ixDwgDiff", _variant_t(static_cast<int>(key)));
}

// Asks the product to remove the block from the drawings; its answer names
// the block that replaces it (0: none).
bool CDialogDwgDiff::askDeleteBlock(int32_t key, int32_t& replacing) {
    resbuf* args = acutBuildList(RTLONG, key, RTSTR, "Diff", RTSTR, "hvac", RTLB, 0);
    resbuf* tail = args;
    while (tail->rbnext) tail = tail->rbnext;
    for (const auto& [oldKey, newKey] : mReplacements) {
        tail->rbnext = acutBuildList(RTLB, RTLONG, oldKey, RTLONG, newKey, RTLE, 0);
        while (tail->rbnext) tail = tail->rbnext;
    }
    tail->rbnext = acutBuildList(RTLE, 0);
    LispCallResult answer;
    if (!invokeLisp("util-deleteBlocks", args, answer)) return false;
    const resbuf* node = answer.list();
    if (node && (node->restype == RTPOINT || node->restype == RT3DPOINT)) {
        replacing = static_cast<int32_t>(node->resval.rpoint[1]);
        return true;
    }
    if (node && node->restype == RTLB) node = node->rbnext;
    std::optional<double> first = node ? resultNumber(node) : std::nullopt;
    std::optional<double> second = node && node->rbnext ? resultNumber(node->rbnext) : std::nullopt;
    if (!first || !second) return false;
    replacing = static_cast<int32_t>(*second);
    return true;
}

void CDialogDwgDiff::addReplacement(int32_t deleted, int32_t replacing) {
    for (auto& pair : mReplacements)
        if (pair.second == deleted) pair.second = replacing;
    mReplacements.emplace_back(deleted, replacing);
}

void CDialogDwgDiff::deleteSelected() {
    GridModel& m = mGrid.model();
    GridRange range = m.selectedRange();
    if (!range.valid()) {
        GridCellRef focus = m.focusCell();
        if (!focus.valid()) return;
        range = {focus.row, focus.column, focus.row, focus.column};
    }
    int first = std::max(range.firstRow, 1);
    int last = std::min(range.lastRow, m.rowCount() - 1);
    int column = std::max(m.focusCell().column, kDescription);
    int row = first;
    for (int i = first; i <= last; ++i) {
        int32_t key = keyOfRow(m, row);
        if (!storedBlock(key)) {
            m.deleteRow(row);
            continue;
        }
        int32_t replacing = 0;
        if (!askDeleteBlock(key, replacing)) {
            ++row;
            continue;
        }
        m.deleteRow(row);
        addReplacement(key, replacing);
    }
    int select = first < m.rowCount() ? first : m.rowCount() - 1;
    if (select >= 1) {
        m.setFocusCell({select, column});
        m.setSelectedRange({select, column, select, column});
    } else {
        m.setFocusCell({-1, -1});
        m.setSelectedRange({-1, -1, -1, -1});
    }
}

void CDialogDwgDiff::OnOK() {
    IProjectDatabasePtr& db = mRecord.database();
    // The repointed schedules, the deletions and the rows are stored together
    // or not at all; a failure goes on to the caller's report.
    db.BeginTrans();
    try {
        saveChanges();
    } catch (...) {
        try {
            db.RollbackTrans();
        } catch (const _com_error&) {
        }
        throw;
    }
    db.CommitTrans();
    EndDialog(IDOK);
}

void CDialogDwgDiff::saveChanges() {
    IProjectDatabasePtr& db = mRecord.database();
    for (const auto& [oldKey, newKey] : mReplacements) {
        if (newKey != 0)
            db.Execute(("update tblDiffS set ixDwgDiff = " + std::to_string(newKey) + " where ixDwgDiff = " +
                        std::to_string(oldKey)).c_str());
        db.Execute(("delete from tblDwgDiff where ixDwgDiff = " + std::to_string(oldKey)).c_str());
    }
    const GridModel& m = mGrid.model();
    for (int r = 0; r < m.rowCount(); ++r) {
        int32_t key = keyOfRow(m, r);
        if (key == -1) mRecord.clear();
        else if (r == 0 || !mRecord.read(L"ixDwgDiff", _variant_t(static_cast<int>(key)))) continue;
        mRecord.setText(L"sDescription", utf8ToWide(m.text(r, kDescription)));
        mRecord.setInteger(L"iBlockNumber", std::atoi(m.text(r, kNumber).c_str()));
        mRecord.setInteger(L"iBlockType", m.cell(r, kType).itemData);
        mRecord.setInteger(L"iSortOrder", r);
        mRecord.save();
    }
}
