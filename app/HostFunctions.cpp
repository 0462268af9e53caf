// Host functions for scripts: documents, module loading and the registered
// function table.
#include "app/HostSession.h"
#include "database/dbdatabase.h"
#include "editor/EditorBuiltins.h"
#include "lisp/AdsHost.h"
#include "runtime/docman.h"

using lisp::Args;
using lisp::Interpreter;
using lisp::Ref;

namespace {

std::string stringArg(Args args, std::size_t index, const char* function) {
    if (index >= args.size() || !lisp::isType(args[index], lisp::Type::Str))
        lisp::raiseError(std::string("bad argument type: stringp ") +
                         (index < args.size() ? Interpreter::prin1Text(args[index]) : "nil") + " in " + function);
    return args[index]->str;
}

} // namespace

void defineEntityFunctions(lisp::Interpreter& lisp, HostSession& session);
void defineSessionFunctions(lisp::Interpreter& lisp);
void defineProjectSqlFunction(lisp::Interpreter& lisp);
void defineDialogFunctions(lisp::Interpreter& lisp);

void HostSession::defineHostFunctions() {
    defineEntityFunctions(mLisp, *this);
    registerEditorBuiltins(mLisp);
    defineSessionFunctions(mLisp);
    defineProjectSqlFunction(mLisp);
    defineDialogFunctions(mLisp);
    mLisp.defineBuiltin("host-new", [this](Args args) -> Ref {
        newDocument(stringArg(args, 0, "host-new"));
        return Interpreter::nil();
    }, 1, 1);
    mLisp.defineBuiltin("host-open", [this](Args args) -> Ref {
        openDocument(stringArg(args, 0, "host-open"), true);
        return Interpreter::nil();
    }, 1, 1);
    mLisp.defineBuiltin("host-activate", [this](Args args) -> Ref {
        std::string path = stringArg(args, 0, "host-activate");
        if (!activateDocument(path)) lisp::raiseError("no open document " + absolutePath(path));
        return Interpreter::nil();
    }, 1, 1);
    mLisp.defineBuiltin("host-close", [this](Args args) -> Ref {
        std::string path = stringArg(args, 0, "host-close");
        if (!closeDocument(path)) lisp::raiseError("no open document " + absolutePath(path));
        return Interpreter::nil();
    }, 1, 1);
    mLisp.defineBuiltin("host-unload", [this](Args) -> Ref {
        if (!unloadModule()) lisp::raiseError("the module was not unloaded");
        return Interpreter::nil();
    }, 0, 0);
    mLisp.defineBuiltin("host-load", [this](Args) -> Ref {
        if (!loadModule()) lisp::raiseError("the module cannot be loaded");
        return Interpreter::nil();
    }, 0, 0);
    mLisp.defineBuiltin("host-functions", [](Args) -> Ref {
        std::vector<Ref> items;
        for (const auto& [name, code] : adsRegisteredFunctions())
            items.push_back(Interpreter::cons(Interpreter::string(name), Interpreter::integer(code)));
        return Interpreter::list(items);
    }, 0, 0);
    // The host's file search: as given, the drawing's folder, then the
    // ORVANE_SUPPORT folders.
    mLisp.defineBuiltin("findfile", [](Args args) -> Ref {
        std::string found;
        std::string name = stringArg(args, 0, "findfile");
        if (acdbHostApplicationServices()->findFile(found, name.c_str()) != Acad::eOk) return Interpreter::nil();
        return Interpreter::string(absolutePath(found));
    }, 1, 1);
    mLisp.defineBuiltin("host-document", [](Args) -> Ref {
        AcApDocument* doc = acDocManager->curDocument();
        return doc ? Interpreter::string(doc->fileName()) : Interpreter::nil();
    }, 0, 0);
}
