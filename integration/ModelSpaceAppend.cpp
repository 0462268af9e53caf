// Appending new entities to model space, and the drawing scale factor.
#include "ads/ads.h"
#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "integration/CallTransaction.h"
#include "integration/DrawingHelpers.h"
#include "runtime/docman.h"

bool appendToModelSpace(AcDbEntity* entity) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcApDocument* doc = acDocManager->document(db);
    acDocManager->lockDocument(doc, AcAp::kWrite, nullptr, nullptr, true);
    AcDbBlockTable* table = nullptr;
    if (!db || db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) {
        acDocManager->unlockDocument(doc);
        acedAlert("Failed to get block table!");
        delete entity;
        return false;
    }
    AcDbBlockTableRecord* space = nullptr;
    Acad::ErrorStatus es = table->getAt("*Model_Space", space, AcDb::kForWrite);
    if (es != Acad::eOk) {
        acedAlert("Failed to get block table record!");
        acutPrintf("\n%i", static_cast<int>(es));
        table->close();
        acDocManager->unlockDocument(doc);
        delete entity;
        return false;
    }
    AcDbObjectId id;
    if (space->appendAcDbEntity(id, entity) != Acad::eOk) {
        acedAlert("Failed to append entity!");
        table->close();
        space->close();
        acDocManager->unlockDocument(doc);
        delete entity;
        return false;
    }
    space->close();
    table->close();
    acDocManager->unlockDocument(doc);
    CallTransaction::noteNewEntity(id);
    return true;
}

double drawingScaleFactor() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    double scale = db ? db->dimscale() : 1.0;
    return scale > 0.0 ? scale : 1.0;
}
