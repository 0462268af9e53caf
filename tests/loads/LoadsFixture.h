// A host with one open drawing, the module's function table registered and captured command-line output.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "database/dbdatabase.h"
#include "integration/FunctionTable.h"
#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"
#include "runtime/docman.h"
#include "tests/support/DocumentHooks.h"

class LoadsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        adsSetOutputSink([this](std::string_view text) { output.append(text); });
        installDocumentHooks();
        doc = acDocManager->createDocument("/projects/loads/A.dwg", new AcDbDatabase(true));
        registerFunctionTable(kLispFunctionTable, kLispFunctionCount, 0);
        eval("(zk_hvac-loads-resetRoomData)");
        eval("(zk_hvac-loads-resetWallData)");
        output.clear();
    }
    void TearDown() override {
        closeDocumentsAndRemoveHooks();
        adsSetOutputSink({});
    }
    // Evaluates AutoLISP and returns the value in its prin1 form.
    std::string eval(const std::string& source) {
        lisp::EvalResult r = interp.evalString(source);
        if (!r.ok) return "; error: " + r.error;
        return lisp::Interpreter::prin1Text(r.value);
    }

    std::string output;
    AcApDocument* doc = nullptr;
    lisp::Interpreter interp;
};
