// The host's run: module loading, documents and scripts.
#include "app/HostSession.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "app/DrawingFiles.h"
#include "lisp/AdsHost.h"
#include "runtime/docman.h"
#include "runtime/editor.h"
#include "runtime/rxapp.h"

namespace fs = std::filesystem;

HostSession::HostSession() {
    // The registry entries the host always has.
    acedRegCmds();
    acedEditorPtr();
    installDocumentHooks();
    defineHostFunctions();
}

HostSession::~HostSession() {
    // Drawings close first: their custom entities need the module's code.
    acDocManager->closeAll();
    if (mModuleLoaded) unloadModule();
    acDocManager->onCurrentChanged = nullptr;
    acDocManager->onDocumentLoaded = nullptr;
    acDocManager->onDocumentClosed = nullptr;
    acDocManager->databaseDeleter = nullptr;
}

void HostSession::installDocumentHooks() {
    acDocManager->onCurrentChanged = [](AcApDocument* doc) {
        adsSetFunctionContext(doc);
        setWorkingDrawing(doc ? doc->database() : nullptr);
    };
    acDocManager->onDocumentLoaded = [this](AcApDocument*) {
        if (mModuleLoaded) acrxSendAppMessage(kModuleFileName, AcRx::kLoadDwgMsg);
    };
    acDocManager->onDocumentClosed = [](AcApDocument* doc) { adsDropFunctionContext(doc); };
    acDocManager->databaseDeleter = [](AcDbDatabase* db) { deleteDrawing(db); };
}

std::string HostSession::absolutePath(const std::string& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

bool HostSession::loadModule() {
    if (mModuleLoaded) return true;
    if (!acrxLoadModule(kModuleFileName, false, false)) {
        std::cerr << "orvane-hvac: cannot load " << kModuleFileName << ": " << acrxLastLoadError() << "\n";
        return false;
    }
    mModuleLoaded = true;
    // Drawings already open get their load-drawing message, the current one
    // last so that it stays current.
    AcApDocument* current = acDocManager->curDocument();
    std::unique_ptr<AcApDocumentIterator> it(acDocManager->newAcApDocumentIterator());
    for (; !it->done(); it->step()) {
        if (it->document() == current) continue;
        adsSetFunctionContext(it->document());
        acrxSendAppMessage(kModuleFileName, AcRx::kLoadDwgMsg);
    }
    if (current) {
        adsSetFunctionContext(current);
        acrxSendAppMessage(kModuleFileName, AcRx::kLoadDwgMsg);
    }
    return true;
}

bool HostSession::unloadModule() {
    if (!mModuleLoaded) return true;
    if (!acrxUnloadModule(kModuleFileName, false)) return false;
    mModuleLoaded = false;
    // The module's functions disappear from every document.
    AcApDocument* current = acDocManager->curDocument();
    std::unique_ptr<AcApDocumentIterator> it(acDocManager->newAcApDocumentIterator());
    for (; !it->done(); it->step()) {
        adsSetFunctionContext(it->document());
        for (const auto& [name, code] : adsRegisteredFunctions()) acedUndef(name.c_str(), code);
    }
    adsSetFunctionContext(current);
    return true;
}

// One drawing file is one document: a second document on the same file
// would drop the first one's edits when either is saved or closed.
static void refuseOpenTwice(const std::string& name) {
    if (acDocManager->findDocument(name))
        throw lisp::LispError(name + " is already open as a document; use (host-activate PATH) to switch to it");
}

AcApDocument* HostSession::newDocument(const std::string& path) {
    std::string name = absolutePath(path);
    refuseOpenTwice(name);
    return acDocManager->createDocument(name, createDrawing());
}

AcApDocument* HostSession::openDocument(const std::string& path, bool mustExist) {
    std::string name = absolutePath(path);
    refuseOpenTwice(name);
    std::error_code ec;
    if (!fs::exists(name, ec)) {
        if (mustExist) throw lisp::LispError("drawing not found: " + name);
        return acDocManager->createDocument(name, createDrawing());
    }
    std::string error;
    AcDbDatabase* db = readDrawing(name, error);
    if (!db) throw lisp::LispError("cannot open " + name + ": " + error);
    return acDocManager->createDocument(name, db);
}

bool HostSession::activateDocument(const std::string& path) {
    AcApDocument* doc = acDocManager->findDocument(absolutePath(path));
    if (!doc) return false;
    acDocManager->activateDocument(doc);
    return true;
}

bool HostSession::closeDocument(const std::string& path) {
    AcApDocument* doc = acDocManager->findDocument(absolutePath(path));
    if (!doc) return false;
    acDocManager->closeDocument(doc);
    return true;
}

bool HostSession::runScript(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        lisp::Interpreter::printError("cannot open script " + path);
        return false;
    }
    lisp::EvalResult result = mLisp.evalFile(path);
    if (!result.ok) {
        if (!result.handled) lisp::Interpreter::printError(result.error);
        return false;
    }
    return true;
}

void HostSession::repl() {
    std::string error;
    for (;;) {
        adsWriteOutput("\nCommand: ");
        std::cout.flush();
        lisp::Ref form;
        auto status = mLisp.readForm(std::cin, form, error);
        if (status == lisp::Interpreter::ReadStatus::End) break;
        if (status == lisp::Interpreter::ReadStatus::Error) {
            lisp::Interpreter::printError(error);
            continue;
        }
        lisp::EvalResult result = mLisp.evalForm(form);
        if (result.ok)
            adsWriteOutput(lisp::Interpreter::prin1Text(result.value));
        else if (!result.handled)
            lisp::Interpreter::printError(result.error);
    }
    adsWriteOutput("\n");
}
