// The document hooks a test or benchmark host installs (the host program has
// its own, which also sends the module its drawing messages): the current
// document gives AutoLISP its function context and the working drawing, a
// closed document drops its context, and a deleted drawing stops being the
// working one first.
#pragma once

#include "database/dbdatabase.h"
#include "lisp/AdsHost.h"
#include "runtime/docman.h"

inline void installDocumentHooks() {
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
}

// Closes every document, then takes the hooks away.
inline void closeDocumentsAndRemoveHooks() {
    acDocManager->closeAll();
    acDocManager->onCurrentChanged = nullptr;
    acDocManager->databaseDeleter = nullptr;
    acDocManager->onDocumentClosed = nullptr;
}
