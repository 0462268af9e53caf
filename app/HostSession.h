// One run of the host: the loaded module, the open documents and the
// AutoLISP interpreter that scripts run in.
#pragma once

#include <string>

#include "lisp/Interpreter.h"

class AcApDocument;
class AcDbDatabase;

class HostSession {
public:
    HostSession();
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Loads the module (its init message). False with a message on failure.
    bool loadModule();
    // Sends the module its unload message and releases it.
    bool unloadModule();
    bool moduleLoaded() const { return mModuleLoaded; }

    // Opens the drawing at path as a new current document (created empty
    // when the file does not exist). Paths are made absolute.
    AcApDocument* openDocument(const std::string& path, bool mustExist = false);
    AcApDocument* newDocument(const std::string& path);
    bool activateDocument(const std::string& path);
    bool closeDocument(const std::string& path);

    // Evaluates a script file; prints "; error: ..." and returns false when an
    // AutoLISP error ends it.
    bool runScript(const std::string& path);
    // Reads and evaluates forms from standard input, printing each value.
    void repl();

    lisp::Interpreter& lisp() { return mLisp; }
    static std::string absolutePath(const std::string& path);

private:
    void installDocumentHooks();
    void defineHostFunctions();
    lisp::Interpreter mLisp;
    bool mModuleLoaded = false;
};

// The module file the host loads.
inline constexpr const char* kModuleFileName = "zk_riza2015z64.arx";
