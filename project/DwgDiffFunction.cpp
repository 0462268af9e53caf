// zk_hvac-dwgDiff: the diffuser blocks dialog on the drawing's project or on
// a database given by path.
#include "ads/ads.h"
#include "database/dbdatabase.h"
#include "integration/DocData.h"
#include "integration/LispArgs.h"
#include "integration/ModuleFunctions.h"
#include "project/DbConnection.h"
#include "project/DialogReport.h"
#include "project/DwgDiffDialog.h"
#include "project/PrivateDatabase.h"
#include "project/ProjectData.h"
#include "runtime/docman.h"

LispStatus dwgDiff() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    std::string path;
    if (!cur.atEnd() && cur.node()->restype != RTNIL && !argString(cur, path)) return kLispWrongType;
    IProjectDatabasePtr db;
    bool privateDb = !path.empty();
    if (privateDb) {
        db = openPrivateDatabase(path);
    } else {
        zkPerDocData* doc = gDocDataManager ? gDocDataManager->currentDocData() : nullptr;
        if (doc && doc->project()->database().makeReady(true)) db = doc->project()->database().connection().database();
    }
    if (!db) return kLispOk;
    AcApDocument* document = acDocManager->document(acdbHostApplicationServices()->workingDatabase());
    bool locked = acDocManager->lockDocument(document, AcAp::kWrite, nullptr, nullptr, true) == 0;
    try {
        CDialogDwgDiff dialog(db);
        reportDialogFailure(dialog.DoModal());
    } catch (const _com_error&) {
        reportDatabaseError(db);
    }
    if (privateDb) closePrivateDatabase(db);
    if (locked) acDocManager->unlockDocument(document);
    acedRetNil();
    return kLispOk;
}
