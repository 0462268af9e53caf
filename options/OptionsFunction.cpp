// zk_hvac-options: entered directly (not through the call wrapper), opens the
// options dialog on the drawing's project or on a database given by path and
// answers the key of the row selected last.
#include "ads/ads.h"
#include "database/dbdatabase.h"
#include "integration/DocData.h"
#include "integration/LispArgs.h"
#include "integration/ModuleFunctions.h"
#include "integration/ResultList.h"
#include "options/OptionsDialog.h"
#include "project/DbConnection.h"
#include "project/DialogReport.h"
#include "project/PrivateDatabase.h"
#include "project/ProjectData.h"
#include "runtime/docman.h"
#include "ui/MessageBox.h"

namespace {

struct OptionsArgs {
    std::string blockFolder;
    std::string initialKey;
    bool startEditing = false;
    std::string databasePath;
};

// Only the block folder is required; a missing or mistyped later argument
// takes its default and the reading goes on after it.
bool readOptionsArgs(OptionsArgs& out) {
    LispArgs args;
    ArgCursor cur(args);
    if (!argString(cur, out.blockFolder)) return false;
    if (!argString(cur, out.initialKey)) argSkip(cur);
    if (!argBool(cur, out.startEditing)) argSkip(cur);
    argString(cur, out.databasePath);
    return true;
}

AcApDocument* workingDocument() {
    return acDocManager->document(acdbHostApplicationServices()->workingDatabase());
}

}  // namespace

int optionsDirect() {
    acedRetNil();
    OptionsArgs args;
    if (!readOptionsArgs(args)) {
        acutPrintf("\nWrong type of arguments passed.\n");
        return RSRSLT;
    }
    IProjectDatabasePtr db;
    bool privateDb = !args.databasePath.empty();
    if (privateDb) {
        db = openPrivateDatabase(args.databasePath);
    } else {
        zkPerDocData* doc = gDocDataManager ? gDocDataManager->currentDocData() : nullptr;
        if (doc && doc->project()->database().makeReady(true)) db = doc->project()->database().connection().database();
    }
    if (!db) return RSRSLT;
    bool locked = acDocManager->lockDocument(workingDocument(), AcAp::kWrite, nullptr, nullptr, true) == 0;
    std::string key;
    try {
        hvac::COptions dialog(args.blockFolder, db);
        dialog.setInitialKey(args.initialKey);
        dialog.setStartEditing(args.startEditing);
        const bool saved = reportDialogFailure(dialog.DoModal()) == IDOK;
        key = dialog.currentKey();
        // Saved settings may change the duct defaults the project holds (a
        // private database may be this project's file too).
        zkPerDocData* doc = gDocDataManager ? gDocDataManager->currentDocData() : nullptr;
        if (saved && doc) doc->project()->database().refreshDuctDefaults();
        ResultList result;
        result.begin();
        result.addString(key);
        result.finish();
    } catch (const _com_error&) {
        reportDatabaseError(db);
    }
    if (privateDb) closePrivateDatabase(db);
    if (locked) acDocManager->unlockDocument(workingDocument());
    return RSRSLT;
}
