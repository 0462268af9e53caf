// Dimension: its common part, kept kind parts, display through its block.
#include "database/dbdimension.h"

#include <array>

#include "database/dbads.h"
#include "database/dbdatabase.h"
#include "database/dbentityfiling.h"
#include "database/dbocs.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeDimension() { return new AcDbDimension(); }
ACRX_HOST_CLASS_MEMBERS(AcDbDimension, AcDbEntity, makeDimension, "DIMENSION")

template <>
struct AcDbFieldList<AcDbDimension> {
    static std::span<const AcDbSubclassFields<AcDbDimension>> parts() {
        static const std::array<AcDbField<AcDbDimension>, 7> fields{{
            {"block", 2, &AcDbDimension::mBlockName, std::string()},
            {"style", 3, &AcDbDimension::mStyleName, std::string("Standard")},
            {"definitionPoint", 10, &AcDbDimension::mDefinitionPoint, AcGePoint3d::kOrigin},
            {"textPosition", 11, &AcDbDimension::mTextPosition, AcGePoint3d::kOrigin},
            {"flags", 70, &AcDbDimension::mFlags, Adesk::Int16(0)},
            {"text", 1, &AcDbDimension::mText, std::string()},
            {"normal", 210, &AcDbDimension::mNormal, AcGeVector3d::kZAxis},
        }};
        static const std::array<AcDbSubclassFields<AcDbDimension>, 1> list{{{"AcDbDimension", fields}}};
        return list;
    }
};

namespace {
// The points the kinds' own parts file (extension lines, arc and chord
// points): kept as filed, moved with the dimension.
constexpr int kKindPointCodes[] = {12, 13, 14, 15, 16};

thread_local int gDrawDepth = 0;
struct DepthGuard {
    DepthGuard() { ++gDrawDepth; }
    ~DepthGuard() { --gDrawDepth; }
};

std::vector<AcDbObjectId> blockEntities(AcDbObjectId block) {
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, block, AcDb::kForRead) != Acad::eOk) return {};
    std::vector<AcDbObjectId> ids = record->entityIds();
    record->close();
    return ids;
}
}  // namespace

AcDbDimension::AcDbDimension() { mStyleName = "Standard"; }

AcDbObjectId AcDbDimension::dimBlockId() const {
    assertReadEnabled();
    AcDbDatabase* db = database();
    return db && !mBlockName.empty() ? db->blockId(mBlockName) : AcDbObjectId();
}

bool AcDbDimension::subWorldDraw(AcGiWorldDraw* wd) {
    if (gDrawDepth > 4) return true;
    DepthGuard guard;
    const AcDbObjectId block = dimBlockId();
    if (block.isNull()) return true;
    AcGiBlockInsertData data;
    data.blockName = mBlockName;
    data.blockId = block;
    data.blockTransform = AcGeMatrix3d::kIdentity;
    if (wd->geometry().blockInsert(data)) return true;
    for (AcDbObjectId id : blockEntities(block)) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        wd->geometry().draw(entity);
        entity->close();
    }
    return true;
}

Acad::ErrorStatus AcDbDimension::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    points.push_back(mDefinitionPoint);
    points.push_back(mTextPosition);
    return Acad::eOk;
}

// Only the text moves alone; its block is not laid out again here.
Acad::ErrorStatus AcDbDimension::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices)
        if (i == 1) mTextPosition += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d&,
                                                   const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snaps,
                                                   AcDbIntArray&) const {
    if (mode == AcDb::kOsModeNode) snaps.push_back(mDefinitionPoint);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::subTransformBy(const AcGeMatrix3d& xform) {
    mDefinitionPoint.transformBy(xform);
    mTextPosition.transformBy(xform);
    mNormal = transformedNormal(xform, mNormal);
    for (int code : kKindPointCodes) mKept.transformPoints(code, xform);
    // The block drawn for this dimension moves with it.
    AcDbObjectId block = dimBlockId();
    if (!block.isNull()) AcDbEntityFiling::transformFollowers(blockEntities(block), xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::subGetGeomExtents(AcDbExtents& extents) const {
    for (AcDbObjectId id : blockEntities(dimBlockId())) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbExtents part;
        if (entity->getGeomExtents(part) == Acad::eOk && !part.isEmpty()) {
            extents.addPoint(part.minPoint());
            extents.addPoint(part.maxPoint());
        }
        entity->close();
    }
    if (extents.isEmpty()) {
        extents.addPoint(mDefinitionPoint);
        extents.addPoint(mTextPosition);
    }
    return Acad::eOk;
}

void AcDbDimension::subList() const {
    static const char* const kKinds[] = {"rotated", "aligned", "angular", "diameter", "radius", "angular 3-point",
                                         "ordinate", "unknown"};
    AcDbEntity::subList();
    acdbPrintf("                    type: %s\n", kKinds[mFlags & 7]);
    acdbPrintf("                   style: \"%s\"\n", mStyleName.c_str());
    acdbPrintf("                   block: \"%s\"\n", mBlockName.c_str());
    acdbPrintf("        definition point, X=%10.4f  Y=%10.4f  Z=%10.4f\n", mDefinitionPoint.x, mDefinitionPoint.y,
               mDefinitionPoint.z);
    acdbPrintf("           text position, X=%10.4f  Y=%10.4f  Z=%10.4f\n", mTextPosition.x, mTextPosition.y,
               mTextPosition.z);
}

Acad::ErrorStatus AcDbDimension::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgOutParts(*this, AcDbFieldList<AcDbDimension>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbDimension::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dwgInParts(*this, AcDbFieldList<AcDbDimension>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbDimension::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfOutParts(*this, AcDbFieldList<AcDbDimension>::parts(), mKept, filer);
}
Acad::ErrorStatus AcDbDimension::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbEntityFiling::dxfInParts(*this, AcDbFieldList<AcDbDimension>::parts(), mKept, filer);
    if (mNormal.isZeroLength()) mNormal = AcGeVector3d::kZAxis;
    return es;
}
