// Call wrapper: document lock, project check, status mapping.
#include "integration/LispCall.h"

#include <optional>

#include "ads/ads.h"
#include "database/dbdatabase.h"
#include "integration/CallTransaction.h"
#include "integration/DocData.h"
#include "integration/ModuleLifetime.h"
#include "project/ProjectData.h"
#include "runtime/docman.h"
#include "runtime/exceptions.h"

namespace {

AcApDocument* workingDocument() {
    return acDocManager->document(acdbHostApplicationServices()->workingDatabase());
}

// The current drawing's project database when its connection is open.
IProjectDatabasePtr openProjectDatabase(DocDataManager* manager) {
    DocDataManager* documents = manager ? manager : gDocDataManager;
    zkPerDocData* drawing = documents ? documents->currentDocData() : nullptr;
    if (!drawing) return nullptr;
    DbConnection& connection = drawing->project()->database().connection();
    return connection.isOpen() ? connection.database() : nullptr;
}

} // namespace

int returnCodeOf(int status) {
    switch (status) {
    case kLispTooFewArgs:
    case kLispWrongType:
    case kLispBadData:
    case kLispReported: return RSERR;
    default: return RSRSLT;
    }
}

const char* messageOf(int status) {
    switch (status) {
    case kLispTooFewArgs: return "\nToo few arguments passed.\n";
    case kLispWrongType: return "\nWrong type of arguments passed.\n";
    case kLispBadData: return "\nBad data passed .\n";
    default: return nullptr;
    }
}

int invokeLispFunction(LispImplementation implementation, DocDataManager* manager) {
    if (manager && !manager->currentDocData()) return RSRSLT;
    ModuleCallScope running;
    bool locked = false;
    auto unlock = [&] {
        if (locked) acDocManager->unlockDocument(workingDocument());
        locked = false;
    };
    try {
        // The lock's result is not looked at: the function runs regardless.
        locked = acDocManager->lockDocument(workingDocument(), AcAp::kWrite, nullptr, nullptr, true) == 0;
        std::optional<CallTransaction> transaction;
        if (manager) {
            zkPerDocData* drawing = manager->currentDocData();
            if (!drawing->project()->makeReady(true)) {
                unlock();
                return RSRSLT;
            }
            drawing->projectReady();
        }
        // The call's rows are stored together at its end, or none of them.
        if (IProjectDatabasePtr db = openProjectDatabase(manager)) transaction.emplace(std::move(db));
        int status = implementation();
        if (transaction) {
            if (returnCodeOf(status) == RSERR) transaction->rollback();
            else transaction->commit();  // a failed commit reports itself
            transaction.reset();
        }
        if (status == kLispReported) acedTextScr();
        if (const char* message = messageOf(status)) acutPrintf("%s", message);
        unlock();
        return returnCodeOf(status);
    } catch (CException*) {
        unlock();
        acutPrintf("\nGeneral Exception");
        throw;
    } catch (...) {
        unlock();
        acutPrintf("\nError");
        throw;
    }
}
