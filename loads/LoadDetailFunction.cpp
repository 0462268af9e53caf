// zk_hvac-loadDetail: reads its arguments, shows the load detail of a room
// or zone and answers 1 when the user asked for the load to be calculated.
#include "ads/ads.h"
#include "integration/DocData.h"
#include "integration/LispArgs.h"
#include "integration/ModuleFunctions.h"
#include "loads/LoadDetailDialog.h"
#include "loads/LoadResultRecords.h"
#include "project/DialogReport.h"
#include "project/ProjectData.h"

LispStatus loadDetail() {
    acedRetNil();
    LispArgs args;
    ArgCursor cursor(args);
    hvac::LoadDetailArgs detail;
    if (!hvac::readLoadDetailArgs(cursor, detail)) return kLispWrongType;
    zkPerDocData* doc = gDocDataManager ? gDocDataManager->currentDocData() : nullptr;
    if (!doc) return kLispOk;
    ProjectDatabaseData& project = doc->project()->database();
    IProjectDatabasePtr& db = project.connection().database();
    try {
        hvac::CLoadDetail dialog(std::move(detail), project.coolingLoadRecord(), project.heatingLoadRecord(),
                                 hvac::calculatedMonthNames(db));
        int result = reportDialogFailure(dialog.DoModal());
        acedRetInt(result == hvac::kLoadDetailCalculateResult ? 1 : 0);
    } catch (const _com_error&) {
        reportDatabaseError(db);
    }
    return kLispOk;
}
