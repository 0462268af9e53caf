// The AutoLISP command built-in: its arguments become the answers of acedCmd.
#include "editor/EditorBuiltins.h"

#include <memory>

#include "editor/EditorCommands.h"
#include "lisp/AdsConvert.h"
#include "lisp/Interpreter.h"

void registerCommandBuiltins(lisp::Interpreter& interpreter) {
    interpreter.defineBuiltin("command", [](lisp::Args a) -> lisp::Ref {
        for (const lisp::Ref& value : a)  // what a person could type or pick
            if (lisp::isCons(value) && !lisp::isNumber(value->car))
                lisp::raiseError("bad argument type: command answer: " + lisp::Interpreter::prin1Text(value));
        std::unique_ptr<resbuf, int (*)(resbuf*)> answers(lisp::valuesToResbufs(a), acutRelRb);
        acedCmd(answers.get());
        return nullptr;
    });
}
