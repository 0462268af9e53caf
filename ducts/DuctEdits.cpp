// zkbreak and zk_hvac-duct-fillet: edits of drawn ducts that keep their
// tblDuct rows (end points included) in step with the drawing.
#include <cmath>

#include "ads/ads.h"
#include "com/comutil.h"
#include "database/dbline.h"
#include "database/dbopen.h"
#include "ducts/DuctAccess.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/DuctNetwork.h"
#include "ducts/ZkDuct.h"
#include "geometry/AcGePlane.h"
#include "integration/DocData.h"
#include "integration/LispArgs.h"
#include "integration/LispResults.h"
#include "integration/ModuleFunctions.h"

namespace {

bool alignmentPointSet() {
    zkPerDocData* doc = gDocDataManager ? gDocDataManager->currentDocData() : nullptr;
    AcGePoint2d point;
    return doc && doc->alignmentPoint(point, true);
}

// A new duct for row `key` (already made) from start to end; false when the
// drawing refused it, its row then removed.
bool appendNewDuct(DuctDbRecord& db, int32_t key, const ZkDuctDbInfo& record, const AcGePoint3d& start,
                   const AcGePoint3d& end, const char* sizeFor) {
    auto* duct = new ZkDuct;
    duct->setDuctKey(key);
    duct->setStartPoint(start);
    duct->setEndPoint(end);
    dressNewDuct(db, duct, record);
    if (sizeFor) duct->setSizeFor(sizeFor);
    if (!appendDuct(duct).isNull()) return true;
    dropDuctRow(db, key);
    return false;
}

// The break: answers the new duct's key, 0 when nothing was broken.
int32_t breakDuct(const AcDbObjectId& id, const AcGePoint3d& p) {
    DuctDbRecord* db = currentDuctRecord();
    if (!db || !db->hasDatabase()) return 0;
    AcDbObjectPointer<ZkDuct> duct(id, AcDb::kForWrite);
    if (!duct) return 0;
    const AcGePoint3d s = duct->startPoint(), e = duct->endPoint();
    const int32_t key = duct->ductKey();
    ZkDuctDbInfo record;
    try {
        record = db->GetRecord(key);
    } catch (const _com_error&) {
        return 0;
    }
    if (record.FITTING == "DWGTODWG") return 0;
    AcGePoint3d b(s.x, s.y, p.z);
    if (!samePlanPoint(s, e) && duct->getClosestPointTo(p, currentUcsNormal(), b) != Acad::eOk) return 0;
    const int32_t added = newDuctRow(*db, record, s, b);
    if (added == 0) return 0;
    record.SIZEFOR = "X";
    ZkDuctDbInfo piece = record;
    piece.FITTING = " ";
    setRecordElevations(piece, s, b);
    setRecordElevations(record, b, e);
    try {
        if (!db->CopyInto(added, piece, false)) throw 0;
    } catch (...) {
        dropDuctRow(*db, added);
        return 0;
    }
    if (!appendNewDuct(*db, added, piece, s, b, nullptr)) return 0;
    try {
        db->CopyInto(key, record, false);
    } catch (const _com_error&) {
    }
    duct->setStartPoint(b);
    storeDuctEnds(*db, key, b, e);
    return added;
}

AcGeVector3d planDirection(const AcGePoint3d& from, const AcGePoint3d& to) {
    AcGeVector3d v(to.x - from.x, to.y - from.y, 0);
    return v.length() > 1e-12 ? v / v.length() : v;
}

// Brings one duct's run to P, keeping the part that was picked at q.
void bringToPoint(ZkDuct* duct, const AcGePoint3d& q, const AcGePoint3d& p, const AcGeVector3d& normal) {
    const AcGePoint3d s = duct->startPoint(), e = duct->endPoint();
    if (samePlanPoint(p, s) || samePlanPoint(p, e)) return;
    if (!planDirection(s, p).isEqualTo(planDirection(e, p))) {
        AcGePoint3d onDuct = q;
        duct->getClosestPointTo(q, normal, onDuct);
        if (planDirection(s, p).isEqualTo(planDirection(onDuct, p))) duct->setEndPointPlan(p);
        else duct->setStartPointPlan(p);
        return;
    }
    const double fromStart = AcGeVector3d(p.x - s.x, p.y - s.y, 0).length();
    const double fromEnd = AcGeVector3d(p.x - e.x, p.y - e.y, 0).length();
    if (fromStart > fromEnd) duct->setEndPointPlan(p);
    else duct->setStartPointPlan(p);
}

// The riser joining the two filleted ducts when their elevations differ at
// the junction, with its own row made from D1's.
void addRiser(DuctDbRecord& db, const ZkDuct* d1, const ZkDuct* d2) {
    AcGePoint3d j;
    double z1 = 0, z2 = 0;
    if (samePlanPoint(d1->startPoint(), d2->endPoint())) {
        j = d1->startPoint(), z1 = d2->endPoint().z, z2 = d1->startPoint().z;
    } else {
        j = d1->endPoint(), z1 = d1->endPoint().z, z2 = d2->startPoint().z;
    }
    if (z1 == z2) return;
    ZkDuctDbInfo record;
    try {
        record = db.GetRecord(d1->ductKey());
    } catch (const _com_error&) {
        return;
    }
    const AcGePoint3d start(j.x, j.y, z1), end(j.x, j.y, z2);
    const int32_t key = newDuctRow(db, record, start, end);
    if (key == 0) return;
    record.FITTING = " ";
    record.SIZEFOR = "X";
    setRecordElevations(record, start, end);
    try {
        if (!db.CopyInto(key, record, false)) throw 0;
    } catch (...) {
        dropDuctRow(db, key);
        return;
    }
    appendNewDuct(db, key, record, start, end, "X");
}

} // namespace

LispStatus zkBreak() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectId id;
    AcGePoint3d p;
    if (!argEntity(cur, id) || !argPoint3d(cur, p)) return kLispWrongType;
    if (!alignmentPointSet()) return kLispWrongType;
    retIntOrReal(breakDuct(id, p));
    return kLispOk;
}

LispStatus ductFillet() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectId id1, id2;
    AcGePoint3d q1, q2;
    if (!argEntity(cur, id1) || !argPoint3d(cur, q1) || !argEntity(cur, id2) || !argPoint3d(cur, q2))
        return kLispWrongType;
    if (id1 == id2) return kLispOk;
    AcDbObjectPointer<ZkDuct> d1(id1, AcDb::kForWrite);
    if (!d1) return kLispOk;
    AcDbObjectPointer<ZkDuct> d2(id2, AcDb::kForWrite);
    if (!d2) return kLispOk;
    const AcGeVector3d normal = currentUcsNormal();
    AcDbLine line1(d1->startPoint(), d1->endPoint()), line2(d2->startPoint(), d2->endPoint());
    line1.setNormal(normal);
    line2.setNormal(normal);
    AcGePoint3dArray points;
    if (line1.intersectWith(&line2, AcDb::kExtendBoth, AcGePlane(AcGePoint3d(0, 0, 0), normal), points) !=
            Acad::eOk ||
        points.empty()) {
        acutPrintf("\nDucts do not intersect.");
        return kLispOk;
    }
    const AcGePoint3d p = points[0];
    bringToPoint(d1.object(), q1, p, normal);
    bringToPoint(d2.object(), q2, p, normal);
    DuctDbRecord* db = currentDuctRecord();
    if (db && db->hasDatabase()) {
        storeDuctEnds(*db, d1->ductKey(), d1->startPoint(), d1->endPoint());
        storeDuctEnds(*db, d2->ductKey(), d2->startPoint(), d2->endPoint());
        addRiser(*db, d1.object(), d2.object());
    }
    return kLispOk;
}
