// The headless modal dialog: printing, the action loop, buttons and anchors.
#include "ui/AcUiDialog.h"

#include <algorithm>
#include <set>

#include "ads/ads.h"
#include "ui/DialogActions.h"
#include "ui/MessageBox.h"

namespace {

// A cell's text on one printed line: line breaks inside a cell become blanks.
std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string rowLine(const RowControl& control, int row) {
    std::vector<std::string> texts = control.visibleRowTexts(row);
    while (!texts.empty() && texts.back().empty()) texts.pop_back();
    std::string line(size_t(2 * std::max(0, control.visibleRowLevel(row))), ' ');
    for (size_t i = 0; i < texts.size(); ++i) line += (i ? " | " : "") + oneLine(texts[i]);
    return line;
}

// The caption as a person reads it: "&OK" is "OK".
std::string withoutMnemonic(const std::string& caption) {
    std::string text;
    for (char c : caption)
        if (c != '&') text += c;
    return text;
}

} // namespace

int CDropList::AddString(std::string text, int32_t data) {
    mItems.push_back({std::move(text), data});
    return GetCount() - 1;
}

bool CDropList::SetCurSel(int index) {
    bool valid = index >= 0 && index < GetCount();
    mCurrent = valid ? index : -1;
    return valid;
}

int32_t CDropList::GetItemData(int index) const {
    return index >= 0 && index < GetCount() ? mItems[size_t(index)].data : -1;
}

std::string CDropList::GetText(int index) const {
    return index >= 0 && index < GetCount() ? mItems[size_t(index)].text : "";
}

int CDropList::FindString(const std::string& text) const {
    for (int i = 0; i < GetCount(); ++i)
        if (mItems[size_t(i)].text == text) return i;
    return -1;
}

CAcUiDialog::CAcUiDialog(std::string title) : mTitle(std::move(title)) {}
CAcUiDialog::~CAcUiDialog() = default;

void CAcUiDialog::addButton(int id, std::string caption, std::function<void()> onPress) {
    mControls.push_back({id, std::move(caption), nullptr, std::move(onPress), true});
}

void CAcUiDialog::addRowControl(int id, RowControl* control) { mControls.push_back({id, "", control, {}, false}); }

void CAcUiDialog::addStatic(std::string caption) {
    mControls.push_back({IDC_STATIC, std::move(caption), nullptr, {}, false});
}

void CAcUiDialog::addDropList(int id, std::string label, CDropList* list, std::function<void()> onChange) {
    Control c{id, std::move(label), nullptr, std::move(onChange), false};
    c.list = list;
    mControls.push_back(std::move(c));
}

const CAcUiDialog::Control* CAcUiDialog::control(int id) const {
    for (const Control& c : mControls)
        if (c.id == id) return &c;
    return nullptr;
}

CAcUiDialog::Anchor& CAcUiDialog::anchor(int id) {
    for (Anchor& a : mAnchors)
        if (a.id == id) return a;
    mAnchors.push_back({id});
    return mAnchors.back();
}

void CAcUiDialog::StretchControlXY(int id, int percentX, int percentY) {
    Anchor& a = anchor(id);
    a.growX = percentX;
    a.growY = percentY;
}

void CAcUiDialog::MoveControlXY(int id, int percentX, int percentY) {
    Anchor& a = anchor(id);
    a.moveX = percentX;
    a.moveY = percentY;
}

RowControl* CAcUiDialog::rowControl() const {
    for (const Control& c : mControls)
        if (c.rows) return c.rows;
    return nullptr;
}

std::string CAcUiDialog::picture() const {
    std::string text = "\n[dialog " + mTitle + "]";
    for (const Control& c : mControls) {
        if (c.list) text += "\n" + c.caption + " " + c.list->GetText(c.list->GetCurSel());
        if (!c.rows) continue;
        for (int row = 0; row < c.rows->visibleRowCount(); ++row) text += "\n" + rowLine(*c.rows, row);
    }
    return text;
}

void CAcUiDialog::EndDialog(int result) {
    mResult = result;
    mEnded = true;
}

int CAcUiDialog::DoModal() {
    std::set<int> ids;
    for (const Control& c : mControls)
        if (c.id != IDC_STATIC && !ids.insert(c.id).second) return -1;
    mEnded = false;
    mResult = 0;
    if (!OnInitDialog()) return -1;
    mRunning = true;
    acutPrintf("%s", picture().c_str());
    while (!mEnded) {
        DialogAction action;
        if (!uiNextDialogAction(action)) action.kind = DialogAction::Kind::kCancel;
        perform(action);
    }
    mRunning = false;
    acutPrintf("%s", picture().c_str());
    acutPrintf("\n[dialog %s closed: %d]", mTitle.c_str(), mResult);
    return mResult;
}

void CAcUiDialog::perform(const DialogAction& action) {
    std::string refused = act(action);
    if (!refused.empty())
        acutPrintf("\n[dialog %s] %s refused: %s", mTitle.c_str(), describeDialogAction(action).c_str(),
                   refused.c_str());
}

std::string CAcUiDialog::act(const DialogAction& action) {
    using Kind = DialogAction::Kind;
    if (action.kind == Kind::kCancel) {
        OnCancel();
        return "";
    }
    if (action.kind == Kind::kPress) return press(action);
    if (action.kind == Kind::kChoose) return choose(action);
    RowControl* rows = rowControl();
    if (!rows) return "the dialog has no rows";
    std::string why;
    if (action.kind == Kind::kDrag) {
        std::vector<int> dragged;
        for (const DialogRowRef& ref : action.rows) {
            int row = resolveDialogRow(*rows, ref, why);
            if (row < 0) return why;
            dragged.push_back(row);
        }
        int target = resolveDialogRow(*rows, action.target, why);
        if (target < 0) return why;
        return rows->userDrag(dragged, target, action.modifier);
    }
    if (action.rows.empty()) return "no row given";
    int row = resolveDialogRow(*rows, action.rows.front(), why);
    if (row < 0) return why;
    switch (action.kind) {
    case Kind::kSelect: return rows->userSelect(row, action.column);
    case Kind::kSet: return rows->userSetText(row, action.column, action.text);
    case Kind::kExpand: return rows->userExpand(row);
    default: return "unknown action";
    }
}

std::string CAcUiDialog::press(const DialogAction& action) {
    const Control* pressed = nullptr;
    for (const Control& c : mControls) {
        if (!c.button) continue;
        bool match = action.text.empty() ? c.id == action.buttonId
                                         : c.caption == action.text || withoutMnemonic(c.caption) == action.text;
        if (match) {
            pressed = &c;
            break;
        }
    }
    if (!pressed) return "the dialog has no such button";
    if (pressed->onPress) pressed->onPress();
    else if (pressed->id == IDOK) OnOK();
    else if (pressed->id == IDCANCEL) OnCancel();
    return "";
}

std::string CAcUiDialog::choose(const DialogAction& action) {
    for (const Control& c : mControls) {
        if (!c.list) continue;
        bool match = action.text.empty() ? c.id == action.buttonId
                                         : c.caption == action.text || withoutMnemonic(c.caption) == action.text;
        if (!match) continue;
        int index = c.list->FindString(action.item);
        if (index < 0) return "the list has no item \"" + action.item + "\"";
        c.list->SetCurSel(index);
        if (c.onPress) c.onPress();
        return "";
    }
    return "the dialog has no such list";
}
