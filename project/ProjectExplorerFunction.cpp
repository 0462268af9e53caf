// zk_hvac-ProjectExplorer: the explorer on the drawing's project or on a
// database given by path. Queries of a device or a schedule go to the
// product and the explorer comes back on the same row; any other closing
// answers (("state" . result) ("ixL" . ixL) ("devType" . devType)).
#include "ads/ads.h"
#include "database/dbdatabase.h"
#include "integration/DocData.h"
#include "integration/LispArgs.h"
#include "integration/LispCallbacks.h"
#include "integration/ModuleFunctions.h"
#include "integration/ResultList.h"
#include "project/DbConnection.h"
#include "project/DialogReport.h"
#include "project/PrivateDatabase.h"
#include "project/ProjectData.h"
#include "project/ProjectExplorerDialog.h"
#include "runtime/docman.h"

namespace {

using hvac::CDialogProjectExplorerHVAC;

// What the explorer hands back and is shown again on.
struct ExplorerState {
    int32_t ixL = 0, devType = 0, ixSch = 0;
    std::string dwg, mode;
};

// Shows the explorer until it closes with something else than a query.
int runExplorer(const IProjectDatabasePtr& db, const std::string& caller, ExplorerState& state) {
    for (;;) {
        CDialogProjectExplorerHVAC dialog(caller);
        dialog.setInterface(db);
        dialog.devType = state.devType;
        dialog.ixL = state.ixL;
        dialog.ixSch = state.ixSch;
        dialog.dwg = state.dwg;
        dialog.mode = state.mode;
        int result = reportDialogFailure(dialog.DoModal());
        state.ixSch = dialog.ixSch;
        state.ixL = dialog.ixL;
        state.devType = dialog.devType;
        state.dwg = dialog.dwg;
        state.mode = state.ixL < 1 ? "callout" : "device";
        if (result == hvac::kExplorerQueryDevice)
            invokeLispIgnoringResult("projectExplorer-query-HVAC",
                                     acutBuildList(RTSHORT, state.ixL, RTSHORT, state.devType, 0));
        else if (result == hvac::kExplorerQuerySchedule)
            invokeLispIgnoringResult("projectExplorer-querySchedule-HVAC",
                                     acutBuildList(RTSHORT, state.ixSch, RTSHORT, state.devType, 0));
        else
            return result;
    }
}

} // namespace

LispStatus projectExplorer() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    ExplorerState state;
    std::string caller, path;
    if (cur.atEnd()) return kLispTooFewArgs;
    if (!argInt(cur, state.ixL)) return kLispWrongType;
    if (cur.atEnd()) return kLispTooFewArgs;
    if (!argInt(cur, state.devType)) return kLispWrongType;
    if (cur.atEnd()) return kLispTooFewArgs;
    if (!argString(cur, caller)) return kLispWrongType;
    if (!cur.atEnd() && cur.node()->restype != RTNIL && !argString(cur, path)) return kLispWrongType;
    state.mode = state.ixL > 0 ? "device" : "callout";

    IProjectDatabasePtr db;
    bool privateDb = !path.empty();
    if (privateDb) {
        db = openPrivateDatabase(path, true);
    } else {
        zkPerDocData* doc = gDocDataManager ? gDocDataManager->currentDocData() : nullptr;
        if (doc && doc->project()->database().makeReady(true)) db = doc->project()->database().connection().database();
    }
    if (!db) return kLispOk;

    AcApDocument* document = acDocManager->document(acdbHostApplicationServices()->workingDatabase());
    bool locked = acDocManager->lockDocument(document, AcAp::kWrite, nullptr, nullptr, true) == 0;
    bool answered = false;
    int result = 0;
    try {
        result = runExplorer(db, caller, state);
        answered = true;
    } catch (const _com_error&) {
        reportDatabaseError(db);
    }
    if (privateDb) closePrivateDatabase(db);
    if (locked) acDocManager->unlockDocument(document);
    if (!answered) return kLispOk;
    ResultList list;
    list.begin();
    list.addStringInt("state", result);
    list.addStringInt("ixL", state.ixL);
    list.addStringInt("devType", state.devType);
    list.finish();
    return kLispOk;
}
