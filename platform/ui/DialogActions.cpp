// The dialog action queue and row references.
#include "ui/DialogActions.h"

#include <deque>

namespace {

std::deque<DialogAction>& queue() {
    static std::deque<DialogAction> actions;
    return actions;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string describeRow(const DialogRowRef& row) {
    if (const int* index = std::get_if<int>(&row.ref)) return std::to_string(*index);
    if (const std::string* label = std::get_if<std::string>(&row.ref)) return quoted(*label);
    std::string text = "(";
    for (const std::string& name : std::get<std::vector<std::string>>(row.ref))
        text += (text.size() > 1 ? " " : "") + quoted(name);
    return text + ")";
}

// First visible row in [from, to) whose label is name.
int findLabel(const RowControl& control, const std::string& name, int from, int to) {
    for (int row = from; row < to; ++row)
        if (control.visibleRowLabel(row) == name) return row;
    return -1;
}

// One past the last visible row below row (its subtree).
int subtreeEnd(const RowControl& control, int row) {
    int level = control.visibleRowLevel(row), end = row + 1;
    while (end < control.visibleRowCount() && control.visibleRowLevel(end) > level) ++end;
    return end;
}

} // namespace

void uiQueueDialogAction(DialogAction action) { queue().push_back(std::move(action)); }

bool uiNextDialogAction(DialogAction& action) {
    if (queue().empty()) return false;
    action = std::move(queue().front());
    queue().pop_front();
    return true;
}

void uiClearDialogActions() { queue().clear(); }
size_t uiPendingDialogActions() { return queue().size(); }

std::string describeDialogAction(const DialogAction& action) {
    using Kind = DialogAction::Kind;
    switch (action.kind) {
    case Kind::kSelect:
        return "(\"select\" " + describeRow(action.rows.at(0)) + " " + std::to_string(action.column) + ")";
    case Kind::kSet:
        return "(\"set\" " + describeRow(action.rows.at(0)) + " " + std::to_string(action.column) + " " +
               quoted(action.text) + ")";
    case Kind::kExpand: return "(\"expand\" " + describeRow(action.rows.at(0)) + ")";
    case Kind::kDrag: {
        std::string rows;
        for (const DialogRowRef& row : action.rows) rows += (rows.empty() ? "" : " ") + describeRow(row);
        const char* modifier = action.modifier == DragModifier::kCtrl    ? " \"ctrl\""
                               : action.modifier == DragModifier::kShift ? " \"shift\""
                                                                         : "";
        return "(\"drag\" (" + rows + ") " + describeRow(action.target) + modifier + ")";
    }
    case Kind::kPress:
        return "(\"press\" " + (action.text.empty() ? std::to_string(action.buttonId) : quoted(action.text)) + ")";
    case Kind::kChoose:
        return "(\"choose\" " + (action.text.empty() ? std::to_string(action.buttonId) : quoted(action.text)) + " " +
               quoted(action.item) + ")";
    case Kind::kCancel: return "(\"cancel\")";
    }
    return "()";
}

int resolveDialogRow(const RowControl& control, const DialogRowRef& row, std::string& why) {
    int count = control.visibleRowCount();
    if (const int* index = std::get_if<int>(&row.ref)) {
        if (*index >= 0 && *index < count) return *index;
        why = "there is no row " + std::to_string(*index);
        return -1;
    }
    if (const std::string* label = std::get_if<std::string>(&row.ref)) {
        int found = findLabel(control, *label, 0, count);
        if (found < 0) why = "there is no row " + quoted(*label);
        return found;
    }
    const auto& path = std::get<std::vector<std::string>>(row.ref);
    int found = -1, from = 0, to = count;
    for (const std::string& name : path) {
        found = findLabel(control, name, from, to);
        if (found < 0) {
            why = "there is no row " + describeRow(row);
            return -1;
        }
        from = found + 1;
        to = subtreeEnd(control, found);
    }
    if (found < 0) why = "an empty row path names no row";
    return found;
}
