// Rows, layers, selection and plan comparisons shared by the network edits.
#include "ducts/DuctNetwork.h"

#include <algorithm>
#include <cmath>

#include "com/comutil.h"
#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "ducts/DuctCallbacks.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/FittingRules.h"
#include "ducts/ZkDuct.h"
#include "integration/DocData.h"
#include "integration/DrawingHelpers.h"

std::string currentDrawingName() {
    zkPerDocData* doc = gDocDataManager ? gDocDataManager->currentDocData() : nullptr;
    return doc ? doc->fileName() : std::string();
}

AcGePoint3d drawingToProject(const AcGePoint3d& point, int32_t unit) {
    // Columns of the affine map from the images of the origin and the axes.
    const std::optional<AcGePoint3d> o = convertProjectToDrawing(AcGePoint3d(0, 0, 0), unit);
    if (!o) return point;
    AcGeVector3d col[3];
    const AcGePoint3d axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int i = 0; i < 3; ++i) {
        const std::optional<AcGePoint3d> image = convertProjectToDrawing(axes[i], unit);
        if (!image) return point;
        col[i] = *image - *o;
    }
    const double det = col[0].dotProduct(col[1].crossProduct(col[2]));
    if (std::fabs(det) < 1e-12) return point;
    const AcGeVector3d r = point - *o;
    // Cramer's rule.
    return AcGePoint3d(r.dotProduct(col[1].crossProduct(col[2])) / det,
                       col[0].dotProduct(r.crossProduct(col[2])) / det,
                       col[0].dotProduct(col[1].crossProduct(r)) / det);
}

namespace {

void setEnds(DuctDbRecord& db, const AcGePoint3d& start, const AcGePoint3d& end, int32_t unit) {
    const AcGePoint3d s = drawingToProject(start, unit), e = drawingToProject(end, unit);
    db.SetX1(s.x), db.SetY1(s.y), db.SetZ1(s.z);
    db.SetX2(e.x), db.SetY2(e.y), db.SetZ2(e.z);
}

int32_t unitOf(const ZkDuctDbInfo& record) {
    return record.iAlignmentPointNumber1 != 0 ? record.iAlignmentPointNumber1 : 1;
}

} // namespace

int32_t newDuctRow(DuctDbRecord& db, const ZkDuctDbInfo& record, const AcGePoint3d& start, const AcGePoint3d& end) {
    try {
        db.BeginNew();
        db.SetIxLayerSystem(record.ixLayerSystem);
        db.SetDrawing(currentDrawingName());
        db.SetIAlignmentPointNumber1(unitOf(record));
        db.SetIAlignmentPointNumber2(unitOf(record));
        setEnds(db, start, end, unitOf(record));
        if (!db.Save()) return 0;
        return db.ixDuct;
    } catch (const _com_error&) {
        return 0;
    }
}

void setRecordElevations(ZkDuctDbInfo& record, const AcGePoint3d& start, const AcGePoint3d& end) {
    record.Z1 = drawingToProject(start, unitOf(record)).z;
    record.Z2 = drawingToProject(end, unitOf(record)).z;
}

bool storeDuctEnds(DuctDbRecord& db, int32_t key, const AcGePoint3d& start, const AcGePoint3d& end) {
    try {
        if (!db.Load(key)) return false;
        db.BeginEdit();
        setEnds(db, start, end, unitOf(db));
        return db.Save();
    } catch (const _com_error&) {
        return false;
    }
}

void dropDuctRow(DuctDbRecord& db, int32_t key) {
    if (!db.hasDatabase() || key == 0) return;
    try {
        db.database().Execute(L"delete from tblDuct where ixDuct = " + std::to_wstring(key));
    } catch (const _com_error&) {
    }
}

void dressNewDuct(DuctDbRecord& db, ZkDuct* duct, const ZkDuctDbInfo& record) {
    duct->setSizeFor(record.SIZEFOR);
    if (record.AIRFLOW == "ea" || record.AIRFLOW == "ra")
        duct->setReverseArrows(fittingSetting(db, "REVERSEARROWS") == "YES");
    AcDbObjectId layer;
    if (getLayerByKey(gDocDataManager, record.AIRFLOW, true, record.ixLayerSystem, layer)) duct->setLayer(layer);
}

AcDbObjectId appendDuct(ZkDuct* duct) {
    if (!appendToModelSpace(duct)) return AcDbObjectId();
    AcDbObjectId id = duct->objectId();
    duct->close();
    return id;
}

bool samePlanPoint(const AcGePoint3d& a, const AcGePoint3d& b) {
    return AcGePoint2d(a.x, a.y).isEqualTo(AcGePoint2d(b.x, b.y));
}

AcGeVector3d currentUcsNormal() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return AcGeVector3d::kZAxis;
    AcGeVector3d n = db->ucsxdir().crossProduct(db->ucsydir());
    return n.length() > 1e-12 ? n / n.length() : AcGeVector3d::kZAxis;
}
