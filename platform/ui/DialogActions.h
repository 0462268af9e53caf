// The queue of actions that scripts fill before a dialog opens
// (host-dialog): what a person would do in the next dialogs, in order.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "ui/RowControl.h"

// A row as a script names it: a visible row index, the first visible row
// whose column 0 text is the string, or a path down the tree (each name the
// first matching row below the previous one).
struct DialogRowRef {
    std::variant<int, std::string, std::vector<std::string>> ref;
};

struct DialogAction {
    enum class Kind { kSelect, kSet, kExpand, kDrag, kPress, kChoose, kCancel };
    Kind kind = Kind::kCancel;
    std::vector<DialogRowRef> rows;  // select/set/expand: one; drag: the dragged rows
    DialogRowRef target;             // drag
    int column = 0;                  // select/set
    std::string text;                // set: the new text; press, choose: the control's caption
    int buttonId = 0;                // press, choose by control id (used when text is empty)
    std::string item;                // choose: the text of the list item picked
    DragModifier modifier = DragModifier::kNone;
};

void uiQueueDialogAction(DialogAction action);
// Takes the next action; false when the queue is empty.
bool uiNextDialogAction(DialogAction& action);
void uiClearDialogActions();
size_t uiPendingDialogActions();

// The action as a script writes it, for messages: ("set" 3 1 "noon").
std::string describeDialogAction(const DialogAction& action);

// The visible row a reference names, or -1 with the reason in why.
int resolveDialogRow(const RowControl& control, const DialogRowRef& row, std::string& why);
