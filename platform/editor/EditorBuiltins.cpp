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
    // (getint [PROMPT]): an integer read from the input; nil on Escape. Text
    // that is not an integer is refused and the prompt repeated.
    interpreter.defineBuiltin("getint", [](lisp::Args args) -> lisp::Ref {
        const std::string prompt =
            !args.empty() && lisp::isType(args[0], lisp::Type::Str) ? args[0]->str : std::string();
        char text[256];
        while (acedGetString(0, prompt.c_str(), text, sizeof text) == RTNORM) {
            char* end = nullptr;
            const long value = std::strtol(text, &end, 10);
            if (end != text && *end == '\0' && value >= -32768 && value <= 32767)
                return lisp::Interpreter::integer(static_cast<int32_t>(value));
            acutPrintf("\nRequires an integer value.");
        }
        return lisp::Interpreter::nil();
    }, 0, 1);
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
}
