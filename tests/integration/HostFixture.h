// A host with one open drawing and captured command-line output, for tests
// of the module's host layer.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "database/dbdatabase.h"
#include "database/dbline.h"
#include "database/dbsymtab.h"
#include "integration/FunctionTable.h"
#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"
#include "projectdb/projectfile.h"
#include "runtime/docman.h"
#include "runtime/editor.h"
#include "runtime/rxapp.h"
#include "tests/support/DocumentHooks.h"

class HostFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // Registry entries the host creates at start-up.
        acedEditorPtr();
        acedRegCmds();
        adsSetOutputSink([this](std::string_view text) { output.append(text); });
        installDocumentHooks();
        // A project folder with its database, holding the first drawing.
        char pattern[] = "/tmp/orv-host-XXXXXX";
        root = mkdtemp(pattern);
        projectDir = root + "/alpha";
        std::filesystem::create_directories(projectDir);
        projectdb::createProject(projectDir, "alpha");
        doc = acDocManager->createDocument(projectDir + "/A.dwg", new AcDbDatabase(true));
    }
    void TearDown() override {
        closeDocumentsAndRemoveHooks();
        adsSetOutputSink({});
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    // A new layer of the current drawing.
    AcDbObjectId addLayer(const std::string& name) {
        AcDbLayerTable* table = nullptr;
        EXPECT_EQ(doc->database()->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbLayerTableRecord;
        record->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, record), Acad::eOk);
        record->close();
        table->close();
        return id;
    }
    // A block of one line from the tip (0,0) back to (-1,0), like an arrow.
    AcDbObjectId addBlock(const std::string& name) {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(doc->database()->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbBlockTableRecord;
        record->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, record), Acad::eOk);
        table->close();
        auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(-1, 0, 0));
        EXPECT_EQ(record->appendAcDbEntity(line), Acad::eOk);
        line->close();
        record->close();
        return id;
    }
    void registerFunctionTableForTest() { registerFunctionTable(kLispFunctionTable, kLispFunctionCount, 0); }
    // Evaluates AutoLISP and returns the printed value (prin1 form).
    std::string eval(const std::string& source) {
        lisp::EvalResult r = interp.evalString(source);
        if (!r.ok) return "; error: " + r.error;
        return lisp::Interpreter::prin1Text(r.value);
    }

    std::string output;
    std::string root;
    std::string projectDir;
    AcApDocument* doc = nullptr;
    lisp::Interpreter interp;
};
