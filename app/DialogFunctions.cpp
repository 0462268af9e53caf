// The host-dialog built-in: queues what a person does in the next dialogs.
#include <algorithm>
#include <cctype>

#include "lisp/Interpreter.h"
#include "ui/DialogActions.h"

using lisp::Args;
using lisp::Interpreter;
using lisp::Ref;

namespace {

[[noreturn]] void badAction(const Ref& action, const std::string& why) {
    lisp::raiseError("bad argument: host-dialog " + why + ": " + Interpreter::prin1Text(action));
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool toRow(const Ref& value, DialogRowRef& row) {
    if (lisp::isType(value, lisp::Type::Int)) {
        row.ref = int(value->u.i);
        return true;
    }
    if (lisp::isType(value, lisp::Type::Str)) {
        row.ref = value->str;
        return true;
    }
    if (!lisp::isCons(value)) return false;
    std::vector<std::string> path;
    for (const Ref& name : lisp::listItems(value)) {
        if (!lisp::isType(name, lisp::Type::Str)) return false;
        path.push_back(name->str);
    }
    row.ref = path;
    return true;
}

DialogAction toAction(const Ref& value) {
    if (!lisp::isCons(value)) badAction(value, "expects a list such as (\"press\" \"&OK\")");
    std::vector<Ref> parts = lisp::listItems(value);
    if (!lisp::isType(parts[0], lisp::Type::Str)) badAction(value, "expects an action name first");
    std::string name = lower(parts[0]->str);
    size_t count = parts.size();
    DialogAction action;
    DialogRowRef row;
    auto needRow = [&](size_t i) {
        if (i >= count || !toRow(parts[i], row)) badAction(value, "expects a row (index, label or path)");
        action.rows.push_back(row);
    };
    auto needColumn = [&](size_t i) {
        if (i >= count || !lisp::isType(parts[i], lisp::Type::Int)) badAction(value, "expects a column number");
        action.column = int(parts[i]->u.i);
    };
    if (name == "select" && count == 3) {
        action.kind = DialogAction::Kind::kSelect;
        needRow(1);
        needColumn(2);
    } else if (name == "set" && count == 4) {
        action.kind = DialogAction::Kind::kSet;
        needRow(1);
        needColumn(2);
        if (!lisp::isType(parts[3], lisp::Type::Str)) badAction(value, "expects the text to set");
        action.text = parts[3]->str;
    } else if (name == "expand" && count == 2) {
        action.kind = DialogAction::Kind::kExpand;
        needRow(1);
    } else if (name == "drag" && (count == 3 || count == 4)) {
        action.kind = DialogAction::Kind::kDrag;
        if (!lisp::isCons(parts[1])) badAction(value, "expects the list of dragged rows");
        for (const Ref& item : lisp::listItems(parts[1])) {
            if (!toRow(item, row)) badAction(value, "expects rows to drag");
            action.rows.push_back(row);
        }
        if (!toRow(parts[2], action.target)) badAction(value, "expects a target row");
        if (count == 4) {
            std::string modifier = lisp::isType(parts[3], lisp::Type::Str) ? lower(parts[3]->str) : "";
            if (modifier == "ctrl") action.modifier = DragModifier::kCtrl;
            else if (modifier == "shift") action.modifier = DragModifier::kShift;
            else badAction(value, "expects the modifier \"ctrl\" or \"shift\"");
        }
    } else if (name == "press" && count == 2) {
        action.kind = DialogAction::Kind::kPress;
        if (lisp::isType(parts[1], lisp::Type::Str) && !parts[1]->str.empty()) action.text = parts[1]->str;
        else if (lisp::isType(parts[1], lisp::Type::Int)) action.buttonId = int(parts[1]->u.i);
        else badAction(value, "expects a button caption or control id");
    } else if (name == "choose" && count == 3) {
        action.kind = DialogAction::Kind::kChoose;
        if (lisp::isType(parts[1], lisp::Type::Str) && !parts[1]->str.empty()) action.text = parts[1]->str;
        else if (lisp::isType(parts[1], lisp::Type::Int)) action.buttonId = int(parts[1]->u.i);
        else badAction(value, "expects a list's label or control id");
        if (!lisp::isType(parts[2], lisp::Type::Str)) badAction(value, "expects the item's text");
        action.item = parts[2]->str;
    } else if (name == "cancel" && count == 1) {
        action.kind = DialogAction::Kind::kCancel;
    } else {
        static const std::pair<const char*, const char*> usages[] = {
            {"select", "(\"select\" ROW COL)"}, {"set", "(\"set\" ROW COL TEXT)"}, {"expand", "(\"expand\" ROW)"},
            {"drag", "(\"drag\" (ROW ...) TARGET [MODIFIER])"}, {"press", "(\"press\" BUTTON)"},
            {"choose", "(\"choose\" LIST ITEM)"},
            {"cancel", "(\"cancel\")"}};
        for (const auto& [known, usage] : usages)
            if (name == known) badAction(value, std::string("expects ") + usage);
        badAction(value, "does not know the action");
    }
    return action;
}

} // namespace

void defineDialogFunctions(lisp::Interpreter& lisp) {
    // (host-dialog ACTION ...): every action is checked before any is queued.
    lisp.defineBuiltin("host-dialog", [](Args args) -> Ref {
        std::vector<DialogAction> actions;
        for (const Ref& arg : args) actions.push_back(toAction(arg));
        for (DialogAction& action : actions) uiQueueDialogAction(std::move(action));
        return Interpreter::integer(int32_t(uiPendingDialogActions()));
    });
}
