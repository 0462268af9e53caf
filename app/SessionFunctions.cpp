// Host functions for scripts around sessions: save under a new name, the
// automatic save, answers for message boxes, and the project file repair
// that the product's "compactDatabase" uses.
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/DrawingFiles.h"
#include "app/HostSession.h"
#include "ads/ads.h"
#include "database/dbdatabase.h"
#include "lisp/AdsHost.h"
#include "projectdb/projectfile.h"
#include "runtime/docman.h"
#include "runtime/editor.h"
#include "ui/MessageBox.h"

using lisp::Args;
using lisp::Interpreter;
using lisp::Ref;

namespace {

std::string& autoSaveName() {
    static std::string name = (std::filesystem::temp_directory_path() / "orvane-autosave.sv$").string();
    return name;
}

std::string stringArg(Args args, std::size_t index, const char* function) {
    if (index >= args.size() || !lisp::isType(args[index], lisp::Type::Str))
        lisp::raiseError(std::string("bad argument type: stringp ") +
                         (index < args.size() ? Interpreter::prin1Text(args[index]) : "nil") + " in " + function);
    return args[index]->str;
}

AcApDocument* currentDocument() {
    AcApDocument* doc = acDocManager->curDocument();
    if (!doc || !doc->database()) lisp::raiseError("no current drawing");
    return doc;
}

void registerSaveFileVariable() {
    adsRegisterSysVar(
        "savefile",
        [](resbuf* rb) {
            rb->restype = RTSTR;
            rb->resval.rstring = strdup(autoSaveName().c_str());
            return true;
        },
        [](const resbuf* value) {
            if (value->restype != RTSTR || !value->resval.rstring) return false;
            autoSaveName() = value->resval.rstring;
            return true;
        });
}

} // namespace

void defineSessionFunctions(lisp::Interpreter& lisp) {
    registerSaveFileVariable();
    lisp.defineBuiltin("host-saveas", [](Args args) -> Ref {
        AcApDocument* doc = currentDocument();
        std::string path = HostSession::absolutePath(stringArg(args, 0, "host-saveas"));
        std::string error;
        if (!saveDrawing(doc->database(), path, error)) lisp::raiseError("cannot save " + path + ": " + error);
        acDocManager->setFileName(doc, path);
        doc->database()->setFilename(path);
        acedEditorPtr()->fireSaveComplete(doc->database(), path.c_str());
        return Interpreter::string(path);
    }, 1, 1);
    lisp.defineBuiltin("host-autosave", [](Args) -> Ref {
        AcApDocument* doc = currentDocument();
        std::string path = autoSaveName();
        std::string error;
        if (!saveDrawing(doc->database(), path, error)) lisp::raiseError("cannot save " + path + ": " + error);
        acedEditorPtr()->fireSaveComplete(doc->database(), path.c_str());
        return Interpreter::string(path);
    }, 0, 0);
    lisp.defineBuiltin("host-answer", [](Args args) -> Ref {
        for (std::size_t i = 0; i < args.size(); ++i) uiQueueAnswer(stringArg(args, i, "host-answer"));
        return Interpreter::nil();
    });
    lisp.defineBuiltin("host-repair-project", [](Args args) -> Ref {
        projectdb::ProjectFileResult result = projectdb::repairProject(stringArg(args, 0, "host-repair-project"));
        if (!result.ok) acutPrintf("\n%s", result.message.c_str());
        return result.ok ? Interpreter::t() : Interpreter::nil();
    }, 1, 1);
    // Overwrites the start of a file with garbage (for repair tests).
    lisp.defineBuiltin("host-damage-file", [](Args args) -> Ref {
        std::string path = HostSession::absolutePath(stringArg(args, 0, "host-damage-file"));
        std::FILE* file = std::fopen(path.c_str(), "r+b");
        if (!file) lisp::raiseError("cannot open " + path);
        static const char garbage[] = "this is not a project database at all, it is damaged";
        std::fwrite(garbage, 1, sizeof garbage, file);
        std::fclose(file);
        return Interpreter::t();
    }, 1, 1);
    lisp.defineBuiltin("host-new-project", [](Args args) -> Ref {
        std::string dir = HostSession::absolutePath(stringArg(args, 0, "host-new-project"));
        std::string name = args.size() > 1 ? stringArg(args, 1, "host-new-project") : std::string{};
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        projectdb::ProjectFileResult result = projectdb::createProject(dir, name);
        if (!result.ok) lisp::raiseError(result.message);
        return Interpreter::string(result.path);
    }, 1, 2);
}
