// AutoLISP functions over the document and project data.
#include "ads/ads.h"
#include "integration/DocData.h"
#include "integration/LispArgs.h"
#include "integration/ModuleFunctions.h"

LispStatus checkZk() {
    acedRetNil();
    if (!gDocDataManager) return kLispOk;
    acutPrintf("\nDocument list");
    for (const zkPerDocData* doc : gDocDataManager->documents()) acutPrintf("\n%s", doc->fileName().c_str());
    acutPrintf("\nProject list");
    for (const zkPerProjectData* project : gDocDataManager->projects()) acutPrintf("\n%s", project->name().c_str());
    return kLispOk;
}

LispStatus setIsMetric() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    bool metric = false;
    if (!argBool(cur, metric)) return kLispWrongType;
    if (gDocDataManager && gDocDataManager->currentDocData())
        gDocDataManager->currentDocData()->project()->setIsMetric(metric);
    return kLispOk;
}

LispStatus setDoDocumentActivated() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    bool on = false;
    if (argBool(cur, on)) gDoDocumentActivated = on;
    return kLispOk;
}
