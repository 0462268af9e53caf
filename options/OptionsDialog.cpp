// The options dialog: its rows, loading and saving the settings, the
// dependent-row rules, the edit rule and the block browse.
#include "options/OptionsDialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "com/bstr.h"
#include "options/OptionSettings.h"
#include "project/DialogReport.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"

namespace hvac {

namespace {

constexpr int kLabel = 0, kValue = 1, kKey = 2, kNumeric = 3, kYesNo = 4;

std::string numberText(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", value);
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

bool isList(OptionKind kind) {
    return kind == OptionKind::kList || kind == OptionKind::kEditableList || kind == OptionKind::kYesNo ||
           kind == OptionKind::kNumberYesNo;
}

std::string rightTrimmed(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
    return s;
}

}  // namespace

COptions::COptions(std::string blockFolder, IProjectDatabasePtr db)
    : CAcUiDialog("Orvane HVAC Options"), mBlockFolder(std::move(blockFolder)),
      mGlobal(std::move(db), L"tblGlobal", L"ixGlobal") {
    addRowControl(IDC_OPTIONS_GRID, &mGrid);
    addButton(IDOK, "&OK");
    addButton(IDCANCEL, "&Cancel");
    GridControl::Handlers& h = mGrid.handlers();
    h.canEdit = [this](int row, int column) { return canEdit(row, column); };
    h.endEdit = [this](int row, int column) { endEdit(row, column); };
    h.selectionChanged = [this](int row, int) {
        if (row >= mGrid.model().fixedRowCount()) mKey = mGrid.model().text(row, kKey);
    };
}

bool COptions::OnInitDialog() {
    SetDialogName("zk_hvac:Options");
    StretchControlXY(IDC_OPTIONS_GRID, 100, 100);
    MoveControlXY(IDOK, 50, 100);
    MoveControlXY(IDCANCEL, 50, 100);
    buildRows();
    loadValues();
    if (!mKey.empty()) {
        int row = rowOfKey(mKey);
        if (row > 0) {
            mGrid.model().setFocusCell({row, kValue});
            mGrid.model().setSelectedRange({row, kValue, row, kValue});
            if (mStartEditing && canEdit(row, kValue)) mEditing = {row, kValue};
        }
    }
    return true;
}

void COptions::buildRows() {
    GridModel& m = mGrid.model();
    m.setColumnCount(5);
    m.setFixedRowCount(1);
    m.appendRow("Key", 0);
    const char* headers[] = {"Key", "Value", "Database Key", "bIsNumeric", "bIsYesNo"};
    for (int c = 1; c < 5; ++c) m.setText(0, c, headers[c]);
    for (int c = 2; c < 5; ++c) m.setColumnWidth(c, 0);
    for (const OptionSetting& s : optionSettings()) {
        int row = m.appendRow(s.label, s.level);
        m.setText(row, kKey, s.key);
        if (s.kind == OptionKind::kHeading || s.kind == OptionKind::kSubheading) {
            m.mergeCells(row, kLabel, kValue);
            GridCell& title = m.cell(row, kLabel);
            title.bold = true;
            title.textColor = GetSysColor(COLOR_WINDOWTEXT);
            title.backColor = GetSysColor(COLOR_BTNFACE);
            continue;
        }
        bool numeric = s.kind == OptionKind::kNumber || s.kind == OptionKind::kNumberYesNo;
        bool yesNo = s.kind == OptionKind::kYesNo || s.kind == OptionKind::kNumberYesNo;
        m.setText(row, kNumeric, numeric ? "-1" : "0");
        m.setText(row, kYesNo, yesNo ? "-1" : "0");
        GridCell& value = m.cell(row, kValue);
        value.kind = s.kind == OptionKind::kEditableList ? GridCellKind::kCombo
                     : isList(s.kind)                    ? GridCellKind::kDropList
                                                         : GridCellKind::kEdit;
        int data = 0;
        for (const OptionEntry& e : s.entries) value.entries.push_back({e.text, data++});
    }
}

int COptions::rowOfKey(const std::string& key) const {
    const GridModel& m = mGrid.model();
    for (int r = m.fixedRowCount(); r < m.rowCount(); ++r)
        if (m.text(r, kKey) == key) return r;
    return -1;
}

const OptionSetting* COptions::settingOfRow(int row) const {
    size_t index = size_t(row - mGrid.model().fixedRowCount());
    return row >= mGrid.model().fixedRowCount() && index < optionSettings().size() ? &optionSettings()[index]
                                                                                   : nullptr;
}

void COptions::loadValues() {
    GridModel& m = mGrid.model();
    for (int r = m.fixedRowCount(); r < m.rowCount(); ++r) {
        const OptionSetting* s = settingOfRow(r);
        if (!s || s->key.empty() || s->kind == OptionKind::kHeading || s->kind == OptionKind::kSubheading) continue;
        std::string shown;
        if (!mGlobal.read(L"sKey", _variant_t(utf8ToWide(s->key)))) {
            if (isLinedLabelFormat(s->key)) shown = kSameAsNonLined;
        } else if (mGlobal.boolean(L"bNumeric").value_or(false)) {
            shown = numberText(mGlobal.number(L"dNumber").value_or(0.0));
        } else {
            std::string text = wideToUtf8(mGlobal.text(L"sText").value_or(L""));
            if (m.text(r, kYesNo) == "-1") shown = text == "YES" ? "Yes" : "No";
            else if (s->kind == OptionKind::kList) shown = optionEntryForCode(*s, text);
            else if (isLinedLabelFormat(s->key) && text.empty()) shown = kSameAsNonLined;
            else shown = text;
        }
        m.setText(r, kValue, shown);
        applyDependentRules(r);
    }
}

void COptions::setRowEnabled(int row, bool enabled) {
    GridModel& m = mGrid.model();
    COLORREF colour = enabled ? CLR_DEFAULT : GetSysColor(COLOR_GRAYTEXT);
    m.cell(row, kLabel).textColor = colour;
    m.cell(row, kValue).textColor = colour;
}

bool COptions::rowDisabled(int row) const {
    const GridCell& value = mGrid.model().cell(row, kValue);
    return value.textColor == GetSysColor(COLOR_GRAYTEXT) && value.backColor == CLR_DEFAULT;
}

// The custom callout rows follow the callout style; the maximum ventilation
// percentage follows its switch.
void COptions::applyDependentRules(int row) {
    const GridModel& m = mGrid.model();
    const std::string& key = m.text(row, kKey);
    const std::string& value = m.text(row, kValue);
    if (key == "DIFFCALLOUT") {
        for (int i = 1; i <= 2; ++i) setRowEnabled(row + i, value == "Custom two line");
        for (int i = 3; i <= 5; ++i) setRowEnabled(row + i, value == "Custom single line");
    } else if (key == "bldg-setMaxOSAPercent") {
        setRowEnabled(row + 1, value == "Yes");
    }
}

bool COptions::canEdit(int row, int column) {
    const GridModel& m = mGrid.model();
    if (column != kValue || row < m.fixedRowCount() || m.text(row, kKey).empty() || rowDisabled(row)) return false;
    mPreviousValue = m.text(row, kValue);
    return true;
}

void COptions::endEdit(int row, int column) {
    if (column != kValue) return;
    const std::string& value = mGrid.model().text(row, kValue);
    if (value == kBrowseEntry || value == kCustomBlockEntry) browseBlock(row);
    else applyDependentRules(row);
}

// Picks a block drawing with the file-open dialog; the cell shows the
// drawing's name, or gets its previous value back when nothing was chosen.
void COptions::browseBlock(int row) {
    std::string name = rightTrimmed(mPreviousValue);
    if (name == "<2D Block Name>-3d") name.clear();
    if (name.empty()) {
        std::error_code ec;
        std::vector<std::string> drawings;
        for (const auto& entry : std::filesystem::directory_iterator(mBlockFolder.empty() ? "." : mBlockFolder, ec))
            if (entry.path().extension() == ".dwg") drawings.push_back(entry.path().filename().string());
        if (!drawings.empty()) name = *std::min_element(drawings.begin(), drawings.end());
    }
    std::erase_if(name, [](char c) { return std::string_view("<>|\"\\:/").find(c) != std::string_view::npos; });
    CFileDialog dialog(true, "dwg", name.empty() ? "" : mBlockFolder + name, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                       "Drawing (*.dwg)|*.dwg||");
    int result = reportDialogFailure(dialog.DoModal());
    mGrid.model().setText(row, kValue, result == IDOK ? dialog.GetFileTitle() : mPreviousValue);
}

void COptions::OnOK() {
    const GridModel& m = mGrid.model();
    for (int r = m.fixedRowCount(); r < m.rowCount(); ++r) saveRow(r);
    EndDialog(IDOK);
}

// Heading and subheading titles are not stored: nothing reads them.
void COptions::saveRow(int row) {
    const GridModel& m = mGrid.model();
    const OptionSetting* s = settingOfRow(row);
    const std::string& key = m.text(row, kKey);
    if (!s || key.empty() || s->kind == OptionKind::kHeading || s->kind == OptionKind::kSubheading) return;
    const std::string& value = m.text(row, kValue);
    if (!mGlobal.read(L"sKey", _variant_t(utf8ToWide(key)))) {
        mGlobal.setText(L"sKey", utf8ToWide(key));
        mGlobal.setInteger(L"bNumeric", m.text(row, kNumeric) == "-1" ? -1 : 0);
    }
    if (mGlobal.boolean(L"bNumeric").value_or(false)) {
        double number = key == "3DApproximation" ? std::max(8, std::atoi(value.c_str()))
                                                 : std::strtod(value.c_str(), nullptr);
        mGlobal.setNumber(L"dNumber", number);
        // A number that also carries its text (read by text readers) keeps
        // the two in step.
        if (mGlobal.text(L"sText")) mGlobal.setText(L"sText", utf8ToWide(numberText(number)));
    } else {
        std::string text = value;
        if (m.text(row, kYesNo) == "-1") text = value == "Yes" ? "YES" : "NO";
        else if (s->kind == OptionKind::kList) text = optionCodeForEntry(*s, value);
        else if (isLinedLabelFormat(key) && value == kSameAsNonLined) text.clear();
        mGlobal.setText(L"sText", utf8ToWide(text));
    }
    mGlobal.save();
}

}  // namespace hvac
