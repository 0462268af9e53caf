// Block reference: transform, drawing through the block, explode, extents.
#include "database/dbblockref.h"

#include <array>
#include <cmath>

#include "database/dbads.h"
#include "database/dbattribute.h"
#include "database/dbclone.h"
#include "database/dbdatabase.h"
#include "database/dbentityfiling.h"
#include "database/io/DwgMemoryFiler.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeBlockReference() { return new AcDbBlockReference(); }
ACRX_HOST_CLASS_MEMBERS(AcDbBlockReference, AcDbEntity, makeBlockReference, "INSERT")

// The block is filed by id in binary data and by name (group 2) in tagged data.
template <>
struct AcDbFieldList<AcDbBlockReference> {
    static std::span<const AcDbField<AcDbBlockReference>> fields() {
        static const std::array<AcDbField<AcDbBlockReference>, 7> list{{
            {"block", -2, &AcDbBlockReference::mBlock, AcDbObjectId()},
            {"position", 10, &AcDbBlockReference::mPosition, AcGePoint3d::kOrigin},
            {"scaleX", 41, &AcDbBlockReference::mScaleX, 1.0},
            {"scaleY", 42, &AcDbBlockReference::mScaleY, 1.0},
            {"scaleZ", 43, &AcDbBlockReference::mScaleZ, 1.0},
            {"rotation", 50, &AcDbBlockReference::mRotation, 0.0},
            {"normal", 210, &AcDbBlockReference::mNormal, AcGeVector3d::kZAxis},
        }};
        return list;
    }
};

AcDbBlockReference::AcDbBlockReference() {
    AcDbFieldWalk::applyDefaults(*this, AcDbFieldList<AcDbBlockReference>::fields());
}
AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId block) : AcDbBlockReference() {
    mPosition = position;
    mBlock = block;
}

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId b) { assertWriteEnabled(); mBlock = b; return Acad::eOk; }
Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& p) { assertWriteEnabled(); mPosition = p; return Acad::eOk; }
Acad::ErrorStatus AcDbBlockReference::setRotation(double r) { assertWriteEnabled(); mRotation = r; return Acad::eOk; }
Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& s) {
    if (s.sx == 0.0 || s.sy == 0.0 || s.sz == 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    mScaleX = s.sx;
    mScaleY = s.sy;
    mScaleZ = s.sz;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbBlockReference::setNormal(const AcGeVector3d& n) {
    if (n.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = n.normal();
    return Acad::eOk;
}

namespace {
AcGePoint3d blockOrigin(AcDbObjectId block) {
    AcDbStub* stub = block.stub();
    auto* record = stub && stub->object ? AcDbBlockTableRecord::cast(stub->object) : nullptr;
    if (!record) return AcGePoint3d::kOrigin;
    const int state = record->openState();
    if (state == AcDbObject::kClosed) record->setOpenState(AcDbObject::kOpenRead);
    AcGePoint3d origin = record->origin();
    if (state == AcDbObject::kClosed) record->setOpenState(AcDbObject::kClosed);
    return origin;
}

// The ids of the block's entities (empty when the block is gone).
std::vector<AcDbObjectId> blockEntities(AcDbObjectId block) {
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, block, AcDb::kForRead) != Acad::eOk) return {};
    std::vector<AcDbObjectId> ids = record->entityIds();
    record->close();
    return ids;
}

// Nesting limit against blocks that (indirectly) contain themselves.
thread_local int gDepth = 0;
constexpr int kMaxDepth = 32;
struct DepthGuard {
    DepthGuard() { ++gDepth; }
    ~DepthGuard() { --gDepth; }
};
} // namespace

AcGeMatrix3d AcDbBlockReference::blockTransform() const {
    assertReadEnabled();
    AcGeMatrix3d scale;
    scale(0, 0) = mScaleX;
    scale(1, 1) = mScaleY;
    scale(2, 2) = mScaleZ;
    const AcGePoint3d origin = blockOrigin(mBlock);
    return AcGeMatrix3d::translation(mPosition.asVector()) * AcGeMatrix3d::planeToWorld(mNormal) *
           AcGeMatrix3d::rotation(mRotation, AcGeVector3d::kZAxis) * scale *
           AcGeMatrix3d::translation(-origin.asVector());
}

bool AcDbBlockReference::subWorldDraw(AcGiWorldDraw* wd) {
    if (gDepth >= kMaxDepth) return true;
    DepthGuard guard;
    const std::string name = AcDbEntityFiling::recordName(mBlock);
    AcGiBlockInsertData data;
    data.blockName = name;
    data.blockId = mBlock;
    data.position = mPosition;
    data.rotation = mRotation;
    data.scale = AcGeScale3d(mScaleX, mScaleY, mScaleZ);
    data.normal = mNormal;
    data.blockTransform = blockTransform();
    if (wd->geometry().blockInsert(data)) return true;
    wd->geometry().pushModelTransform(data.blockTransform);
    for (AcDbObjectId id : blockEntities(mBlock)) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        wd->geometry().draw(entity);
        entity->close();
    }
    wd->geometry().popModelTransform();
    return true;
}

Acad::ErrorStatus AcDbBlockReference::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    points.push_back(mPosition);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbBlockReference::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (!indices.empty()) mPosition += offset;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbBlockReference::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d&,
                                                        const AcGePoint3d&, const AcGeMatrix3d&,
                                                        AcGePoint3dArray& snaps, AcDbIntArray&) const {
    if (mode == AcDb::kOsModeIns) snaps.push_back(mPosition);
    return Acad::eOk;
}

// Keeps the reference's own axes: position moves, the x axis turns, the
// scale grows by the transform's uniform factor.
Acad::ErrorStatus AcDbBlockReference::subTransformBy(const AcGeMatrix3d& xform) {
    const AcGeMatrix3d plane = AcGeMatrix3d::planeToWorld(mNormal);
    const AcGeVector3d xAxis = plane * AcGeVector3d(std::cos(mRotation), std::sin(mRotation), 0.0);
    AcGeVector3d n = xform * mNormal;
    const AcGeVector3d newX = xform * xAxis;
    if (n.isZeroLength() || newX.isZeroLength()) return Acad::eNotApplicable;
    const double s = xform.scale();
    mPosition.transformBy(xform);
    mNormal = n.normal();
    const AcGeVector3d local = AcGeMatrix3d::worldToPlane(mNormal) * newX;
    mRotation = std::atan2(local.y, local.x);
    mScaleX *= s;
    mScaleY *= s;
    mScaleZ *= s;
    if (xform.det() < 0.0) mScaleY = -mScaleY;
    AcDbEntityFiling::transformFollowers(mAttributes, xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::subExplode(AcDbVoidPtrArray& entitySet) const {
    const AcGeMatrix3d xform = blockTransform();
    const std::vector<AcDbObjectId> ids = blockEntities(mBlock);
    if (ids.empty() && mBlock.isNull()) return Acad::eNullObjectId;
    for (AcDbObjectId id : ids) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbEntity* copy = acdbCloneEntity(entity, database());
        entity->close();
        if (!copy) continue;
        if (copy->transformBy(xform) != Acad::eOk) {
            delete copy;
            continue;
        }
        entitySet.push_back(copy);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::subGetGeomExtents(AcDbExtents& extents) const {
    if (gDepth >= kMaxDepth) return Acad::eInvalidExtents;
    DepthGuard guard;
    const AcGeMatrix3d xform = blockTransform();
    extents = AcDbExtents();
    for (AcDbObjectId id : blockEntities(mBlock)) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbExtents part;
        if (entity->getGeomExtents(part) == Acad::eOk) {
            part.transformBy(xform);
            extents.addExt(part);
        }
        entity->close();
    }
    if (extents.isEmpty()) extents.addPoint(mPosition);
    return Acad::eOk;
}

void AcDbBlockReference::subList() const {
    AcDbEntity::subList();
    acdbPrintf("              Block Name: \"%s\"\n", AcDbEntityFiling::recordName(mBlock).c_str());
    acdbPrintf("                  at point, X=%10.4f  Y=%10.4f  Z=%10.4f\n", mPosition.x, mPosition.y, mPosition.z);
    acdbPrintf("   X scale factor: %10.4f\n   Y scale factor: %10.4f\n", mScaleX, mScaleY);
    acdbPrintf("   rotation angle: %10.4f\n", mRotation);
}

AcRxClass* AcDbBlockReference::followerClass(int) const { return AcDbAttribute::desc(); }

Acad::ErrorStatus AcDbBlockReference::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbFieldWalk::dwgOut(*this, AcDbFieldList<AcDbBlockReference>::fields(), filer);
    if (es != Acad::eOk) return es;
    filer->writeBool(mAttributesFollow);
    return AcDbEntityFiling::dwgOutFollowers(mAttributes, mSequenceEnd, filer);
}
Acad::ErrorStatus AcDbBlockReference::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbFieldWalk::dwgIn(*this, AcDbFieldList<AcDbBlockReference>::fields(), filer);
    if (es != Acad::eOk || !filerHasFormat(filer, 3)) return es;
    if (filer->readBool(&mAttributesFollow) != Acad::eOk || !filerHasFormat(filer, 4)) return filer->filerStatus();
    return AcDbEntityFiling::dwgInFollowers(mAttributes, mSequenceEnd, filer);
}
Acad::ErrorStatus AcDbBlockReference::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, "AcDbBlockReference");
    if (mAttributesFollow) filer->writeInt16(66, 1);
    filer->writeString(2, AcDbEntityFiling::recordName(mBlock));
    return AcDbFieldWalk::dxfOut(*this, AcDbFieldList<AcDbBlockReference>::fields(), filer);
}
Acad::ErrorStatus AcDbBlockReference::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    return AcDbEntityFiling::dxfInWithMarker(*this, "AcDbBlockReference", filer, [&](const resbuf& rb) {
        if (rb.restype == 2) mBlock = AcDbEntityFiling::blockByName(filer, rb.resval.rstring);
        else if (rb.restype == 66) mAttributesFollow = rb.resval.rint != 0;
    });
}
