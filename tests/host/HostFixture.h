// A host with one open drawing and captured command-line output, for tests
// of the module's host layer.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "database/dbdatabase.h"
#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"
#include "runtime/docman.h"
#include "runtime/editor.h"
#include "runtime/rxapp.h"

class HostFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // Registry entries the host creates at start-up.
        acedEditorPtr();
        acedRegCmds();
        adsSetOutputSink([this](std::string_view text) { output.append(text); });
        acDocManager->onCurrentChanged = [](AcApDocument* doc) {
            adsSetFunctionContext(doc);
            acdbHostApplicationServices()->setWorkingDatabase(doc ? doc->database() : nullptr);
        };
        acDocManager->databaseDeleter = [](AcDbDatabase* db) {
            if (acdbHostApplicationServices()->workingDatabase() == db)
                acdbHostApplicationServices()->setWorkingDatabase(nullptr);
            delete db;
        };
        acDocManager->onDocumentClosed = [](AcApDocument* doc) { adsDropFunctionContext(doc); };
        doc = acDocManager->createDocument("/projects/alpha/A.dwg", new AcDbDatabase(true));
    }
    void TearDown() override {
        acDocManager->closeAll();
        acDocManager->onCurrentChanged = nullptr;
        acDocManager->databaseDeleter = nullptr;
        acDocManager->onDocumentClosed = nullptr;
        adsSetOutputSink({});
    }
    // Evaluates AutoLISP and returns the printed value (prin1 form).
    std::string eval(const std::string& source) {
        lisp::EvalResult r = interp.evalString(source);
        if (!r.ok) return "; error: " + r.error;
        return lisp::Interpreter::prin1Text(r.value);
    }

    std::string output;
    AcApDocument* doc = nullptr;
    lisp::Interpreter interp;
};
