// AutoLISP functions over the project connection and the layer keys.
#include "ads/ads.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "integration/DocData.h"
#include "integration/DrawingHelpers.h"
#include "integration/LispArgs.h"
#include "integration/ModuleFunctions.h"
#include "project/ProjectData.h"

LispStatus disconnect() {
    acedRetNil();
    if (!gDocDataManager || !gDocDataManager->currentDocData()) return kLispOk;
    gDocDataManager->currentDocData()->project()->database().disconnect();
    return kLispOk;
}

LispStatus getLayer() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    std::string key;
    if (!argString(cur, key) || cur.atEnd()) return kLispOk;
    bool hasSystem = false;
    int32_t layerSystem = 0;
    if (cur.node()->restype != RTNIL) {
        if (!argInt(cur, layerSystem)) return kLispOk;
        hasSystem = true;
    }
    AcDbObjectId layerId;
    if (!getLayerByKey(gDocDataManager, key, hasSystem, layerSystem, layerId)) return kLispOk;
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, layerId, AcDb::kForRead) != Acad::eOk) return kLispOk;
    acedRetStr(layer->getName().c_str());
    layer->close();
    return kLispOk;
}
