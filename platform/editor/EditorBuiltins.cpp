// The host-input built-in of the host program.
#include "editor/EditorBuiltins.h"
#include "editor/EditorView.h"

#include "editor/EditorInput.h"

#include <cstdlib>
#include "lisp/Interpreter.h"

namespace {

bool toInputItem(const lisp::Ref& value, AcEdInputItem& item) {
    if (lisp::isType(value, lisp::Type::Str)) {
        item = AcEdInputItem::makeText(value->str);
        return true;
    }
    if (lisp::isNumber(value)) {
        item = AcEdInputItem::makeText(lisp::Interpreter::princText(value));
        return true;
    }
    if (!lisp::isCons(value)) return false;
    std::vector<lisp::Ref> parts = lisp::listItems(value);
    if (parts.size() < 2 || parts.size() > 3) return false;
    for (const lisp::Ref& part : parts)
        if (!lisp::isNumber(part)) return false;
    item = AcEdInputItem::makePoint(AcGePoint3d(lisp::numberValue(parts[0]), lisp::numberValue(parts[1]),
                                                parts.size() == 3 ? lisp::numberValue(parts[2]) : 0.0));
    return true;
}

} // namespace

void registerEditorBuiltins(lisp::Interpreter& interpreter) {
    acedOrthoMode(); // registers the editor's system variables
    registerEditorViewVars();
    registerModelXDataBuiltin(interpreter);
    interpreter.defineBuiltin("host-input", [](lisp::Args args) -> lisp::Ref {
        std::vector<AcEdInputItem> items;
        for (const lisp::Ref& arg : args) {
            AcEdInputItem item;
            if (!toInputItem(arg, item))
                lisp::raiseError("bad argument type: host-input expects a point or a string: " +
                                 lisp::Interpreter::prin1Text(arg));
            items.push_back(item);
        }
        for (const AcEdInputItem& item : items) acedQueueInput(item);
        return lisp::Interpreter::integer(static_cast<int32_t>(acedPendingInput()));
    });
    registerSelectionBuiltins(interpreter);
    registerCommandBuiltins(interpreter);
    registerInputBuiltins(interpreter);
    registerDatabaseBuiltins(interpreter);
    registerDictionaryBuiltins(interpreter);
}
