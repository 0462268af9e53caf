// zkDuct and its duct creation routine, and zkductforce: a new duct takes
// its size and elevation from the duct it starts on (splitting that duct
// when it starts in its middle) or from the current settings.
#include <cmath>

#include "ads/ads.h"
#include "com/comutil.h"
#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "ducts/DuctAccess.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/DuctNetwork.h"
#include "ducts/DuctSettings.h"
#include "ducts/ZkDuct.h"
#include "editor/EditorCommands.h"
#include "editor/EditorInput.h"
#include "editor/EditorSelection.h"
#include "integration/DocData.h"
#include "integration/LispArgs.h"
#include "integration/LispCallbacks.h"
#include "integration/LispResults.h"
#include "integration/ModuleFunctions.h"

namespace {

// The selection box's corners lie this far from the point, at 45 and 225
// degrees (pi written as the product writes it).
constexpr double kPickDistance = 6.0;
constexpr double kPi = 3.14159265;

bool sysVarNumbers(const char* name, double* values, int count) {
    resbuf rb{};
    if (acedGetVar(name, &rb) != RTNORM) return false;
    if (rb.restype == RTREAL && count == 1) {
        values[0] = rb.resval.rreal;
        return true;
    }
    if (rb.restype != RTPOINT && rb.restype != RT3DPOINT) return false;
    for (int i = 0; i < count; ++i) values[i] = rb.resval.rpoint[i];
    return true;
}

// Whether p lies in the drawing window, judged from the view's centre,
// height and the window's proportions.
bool inCurrentView(const AcGePoint3d& p) {
    double centre[2] = {0, 0}, height = 0, screen[2] = {0, 0};
    if (!sysVarNumbers("VIEWCTR", centre, 2) || !sysVarNumbers("VIEWSIZE", &height, 1) ||
        !sysVarNumbers("SCREENSIZE", screen, 2))
        return true;
    const double halfHeight = height / 2;
    const double halfWidth = halfHeight * (screen[1] > 0 ? screen[0] / screen[1] : 1.0);
    return std::fabs(p.x - centre[0]) <= halfWidth && std::fabs(p.y - centre[1]) <= halfHeight;
}

// The ducts a crossing selection finds in the box around p, in model space
// order; the view is zoomed out first when p lies outside it, and back
// afterwards.
std::vector<AcDbObjectId> ductsAt(const AcGePoint3d& p) {
    const bool zoom = !inCurrentView(p);
    if (zoom) acedCommand(RTSTR, "_.ZOOM", RTSTR, "_V", RTNONE);
    const double d = kPickDistance;
    const ads_point corner1 = {p.x + d * std::cos(kPi / 4), p.y + d * std::sin(kPi / 4), p.z};
    const ads_point corner2 = {p.x + d * std::cos(5 * kPi / 4), p.y + d * std::sin(5 * kPi / 4), p.z};
    resbuf* filter = acutBuildList(RTDXF0, "ZKDUCT", 0);
    ads_name ss;
    std::vector<AcDbObjectId> found;
    if (acedSSGet("_C", corner1, corner2, filter, ss) == RTNORM) {
        int32_t length = 0;
        acedSSLength(ss, &length);
        for (int32_t i = 0; i < length; ++i) {
            ads_name entity;
            AcDbObjectId id;
            if (acedSSName(ss, i, entity) == RTNORM && acdbGetObjectId(id, entity) == Acad::eOk) found.push_back(id);
        }
        acedSSFree(ss);
    }
    acutRelRb(filter);
    if (zoom) acedCommand(RTSTR, "_.ZOOM", RTSTR, "_P", RTNONE);
    return found;
}

// The product's choice among the elevations of several ducts: an index into
// `elevations`; the first when the answer is not a valid index.
size_t chooseElevation(const std::vector<double>& elevations, const char* title) {
    resbuf* args = acutBuildList(RTLB, 0);
    resbuf* last = args;
    for (double z : elevations) last = last->rbnext = acutBuildList(RTREAL, z, 0);
    last->rbnext = acutBuildList(RTLB, RTSTR, title, RTSHORT, static_cast<int>(elevations.size()), RTSHORT, 1, RTLE,
                                 RTLE, 0);
    LispCallResult result;
    if (!invokeLisp("duct-elevationListDialog", args, result)) return 0;
    const std::optional<double> n = resultNumber(result.list());
    if (!n || *n < 0 || *n >= static_cast<double>(elevations.size())) return 0;
    return static_cast<size_t>(*n);
}

struct DuctAtPoint {
    AcDbObjectId id;
    AcGePoint3d start, end;
    int32_t key = 0;
};

// The ducts found at p with their rows; with several, the one whose
// elevation the user chooses comes first.
std::vector<DuctAtPoint> chosenDuctsAt(DuctDbRecord& db, const AcGePoint3d& p, const char* title) {
    std::vector<DuctAtPoint> ducts;
    for (AcDbObjectId id : ductsAt(p)) {
        AcDbObjectPointer<ZkDuct> duct(id, AcDb::kForRead);
        if (!duct) continue;
        ducts.push_back({id, duct->startPoint(), duct->endPoint(), duct->ductKey()});
    }
    if (ducts.size() > 1) {
        std::vector<double> elevations;
        for (const DuctAtPoint& d : ducts) {
            const ZkDuctDbInfo row = db.GetRecord(d.key);
            elevations.push_back(samePlanPoint(d.start, p) ? row.Z1 : row.Z2);
        }
        const size_t chosen = chooseElevation(elevations, title);
        std::swap(ducts[0], ducts[chosen]);
    }
    return ducts;
}

ZkDuctDbInfo recordFromSettings() {
    ZkDuctDbInfo r;
    GetSettings();
    const DuctSettings* s = currentDuctSettings();
    if (!s) return r;
    r.MATERIAL = s->MATERIAL.str(), r.SHAPE = s->SHAPE.str(), r.OFFSET = s->OFFSET.str();
    r.VERTICALOFFSET = s->VERTICALOFFSET.str(), r.AIRFLOW = s->AIRFLOW.str(), r.DOUBLE_LINE = s->DOUBLE_LINE.str();
    r.SIZEFOR = s->SIZEFOR.str(), r.SIZESHAPE = s->SIZESHAPE.str();
    r.ixLayerSystem = s->ixLayerSystem, r.SIZEMAX = s->SIZEMAX, r.iHangerType = s->iHangerType;
    r.LINING = s->LINING, r.dExteriorLining = s->dExteriorLining, r.WIDTH = s->WIDTH, r.DEPTH = s->DEPTH;
    r.SIZEVAL1 = s->SIZEVAL1, r.SIZEVAL2 = s->SIZEVAL2, r.Z1 = s->Z1, r.Z2 = s->Z2;
    r.dHangerZ = s->dHangerZ, r.dHangerSize = s->dHangerSize, r.dHangerDepth = s->dHangerDepth;
    r.dHangerStartOffset = s->dHangerStartOffset, r.dHangerSpacing = s->dHangerSpacing;
    r.dHangerEndOffset = s->dHangerEndOffset, r.dHangerLeftExtension = s->dHangerLeftExtension;
    r.dHangerRightExtension = s->dHangerRightExtension;
    return r;
}

// Splits duct D at p: a new duct (and row) from D's start to p, D from p on.
// False when the new row or entity could not be made; D is then unchanged.
bool splitDuct(DuctDbRecord& db, const DuctAtPoint& d, const AcGePoint3d& p, const ZkDuctDbInfo& record) {
    const AcGePoint3d start(d.start.x, d.start.y, record.Z1), at(p.x, p.y, record.Z1);
    const int32_t key = newDuctRow(db, record, start, at);
    if (key == 0) return false;
    ZkDuctDbInfo part = record;
    part.FITTING = " ";
    setRecordElevations(part, start, at);
    auto* piece = new ZkDuct;
    piece->setDuctKey(key);
    piece->setStartPoint(start);
    piece->setEndPoint(at);
    dressNewDuct(db, piece, record);
    try {
        if (!db.CopyInto(key, part, false)) throw 0;
    } catch (...) {
        delete piece;
        dropDuctRow(db, key);
        return false;
    }
    if (appendDuct(piece).isNull()) {
        dropDuctRow(db, key);
        return false;
    }
    try {
        db.SetDamper(key, 0, 0.0);
    } catch (const _com_error&) {
    }
    AcDbObjectPointer<ZkDuct> duct(d.id, AcDb::kForWrite);
    if (duct) {
        duct->setStartPoint(at);
        duct->setSizeFor("X");
        storeDuctEnds(db, d.key, at, duct->endPoint());
    }
    try {
        db.SetSizeFor(d.key, "X");
    } catch (const _com_error&) {
    }
    return true;
}

// The creation routine; answers the new duct's key, 0 on failure.
int32_t createDuct(AcGePoint3d p1, AcGePoint3d p2) {
    DuctDbRecord* db = currentDuctRecord();
    if (!db || !db->hasDatabase()) return 0;
    ZkDuctDbInfo record;
    bool fromDuct = false;
    const std::vector<DuctAtPoint> atStart = chosenDuctsAt(*db, p1, "Select Starting Elevation (ft-in)");
    if (!atStart.empty()) {
        record = db->GetRecord(atStart[0].key);
        fromDuct = true;
    } else {
        record = recordFromSettings();
    }
    if (atStart.size() == 1) {
        const DuctAtPoint& d = atStart[0];
        AcDbObjectPointer<ZkDuct> found(d.id, AcDb::kForRead);
        AcGePoint3d closest;
        if (samePlanPoint(p1, d.end)) {
            record.Z1 = record.Z2;
        } else if (samePlanPoint(p1, d.start)) {
            record.Z2 = record.Z1;
        } else if (found && found->getClosestPointTo(p1, closest) == Acad::eOk && samePlanPoint(closest, p1)) {
            found.close();
            if (!splitDuct(*db, d, p1, record)) return 0;
        }
    } else if (atStart.size() > 1) {
        record.Z1 = samePlanPoint(atStart[0].start, p1) ? record.Z1 : record.Z2;
    }
    if (fromDuct) {
        record.TEXTX = 0, record.TEXTY = 0, record.SIZEFOR = "X";
        record.DAMPERTYPE = 0, record.DAMPERLOCATION = 0;
    }

    // The ending elevation: the chosen duct at P2, else level.
    double endZ = fromDuct ? record.Z1 : record.Z2;
    const std::vector<DuctAtPoint> atEnd = chosenDuctsAt(*db, p2, "Select Ending Elevation (ft-in)");
    if (!atEnd.empty()) {
        const ZkDuctDbInfo row = db->GetRecord(atEnd[0].key);
        endZ = samePlanPoint(atEnd[0].start, p2) ? row.Z1 : row.Z2;
    }
    p1.z = record.Z1;
    p2.z = endZ;
    const int32_t key = newDuctRow(*db, record, p1, p2);
    if (key == 0) return 0;
    record.FITTING = " ";
    if (record.DOUBLE_LINE == "n") record.DOUBLE_LINE = "";
    setRecordElevations(record, p1, p2);
    try {
        if (!db->CopyInto(key, record, false)) throw 0;
    } catch (...) {
        dropDuctRow(*db, key);
        return 0;
    }
    auto* duct = new ZkDuct;
    duct->setDuctKey(key);
    duct->setStartPoint(p1);
    duct->setEndPoint(p2);
    dressNewDuct(*db, duct, record);
    if (appendDuct(duct).isNull()) {
        dropDuctRow(*db, key);
        return 0;
    }
    acedRedraw(nullptr, 0);
    return key;
}

} // namespace

LispStatus zkDuct() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcGePoint3d p1, p2;
    if (!argPoint3d(cur, p1) || !argPoint3d(cur, p2)) return kLispWrongType;
    const int32_t key = createDuct(p1, p2);
    if (key != 0) retIntOrReal(key);
    return kLispOk;
}

LispStatus zkDuctForce() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcGePoint3d p1, p2;
    double keyValue = 0;
    if (!argPoint3d(cur, p1) || !argPoint3d(cur, p2) || !argReal(cur, keyValue)) return kLispWrongType;
    zkPerDocData* doc = gDocDataManager ? gDocDataManager->currentDocData() : nullptr;
    AcGePoint2d alignment;
    if (!doc || !doc->alignmentPoint(alignment, true)) return kLispWrongType;
    DuctDbRecord* db = currentDuctRecord();
    if (!db || !db->hasDatabase() || !std::isfinite(keyValue)) return kLispOk;
    const int32_t key = static_cast<int32_t>(std::trunc(keyValue));
    ZkDuctDbInfo record;
    try {
        if (!db->Load(key)) return kLispOk;
        record = *db;
        if (!db->CopyInto(key, record, false)) return kLispOk;
    } catch (const _com_error&) {
        return kLispOk;
    }
    auto* duct = new ZkDuct;
    duct->setDuctKey(key);
    duct->setStartPoint(p1);
    duct->setEndPoint(p2);
    if (appendDuct(duct).isNull()) return kLispOk;
    storeDuctEnds(*db, key, p1, p2);
    retIntOrReal(key);
    return kLispOk;
}
